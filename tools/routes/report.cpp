#include "tools/routes/report.h"

#include <cstdio>
#include <sstream>

#include "backends/posix/posix_files.h"
#include "world/cp932.h"
#include "world/scenario_items.h"

namespace velmora::routes {
namespace {

const char* const kMethod = R"(# Routes through the story

Written by `velmora-routes` (tools/routes/): run `build/velmora-routes` in the
repository's root to write this file again, together with the replay scripts
under tests/routes/.

## How the search works

- **States.** The engine itself plays every turn, on a platform of the
  explorer's own with marker scenario files (item *i* of `F.dat` reads
  `F#i`). A state is the clock and the story flags that some scene still to
  come tests, each reduced to the values its tests tell apart. The explorer
  reads these rules off the guards the places declare (places/event.h), so
  they follow every change of a guard: a flag is dropped once the clock has
  passed the last scene that tests it; the day of a thread's last scene
  (every test "below the scene's own day", or "= 0" on Day 1) counts only
  when it is today's; a flag tested as "= 1" alone after Day 1 (the
  answers) counts only as "1 or not" from then on; a flag read by a named
  rule (the bento shop's counters) and every other flag count exactly.
  `CurrentPlace` is left out: it only names the picture of the clock display.
- **Choices.** At the start: a new game answering Kumi's invitation YES or NO,
  or the start-up load that loads nothing. At the menu: the ten places. In
  the hero's room: 移動する and the seven sleep commands. Inside scenes:
  YES and NO to every question.
- **Not tried**, because none of them changes a flag that a scene tests or
  the clock: セーブ (writes a slot), ロード (gives back a state the search
  has already reached), BGM and 画像処理 (only the music and portrait
  settings, which no scene tests), メイン画面移動 (only the window's
  position) and 終了 (ends the game or changes nothing). Setting the hero's name changes no
  scene either, closing a question counts as NO, and closing the menu
  repeats the last choice.
- **Length of a route**: the number of the player's decisions, every answer
  to `MENU?`, `LIST?` and `YESNO?` of the terminal protocol (clicks on
  NEXT count none). The search takes the cheapest states first, so each
  route below is a shortest one.
- **An event played** when the game tells it begins: every event a place
  declares, and each part of one that plays only sometimes (an answer, the
  lines after YES or after the gathering, the bento shop's talk of the day).
  The lines it shows are those from there to the next event of the turn.
  Two events never share a route when no path through the merged states
  plays both; since merged states behave alike, every way into a state
  joins every way out of it.
- **Merging checked.** Before it writes anything the tool plays every
  transition again on a real, unmerged state (reached along the tree of
  shortest routes) and walks on at random from a quarter of those states;
  every turn must play the same events and reach a state that merges into
  the same one (tools/routes/merge_check.h). This check once found that
  Kumi's call leaves 1 on Day 2, not the day, so that flag counts exactly.
- **Scripts.** Each event's route is played again from the title over
  velmora-tty's protocol, on the marker files; every prompt took one input
  line, a click (empty) or the next decision, and those lines are the
  event's `.in` file. The lines the event
  must show are in tests/routes/routes.tsv.
)";

const char* const kTimeNote = R"(
States are the merged menu states (the title included); transitions are the
distinct (state, events played, next state) steps; turns played counts every
turn the engine played, the retries for each answer included. The times are
those of the run that wrote this file, one thread, in whatever build ran it;
`build/routes_bench` (bench/routes/) measures the exploration as a Google
Benchmark.
)";

std::string Names(const StoryEvents& story, EventSet events) {
    std::string out;
    for (int e = 0; e < story.count(); ++e) {
        if (events >> e & 1) out += (out.empty() ? "" : ", ") + story.list()[e].name;
    }
    return out.empty() ? "—" : out;
}

