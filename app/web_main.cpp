// The game in a web page: the same turns as velmora-tty's, the waits being
// the page's clicks and keys, the automatic save written at every menu and
// 続きから offered on the title. Built with emscripten (tools/web.sh). The
// player's record of what was read and seen lives beside the save slots in
// the browser's storage; skipping, going back and forward, and the story
// map are the desktop's.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/album_pictures.h"
#include "app/following.h"
#include "app/page_slots.h"
#include "app/slot_lines.h"
#include "backends/web/web_files.h"
#include "backends/web/web_platform.h"
#include "player/scene_light.h"
#include "replay/rollback.h"
#include "replay/skip.h"
#include "shell/story_map.h"
#include "world/game.h"
#include "world/slot_details.h"
#include "world/slot_format.h"

namespace {

std::string Json(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += std::string("\\") + c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            out += " ";
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// The story map as the page draws it; titles only of what was seen, and
// what is wrong with the file of its words.
std::string StoryMapJson(velmora::Files& files, const velmora::ReadRecord& record) {
    const velmora::StoryMap map = velmora::ReadStoryMap(
        files, velmora::TheStory(), [&](const std::string& id) { return record.Seen(id); });
    std::string entries;
    for (const velmora::MapEntry& e : map.entries) {
        entries += std::string(entries.empty() ? "" : ",") + "{\"place\":" + Json(e.place) +
                   ",\"day\":" + Json(velmora::DayCaption(e.day)) +
                   ",\"seen\":" + (e.seen ? "true" : "false") +
                   ",\"title\":" + Json(velmora::RowTitle(e)) + ",\"hint\":" + Json(e.hint) + "}";
    }
    return "{\"count\":" + Json(velmora::SeenCount(map)) + ",\"trouble\":" + Json(map.trouble) +
           ",\"entries\":[" + entries + "]}";
}

// The album as the page draws it: each picture by its words, its file, the
// light over it and its number among the lit ones; a picture not yet seen
// by the blank tile's words alone, nothing of it given to the page.
std::string AlbumJson(const velmora::ReadRecord& record) {
    std::string tiles;
    for (const velmora::album::Picture& p : velmora::TheAlbum()) {
        const bool seen = record.PictureSeen(p.key);
        tiles += std::string(tiles.empty() ? "" : ",") + "{\"seen\":" + (seen ? "true" : "false") +
                 ",\"words\":" + Json(seen ? p.words : velmora::album::kUnseenWords) +
                 ",\"file\":" + Json(seen ? p.file : "") +
                 ",\"lit\":" + std::to_string(seen ? velmora::LitPicture(p.file) : -1) +
                 ",\"light\":" + std::to_string(seen ? static_cast<int>(p.light) : 0) + "}";
    }
    return "[" + tiles + "]";
}

// The automatic save handed to the page's database as the menu appears:
// the menu waits for no write, and a write that failed is told at a later
// menu.
class PageSaveWriter final : public velmora::SaveWriter {
  public:
    explicit PageSaveWriter(velmora::web::WebFiles& files) : files_(files) {}
    void Write(std::vector<velmora::NamedBytes> save) override { files_.WriteBehind(save); }
    std::optional<std::string> Outcome() override { return files_.BehindOutcome(); }

  private:
    velmora::web::WebFiles& files_;
};

// 続きから on the page's title when the automatic save reads whole; one that
// cannot be read is told.
void OfferContinue(velmora::web::WebPlatform& platform, velmora::Files& files) {
    const velmora::SlotDetails details = velmora::ReadSlotDetails(files, velmora::kAutoSlot);
    if (details.kind == velmora::SlotDetails::Kind::kSaved) {
        platform.OfferContinue(velmora::DescribeContinue(velmora::TheStory(), details));
    } else if (details.kind == velmora::SlotDetails::Kind::kUnreadable) {
        platform.Notice("オートセーブデータを読み込めません：" + details.why);
    }
}

}  // namespace

int main() {
    velmora::web::WebFiles files;
    velmora::web::WebPlatform platform(files);
    const auto tell = [&platform](const std::string& text) { platform.Notice(text); };
    velmora::KeptRecord kept(files);
    velmora::ReadRecord& record = kept.record();
    std::string notice;
    kept.Load(&notice);
    kept.TellWith(tell);
    if (!notice.empty()) platform.Notice(notice);
    velmora::Skip skip(platform, record);
    velmora::AutoSave autoSave;
    PageSaveWriter behind(files);
    autoSave.WriteWith(&behind);
    velmora::Rollback rollback(skip, [&](velmora::Platform& on) {
        return velmora::FollowedGame(on, record, &skip, &autoSave);
    });
    rollback.TellWith(tell);
    // The record is written now and then, and when the page is put away.
    platform.Follow(&rollback, &skip, [&] { return StoryMapJson(files, record); });
    platform.AlbumWith([&] { return AlbumJson(record); });
    platform.OnWait([&] { kept.Keep(false); });
    platform.OnResize([&] {
        kept.Keep(true);
        rollback.game().Form_Resize();
    });
    platform.OnSlotUpload(
        [&](const velmora::web::Upload& upload) { return velmora::CheckUpload(files, upload); });
    platform.DescribeSlotsWith(velmora::SlotNames(), velmora::kSlotFileLimit,
                               [&](const std::vector<std::string>& entries) {
                                   return velmora::DescribeSlots(velmora::TheStory(), files,
                                                                 entries);
                               });
    // A slot another tab saved into since it was listed is replaced once the
    // player says so; any other file is read again, then replaced.
    files.AskWhenChanged([&](const std::vector<std::string>& names) {
        const std::vector<std::string> slots = velmora::SlotNames();
        if (std::find(slots.begin(), slots.end(), names.front()) != slots.end())
            return platform.Confirm(velmora::ChangedSlotQuestion(files, names.front()));
        for (const std::string& name : names) files.Read(name, SIZE_MAX, nullptr);
        return true;
    });
    skip.OnPass([&] { platform.Pace(); });
    OfferContinue(platform, files);
    rollback.game().Form_Resize();  // the main window is shown
    try {
        for (bool begun = false;; begun = true) {
            bool resume = false;
            try {
                resume = platform.WaitMessageClick();
            } catch (const velmora::StepBack&) {
                rollback.Back();
                continue;
            } catch (const velmora::StepForward&) {
                rollback.Click(true);
                continue;
            }
            // 続きから only where the title waits, never in window-move mode.
            if (resume && !begun) {
                rollback.Continue(velmora::kAutoSlot);
            } else {
                rollback.Click();
            }
        }
    } catch (const velmora::ProgramEnd&) {
    }
    kept.Keep(true);
    platform.ShowEnd();
    return 0;
}
