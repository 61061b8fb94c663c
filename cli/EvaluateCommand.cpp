#include "cli/ArchiveInput.h"
#include "cli/Commands.h"
#include "cli/ProgressLine.h"
#include "cli/RowOutput.h"

#include "export/EvaluateCombinations.h"
#include "export/ListDigest.h"
#include "import/Kr6Findings.h"
#include "model/Root.h"
#include "support/FileDescriptor.h"

#include <cstdio>
#include <memory>

namespace kr6 {

std::string EvaluationSummary(std::int64_t Deliverable, std::int64_t Total, std::int64_t Lenses,
                              double ImportSeconds, double EvaluationSeconds) {
    char Text[200];
    std::snprintf(
        Text, sizeof Text,
        "%lld of %lld combinations deliverable, %lld %s; import %.1f s, evaluation %.1f s",
        static_cast<long long>(Deliverable), static_cast<long long>(Total),
        static_cast<long long>(Lenses), Lenses == 1 ? "lens" : "lenses", ImportSeconds,
        EvaluationSeconds);
    return Text;
}

std::string NotImportedText(const TKr6FindingCounts& Findings) {
    const std::int64_t Errors = Findings.Of(TKr6Severity::Error);
    if (Errors == 0)
        return {};
    return std::to_string(Errors) + (Errors == 1 ? " line" : " lines") + " not imported";
}

void RunEvaluate(const TEvaluateOptions& Options) {
    RefuseOutputOverInput(Options.OutputFile, Options.Archive);
    // A file that cannot be written fails now, not after a long import.
    const std::unique_ptr<TRowOutput> Output =
        OpenOutput(Options.OutputFile, OutputFormatFor(Options.Layout, Options.Lf, Options.Utf8));
    TRowEncoder Encoder(*Output, Options.Layout);
    Encoder.WriteHeader();

    TProgressLine Line(StandardErrorFd,
                       WantsProgressLine(Options.Quiet, IsStandardOutput(Options.OutputFile)));
    Tdex6Dataobject Root;
    TKr6Findings Findings(false);
    LoadArchive(Root, Options.Archive, &Line, &Findings);
    const double ImportSeconds = Line.ElapsedSeconds();
    const TCodeNames Names = Options.Layout.Names ? TCodeNames(Root) : TCodeNames();

    Line.Restart();
    std::string Lens;
    TKombiTally All;
    // Quiet, nothing shows the progress: the evaluation need not report it row by row.
    if (!Options.Quiet) {
        Root.SetKombiProgress([&](Tdex6Dataobject&, const TKombiCounts& Counts) {
            Lens = Counts.Lens;
            All = Counts.All;
            Line.Update(Lens, All);
        });
    }
    std::int64_t Lenses = 0;
    std::int64_t Rows = 0;
    // The output, the progress line and the counts need only one call at a time.
    TEvaluationOptions Evaluation = Options.Evaluation;
    Evaluation.CallbacksOnAnyThread = true;
    EvaluateCombinations(
        Root,
        [&](const TRowBlock& LensRows, bool LensDone) {
            for (const TRow& Row : LensRows)
                Encoder.WriteRow(Row, 0, &Names);
            Lenses += LensDone ? 1 : 0;
            Rows += static_cast<std::int64_t>(LensRows.Count());
            Line.Update(Lens, All);
        },
        Evaluation);
    const double EvaluationSeconds = Line.ElapsedSeconds();
    Line.Clear();
    Output->Finish();

    if (!Options.Quiet) {
        const std::string NotImported = NotImportedText(Findings.Counts());
        const std::string Summary =
            "kr6csv: " +
            EvaluationSummary(Rows, All.Total, Lenses, ImportSeconds, EvaluationSeconds) +
            (NotImported.empty() ? "" : "; " + NotImported + " (kr6csv lint)") + "\n";
        std::fputs(Summary.c_str(), stderr);
    }
}

} // namespace kr6