std::string Size(const Exploration& x) {
    char line[256];
    std::snprintf(line, sizeof line, "| %zu | %zu | %ld | %.2f s | %.2f s |\n", x.states.size(),
                  x.edges.size(), x.turnsPlayed, x.cpuSeconds, x.seconds);
    return std::string(
               "\n## Size of the search\n\n"
               "| states | transitions | turns played | processor time | wall time |\n"
               "|---|---|---|---|---|\n") +
           line + kTimeNote;
}

std::string EventTable(const Exploration& x, const Exclusions& ex) {
    std::string out =
        "\n## Events\n\n| Event | Earliest | Decisions | Script | Never on one route with |\n"
        "|---|---|---|---|---|\n";
    for (int e = 0; e < x.story.count(); ++e) {
        const EventRoute& r = x.events[e];
        if (r.decisions == kUnreached) continue;
        out += "| " + x.story.list()[e].name + " | " + ClockText(r.earliestClock) + " | " +
               std::to_string(r.decisions) + " | `tests/routes/" + x.story.Slug(e) + ".in` | " +
               Names(x.story, ex.Of(e)) + " |\n";
    }
    return out;
}

std::string Unreachable(const Exploration& x) {
    std::string out = "\n## Events that can never play\n\n";
    bool any = false;
    for (int e = 0; e < x.story.count(); ++e) {
        if (x.events[e].decisions != kUnreached) continue;
        out += "- " + x.story.list()[e].name + "\n";
        any = true;
    }
    return any ? out : out + "None: every event plays on some route.\n";
}

// Items in the shipped file, or -1 when it is missing.
int ShippedItems(PosixFiles& data, int file) {
    std::optional<std::string> bytes =
        data.Read(ScenarioFileName(file), kScenarioFileLimit, nullptr);
    return bytes ? static_cast<int>(ReadItems(DecodeCp932(*bytes)).size()) : -1;
}

std::string Ranges(const std::vector<int>& indices) {
    std::string out;
    for (size_t i = 0; i < indices.size();) {
        size_t j = i;
        while (j + 1 < indices.size() && indices[j + 1] == indices[j] + 1) ++j;
        out += (out.empty() ? "" : ", ") + std::to_string(indices[i]);
        if (j > i) out += "–" + std::to_string(indices[j]);
        i = j + 1;
    }
    return out.empty() ? "—" : out;
}

std::string CoverageRow(const Exploration& x, PosixFiles& data, int file) {
    const int shipped = ShippedItems(data, file);
    int last = -1;
    int count = 0;
    for (int i = 0; i < kItemsPerFile; ++i) {
        if (!x.shown.test(file * kItemsPerFile + i)) continue;
        last = i;
        ++count;
    }
    std::vector<int> never;
    for (int i = 0; i < std::max(shipped, last + 1); ++i) {
        if (!x.shown.test(file * kItemsPerFile + i)) never.push_back(i);
    }
    return "| " + ScenarioFileName(file) + " | " +
           (shipped < 0 ? std::string("missing") : std::to_string(shipped)) + " | " +
           std::to_string(count) + " (last " + std::to_string(last) + ") | " + Ranges(never) +
           " |\n";
}

std::string Coverage(const Exploration& x, const std::string& dataFolder) {
    PosixFiles data(dataFolder);
    std::string out =
        "\n## Coverage of the scenario files\n\n"
        "Items that some route shows are listed in tests/routes/items.txt; the tests check\n"
        "that the shipped files have each of them. The items that no route ever shows:\n\n"
        "| File | Items in data/ | Shown by some route | Never shown |\n|---|---|---|---|\n";
    for (int f = 0; f < kScenarioFileCount; ++f) out += CoverageRow(x, data, f);
    return out;
}

}  // namespace

std::string RoutesReport(const Exploration& x, const Exclusions& ex,
                         const std::string& dataFolder) {
    return kMethod + Size(x) + EventTable(x, ex) + Unreachable(x) + Coverage(x, dataFolder);
}

}  // namespace velmora::routes
