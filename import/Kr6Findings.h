#pragma once

#include "import/Kr6Finding.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace kr6 {

// How many findings of each severity and code.
struct TKr6FindingCounts {
    std::array<std::int64_t, 3> BySeverity{};
    std::array<std::int64_t, Kr6FindingCodeCount> ByCode{};

    std::int64_t Of(TKr6Severity Severity) const {
        return BySeverity[static_cast<std::size_t>(Severity)];
    }
    std::int64_t Of(TKr6FindingCode Code) const { return ByCode[static_cast<std::size_t>(Code)]; }
    std::int64_t Total() const { return BySeverity[0] + BySeverity[1] + BySeverity[2]; }
};

// "3 errors, 1 warning, 2 notes"; "no findings" when there are none.
std::string CountsText(const TKr6FindingCounts& Counts);

// Collects the findings of one import, and adds those that only an evaluation of the
// imported list can tell.
class TKr6Findings final : public TKr6ImportObserver {
public:
    // Without KeepItems only the counts are kept, for a list with millions of findings
    // whose user wants to know how many.
    explicit TKr6Findings(bool KeepItems = true) : FKeepItems(KeepItems) {}

    void Found(TKr6Finding Finding) override;
    void Made(const Tdex6DataGlas& Glas, int Line, std::string_view Text) override;
    void Made(const Tdex6DataBeschichtung& Coating, int Line, std::string_view Text) override;

    // The lenses that the evaluation tests but no row holds, and the coatings that no row
    // holds; each is reported on the line that made it.
    void AddDeliveryNotes(std::span<const Tdex6DataGlas* const> Lenses,
                          std::span<const Tdex6DataBeschichtung* const> Coatings);

    // Members in the order the import reads them (foreign ones last), lines ascending.
    std::vector<TKr6Finding> Items() const;
    const TKr6FindingCounts& Counts() const { return FCounts; }

private:
    struct TOrigin {
        int Line = 0;
        std::string Text;
    };

    bool FKeepItems;
    std::vector<TKr6Finding> FItems;
    TKr6FindingCounts FCounts;
    std::unordered_map<const void*, TOrigin> FOrigins;
};

} // namespace kr6
