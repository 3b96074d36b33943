#include "app/slot_lines.h"

#include <ctime>

#include "presentation/clock_display.h"

namespace velmora {
namespace {

// The save keeps the place as its plate is named (the PC shop and the
// tennis court in half-width katakana); the player reads it as the menu
// writes it.
std::string SavedClock(const Story& story, const SlotDetails& details) {
    const GameState& s = details.saved;
    const std::string place = MenuName(story, s.CurrentPlace);
    if (!details.clockKnown) return place;
    return "4月" + std::to_string(s.Day) + "日 " + TimeText(s) + "　" + place;
}

std::string LocalTime(int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    char text[32] = "";
    if (!localtime_r(&t, &local) || std::strftime(text, sizeof text, "%Y/%m/%d %H:%M", &local) == 0)
        return "";
    return text;
}

}  // namespace

std::string DescribeSlot(const Story& story, const std::string& slot, const SlotDetails& details) {
    switch (details.kind) {
        case SlotDetails::Kind::kEmpty:
            return slot + "　（空き）";
        case SlotDetails::Kind::kUnreadable:
            return slot + "　読み込めません：" + details.why;
        case SlotDetails::Kind::kSaved:
            break;
    }
    std::string text = slot + "　" + SavedClock(story, details) + "　" + details.saved.PlayerName +
                       "（" + details.saved.Nickname + "）";
    const std::string written = details.written > 0 ? LocalTime(details.written) : "";
    if (!written.empty()) text += "\n　　　保存 " + written;
    if (details.partial) {
        text += details.clockKnown
                    ? "\n　　　一部だけのセーブです。ないところは今のゲームのままになります"
                    : "\n　　　一部だけのセーブです。日付と時刻は今のゲームのままになります";
    }
    return text;
}

std::string DescribeContinue(const Story& story, const SlotDetails& details) {
    std::string text = SavedClock(story, details) + "\n" + details.saved.PlayerName + "（" +
                       details.saved.Nickname + "）";
    const std::string written = details.written > 0 ? LocalTime(details.written) : "";
    if (!written.empty()) text += "\n保存 " + written;
    if (details.partial) text += "\n一部だけのセーブです";
    return text;
}

std::vector<std::string> DescribeSlots(const Story& story, Files& files,
                                       const std::vector<std::string>& entries) {
    std::vector<std::string> described;
    for (const std::string& slot : entries) {
        described.push_back(DescribeSlot(story, slot, ReadSlotDetails(files, slot)));
    }
    return described;
}

}  // namespace velmora
