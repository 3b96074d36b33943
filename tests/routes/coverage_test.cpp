// Every scenario item that some route through the story shows must be in
// the shipped data: present, not empty, and in clean CP932.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "backends/posix/posix_files.h"
#include "tools/routes/marker_files.h"
#include "world/cp932.h"
#include "world/scenario_items.h"

namespace velmora::routes {
namespace {

// items.txt, as the explorer wrote it: "kumi01.dat 28" per line.
std::map<std::string, std::set<int>> ShownItems() {
    std::map<std::string, std::set<int>> shown;
    std::ifstream in(VELMORA_ROUTES_DIR "/items.txt");
    std::string file;
    for (int index; in >> file >> index;) shown[file].insert(index);
    return shown;
}

class ShippedFile : public testing::TestWithParam<int> {};

TEST_P(ShippedFile, HasEveryItemThatARouteShows) {
    const std::string name = ScenarioFileName(GetParam());
    const std::set<int> shown = ShownItems()[name];
    ASSERT_FALSE(shown.empty()) << "no route shows " << name << ": is items.txt current?";
    PosixFiles data(VELMORA_DATA_DIR);
    std::optional<std::string> bytes = data.Read(name, kScenarioFileLimit, nullptr);
    ASSERT_TRUE(bytes) << "data/" << name << " is missing";
    bool clean = false;
    const std::vector<Item> items = ReadItems(DecodeCp932(*bytes, &clean));
    EXPECT_TRUE(clean) << "data/" << name << " is not clean CP932";
    std::ostringstream missing;
    for (int index : shown) {
        if (index >= static_cast<int>(items.size()) || items[index].text.empty()) {
            missing << " " << index;
        }
    }
    EXPECT_EQ(missing.str(), "") << "items of data/" << name << " that a route shows but the "
                                 << "file lacks or leaves empty";
}

INSTANTIATE_TEST_SUITE_P(Routes, ShippedFile, testing::Range(0, kScenarioFileCount),
                         [](const testing::TestParamInfo<int>& info) {
                             std::string stem = ScenarioStem(info.param);
                             return stem;
                         });

}  // namespace
}  // namespace velmora::routes
