#include "bench/BenchData.h"

#include "import/Kr6Findings.h"
#include "import/Kr6Import.h"
#include "model/Root.h"
#include "support/ZipArchive.h"

#include <benchmark/benchmark.h>
#include <zip.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

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

// Argument 1: the benchmark list, 2: the list at twice its size, 3: the large list.
const std::string& ArchiveOf(const benchmark::State& State) {
    switch (State.range(0)) {
    case 2:
        return BenchArchive(TBenchList::Double);
    case 3:
        return BenchArchive(TBenchList::Large);
    default:
        return BenchArchive(TBenchList::Standard);
    }
}

// Each iteration imports into a fresh root; making and freeing the root is not timed.
// Seconds gives the time to count for an import that took Wall seconds and User seconds of
// user CPU time. With Observed, the import is told to report what it leaves out or reads
// differently.
template <class TSeconds>
void ImportEach(benchmark::State& State, TSeconds&& Seconds, bool Observed = false) {
    const std::string& Archive = ArchiveOf(State);
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
    ->Arg(3)
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
    ->Arg(3)
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

// What the import cannot go below: inflating every member of the list with the libzip the
// import reads it with, into one buffer that is overwritten. Seconds as for ImportEach.
template <class TSeconds> void DecompressEach(benchmark::State& State, TSeconds&& Seconds) {
    const std::string& Archive = ArchiveOf(State);
    std::vector<char> Buffer(TOXVCLZip::ReadChunkBytes);
    for (auto _ : State) {
        const double UserBefore = UserSeconds();
        const auto Start = std::chrono::steady_clock::now();
        int Error = 0;
        const std::unique_ptr<zip_t, decltype(&zip_discard)> Zip(
            zip_open(Archive.c_str(), ZIP_RDONLY, &Error), &zip_discard);
        if (!Zip) {
            State.SkipWithError("cannot open the archive");
            return;
        }
        std::uint64_t Bytes = 0;
        for (zip_int64_t I = 0; I < zip_get_num_entries(Zip.get(), 0); ++I) {
            const std::unique_ptr<zip_file_t, decltype(&zip_fclose)> File(
                zip_fopen_index(Zip.get(), static_cast<zip_uint64_t>(I), 0), &zip_fclose);
            for (zip_int64_t Got = 1; File && Got > 0;) {
                Got = zip_fread(File.get(), Buffer.data(), Buffer.size());
                Bytes += static_cast<std::uint64_t>(std::max<zip_int64_t>(Got, 0));
            }
        }
        benchmark::DoNotOptimize(Bytes);
        const std::chrono::duration<double> Wall = std::chrono::steady_clock::now() - Start;
        State.SetIterationTime(Seconds(Wall.count(), UserSeconds() - UserBefore));
    }
}

void BM_DecompressMembers(benchmark::State& State) {
    DecompressEach(State, [](double Wall, double /*User*/) { return Wall; });
}
BENCHMARK(BM_DecompressMembers)
    ->Arg(1)
    ->Arg(3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

void BM_DecompressMembersUserTime(benchmark::State& State) {
    DecompressEach(State, [](double /*Wall*/, double User) { return User; });
}
BENCHMARK(BM_DecompressMembersUserTime)
    ->Arg(1)
    ->Arg(3)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

} // namespace
} // namespace kr6::bench
