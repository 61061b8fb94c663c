#include "bench/BenchData.h"

#include "import/Kr6Findings.h"
#include "import/Kr6Import.h"
#include "model/Root.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace kr6::bench {
namespace {

// User CPU time of the process so far, in seconds: the program's own work, without the
// time the system takes to provide memory, which on a virtual machine grows with the
// memory the host must find and can vary tenfold from run to run.
double UserSeconds() {
#ifdef _WIN32
    return 0;
#else
    rusage Usage{};
    getrusage(RUSAGE_SELF, &Usage);
    return static_cast<double>(Usage.ru_utime.tv_sec) +
           static_cast<double>(Usage.ru_utime.tv_usec) / 1e6;
#endif
}

// Argument 1: the benchmark list, 2: the list at twice its size. Each iteration imports
// into a fresh root; making and freeing the root is not timed. Seconds gives the time to
// count for an import that took Wall seconds and User seconds of user CPU time.
// With Observed, the import is told to report what it leaves out or reads differently.
template <class TSeconds>
void ImportEach(benchmark::State& State, TSeconds&& Seconds, bool Observed = false) {
    const std::string& Archive =
        BenchArchive(State.range(0) == 2 ? TBenchList::Double : TBenchList::Standard);
    for (auto _ : State) {
        auto Root = std::make_unique<Tdex6Dataobject>();
        TKr6Findings Findings;
        const double UserBefore = UserSeconds();
        const auto Start = std::chrono::steady_clock::now();
        LoadKr6File(*Root, Archive, {}, Observed ? &Findings : nullptr);
        const std::chrono::duration<double> Wall = std::chrono::steady_clock::now() - Start;
        State.SetIterationTime(Seconds(Wall.count(), UserSeconds() - UserBefore));
        Root.reset();
    }
}

// How long an import takes depends on how soon the system finds the memory; the median
// of five says more than one.
void BM_LoadKr6File(benchmark::State& State) {
    ImportEach(State, [](double Wall, double /*User*/) { return Wall; });
}
BENCHMARK(BM_LoadKr6File)
    ->Arg(1)
    ->Arg(2)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

// The user CPU time of the same: whether the program's own work grows with the list alone.
void BM_LoadKr6FileUserTime(benchmark::State& State) {
    ImportEach(State, [](double /*Wall*/, double User) { return User; });
}
BENCHMARK(BM_LoadKr6FileUserTime)
    ->Arg(1)
    ->Arg(2)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

// The same import with an observer of its findings, which checks every field a second time.
void BM_LoadKr6FileObserved(benchmark::State& State) {
    ImportEach(
        State, [](double Wall, double /*User*/) { return Wall; }, true);
}
BENCHMARK(BM_LoadKr6FileObserved)
    ->Arg(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

} // namespace
} // namespace kr6::bench
