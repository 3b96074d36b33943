// velmora: the game in a Qt window. It runs in the game's folder: scenario
// files, pictures, music and save slots are all found in the working
// directory. With --start-check it ends once its title window is painted.
#include <QApplication>

#include "platform/posix_files.h"
#include "platform/qt/comforts.h"
#include "platform/qt/fonts.h"
#include "platform/qt/game_session.h"
#include "platform/qt/main_window.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/start_check.h"
#include "shell/form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    velmora::qt::InstallFontSubstitutions();
    velmora::qt::KeepBoldUnderScaleFactor();

    velmora::PosixFiles files(".");
    velmora::qt::MainWindow window;
    velmora::qt::QtPlatform platform(window, files);
    velmora::Form1 game(platform);
    velmora::qt::GameSession session(game, window, [&platform] { platform.CloseAll(); });
    QObject::connect(&session, &velmora::qt::GameSession::ended, &app, &QCoreApplication::exit);
    new velmora::qt::Comforts(window, platform.sound());  // owned by the window

    if (QApplication::arguments().contains(velmora::qt::kStartCheckOption)) {
        velmora::qt::EndOnceFirstPainted(window);
    }
    window.show();
    return QApplication::exec();
}
