// velmora-routes: explores every route through the story and writes what
// it found: docs/routes.md, a replay script per event under tests/routes/,
// and the list of scenario items that some route shows. Run it in the
// repository's root, or give the root as its argument; anywhere else it
// writes nothing. A file it cannot write ends it with status 1.
//
//   velmora-routes --pictures
//
// lists the pictures of the story's places instead, one a line ("plate
// 公園.gif", "scene kouen.jpg"), for the assets check (tools/check_assets.py).
#include <cstdio>
#include <string>

#include "presentation/clock_display.h"
#include "shell/story.h"
#include "tools/routes/checkout_files.h"
#include "tools/routes/exclusions.h"
#include "tools/routes/explorer.h"
#include "tools/routes/merge_check.h"
#include "tools/routes/report.h"
#include "tools/routes/test_files.h"

int main(int argc, char** argv) {
    using namespace velmora::routes;
    const std::string root = argc > 1 ? argv[1] : ".";
    if (root == "--pictures") {
        for (const std::string& plate : velmora::Plates(velmora::TheStory())) {
            std::printf("plate %s\n", velmora::PlatePicture(plate).c_str());
        }
        for (const velmora::NamedPicture& scene : velmora::Scenes(velmora::TheStory())) {
            std::printf("scene %s\n", scene.file.c_str());
        }
        return 0;
    }
    if (!IsGameCheckout(root)) {
        std::fprintf(stderr, "velmora-routes: %s is not a checkout of the game\n", root.c_str());
        return 2;
    }
    const Exploration x = Explore();
    const std::string unsound = CheckMerging(x);
    if (!unsound.empty()) {
        std::fprintf(stderr, "merged states that do not behave alike: %s\n", unsound.c_str());
        return 1;
    }
    const Exclusions ex = FindExclusions(x);
    const bool written = WriteWhole(root + "/docs/routes.md", RoutesReport(x, ex, root + "/data"));
    const bool testsOk = WriteTestFiles(x, root + "/tests/routes");
    std::printf("%zu states, %zu transitions, %ld turns played, %.2f s (processor %.2f s)\n",
                x.states.size(), x.edges.size(), x.turnsPlayed, x.seconds, x.cpuSeconds);
    return written && testsOk ? 0 : 1;
}
