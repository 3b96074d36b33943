// The Qt tests share one QApplication. It is made when the tests run, not
// when CMake lists them, so listing needs no display.
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "platform/qt/fonts.h"

namespace {

class QtEnvironment : public ::testing::Environment {
  public:
    QtEnvironment(int& argc, char** argv) : argc_(argc), argv_(argv) {}

    void SetUp() override {
        app_ = std::make_unique<QApplication>(argc_, argv_);
        velmora::qt::InstallFontSubstitutions();
        velmora::qt::KeepBoldUnderScaleFactor();
    }
    void TearDown() override { app_.reset(); }

  private:
    int& argc_;
    char** argv_;
    std::unique_ptr<QApplication> app_;
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new QtEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
