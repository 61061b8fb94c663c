#pragma once

#include "model/CodeTables.h"
#include "model/Combinations.h"
#include "support/StringList.h"
#include "support/TextCompare.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace kr6 {

class Tdex6DataGlas;

// A rule as it stood when it took part; copied so that an explanation outlives edits.
struct TRuleText {
    std::string GE;
    std::array<std::string, 3> Slots;
    Tdex6Delivery LB = Tdex6Delivery::NichtLieferbar;

    friend bool operator==(const TRuleText&, const TRuleText&) = default;
};
TRuleText RuleText(const Tdex6DataKombination& Rule);

// Why a coating is or is not among the coatings a lens allows.
enum class TCoatingVerdict {
    // Allowed with the lens.
    Allowed,
    // A "nicht lieferbar" rule of the lens took it off (Rule).
    RemovedByRule,
    // Not made for the lens's material.
    WrongMaterial,
    // No glass has the lens code, so the lens allows nothing.
    LensUnknown,
    // Neither allowed nor disallowed: no coating of the price list has the code, or the
    // coating is made for none of the lens materials.
    NotJudged,
};

struct TCoatingReason {
    TCoatingVerdict Verdict = TCoatingVerdict::NotJudged;
    // RemovedByRule: the rule that took the coating off last, the last whose step changed
    // its state. Allowed: the rule that put it back after an earlier rule had taken it off,
    // if one did.
    std::optional<TRuleText> Rule;
};

// Follows CoatingsOfGlass and tells afterwards why each coating ended where it did.
class TCoatingReasons : public TCombinationObserver {
public:
    void LensFound(const Tdex6DataGlas* Lens) override;
    void CoatingRemoved(const Tdex6DataKombination& Rule, std::string_view Code) override;
    void CoatingAdded(const Tdex6DataKombination& Rule, std::string_view Code) override;
    void CoatingsJudged(const TStringList& Allowed, const TStringList* Disallowed,
                        const TStringList& WrongMaterial) override;

    // The glass of the lens code; none when no glass has it.
    const Tdex6DataGlas* Lens() const { return FLens; }
    const TStringList& Allowed() const { return FAllowed; }
    // Everything not allowed, the wrong-material coatings included; empty unless the
    // check asked for the disallowed coatings.
    const TStringList& Disallowed() const { return FDisallowed; }
    const TStringList& WrongMaterial() const { return FWrongMaterial; }
    TCoatingReason ReasonOf(std::string_view Code) const;

private:
    struct TEvent {
        std::int64_t Order = -1;
        const Tdex6DataKombination* Rule = nullptr;
    };
    struct TCodeEvents {
        TEvent Removed;
        TEvent Added;
    };
    struct TLess {
        using is_transparent = void;
        bool operator()(std::string_view A, std::string_view B) const {
            return CompareText(A, B) < 0;
        }
    };

    const Tdex6DataGlas* FLens = nullptr;
    std::int64_t FOrder = 0;
    std::map<std::string, TCodeEvents, TLess> FEvents;
    TStringList FAllowed{true};
    TStringList FDisallowed{true};
    TStringList FWrongMaterial{true};
};

} // namespace kr6
