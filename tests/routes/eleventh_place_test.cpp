// Where to add a place (docs/architecture.md), held by a test: a lighthouse
// declared as every place is, its caption, scene picture, visit, events and
// plate in one Place, and listed in a story after the hero's home. The menu
// offers it, the dispatcher plays its visit, its scene is shown and read as
// its caption, the explorer finds its event and a route to it, the story map
// lists it under its place, its plate is drawn, and the assets check asks for
// the plate's and the scene's pictures; nothing else is told of it. The
// story is small (the home and the lighthouse), so the explorer is quick.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "backends/posix/posix_files.h"
#include "backends/tty/trace_platform.h"
#include "places/town.h"
#include "presentation/clock_display.h"
#include "presentation/pictures.h"
#include "shell/story_map.h"
#include "tests/engine/harness.h"
#include "tools/routes/explorer.h"
#include "tools/routes/replay_script.h"

namespace velmora::routes {
namespace {

constexpr char kKeeper[] = "灯台守：「よく来たね。」";
constexpr char kScene[] = "toudai.jpg";

void VisitLighthouse(Visit& v) {
    v.Plus30();
    v.PlaceIs();
    v.Redraw();
    v.Picture(kScene);
    v.PlayEvents();
}

const Place kLighthouse{"灯台",
                        kScene,
                        VisitLighthouse,
                        {{"lighthouse L1", Day(1) && During(AM, 9, PM, 6), std::nullopt,
                          [](Visit& v) { v.Say(kKeeper); }}}};

const Story& Eleven() {
    static const Story story{TheStory().start, {kApartment, kLighthouse}, TheStory().digest};
    return story;
}

// A new game in the small story, the invitation declined, then the
// lighthouse from the menu, as velmora-tty plays it.
std::vector<std::string> ToTheLighthouse(std::vector<std::string>* told) {
    test::GameFolder folder;
    PosixFiles files(folder.path());
    std::ostringstream out;
    int menus = 0;
    TracePlatform platform(
        out,
        [&](const std::string& prompt) -> std::optional<std::string> {
            if (prompt == "YESNO?") return "no";
            if (prompt.starts_with("MENU?")) {
                if (menus++ > 0) return std::nullopt;
                return "灯台";
            }
            return "";
        },
        files);
    Form1 game(platform, Eleven());
    game.Watch([told](const std::string& id) { told->push_back(id); });
    platform.PlayGame(game);
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(EleventhPlace, IsInTheMenuTheDispatcherTheExplorerTheStoryMapThePlatesAndTheAssetsCheck) {
    // The menu and the dispatcher; the scene shown and read as the place; the plate drawn.
    std::vector<std::string> told;
    const std::vector<std::string> lines = ToTheLighthouse(&told);
    EXPECT_TRUE(Has(lines, "MENU? アパート|灯台|ロード|セーブ|メイン画面移動|BGM|終了|画像処理"));
    EXPECT_TRUE(Has(lines, std::string("MSG ") + kKeeper));
    EXPECT_TRUE(Has(lines, std::string("SCENE ") + kScene));
    EXPECT_EQ(PictureWords(Scenes(Eleven()), kScene), "灯台");
    EXPECT_EQ(told.back(), "lighthouse L1");
    const auto plate = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.starts_with("CLOCK ") && line.ends_with("|灯台.gif");
    });
    EXPECT_NE(plate, lines.end());

    // The explorer: its event, and a route that plays it again.
    const Exploration x = Explore(Eleven());
    EXPECT_EQ(x.story.places().back(), "灯台");
    const int event = x.story.Index("lighthouse L1");
    ASSERT_GE(event, 0);
    ASSERT_NE(x.events[static_cast<size_t>(event)].decisions, kUnreached);
    EXPECT_TRUE(Has(ScriptOf(Eleven(), x.RouteTo(event)).trace, std::string("MSG ") + kKeeper));

    // The story map, with the words its file gives the event.
    test::GameFolder folder;
    std::ifstream words(std::string(VELMORA_SOURCE) + "/data/story/storymap.txt");
    std::ostringstream text;
    text << words.rdbuf() << "event lighthouse L1\n  title 灯台守のあいさつ\n";
    folder.Write(kStoryMapFile, text.str());
    PosixFiles files(folder.path());
    const StoryMap map = ReadStoryMap(files, Eleven(), [](const std::string&) { return true; });
    for (const std::string& problem : map.problems) {  // the other places' words are no events here
        EXPECT_TRUE(problem.ends_with(" is no event of the story")) << problem;
    }
    const auto entry = std::find_if(map.entries.begin(), map.entries.end(),
                                    [](const MapEntry& e) { return e.id == "lighthouse L1"; });
    ASSERT_NE(entry, map.entries.end());
    EXPECT_EQ(entry->place, "灯台");
    EXPECT_EQ(entry->title, "灯台守のあいさつ");

    // The assets check asks for its plate's and its scene's pictures, which data/ lacks.
    const std::string pictures = folder.path() + "/pictures.txt";
    std::ofstream(pictures) << [] {
        std::string list;
        for (const std::string& p : Plates(Eleven())) list += "plate " + PlatePicture(p) + "\n";
        for (const NamedPicture& scene : Scenes(Eleven())) list += "scene " + scene.file + "\n";
        return list;
    }();
    const std::string check = "/usr/bin/python3 " + std::string(VELMORA_SOURCE) +
                              "/tools/check_assets.py " + VELMORA_SOURCE + "/data --pictures " +
                              pictures;
    FILE* pipe = ::popen(check.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string said;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) said.append(buffer, n);
    EXPECT_NE(::pclose(pipe), 0);
    std::vector<std::string> failed;
    std::istringstream said_lines(said);
    for (std::string line; std::getline(said_lines, line);) {
        if (line.starts_with("FAIL  ")) failed.push_back(line);
    }
    EXPECT_EQ(failed,
              (std::vector<std::string>{"FAIL  toudai.jpg: missing", "FAIL  灯台.gif: missing"}))
        << said;
}

}  // namespace
}  // namespace velmora::routes
