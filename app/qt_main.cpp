// velmora: the game in a Qt window. It runs in the game's folder: scenario
// files, pictures, music and save slots are all found in the working
// directory; the player's record of what was read and seen is kept in the
// player's own data folder. With --start-check it ends once its title
// window is painted.
#include <QApplication>

#include "app/window_program.h"
#include "backends/qt/focus_look.h"
#include "backends/qt/fonts.h"
#include "backends/qt/start_check.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    velmora::qt::InstallFontSubstitutions();
    velmora::qt::KeepBoldUnderScaleFactor();
    velmora::qt::FocusLook::Install();  // before any window: nothing to draw again

    velmora::WindowProgram program;
    if (QApplication::arguments().contains(velmora::qt::kStartCheckOption)) {
        velmora::qt::EndOnceFirstPainted(program.window());
    }
    return program.Run();
}
