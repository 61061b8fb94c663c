#include "cli/Commands.h"
#include "cli/ProgressLine.h"
#include "cli/RowOutput.h"

#include "export/EvaluateCombinations.h"
#include "export/ListDigest.h"
#include "import/Kr6Import.h"
#include "model/Root.h"

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace kr6 {

std::string EvaluationSummary(std::int64_t Deliverable, std::int64_t Total, std::int64_t Lenses,
                              double Seconds) {
    char Text[160];
    std::snprintf(Text, sizeof Text, "%lld of %lld combinations deliverable, %lld %s, %.1f s",
                  static_cast<long long>(Deliverable), static_cast<long long>(Total),
                  static_cast<long long>(Lenses), Lenses == 1 ? "lens" : "lenses", Seconds);
    return Text;
}

void RunEvaluate(const TEvaluateOptions& Options) {
    Tdex6Dataobject Root;
    LoadKr6File(Root, Options.Archive);
    const std::unique_ptr<TRowOutput> Output =
        OpenOutput(Options.OutputFile, OutputFormatFor(Options.Layout, Options.Lf, Options.Utf8));
    const TCodeNames Names = Options.Layout.Names ? TCodeNames(Root) : TCodeNames();
    TRowEncoder Encoder(*Output, Options.Layout);
    Encoder.WriteHeader();

    // Rows on the same terminal would break into the line and the line into the rows.
    const bool RowsOnTerminal = Options.OutputFile.empty() && isatty(STDOUT_FILENO) != 0;
    TProgressLine Line(STDERR_FILENO, isatty(STDERR_FILENO) != 0 && !RowsOnTerminal);
    TProgressState State;
    Root.SetKombiProgress([&](Tdex6Dataobject&, std::string_view Lens, std::int64_t, std::int64_t,
                              std::int64_t, std::int64_t AllTotal, std::int64_t AllTested,
                              std::int64_t AllDeliverable) {
        State.Lens = Lens;
        State.Total = AllTotal;
        State.Tested = AllTested;
        State.Deliverable = AllDeliverable;
        Line.Update(State);
    });
    std::int64_t Lenses = 0;
    std::int64_t Rows = 0;
    EvaluateCombinations(
        Root,
        [&](const TStringList& LensRows) {
            for (const auto& Row : LensRows)
                Encoder.WriteRow(Row.Text, 0, &Names);
            ++Lenses;
            Rows += LensRows.Count();
            Line.Update(State);
        },
        Options.Evaluation);
    Line.Clear();
    Output->Finish();

    if (!Options.Quiet) {
        const std::string Summary =
            "kr6csv: " + EvaluationSummary(Rows, State.Total, Lenses, Line.ElapsedSeconds()) + "\n";
        std::fputs(Summary.c_str(), stderr);
    }
}

} // namespace kr6
