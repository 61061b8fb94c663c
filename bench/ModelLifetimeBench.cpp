#include "model/GlassParts.h"
#include "model/Glasses.h"
#include "model/Root.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace kr6::bench {
namespace {

constexpr int PricesPerGlass = 5;

// A root with Glasses glasses of five prices each: the objects a large import leaves.
std::unique_ptr<Tdex6Dataobject> MakeLargeModel(int Glasses) {
    auto Root = std::make_unique<Tdex6Dataobject>();
    Tdex6DataGlasliste& List = *Root->Glasliste();
    // Renumbering on every new glass would make the building quadratic.
    List.AutoSort = false;
    for (int I = 0; I < Glasses; ++I) {
        Tdex6DataGlas* Glas = List.NewGlas();
        std::string Code = "G";
        Code += std::to_string(I);
        Glas->SetEDV(Code);
        for (int P = 1; P <= PricesPerGlass; ++P) {
            Tdex6DataGlasPreis* Price = Glas->GlasPreisListe()->NewItem();
            Price->PBID = P;
            Price->SetPR(10.0 * P);
        }
    }
    return Root;
}

// Argument: the number of glasses; the two sizes show whether freeing is linear.
void BM_DestroyModel(benchmark::State& State) {
    for (auto _ : State) {
        State.PauseTiming();
        std::unique_ptr<Tdex6Dataobject> Root = MakeLargeModel(static_cast<int>(State.range(0)));
        State.ResumeTiming();
        Root.reset();
    }
    State.SetItemsProcessed(State.range(0) * static_cast<std::int64_t>(State.iterations()));
}
BENCHMARK(BM_DestroyModel)
    ->Arg(100000)
    ->Arg(200000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_ClearAll(benchmark::State& State) {
    for (auto _ : State) {
        State.PauseTiming();
        std::unique_ptr<Tdex6Dataobject> Root = MakeLargeModel(static_cast<int>(State.range(0)));
        State.ResumeTiming();
        Root->ClearAll(true);
        State.PauseTiming();
        Root.reset();
        State.ResumeTiming();
    }
    State.SetItemsProcessed(State.range(0) * static_cast<std::int64_t>(State.iterations()));
}
BENCHMARK(BM_ClearAll)
    ->Arg(100000)
    ->Arg(200000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
} // namespace kr6::bench
