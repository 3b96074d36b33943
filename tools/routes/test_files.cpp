#include "tools/routes/test_files.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include "tools/routes/replay_script.h"

namespace velmora::routes {
namespace {

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream out(path, std::ios::binary);
    for (const std::string& line : lines) out << line << '\n';
}

// Old scripts of events that were renamed or dropped must not linger.
void RemoveOldScripts(const std::string& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".in") std::filesystem::remove(entry.path());
    }
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
    std::filesystem::create_directories(folder);
    RemoveOldScripts(folder);
    bool allPlay = true;
    std::vector<std::string> index;
    for (int e = 0; e < EventCount(); ++e) {
        if (x.events[e].decisions == kUnreached) continue;
        const ReplayScript script = ScriptOf(x.RouteTo(e));
        const std::vector<std::string> expected = ExpectedLines(e, x.events[e].items);
        if (!PlaysInOrder(script.trace, expected)) {
            std::cerr << "the route to " << Events()[e].name << " does not play it\n";
            allPlay = false;
        }
        WriteLines(folder + "/" + Slug(e) + ".in", script.input);
        std::string row = Slug(e);
        for (const std::string& line : expected) row += "\t" + line;
        index.push_back(row);
    }
    WriteLines(folder + "/routes.tsv", index);
    WriteLines(folder + "/items.txt", ShownItems(x));
    return allPlay;
}

}  // namespace velmora::routes
