// velmora-routes: explores every route through the story and writes what
// it found: docs/routes.md, a replay script per event under tests/routes/,
// and the list of scenario items that some route shows.
#include <cstdio>

#include "tools/routes/explorer.h"

int main() {
    using namespace velmora::routes;
    Exploration x = Explore();
    std::printf("%zu states, %zu edges, %ld turns, %.2f s\n", x.states.size(), x.edges.size(),
                x.turnsPlayed, x.seconds);
    for (int e = 0; e < EventCount(); ++e) {
        std::printf("%-40s %3d %s\n", Events()[e].name.c_str(), x.events[e].decisions,
                    x.events[e].decisions < 0 ? "-" : ClockText(x.events[e].earliestClock).c_str());
    }
    return 0;
}
