// velmora: the game in a Qt window. It runs in the game's folder: scenario
// files, pictures, music and save slots are all found in the working
// directory; the player's record of what was read and seen is kept in the
// player's own data folder. With --start-check it ends once its title
// window is painted.
#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "app/following.h"
#include "app/slot_lines.h"
#include "app/story_map_rows.h"
#include "platform/posix_files.h"
#include "platform/qt/comforts.h"
#include "platform/qt/fonts.h"
#include "platform/qt/game_session.h"
#include "platform/qt/main_window.h"
#include "platform/qt/notice.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/replay.h"
#include "platform/qt/start_check.h"
#include "platform/rollback.h"

namespace {

// $XDG_DATA_HOME/velmora, whatever folder the game itself runs in.
std::string PlayerDataFolder() {
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/velmora";
    QDir().mkpath(folder);
    return folder.toStdString();
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    velmora::qt::InstallFontSubstitutions();
    velmora::qt::KeepBoldUnderScaleFactor();

    velmora::PosixFiles files(".");
    velmora::PosixFiles playerFiles(PlayerDataFolder());
    velmora::KeptRecord kept(playerFiles);
    std::string notice;
    kept.Load(&notice);
    velmora::qt::MainWindow window;
    auto* notices = new velmora::qt::Notice(window);  // owned by the window
    const auto tell = [notices](const std::string& text) {
        qWarning("%s", text.c_str());
        notices->Say(QString::fromStdString(text));
    };
    kept.TellWith(tell);
    velmora::qt::QtPlatform platform(window, files);
    velmora::Skip skip(platform, kept.record());
    velmora::Rollback rollback(skip, [&](velmora::Platform& on) {
        return velmora::FollowedGame(on, kept.record(), &skip);
    });
    rollback.TellWith(tell);
    velmora::RolledGame game(rollback);
    velmora::qt::GameSession session(game, window, [&platform] { platform.CloseAll(); });
    QObject::connect(&session, &velmora::qt::GameSession::ended, &app, &QCoreApplication::exit);
    auto* comforts = new velmora::qt::Comforts(window, platform.sound());  // owned by the window
    auto* replay = new velmora::qt::Replay(window, session, rollback, skip, [&] {
        return velmora::StoryMapRows(files, kept.record());
    });
    comforts->Follow(replay);
    platform.AfterEachWait([&] {
        kept.Keep(false);
        replay->TakeAskedStep();
    });
    platform.DescribeSlotsWith(
        [&files](const std::string& slot) { return velmora::DescribeSlot(files, slot); });

    if (QApplication::arguments().contains(velmora::qt::kStartCheckOption)) {
        velmora::qt::EndOnceFirstPainted(window);
    }
    window.show();
    if (!notice.empty()) tell(notice);
    const int status = QApplication::exec();
    kept.Keep(true);
    return status;
}
