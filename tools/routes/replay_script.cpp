#include "tools/routes/replay_script.h"

#include "tests/engine/harness.h"
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

}  // namespace

// Played as the tests play the game (marker files in a fresh folder); each
// prompt of the trace took one line: a click, or the route's next decision.
ReplayScript ScriptOf(const Decisions& route) {
    test::GameFolder folder;
    ReplayScript script{{}, test::Play(folder, route).lines};
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

std::vector<std::string> ExpectedLines(int event, const std::vector<ItemId>& items) {
    if (event == DigestEvent()) {
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
