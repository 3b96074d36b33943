#include "qt_environment.h"

#include "backends/qt/fonts.h"

namespace velmora::qt::test {

QtEnvironment::QtEnvironment(int& argc, char** argv, std::function<void()> before)
    : argc_(argc), argv_(argv), before_(std::move(before)) {}

void QtEnvironment::SetUp() {
    if (before_) before_();
    app_ = std::make_unique<QApplication>(argc_, argv_);
    InstallFontSubstitutions();
    KeepBoldUnderScaleFactor();
}

void QtEnvironment::TearDown() {
    app_.reset();
}

}  // namespace velmora::qt::test
