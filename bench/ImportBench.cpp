#include "bench/BenchData.h"

#include "import/Kr6Import.h"
#include "model/Root.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace kr6::bench {
namespace {

// Argument 1: the benchmark list, 2: the list at twice its size. Each iteration imports
// into a fresh root; making and freeing the root is not timed.
void BM_LoadKr6File(benchmark::State& State) {
    const std::string& Archive =
        BenchArchive(State.range(0) == 2 ? TBenchList::Double : TBenchList::Standard);
    for (auto _ : State) {
        State.PauseTiming();
        auto Root = std::make_unique<Tdex6Dataobject>();
        State.ResumeTiming();
        LoadKr6File(*Root, Archive);
        State.PauseTiming();
        Root.reset();
        State.ResumeTiming();
    }
}
// How long an import takes depends on how soon the system finds the memory; the median
// of five says more than one.
BENCHMARK(BM_LoadKr6File)
    ->Arg(1)
    ->Arg(2)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
} // namespace kr6::bench
