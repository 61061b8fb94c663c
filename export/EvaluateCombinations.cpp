#include "export/EvaluateCombinations.h"

#include "export/EvaluationLists.h"
#include "export/EvaluationRun.h"
#include "export/FastEvaluation.h"
#include "export/LiteralEvaluation.h"
#include "model/Root.h"

#include <vector>

namespace kr6 {
namespace {

// The oldest lens hands its rows over in parts of this size.
constexpr std::size_t RowPartBytes = std::size_t{256} << 10;

void EvaluateFast(Tdex6Dataobject& Root, const TLensRowsSink& Sink,
                  const TEvaluationOptions& Options) {
    const std::vector<std::string> Codes = EvaluatedLensCodes(Root);
    const std::vector<std::string_view> Lenses(Codes.begin(), Codes.end());

    TProgressReplay Replay(Root);
    TEvaluationRun Run;
    Run.Threads = Options.Threads;
    Run.PieceKeys = Options.PieceKeys;
    Run.PartBytes = RowPartBytes;
    Run.EmitOn = Options.CallbacksOnAnyThread ? TEmitThread::Any : TEmitThread::Calling;
    Run.Counted = [&](std::int64_t Total) {
        Replay.Counted(Total);
    };
    Run.Rows = [&](std::size_t Lens, TLensOutcome& Outcome, bool LensDone) {
        Replay.Lens(Lenses[Lens], Outcome, LensDone);
        Sink(Outcome.Rows, LensDone);
    };
    RunEvaluation(TFastEvaluator(Root), Lenses, Run);
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
