#pragma once

#include "cli/RowFormat.h"
#include "export/EvaluateCombinations.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kr6 {

struct TKr6FindingCounts;
class TKr6Findings;
class Tdex6Dataobject;

// The commands of the command line. Each writes its data to standard output or to the
// named file and throws std::runtime_error (EOutputError, EArchiveError, ...) on failure
// and EOutputClosed when the reader of the output has gone.

struct TEvaluateOptions {
    std::string Archive;
    std::string OutputFile;
    bool Lf = false;
    bool Utf8 = false;
    bool Quiet = false;
    TEvaluationOptions Evaluation;
    TRowLayout Layout;
};
void RunEvaluate(const TEvaluateOptions& Options);

// The end-of-run line of the evaluation, without the program name and line end.
std::string EvaluationSummary(std::int64_t Deliverable, std::int64_t Total, std::int64_t Lenses,
                              double ImportSeconds, double EvaluationSeconds);

// "3 lines not imported" for the errors among Findings; empty when there are none.
std::string NotImportedText(const TKr6FindingCounts& Findings);

struct TInfoOptions {
    std::string Archive;
    bool Utf8 = false;
    bool Quiet = false;
    bool Json = false;
};
void RunInfo(const TInfoOptions& Options);

// The summary of a loaded price list, lines ended by a line feed, in Windows-1252.
// Version is the KR6 version text of the archive's header, Findings what its import left
// out or read differently.
std::string FormatInfo(const Tdex6Dataobject& Root, const std::string& Version,
                       const TKr6FindingCounts& Findings);
// The same summary as one JSON object, UTF-8.
std::string FormatInfoJson(const Tdex6Dataobject& Root, const std::string& Version,
                           const TKr6FindingCounts& Findings);

struct TDiffOptions {
    std::string OldArchive;
    std::string NewArchive;
    std::string OutputFile;
    bool Lf = false;
    bool Utf8 = false;
    bool Quiet = false;
    bool RowsOnly = false;
    bool SummaryOnly = false;
    unsigned Threads = 0;
    TRowLayout Layout{TRowSyntax::Tsv, false, false, true};
};
// Compares the deliverable rows and the model of two price lists. Writes a summary of the
// model's changes unless RowsOnly, then, unless SummaryOnly, every row only in the new
// list with "+" and every row only in the old with "-", ordered by lens code, then by row.
// Returns true when the rows differ.
bool RunDiff(const TDiffOptions& Options);

struct TCheckOptions {
    std::string Archive;
    // As typed, UTF-8.
    std::string Lens;
    std::vector<std::string> Coatings;
    bool Json = false;
};
// Explains whether the lens is deliverable with the coatings, or without coatings gives
// the overview of the lens. Returns the exit status: 3 when the combination is not
// deliverable, otherwise 0.
int RunCheck(const TCheckOptions& Options);

struct TLintOptions {
    std::string Archive;
    bool Json = false;
    bool Quiet = false;
};
// Lists what the import of the archive leaves out or reads differently, one line (or JSON
// object) per finding. Returns the exit status: 3 when a finding is an error or a
// warning, otherwise 0.
int RunLint(const TLintOptions& Options);
// Loads the archive into Root with every finding, those of its evaluation included, and
// returns the KR6 version its header names.
std::string FindFindings(Tdex6Dataobject& Root, const std::string& Archive, bool Quiet,
                         TKr6Findings& Findings);

struct TXmlOptions {
    std::string Archive;
    std::string OutputFile;
    bool Quiet = false;
};
void RunXml(const TXmlOptions& Options);

} // namespace kr6
