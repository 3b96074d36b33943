// The Qt tests share one QApplication, made when the tests run.
#include <gtest/gtest.h>

#include "qt_environment.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new velmora::qt::test::QtEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
