// The story map: exactly the events of docs/routes.md, each with its words;
// every hint of a place event names a day, the place and an hour of the
// event's own window; each event's route replay marks it seen, with the
// events its route passes and no other.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

#include "app/following.h"
#include "backends/posix/posix_files.h"
#include "backends/tty/trace_platform.h"
#include "shell/story_map.h"
#include "tests/engine/harness.h"

namespace velmora::test {
namespace {

StoryMap MapSeeing(const std::function<bool(const std::string&)>& seen) {
    PosixFiles words(std::string(VELMORA_SOURCE) + "/data/story");
    return ReadStoryMap(words, TheStory(), seen);
}

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The first column of the table of events in docs/routes.md.
std::set<std::string> EventsOfRoutesMd() {
    std::set<std::string> events;
    bool inTable = false;
    for (const std::string& line : Lines(std::string(VELMORA_SOURCE) + "/docs/routes.md")) {
        if (line.starts_with("## ")) inTable = line == "## Events";
        if (!inTable || !line.starts_with("| ") || line.starts_with("| Event") ||
            line.starts_with("|---")) {
            continue;
        }
        events.insert(line.substr(2, line.find(" |", 2) - 2));
    }
    return events;
}

TEST(StoryMap, ListsExactlyTheEventsOfTheRoutesWithTheirWords) {
    const StoryMap map = MapSeeing([](const std::string&) { return false; });
    EXPECT_TRUE(map.problems.empty()) << map.problems.front();
    std::set<std::string> ids;
    for (const MapEntry& e : map.entries) {
        ids.insert(e.id);
        EXPECT_FALSE(e.title.empty()) << e.id;
        EXPECT_FALSE(e.hint.empty()) << e.id;
        EXPECT_FALSE(e.seen);
    }
    EXPECT_EQ(ids.size(), map.entries.size());
    EXPECT_EQ(ids, EventsOfRoutesMd());
    EXPECT_EQ(map.seen, 0);
    EXPECT_EQ(map.entries.front().id, "start introduction");
    EXPECT_EQ(map.entries.back().id, "digest");
    for (size_t i = 1; i < map.entries.size(); ++i) {
        EXPECT_LE(map.entries[i - 1].day, map.entries[i].day) << map.entries[i].id;
    }
}

// What the window and the page show of it: no title of an event not seen.
TEST(StoryMap, ShowsTheTitlesOfWhatWasSeenAlone) {
    const StoryMap map = MapSeeing([](const std::string& id) { return id == "digest"; });
    for (const MapEntry& e : map.entries)
        EXPECT_EQ(RowTitle(e), e.seen ? e.title : "？？？（まだ見ていないシーン）") << e.id;
    EXPECT_EQ(DayCaption(map.entries.back().day), "その後");
    EXPECT_EQ(SeenCount(map), "見たシーン 1 / " + std::to_string(map.entries.size()));
}

// Whether an hour of the clock lies in the window (minutes are never
// compared: to PM 5 takes in PM 5:30).
bool Within(const Guard& window, int day, int half, int hour) {
    if (day < std::max<int>(window.firstDay, 1) || day > std::min<int>(window.lastDay, 4)) {
        return false;
    }
    for (const Hours& h : window.times) {
        const int at = half * 12 + hour;
        if (at >= h.fromHalf * 12 + h.fromHour && at <= h.toHalf * 12 + h.toHour) return true;
    }
    return window.times.empty();
}

// The numbers written between before and after ("4月" 3 "日"), in order.
std::vector<int> NumbersAfter(const std::string& text, const std::string& before,
                              const std::string& after) {
    std::vector<int> numbers;
    for (size_t at = text.find(before); at != std::string::npos; at = text.find(before, at + 1)) {
        size_t end = at + before.size();
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
        if (end > at + before.size() && text.compare(end, after.size(), after) == 0)
            numbers.push_back(std::stoi(text.substr(at + before.size(), end - at - before.size())));
    }
    return numbers;
}

// Without its words the map still lists every event, and says why, as a
// missing scenario file is said.
TEST(StoryMap, AMissingWordsFileIsSaid) {
    PosixFiles none(std::string(VELMORA_SOURCE) + "/data/design");
    const StoryMap map = ReadStoryMap(none, TheStory(), [](const std::string&) { return false; });
    EXPECT_EQ(map.trouble, "＜ストーリーマップのファイル「storymap.txt」が見つかりません。＞");
    EXPECT_EQ(map.entries.size(),
              MapSeeing([](const std::string&) { return false; }).entries.size());
    EXPECT_EQ(MapSeeing([](const std::string&) { return false; }).trouble, "");
}

TEST(StoryMap, EveryHintOfAPlaceEventNamesADayThePlaceAndAnHourOfItsWindow) {
    const StoryMap map = MapSeeing([](const std::string&) { return false; });
    std::map<std::string, Guard> windows;
    for (const StoryEvent& e : ListEvents(TheStory())) {
        windows[e.id] = e.branch ? e.event->guard && e.branch->guard : e.event->guard;
    }
    for (const MapEntry& e : map.entries) {
        if (e.place.empty()) continue;
        const std::string when = e.hint.substr(0, e.hint.find(" — "));
        EXPECT_NE(when.find("、" + e.place), std::string::npos) << e.hint;
        const std::vector<int> days = NumbersAfter(when, "4月", "日");
        std::vector<std::pair<int, int>> hours;  // (half, hour)
        for (int hour : NumbersAfter(when, "午前", "時")) hours.emplace_back(AM, hour);
        for (int hour : NumbersAfter(when, "午後", "時")) hours.emplace_back(PM, hour);
        ASSERT_FALSE(days.empty()) << e.hint;
        ASSERT_FALSE(hours.empty()) << e.hint;
        // Each named day and hour: the hours may lie in the other half of a
        // span ("午前9時〜午後5時半"), so each is checked on its own.
        for (int day : days) {
            for (const auto& [half, hour] : hours) {
                EXPECT_TRUE(Within(windows[e.id], day, half, hour)) << e.hint;
            }
        }
    }
}

// Each event's route, played as its replay script plays it, with the
// player's record following the game.
TEST(StoryMap, EachRouteReplayMarksItsEventSeenWithTheEventsItPasses) {
    for (const StoryEvent& each : ListEvents(TheStory())) {
        const std::string event = each.id;
        std::string file = event;
        std::replace(file.begin(), file.end(), ' ', '-');
        const std::vector<std::string> script =
            Lines(std::string(VELMORA_ROUTES_DIR) + "/" + file + ".in");
        ASSERT_FALSE(script.empty()) << event;
        GameFolder folder;
        PosixFiles files(folder.path());
        ReadRecord record;
        std::ostringstream out;
        size_t next = 0;
        TracePlatform platform(
            out,
            [&](const std::string&) -> std::optional<std::string> {
                if (next == script.size()) return std::nullopt;
                return script[next++];
            },
            files);
        const std::unique_ptr<Form1> game = FollowedGame(platform, record, nullptr);
        platform.PlayGame(*game);

        const StoryMap map = MapSeeing([&](const std::string& id) { return record.Seen(id); });
        std::set<std::string> seen;
        for (const MapEntry& e : map.entries) {
            if (e.seen) seen.insert(e.id);
        }
        EXPECT_TRUE(seen.count(event)) << event;
        EXPECT_EQ(seen, record.seen()) << event;
        EXPECT_EQ(map.seen, static_cast<int>(seen.size())) << event;
    }
}

}  // namespace
}  // namespace velmora::test
