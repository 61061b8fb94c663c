#include "bench/BenchData.h"

#include "cli/RowFormat.h"
#include "cli/RowOutput.h"

#include "export/EvaluateCombinations.h"
#include "export/FastEvaluation.h"
#include "export/LiteralEvaluation.h"
#include "model/Root.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace kr6::bench {
namespace {

// The literal engine checks each key on its own and takes minutes on the whole list, so it
// tests a sample of lenses spread over the list (KR6_BENCH_LITERAL_LENSES); keys per
// second is the figure to compare. Items are keys.
const int LiteralSample = EnvCount("KR6_BENCH_LITERAL_LENSES", 12);

// Tests the lenses, testing pass only, by the literal engine or by the fast one on one
// thread.
void EvaluateSample(benchmark::State& State, const Tdex6Dataobject& Root, const TStringList& Lenses,
                    TEvaluationEngine Engine) {
    const TFastEvaluator Evaluator(Root);
    TLensOutcome Outcome;
    std::int64_t Tested = 0;
    for (auto _ : State) {
        for (const auto& Lens : Lenses) {
            if (Engine == TEvaluationEngine::Literal)
                EvaluateLensLiteral(Root, Lens.Text, Outcome);
            else
                Evaluator.EvaluateLens(Lens.Text, Outcome);
            Tested += Outcome.KeyCount;
        }
    }
    State.SetItemsProcessed(Tested);
}

void BM_LiteralEngineSample(benchmark::State& State) {
    EvaluateSample(State, LoadedBenchList(), SampleBenchLenses(static_cast<int>(State.range(0))),
                   TEvaluationEngine::Literal);
}
BENCHMARK(BM_LiteralEngineSample)->Arg(LiteralSample)->Unit(benchmark::kMillisecond)->UseRealTime();

// The fast engine on the same sample.
void BM_FastEngineSample(benchmark::State& State) {
    EvaluateSample(State, LoadedBenchList(), SampleBenchLenses(static_cast<int>(State.range(0))),
                   TEvaluationEngine::Fast);
}
BENCHMARK(BM_FastEngineSample)->Arg(LiteralSample)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole evaluation of the benchmark list, both passes, by the fast engine on the given
// number of threads. Items are keys tested.
void BM_FastEngine(benchmark::State& State) {
    Tdex6Dataobject& Root = LoadedBenchList();
    const std::int64_t Keys = BenchListKeys();
    const TEvaluationOptions Options{TEvaluationEngine::Fast,
                                     static_cast<unsigned>(State.range(0))};
    std::int64_t Rows = 0;
    for (auto _ : State) {
        EvaluateCombinations(
            Root,
            [&Rows](const TRowBlock& LensRows, bool /*LensDone*/) {
                Rows += static_cast<std::int64_t>(LensRows.Count());
            },
            Options);
    }
    benchmark::DoNotOptimize(Rows);
    State.SetItemsProcessed(Keys * static_cast<std::int64_t>(State.iterations()));
}

int AllCores() {
    const int Cores = static_cast<int>(std::thread::hardware_concurrency());
    return EnvCount("KR6_BENCH_THREADS", Cores > 0 ? Cores : 1);
}

// A run of the whole list takes well under a second, so one run says little on a shared
// machine: the figures are the mean of three.
BENCHMARK(BM_FastEngine)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(AllCores())
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The deep list, both passes, on Threads threads, with every row written as `kr6csv
// evaluate` writes it (tab separated, to /dev/null, from any thread).
void EvaluateDeep(Tdex6Dataobject& Root, unsigned Threads) {
    TEvaluationOptions Options{TEvaluationEngine::Fast, Threads};
    Options.CallbacksOnAnyThread = true;
    const TRowLayout Layout;
    const std::unique_ptr<TRowOutput> Output = OpenOutput("/dev/null");
    TRowEncoder Encoder(*Output, Layout);
    EvaluateCombinations(
        Root,
        [&](const TRowBlock& Rows, bool /*LensDone*/) {
            for (const TRow& Row : Rows)
                Encoder.WriteRow(Row, 0, nullptr);
        },
        Options);
    Output->Finish();
}

// Items are keys.
void BM_DeepEvaluation(benchmark::State& State) {
    Tdex6Dataobject& Root = LoadedBenchList(TBenchList::Deep);
    for (auto _ : State)
        EvaluateDeep(Root, static_cast<unsigned>(State.range(0)));
    State.SetItemsProcessed(BenchListKeys(TBenchList::Deep) *
                            static_cast<std::int64_t>(State.iterations()));
}
BENCHMARK(BM_DeepEvaluation)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(AllCores())
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// As many evaluations on one thread each as the other runs on threads, side by side: what
// the machine gives when all its cores are busy, which is the most any number of threads
// can reach. On a shared machine it can be far less than one core's speed times their
// number: the host may run two virtual cores on one real one, or give a core to another
// guest for minutes.
void BM_DeepEvaluationSideBySide(benchmark::State& State) {
    Tdex6Dataobject& Root = LoadedBenchList(TBenchList::Deep);
    const auto Evaluations = static_cast<std::size_t>(State.range(0));
    for (auto _ : State) {
        std::vector<std::jthread> Threads;
        for (std::size_t I = 0; I < Evaluations; ++I)
            Threads.emplace_back([&Root] { EvaluateDeep(Root, 1); });
    }
    State.SetItemsProcessed(BenchListKeys(TBenchList::Deep) *
                            static_cast<std::int64_t>(Evaluations * State.iterations()));
}
BENCHMARK(BM_DeepEvaluationSideBySide)
    ->ArgName("evaluations")
    ->Arg(AllCores())
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The literal engine takes about a minute for one lens of the deep list with its tens of
// thousands of keys, so both engines compare on the smallest deep lenses: the
// KR6_BENCH_DEEP_LITERAL_LENSES (default 2) with the fewest keys among those with at
// least 1000.
TStringList SmallDeepLenses() {
    const Tdex6Dataobject& Root = LoadedBenchList(TBenchList::Deep);
    const TFastEvaluator Evaluator(Root);
    std::vector<std::pair<std::int64_t, std::string>> Sized;
    for (const auto& Lens : EvaluatedBenchLenses(TBenchList::Deep)) {
        const std::int64_t Keys = Evaluator.CountKeys(Lens.Text);
        if (Keys >= 1000)
            Sized.emplace_back(Keys, Lens.Text);
    }
    std::sort(Sized.begin(), Sized.end());
    TStringList Lenses;
    const int Count = EnvCount("KR6_BENCH_DEEP_LITERAL_LENSES", 2);
    for (int I = 0; I < Count && I < static_cast<int>(Sized.size()); ++I)
        Lenses.Add(Sized[static_cast<std::size_t>(I)].second);
    return Lenses;
}

void BM_DeepLiteralSample(benchmark::State& State) {
    EvaluateSample(State, LoadedBenchList(TBenchList::Deep), SmallDeepLenses(),
                   TEvaluationEngine::Literal);
}
BENCHMARK(BM_DeepLiteralSample)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DeepFastSample(benchmark::State& State) {
    EvaluateSample(State, LoadedBenchList(TBenchList::Deep), SmallDeepLenses(),
                   TEvaluationEngine::Fast);
}
BENCHMARK(BM_DeepFastSample)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace kr6::bench
