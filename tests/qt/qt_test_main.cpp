// The Qt tests share one QApplication, made when the tests run.
#include <gtest/gtest.h>

#include "qt_environment.h"

#if defined(__SANITIZE_ADDRESS__)
// This compiler's LeakSanitizer records the thread-local blocks that glibc
// hands out through __tls_get_addr, and now and then records one at a
// nonsense address (the picture plug-ins' libraries load theirs late): its
// tracer then crashes as the test program ends, before it has looked for a
// leak. Unrecorded, those blocks are scanned as the heap they live in.
extern "C" const char* __asan_default_options() {
    return "intercept_tls_get_addr=0";
}
#endif

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new velmora::qt::test::QtEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
