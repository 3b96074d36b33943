// velmora-routes: explores every route through the story and writes what
// it found: docs/routes.md, a replay script per event under tests/routes/,
// the list of scenario items that some route shows, and every context each
// event can play in (docs/story-contexts.md). Run it in the
// repository's root, or give the root as its argument; anywhere else it
// writes nothing. A file it cannot write ends it with status 1.
//
//   velmora-routes --pictures
//
// lists the pictures of the story's places instead, one a line ("plate
// 公園.gif", "scene kouen.jpg"), for the assets check (tools/check_assets.py).
//
//   velmora-routes --check [ROOT]
//
// writes nothing: it checks the story's ledger over every route (the
// continuity and completeness checks) and prints every slip and every line
// nobody accounted for, then how many lines were exempted; status 1 if any.
//
//   velmora-routes --contexts [ROOT]
//
// writes docs/story-contexts.md alone, for whoever rewords a scene.
#include <cstdio>
#include <string>

#include "presentation/clock_display.h"
#include "shell/story.h"
#include "tools/routes/checkout_files.h"
#include "tools/routes/completeness.h"
#include "tools/routes/contexts.h"
#include "tools/routes/exclusions.h"
#include "tools/routes/explorer.h"
#include "tools/routes/merge_check.h"
#include "tools/routes/report.h"
#include "tools/routes/test_files.h"

namespace {

constexpr const char* kContextsHead = R"(# The contexts of every scene

Written by `velmora-routes` (tools/routes/contexts.h) from the routes it
finds and the ledger, `data/story/continuity.txt`: for each event, every
distinct context it can play in. A row is a day, the hours of it the event
plays at in that context, the facts told before it and those not, and whom
of its people the hero met earlier that day. The facts and people followed
are those the event's words touch: its ledger entry, and what the
looked-for words of its lines stand for (`data/story/words.txt`); the facts
only where some routes to it have told them and others not. The facts every
route to it has told are listed above its table.
Whoever rewords a line of a scene makes it read true in every row of its
table. docs/story.md tells the story and its facts.
)";

bool WriteContexts(const velmora::routes::Exploration& x, const std::string& root) {
    using namespace velmora::routes;
    std::vector<std::string> problems;
    const Ledger ledger = ReadStoryLedger(root + "/data", &problems);
    const std::map<std::string, Concern> concerns = ConcernsOf(
        ScenesOf(x, root + "/data", &problems), ReadStoryWords(root + "/data", &problems), ledger);
    for (const std::string& problem : problems) std::fprintf(stderr, "%s\n", problem.c_str());
    const std::string tables = ContextTables(FindContexts(GraphOf(x), ledger, concerns), ledger);
    return problems.empty() && WriteWhole(root + "/docs/story-contexts.md", kContextsHead + tables);
}

int CheckTheLedger(const std::string& root) {
    using namespace velmora::routes;
    const Exploration x = Explore();
    const LedgerCheck check = CheckLedger(x, root + "/data");
    for (const std::string& slip : check.slips) std::printf("%s\n", slip.c_str());
    const Accounting& a = check.accounting;
    for (const std::string& line : a.unaccounted) std::printf("unaccounted: %s\n", line.c_str());
    std::printf("%d lines name what the ledger must account for: %zu unaccounted, %d exempted\n",
                a.looked, a.unaccounted.size(), a.exempted);
    return check.slips.empty() && a.unaccounted.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace velmora::routes;
    std::string root = argc > 1 ? argv[1] : ".";
    if (root == "--check" || root == "--contexts") {
        const bool check = root == "--check";
        root = argc > 2 ? argv[2] : ".";
        if (!IsGameCheckout(root)) {
            std::fprintf(stderr, "velmora-routes: %s is not a checkout of the game\n",
                         root.c_str());
            return 2;
        }
        if (check) return CheckTheLedger(root);
        return WriteContexts(Explore(), root) ? 0 : 1;
    }
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
    const bool contexts = WriteContexts(x, root);
    std::printf("%zu states, %zu transitions, %ld turns played, %.2f s (processor %.2f s)\n",
                x.states.size(), x.edges.size(), x.turnsPlayed, x.seconds, x.cpuSeconds);
    return written && testsOk && contexts ? 0 : 1;
}
