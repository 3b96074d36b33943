#include "app/window_program.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "app/album_rows.h"
#include "app/slot_lines.h"
#include "app/story_map_rows.h"
#include "backends/qt/continue_offer.h"
#include "world/slot_details.h"
#include "world/slot_format.h"

namespace velmora {

namespace {

// $XDG_DATA_HOME/velmora, whatever folder the game itself runs in.
std::string PlayerDataFolder() {
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/velmora";
    QDir().mkpath(folder);
    return folder.toStdString();
}

// Read before the first game is made; what the player is told of a damaged record.
std::string LoadRecord(KeptRecord& kept) {
    std::string notice;
    kept.Load(&notice);
    return notice;
}

}  // namespace

WindowProgram::WindowProgram()
    : disk_("."),
      files_(disk_),
      background_(files_),
      playerFiles_(PlayerDataFolder()),
      kept_(playerFiles_),
      notice_(LoadRecord(kept_)),
      music_(disk_),
      platform_(window_, files_, music_),
      skip_(platform_, kept_.record()),
      rollback_(
          skip_,
          [this](Platform& on) { return FollowedGame(on, kept_.record(), &skip_, &autoSave_); }),
      game_(rollback_),
      session_(game_, window_, [this] { platform_.CloseAll(); }) {
    QObject::connect(&session_, &qt::GameSession::ended, qApp, &QCoreApplication::exit);
    autoSave_.WriteWith(&background_);  // the menu never waits for the disk
    OfferContinue();  // before the comforts lay the window out at the player's scale
    comforts_ = new qt::Comforts(window_, session_, platform_.sound());
    if (!comforts_->startNotice().empty())
        notice_ += (notice_.empty() ? "" : "\n") + comforts_->startNotice();
    platform_.NoticesWith(
        [this](const std::string& text) { comforts_->Say(QString::fromStdString(text)); });
    kept_.TellWith([this](const std::string& text) { Tell(text); });
    rollback_.TellWith([this](const std::string& text) { Tell(text); });
    replay_ = new qt::Replay(window_, session_, rollback_, skip_,
                             [this] { return StoryMapRows(files_, kept_.record()); });
    replay_->ShowAlbumWith([this] { return AlbumRows(files_, kept_.record()); });
    comforts_->Follow(replay_);
    platform_.AfterEachWait([this] {
        kept_.Keep(false);
        replay_->TakeAskedStep();
    });
    platform_.DescribeSlotsWith([this](const std::vector<std::string>& entries) {
        return DescribeSlots(TheStory(), files_, entries);
    });
}

void WindowProgram::OfferContinue() {
    const SlotDetails details = ReadSlotDetails(files_, kAutoSlot);
    if (details.kind == SlotDetails::Kind::kUnreadable) {
        notice_ += (notice_.empty() ? "" : "\n") +
                   std::string("オートセーブデータを読み込めません：") + details.why;
    }
    if (details.kind != SlotDetails::Kind::kSaved) return;
    session_.OfferContinue(kAutoSlot);
    new qt::ContinueOffer(window_, session_,
                          QString::fromStdString(DescribeContinue(TheStory(), details)));
}

// Said on the window, and on the terminal for whoever started the game there.
void WindowProgram::Tell(const std::string& text) {
    qWarning("%s", text.c_str());
    comforts_->Say(QString::fromStdString(text));
}

int WindowProgram::Run() {
    window_.show();
    if (!notice_.empty()) Tell(notice_);
    const int status = QApplication::exec();
    kept_.Keep(true);
    return status;
}

}  // namespace velmora
