#include "tools/routes/replay_script.h"

#include <deque>
#include <sstream>

#include "backends/tty/trace_platform.h"
#include "shell/form1.h"
#include "tools/routes/marker_files.h"

namespace velmora::routes {
namespace {

bool IsPrompt(const std::string& line) {
    for (const char* prompt :
         {"CLICK?", "NEXT?", "YESNO?", "NAME?", "LIST?", "MENU?", "PICTURE?"}) {
        if (line.rfind(prompt, 0) == 0) return true;
    }
    return false;
}

bool IsClick(const std::string& prompt) {
    return prompt == "CLICK?" || prompt == "NEXT?" || prompt.rfind("PICTURE?", 0) == 0;
}

// The game from the title over velmora-tty's protocol, on marker files:
// every click answered, every decision taken from the route, and the input
// ended at the first decision the route no longer gives.
std::vector<std::string> TraceOf(const Story& story, const Decisions& route) {
    std::deque<std::string> left(route.begin(), route.end());
    std::ostringstream out;
    MarkerFiles files;
    TracePlatform platform(
        out,
        [&](const std::string& prompt) -> std::optional<std::string> {
            if (IsClick(prompt)) return "";
            if (left.empty()) return std::nullopt;
            std::string answer = std::move(left.front());
            left.pop_front();
            return answer;
        },
        files);
    Form1 game(platform, story);
    platform.PlayGame(game);
    std::vector<std::string> trace;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) trace.push_back(line);
    return trace;
}

}  // namespace

// Each prompt of the trace took one line: a click, or the route's next decision.
ReplayScript ScriptOf(const Story& story, const Decisions& route) {
    ReplayScript script{{}, TraceOf(story, route)};
    size_t next = 0;
    for (const std::string& line : script.trace) {
        if (!IsPrompt(line)) continue;
        if (IsClick(line)) {
            script.input.emplace_back();
        } else if (next < route.size()) {
            script.input.push_back(route[next++]);
        } else {
            break;
        }
    }
    return script;
}

std::vector<std::string> ExpectedLines(const StoryEvents& story, int event,
                                       const std::vector<ItemId>& items) {
    if (event == story.digest()) {
        return {"MSG 残念ながら、容量の関係で体験版はここまでです。", "MSG ＴＨＥ  ＥＮＤ", "END"};
    }
    std::vector<std::string> lines;
    for (ItemId item : items) lines.push_back("MSG " + MarkerText(item));
    return lines;
}

bool PlaysInOrder(const std::vector<std::string>& trace, const std::vector<std::string>& expected) {
    size_t next = 0;
    for (const std::string& line : trace) {
        if (next < expected.size() && line == expected[next]) ++next;
    }
    return next == expected.size();
}

}  // namespace velmora::routes
