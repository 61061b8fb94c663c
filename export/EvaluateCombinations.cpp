#include "export/EvaluateCombinations.h"

#include "export/EvaluationLists.h"
#include "export/FastEvaluation.h"
#include "export/LensPipeline.h"
#include "export/LiteralEvaluation.h"
#include "model/Root.h"

namespace kr6 {
namespace {

// The oldest lens hands its rows over in parts of this size.
constexpr std::size_t RowPartBytes = std::size_t{256} << 10;

void EvaluateFast(Tdex6Dataobject& Root, const TLensRowsSink& Sink, unsigned Threads) {
    TStringList Lenses;
    ListEvaluatedLenses(Root, Lenses);
    const TFastEvaluator Evaluator(Root);
    const std::size_t Count = static_cast<std::size_t>(Lenses.Count());

    // Counting pass.
    std::int64_t AllTotal = 0;
    RunLensesInOrder(
        Count, Threads,
        [&](std::size_t Lens, TLensOutcome& Outcome) {
            Outcome.KeyCount = Evaluator.CountKeys(Lenses[static_cast<int>(Lens)]);
        },
        [&](std::size_t /*Lens*/, TLensOutcome& Outcome, bool /*LensDone*/) {
            AllTotal += Outcome.KeyCount;
            if (const TKombiProgress& Progress = Root.OnKombiProgress()) {
                TKombiCounts Counting;
                Counting.AllTotal = AllTotal;
                Progress(Root, Counting);
            }
        });

    // Testing pass.
    TProgressReplay Replay(Root, AllTotal);
    RunLensesInOrder(
        Count, Threads,
        [&](std::size_t Lens, TLensOutcome& Outcome) {
            Evaluator.EvaluateLens(Lenses[static_cast<int>(Lens)], Outcome);
        },
        [&](std::size_t Lens, TLensOutcome& Outcome, bool LensDone) {
            Replay.Lens(Lenses[static_cast<int>(Lens)], Outcome, LensDone);
            Sink(Outcome.Rows, LensDone);
        },
        RowPartBytes);
}

} // namespace

void EvaluateCombinations(Tdex6Dataobject& Root, const TLensRowsSink& Sink,
                          const TEvaluationOptions& Options) {
    if (Options.Engine == TEvaluationEngine::Literal)
        EvaluateLiteral(Root, Sink);
    else
        EvaluateFast(Root, Sink, Options.Threads);
}

void EvaluateCombinations(Tdex6Dataobject& Root, TStringList& Rows,
                          const TEvaluationOptions& Options) {
    Rows.Clear();
    EvaluateCombinations(
        Root,
        [&Rows](const TRowBlock& LensRows, bool /*LensDone*/) {
            for (const std::string_view Row : LensRows)
                Rows.Add(Row);
        },
        Options);
}

} // namespace kr6
