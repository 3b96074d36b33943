// The window tests that need a real X server and window manager (geometry,
// stacking, full screen, the window manager's close, input through the
// server). Run by with_openbox.sh; each waits for the window manager first.
#include <gtest/gtest.h>

#include "qt_environment.h"
#include "x11_desktop.h"

int main(int argc, char** argv) {
    using namespace velmora::qt::test;
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new QtEnvironment(argc, argv, [] {
        X11Desktop desktop;
        ASSERT_TRUE(desktop.WaitForWindowManager()) << "no window manager on $DISPLAY";
    }));
    return RUN_ALL_TESTS();
}
