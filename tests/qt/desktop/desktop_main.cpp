// The window tests that need a real X server and window manager (geometry,
// stacking, full screen, the window manager's close, input through the
// server). Run by with_openbox.sh; each waits for the window manager first.
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "platform/qt/fonts.h"
#include "x11_desktop.h"

namespace {

class DesktopEnvironment : public ::testing::Environment {
  public:
    DesktopEnvironment(int& argc, char** argv) : argc_(argc), argv_(argv) {}

    void SetUp() override {
        velmora::qt::test::X11Desktop desktop;
        ASSERT_TRUE(desktop.WaitForWindowManager()) << "no window manager on $DISPLAY";
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
    ::testing::AddGlobalTestEnvironment(new DesktopEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
