#include "tools/routes/test_files.h"

#include <filesystem>
#include <iostream>

#include "tools/routes/checkout_files.h"
#include "tools/routes/replay_script.h"

namespace velmora::routes {
namespace {

bool WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + '\n';
    return WriteWhole(path, text);
}

// Old scripts of events that were renamed or dropped must not linger.
bool RemoveOldScripts(const std::string& folder) {
    std::error_code ec;
    bool removed = true;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (entry.path().extension() == ".in") removed &= RemoveFile(entry.path());
    }
    if (ec) std::cerr << "velmora-routes: cannot read " << folder << ": " << ec.message() << '\n';
    return removed && !ec;
}

std::vector<std::string> ShownItems(const Exploration& x) {
    std::vector<std::string> lines;
    for (ItemId item = 0; item < kItemCount; ++item) {
        if (x.shown.test(item)) {
            lines.push_back(ScenarioFileName(FileOfItem(item)) + " " +
                            std::to_string(IndexOfItem(item)));
        }
    }
    return lines;
}

}  // namespace

bool WriteTestFiles(const Exploration& x, const std::string& folder) {
    bool ok = RemoveOldScripts(folder);
    std::vector<std::string> index;
    for (int e = 0; e < x.story.count(); ++e) {
        if (x.events[e].decisions == kUnreached) continue;
        const ReplayScript script = ScriptOf(x.story.story(), x.RouteTo(e));
        const std::vector<std::string> expected = ExpectedLines(x.story, e, x.events[e].items);
        if (!PlaysInOrder(script.trace, expected)) {
            std::cerr << "the route to " << x.story.list()[e].name << " does not play it\n";
            ok = false;
        }
        ok &= WriteLines(folder + "/" + x.story.Slug(e) + ".in", script.input);
        std::string row = x.story.Slug(e);
        for (const std::string& line : expected) row += "\t" + line;
        index.push_back(row);
    }
    ok &= WriteLines(folder + "/routes.tsv", index);
    ok &= WriteLines(folder + "/items.txt", ShownItems(x));
    return ok;
}

}  // namespace velmora::routes
