#include "cli/ArchiveInput.h"
#include "cli/Commands.h"
#include "cli/ProgressLine.h"
#include "cli/RowOutput.h"

#include "export/DeliveryGaps.h"
#include "import/Kr6Findings.h"
#include "model/Root.h"
#include "support/Cp1252.h"
#include "support/FileDescriptor.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <memory>

namespace kr6 {
namespace {

constexpr int ExitFindings = 3;

std::string FindingJson(const TKr6Finding& Finding) {
    const nlohmann::ordered_json Object = {
        {"member", Cp1252ToUtf8(Finding.Member)},
        {"line", Finding.Line},
        {"column", Finding.Column > 0 ? nlohmann::ordered_json(Finding.Column) : nullptr},
        {"severity", SeverityName(SeverityOf(Finding.Code))},
        {"code", FindingCodeName(Finding.Code)},
        {"message", Cp1252ToUtf8(Finding.Message)},
        {"text", Cp1252ToUtf8(Finding.Text)}};
    return Object.dump();
}

void WriteFindings(const TKr6Findings& Findings, bool Json) {
    // Text lines are Windows-1252 and converted on the way out; JSON is UTF-8 already.
    const std::unique_ptr<TRowOutput> Output = OpenOutput({}, {TLineEnd::Lf, !Json});
    for (const TKr6Finding& Finding : Findings.Items())
        Output->WriteRow(Json ? FindingJson(Finding) : FindingLine(Finding));
    Output->Finish();
}

} // namespace

std::string FindFindings(Tdex6Dataobject& Root, const std::string& Archive, bool Quiet,
                         TKr6Findings& Findings) {
    std::string Version;
    {
        TProgressLine Line(StandardErrorFd, WantsProgressLine(Quiet, true));
        Version = LoadArchive(Root, Archive, &Line, &Findings);
    }
    const TDeliveryGaps Gaps = FindDeliveryGaps(Root);
    Findings.AddDeliveryNotes(Gaps.Lenses, Gaps.Coatings);
    return Version;
}

int RunLint(const TLintOptions& Options) {
    Tdex6Dataobject Root;
    TKr6Findings Findings;
    FindFindings(Root, Options.Archive, Options.Quiet, Findings);
    const TKr6FindingCounts& Counts = Findings.Counts();
    const int Status =
        Counts.Of(TKr6Severity::Error) + Counts.Of(TKr6Severity::Warning) > 0 ? ExitFindings : 0;
    try {
        WriteFindings(Findings, Options.Json);
    } catch (const EOutputClosed&) {
        // The reader has gone; the status still tells what the list holds.
        return Status;
    }
    if (!Options.Quiet) {
        const std::string Summary =
            "kr6csv: " + CountsText(Counts) + " in '" + ArchiveName(Options.Archive) + "'\n";
        std::fputs(Summary.c_str(), stderr);
    }
    return Status;
}

} // namespace kr6
