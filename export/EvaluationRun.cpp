#include "export/EvaluationRun.h"

#include "export/FastEvaluation.h"
#include "export/LensPieces.h"

namespace kr6 {
namespace {

// Fewer combinations than this are tested on one thread unless more are asked for.
constexpr std::int64_t SharedKeys = std::int64_t{1} << 20;

} // namespace

void RunEvaluation(const TFastEvaluator& Evaluator, const std::vector<std::string_view>& Lenses,
                   const TEvaluationRun& Run) {
    // Counting pass, which also cuts the lenses into pieces.
    std::int64_t Total = 0;
    std::vector<TLensShape> Shapes(Lenses.size());
    std::vector<TLensPiece> Pieces;
    RunLensesInOrder(
        Lenses.size(), Run.Threads,
        [&](std::size_t Lens, TLensOutcome& Outcome) {
            Shapes[Lens] = Evaluator.Shape(Lenses[Lens]);
            Outcome.KeyCount = Shapes[Lens].KeyCount;
        },
        [&](std::size_t Lens, TLensOutcome& Outcome, bool /*LensDone*/) {
            Total += Outcome.KeyCount;
            AddLensPieces(Lens, Shapes[Lens], Run.PieceKeys, Pieces);
            if (Run.Counted)
                Run.Counted(Total);
        },
        0, Run.EmitOn);
    Shapes = {};

    // Testing pass; a list whose combinations take one thread a few milliseconds is not
    // shared out unless asked, since handing the lenses about would cost more.
    const unsigned Threads = Run.Threads == 0 && Total < SharedKeys ? 1 : Run.Threads;
    TThreadLensPlans Plans;
    RunLensesInOrder(
        Pieces.size(), Threads,
        [&](std::size_t Index, TLensOutcome& Outcome) {
            const TLensPiece& Piece = Pieces[Index];
            const std::string_view Glass = Lenses[Piece.Lens];
            if (Piece.LensPieces == 1) {
                Evaluator.EvaluateLens(Glass, Outcome);
            } else {
                const TLensPlan& Plan =
                    Plans.Plan(Piece.Lens, [&] { return Evaluator.PlanLens(Glass); });
                Evaluator.EvaluateGroups(Plan, Piece.FirstGroup, Piece.EndGroup, Outcome);
            }
            if (Run.Tested)
                Run.Tested(Piece.Lens, Outcome);
        },
        [&](std::size_t Index, TLensOutcome& Outcome, bool PartDone) {
            const TLensPiece& Piece = Pieces[Index];
            const bool LensDone = PartDone && Piece.LastOfLens;
            if (!LensDone && Outcome.Rows.IsEmpty())
                return;
            Run.Rows(Piece.Lens, Outcome, LensDone);
        },
        Run.PartBytes, Run.EmitOn);
}

} // namespace kr6
