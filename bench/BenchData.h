#pragma once

#include "support/StringList.h"

#include <cstdint>
#include <string>

namespace kr6 {
class Tdex6Dataobject;
}

namespace kr6::bench {

enum class TBenchList {
    // About 3000 lenses, 400 coatings, 20000 rules and 500000 price lines.
    Standard,
    // The same at twice the size, for telling linear from worse.
    Double,
    // 300 lenses with dozens of coatings of each kind: about 26 million keys.
    Deep,
    // A large maker's list: 20000 lenses, 800 coatings, 40000 rules and 10 million price
    // lines, 50 million glass prices.
    Large,
};

// The archive of the list: KR6_BENCH_ARCHIVE, KR6_BENCH_ARCHIVE_2X, KR6_BENCH_ARCHIVE_DEEP
// or KR6_BENCH_ARCHIVE_LARGE when set, otherwise generated on first use into a temporary
// directory that lives as long as the process.
const std::string& BenchArchive(TBenchList List);

// The standard or the deep list, imported once per process and shared by the benchmarks
// that only read it.
Tdex6Dataobject& LoadedBenchList(TBenchList List = TBenchList::Standard);

// The lenses the evaluation tests, in glass-list order.
const TStringList& EvaluatedBenchLenses(TBenchList List = TBenchList::Standard);

// Count lenses spread evenly over the whole list, so that a subset keeps the list's mix.
TStringList SampleBenchLenses(int Count, TBenchList List = TBenchList::Standard);

// Keys of all lenses of the list.
std::int64_t BenchListKeys(TBenchList List = TBenchList::Standard);

// Reads a positive number from the environment variable Name, or gives Default.
int EnvCount(const char* Name, int Default);

} // namespace kr6::bench
