#include "export/EvaluateCombinations.h"

#include "export/EvaluationLists.h"
#include "export/FastEvaluation.h"
#include "export/LensPieces.h"
#include "export/LensPipeline.h"
#include "export/LiteralEvaluation.h"
#include "model/Root.h"

namespace kr6 {
namespace {

// The oldest lens hands its rows over in parts of this size.
constexpr std::size_t RowPartBytes = std::size_t{256} << 10;
// Fewer combinations than this are tested on one thread unless more are asked for.
constexpr std::int64_t SharedKeys = std::int64_t{1} << 20;

void EvaluateFast(Tdex6Dataobject& Root, const TLensRowsSink& Sink,
                  const TEvaluationOptions& Options) {
    TStringList Lenses;
    ListEvaluatedLenses(Root, Lenses);
    const TFastEvaluator Evaluator(Root);
    const std::size_t Count = static_cast<std::size_t>(Lenses.Count());
    const TEmitThread EmitOn =
        Options.CallbacksOnAnyThread ? TEmitThread::Any : TEmitThread::Calling;
    const auto GlassOf = [&](std::size_t Lens) -> std::string_view {
        return Lenses[static_cast<int>(Lens)];
    };

    // Counting pass, which also cuts the lenses into pieces.
    std::int64_t AllTotal = 0;
    std::vector<TLensShape> Shapes(Count);
    std::vector<TLensPiece> Pieces;
    RunLensesInOrder(
        Count, Options.Threads,
        [&](std::size_t Lens, TLensOutcome& Outcome) {
            Shapes[Lens] = Evaluator.Shape(GlassOf(Lens));
            Outcome.KeyCount = Shapes[Lens].KeyCount;
        },
        [&](std::size_t Lens, TLensOutcome& Outcome, bool /*LensDone*/) {
            AllTotal += Outcome.KeyCount;
            AddLensPieces(Lens, Shapes[Lens], Options.PieceKeys, Pieces);
            if (const TKombiProgress& Progress = Root.OnKombiProgress()) {
                TKombiCounts Counting;
                Counting.AllTotal = AllTotal;
                Progress(Root, Counting);
            }
        },
        0, EmitOn);
    Shapes = {};

    // Testing pass; a list whose combinations take one thread a few milliseconds is not
    // shared out unless asked, since handing the lenses about would cost more.
    const unsigned Threads = Options.Threads == 0 && AllTotal < SharedKeys ? 1 : Options.Threads;
    TProgressReplay Replay(Root, AllTotal);
    TThreadLensPlans Plans;
    RunLensesInOrder(
        Pieces.size(), Threads,
        [&](std::size_t Index, TLensOutcome& Outcome) {
            const TLensPiece& Piece = Pieces[Index];
            if (Piece.LensPieces == 1) {
                Evaluator.EvaluateLens(GlassOf(Piece.Lens), Outcome);
                return;
            }
            const TLensPlan& Plan =
                Plans.Plan(Piece.Lens, [&] { return Evaluator.PlanLens(GlassOf(Piece.Lens)); });
            Evaluator.EvaluateGroups(Plan, Piece.FirstGroup, Piece.EndGroup, Outcome);
        },
        [&](std::size_t Index, TLensOutcome& Outcome, bool PartDone) {
            const TLensPiece& Piece = Pieces[Index];
            const bool LensDone = PartDone && Piece.LastOfLens;
            // Only a lens without any rows comes as an empty part.
            if (!LensDone && Outcome.Rows.IsEmpty())
                return;
            Replay.Lens(GlassOf(Piece.Lens), Outcome, LensDone);
            Sink(Outcome.Rows, LensDone);
        },
        RowPartBytes, EmitOn);
}

} // namespace

void EvaluateCombinations(Tdex6Dataobject& Root, const TLensRowsSink& Sink,
                          const TEvaluationOptions& Options) {
    if (Options.Engine == TEvaluationEngine::Literal)
        EvaluateLiteral(Root, Sink);
    else
        EvaluateFast(Root, Sink, Options);
}

void EvaluateCombinations(Tdex6Dataobject& Root, TStringList& Rows,
                          const TEvaluationOptions& Options) {
    Rows.Clear();
    std::string Text;
    EvaluateCombinations(
        Root,
        [&](const TRowBlock& LensRows, bool /*LensDone*/) {
            for (const TRow& Row : LensRows) {
                Text.clear();
                AppendRowText(Text, Row);
                Rows.Add(Text);
            }
        },
        Options);
}

} // namespace kr6
