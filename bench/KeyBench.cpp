#include "bench/BenchData.h"

#include "export/FastEvaluation.h"
#include "export/LiteralEvaluation.h"
#include "model/Root.h"

#include <benchmark/benchmark.h>

namespace kr6::bench {
namespace {

// The literal key building of a sample of lenses spread over the benchmark list
// (KR6_BENCH_KEY_LENSES, default 300); items are keys.
void BM_BuildLensKeys(benchmark::State& State) {
    const Tdex6Dataobject& Root = LoadedBenchList();
    const TStringList Lenses = SampleBenchLenses(static_cast<int>(State.range(0)));
    TLensKindLists Lists;
    std::vector<TLensKey> Keys;
    std::int64_t Built = 0;
    for (auto _ : State) {
        for (const auto& Lens : Lenses) {
            BuildLensKeys(Root, Lens.Text, Lists, Keys);
            Built += static_cast<std::int64_t>(Keys.size());
        }
    }
    State.SetItemsProcessed(Built);
}
BENCHMARK(BM_BuildLensKeys)
    ->Arg(EnvCount("KR6_BENCH_KEY_LENSES", 300))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The fast engine's count of the keys of every lens of the benchmark list.
void BM_FastCountKeys(benchmark::State& State) {
    const Tdex6Dataobject& Root = LoadedBenchList();
    const TStringList& Lenses = EvaluatedBenchLenses();
    const TFastEvaluator Evaluator(Root);
    std::int64_t Counted = 0;
    for (auto _ : State) {
        for (const auto& Lens : Lenses)
            Counted += Evaluator.CountKeys(Lens.Text);
    }
    State.SetItemsProcessed(Counted);
}
BENCHMARK(BM_FastCountKeys)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace kr6::bench
