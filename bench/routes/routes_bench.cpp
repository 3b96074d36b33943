// The whole exploration of the story's routes: every state reachable before
// the digest, from the title.
#include <benchmark/benchmark.h>

#include "tools/routes/exclusions.h"
#include "tools/routes/explorer.h"

namespace {

void BM_ExploreEveryRoute(benchmark::State& state) {
    size_t states = 0;
    size_t transitions = 0;
    for (auto _ : state) {
        velmora::routes::Exploration x = velmora::routes::Explore();
        states = x.states.size();
        transitions = x.edges.size();
        benchmark::DoNotOptimize(x);
    }
    state.counters["states"] = static_cast<double>(states);
    state.counters["transitions"] = static_cast<double>(transitions);
}
BENCHMARK(BM_ExploreEveryRoute)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FindExclusions(benchmark::State& state) {
    const velmora::routes::Exploration x = velmora::routes::Explore();
    for (auto _ : state) benchmark::DoNotOptimize(velmora::routes::FindExclusions(x));
}
BENCHMARK(BM_FindExclusions)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
