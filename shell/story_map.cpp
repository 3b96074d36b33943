#include "shell/story_map.h"

#include <algorithm>
#include <map>

#include "platform/files.h"
#include "presentation/clock_display.h"

namespace velmora {
namespace {

// The most the game reads of the map's words; they hold some 5 KB.
constexpr size_t kStoryMapLimit = 256 * 1024;
constexpr int kPlayableDays = 4;

struct Words {
    std::string title, needs, hint;
};

// Both hours included, minutes never compared: to PM 5 is to PM 5:30.
std::string Span(const Hours& h) {
    std::string to =
        h.toHalf == h.fromHalf ? std::to_string(h.toHour) + "時" : HourWords(h.toHalf, h.toHour);
    return HourWords(h.fromHalf, h.fromHour) + "〜" + to + "半";
}

// The words of each event, and what is wrong with them.
std::map<std::string, Words> Parse(const std::string& text, std::vector<std::string>* problems) {
    std::map<std::string, Words> words;
    Words* current = nullptr;
    int number = 0;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t start = line.find_first_not_of(' ');
        if (start == std::string::npos || line[start] == '#') continue;
        const size_t space = line.find(' ', start);
        const std::string key = line.substr(start, space - start);
        const std::string value = space == std::string::npos ? "" : line.substr(space + 1);
        if (key == "event") {
            if (words.count(value)) problems->push_back(value + " is given twice");
            current = &words[value];
        } else if (current && (key == "title" || key == "needs" || key == "hint")) {
            (key == "title"   ? current->title
             : key == "needs" ? current->needs
                              : current->hint) = value;
        } else {
            problems->push_back(std::string(kStoryMapFile) + ":" + std::to_string(number) + ": " +
                                line);
        }
    }
    return words;
}

}  // namespace

std::string RowTitle(const MapEntry& entry) {
    return entry.seen && !entry.title.empty() ? entry.title : "？？？（まだ見ていないシーン）";
}

std::string DayCaption(int day) {
    return day <= kPlayableDays ? DateWords(day) : "その後";
}

std::string SeenCount(const StoryMap& map) {
    return "見たシーン " + std::to_string(map.seen) + " / " + std::to_string(map.entries.size());
}

std::string WhenAndWhere(const Guard& window, const std::string& place) {
    const int first = std::clamp<int>(window.firstDay, 1, kPlayableDays);
    const int last = std::clamp<int>(window.lastDay, first, kPlayableDays);
    std::string when = first == last ? DateWords(first) : DateWords(first) + "〜" + DateWords(last);
    for (size_t i = 0; i < window.times.size(); ++i) {
        when += (i == 0 ? "の" : "か") + Span(window.times[i]);
    }
    return when + "、" + place;
}

StoryMap ReadStoryMap(Files& files, const Story& story,
                      const std::function<bool(const std::string& id)>& seen) {
    StoryMap map;
    ReadFailure failure;
    const std::optional<std::string> text = files.Read(kStoryMapFile, kStoryMapLimit, &failure);
    if (!text) {
        map.problems.push_back(failure.missing ? std::string(kStoryMapFile) + " がありません。"
                                               : failure.why);
        map.trouble = "＜ストーリーマップのファイル「" + std::string(kStoryMapFile) +
                      (failure.missing ? "」が見つかりません。＞"
                                       : "」を読み込めませんでした。" + failure.why + "＞");
    }
    std::map<std::string, Words> words = text ? Parse(*text, &map.problems) : decltype(words){};

    std::vector<std::string> menu;
    for (const Place& place : story.places) menu.push_back(place.caption);
    for (const StoryEvent& event : ListEvents(story)) {
        const Guard window =
            event.branch ? event.event->guard && event.branch->guard : event.event->guard;
        const Words said = words.count(event.id) ? words[event.id] : Words{};
        words.erase(event.id);
        MapEntry entry{event.id, event.place, 1, said.title, said.hint, seen(event.id)};
        if (event.event == &story.digest) {
            entry.day = kPlayableDays + 1;
        } else if (!event.place.empty()) {
            entry.day = std::clamp<int>(window.firstDay, 1, kPlayableDays);
            entry.hint = WhenAndWhere(window, event.place);
            if (!said.needs.empty()) entry.hint += " — " + said.needs;
        }
        if (said.title.empty()) map.problems.push_back(event.id + " has no title");
        map.seen += entry.seen ? 1 : 0;
        map.entries.push_back(std::move(entry));
    }
    for (const auto& [unknown, ignored] : words) {
        map.problems.push_back(unknown + " is no event of the story");
    }
    const auto placeOf = [&](const MapEntry& e) -> long {
        return e.place.empty() ? -1 : std::find(menu.begin(), menu.end(), e.place) - menu.begin();
    };
    std::stable_sort(map.entries.begin(), map.entries.end(),
                     [&](const MapEntry& a, const MapEntry& b) {
                         return a.day != b.day ? a.day < b.day : placeOf(a) < placeOf(b);
                     });
    return map;
}

}  // namespace velmora
