#include "tools/routes/replay_script.h"

#include <deque>
#include <sstream>

#include "platform/trace_platform.h"
#include "shell/form1.h"
#include "tools/routes/marker_files.h"

namespace velmora::routes {
namespace {

bool IsClick(const std::string& prompt) {
    return prompt == "CLICK?" || prompt == "NEXT?" || prompt.rfind("PICTURE?", 0) == 0;
}

}  // namespace

ReplayScript ScriptOf(const Decisions& route) {
    ReplayScript script;
    std::deque<std::string> left(route.begin(), route.end());
    Answerer answer = [&](const std::string& prompt) -> std::optional<std::string> {
        std::string line;
        if (!IsClick(prompt)) {
            if (left.empty()) return std::nullopt;
            line = left.front();
            left.pop_front();
        }
        script.input.push_back(line);
        return line;
    };
    std::ostringstream out;
    MarkerFiles files;
    TracePlatform platform(out, answer, files);
    Form1 form(platform);
    platform.Emit(std::string("MSG ") + kDesignCaption);
    try {
        for (;;) {
            platform.Ask("CLICK?");
            form.lblMsg_Click();
        }
    } catch (const ProgramEnd&) {
    } catch (const MainWindowClosed&) {
        form.Form_QueryUnload();
    }
    platform.Emit("END");
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) script.trace.push_back(line);
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
