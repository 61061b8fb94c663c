#include "import/Kr6Finding.h"

#include <array>

namespace kr6 {
namespace {

struct TCodeEntry {
    std::string_view Name;
    TKr6Severity Severity;
};

using S = TKr6Severity;
constexpr std::array<TCodeEntry, Kr6FindingCodeCount> CodeTable = {{
    {"unknown-lens", S::Error},          {"unknown-coating", S::Error},
    {"unknown-target", S::Error},        {"price-not-imported", S::Error},
    {"price-column-unnamed", S::Error},  {"conflicting-rule", S::Error},
    {"invalid-number", S::Warning},      {"invalid-date", S::Warning},
    {"unknown-code", S::Warning},        {"duplicate-lens", S::Warning},
    {"duplicate-coating", S::Warning},   {"duplicate-price", S::Warning},
    {"duplicate-rule", S::Warning},      {"empty-code", S::Warning},
    {"long-line", S::Warning},           {"unknown-header-key", S::Warning},
    {"repeated-header-key", S::Warning}, {"no-lenses", S::Warning},
    {"lens-without-price", S::Warning},  {"coating-without-price", S::Warning},
    {"rule-matches-no-lens", S::Note},   {"rule-matches-no-coating", S::Note},
    {"lens-never-deliverable", S::Note}, {"coating-never-deliverable", S::Note},
    {"missing-member", S::Note},         {"unused-member", S::Note},
    {"foreign-member", S::Note},         {"empty-line", S::Note},
}};

const TCodeEntry& EntryOf(TKr6FindingCode Code) {
    return CodeTable[static_cast<std::size_t>(Code)];
}

} // namespace

std::string_view FindingCodeName(TKr6FindingCode Code) {
    return EntryOf(Code).Name;
}

TKr6Severity SeverityOf(TKr6FindingCode Code) {
    return EntryOf(Code).Severity;
}

std::string_view SeverityName(TKr6Severity Severity) {
    switch (Severity) {
    case TKr6Severity::Error:
        return "error";
    case TKr6Severity::Warning:
        return "warning";
    case TKr6Severity::Note:
        break;
    }
    return "note";
}

std::string FindingLine(const TKr6Finding& Finding) {
    std::string Line = Finding.Member;
    Line += ':';
    Line += std::to_string(Finding.Line);
    if (Finding.Column > 0) {
        Line += ':';
        Line += std::to_string(Finding.Column);
    }
    Line += ": ";
    Line += SeverityName(SeverityOf(Finding.Code));
    Line += ": ";
    Line += Finding.Message;
    Line += " [";
    Line += FindingCodeName(Finding.Code);
    Line += ']';
    return Line;
}

} // namespace kr6
