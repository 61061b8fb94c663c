#pragma once

// What the import leaves out of a price list or reads differently than written: one
// finding per place, for the maintainer of the list. The import never stops on such a
// place; it tells an observer, when there is one.

#include <cstdint>
#include <string>
#include <string_view>

namespace kr6 {

class Tdex6DataBeschichtung;
class Tdex6DataGlas;

enum class TKr6Severity : std::uint8_t {
    Error,   // content that is not imported
    Warning, // content read differently than written
    Note,    // may be intended
};

enum class TKr6FindingCode : std::uint8_t {
    UnknownLens,
    UnknownCoating,
    UnknownTarget,
    PriceNotImported,
    PriceColumnUnnamed,
    ConflictingRule,
    InvalidNumber,
    InvalidDate,
    UnknownCode,
    DuplicateLens,
    DuplicateCoating,
    DuplicatePrice,
    DuplicateRule,
    EmptyCode,
    LongLine,
    UnknownHeaderKey,
    RepeatedHeaderKey,
    NoLenses,
    LensWithoutPrice,
    CoatingWithoutPrice,
    RuleMatchesNoLens,
    RuleMatchesNoCoating,
    LensNeverDeliverable,
    CoatingNeverDeliverable,
    MissingMember,
    UnusedMember,
    ForeignMember,
    EmptyLine,
};
inline constexpr std::size_t Kr6FindingCodeCount =
    static_cast<std::size_t>(TKr6FindingCode::EmptyLine) + 1;

// "unknown-lens", ...
std::string_view FindingCodeName(TKr6FindingCode Code);
TKr6Severity SeverityOf(TKr6FindingCode Code);
// "error", "warning", "note".
std::string_view SeverityName(TKr6Severity Severity);

struct TKr6Finding {
    // As the format spells it ("LensPrice.Dat"), or a foreign member's own name.
    std::string Member;
    // From 1 in the member's lines; 0 for the member as a whole.
    int Line = 0;
    // From 1, the first position of the field; 0 when the finding has none.
    int Column = 0;
    TKr6FindingCode Code{};
    // In plain English, naming what was found and what the import did with it; codes
    // and values as the list spells them (Windows-1252).
    std::string Message;
    // The line as it stands in the member; empty for the member as a whole.
    std::string Text;

    friend bool operator==(const TKr6Finding&, const TKr6Finding&) = default;
};

// "LensPrice.Dat:12:19: warning: MESSAGE [invalid-number]", the form compilers and
// editors use; without a column "LensPrice.Dat:12: ...".
std::string FindingLine(const TKr6Finding& Finding);

// Told by the import of every finding, in the order the import meets them, and of the
// line that made each lens and coating, for what is found about them later.
class TKr6ImportObserver {
public:
    virtual ~TKr6ImportObserver() = default;
    virtual void Found(TKr6Finding Finding) = 0;
    virtual void Made(const Tdex6DataGlas& Glas, int Line, std::string_view Text) = 0;
    virtual void Made(const Tdex6DataBeschichtung& Coating, int Line, std::string_view Text) = 0;
};

} // namespace kr6
