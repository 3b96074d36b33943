// The one QApplication of a test program, made when the tests run (listing
// them needs no display), with the game's fonts and text as velmora has them.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <functional>
#include <memory>

namespace velmora::qt::test {

class QtEnvironment : public ::testing::Environment {
  public:
    // before: runs first, before the application exists.
    QtEnvironment(int& argc, char** argv, std::function<void()> before = {});

    void SetUp() override;
    void TearDown() override;

  private:
    int& argc_;
    char** argv_;
    std::function<void()> before_;
    std::unique_ptr<QApplication> app_;
};

}  // namespace velmora::qt::test
