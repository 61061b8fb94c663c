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
};

// The archive of the list: KR6_BENCH_ARCHIVE or KR6_BENCH_ARCHIVE_2X when set, otherwise
// generated on first use into a temporary directory that lives as long as the process.
const std::string& BenchArchive(TBenchList List);

// The standard list, imported once per process and shared by the benchmarks that only
// read it.
Tdex6Dataobject& LoadedBenchList();

// The lenses the evaluation tests, in glass-list order.
const TStringList& EvaluatedBenchLenses();

// Count lenses spread evenly over the whole list, so that a subset keeps the list's mix.
TStringList SampleBenchLenses(int Count);

// Keys of all lenses of the standard list.
std::int64_t BenchListKeys();

// Reads a positive number from the environment variable Name, or gives Default.
int EnvCount(const char* Name, int Default);

} // namespace kr6::bench
