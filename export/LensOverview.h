#pragma once

#include "export/CoatingReasons.h"
#include "export/CombinationExplanation.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kr6 {

class Tdex6Dataobject;

// What a lens can be combined with, as the evaluation sees it.
struct TLensOverview {
    TLensFinding Lens;
    // The evaluation tests the lens.
    bool Evaluated = false;
    // The allowed coatings the evaluation combines: anti-reflection, tint, further.
    std::array<std::vector<std::string>, 3> Allowed;
    struct TDisallowed {
        std::string Code;
        TCoatingReason Reason;
    };
    // Coatings made for the lens's material that it does not allow; none when no glass has
    // the lens code.
    std::vector<TDisallowed> Disallowed;
    // Coatings not made for the lens's material.
    std::vector<std::string> WrongMaterial;
    // Every rule whose lens code or pattern matches the lens, in list order.
    std::vector<TRuleText> Rules;
    // The evaluation's counts for the lens (0 when it does not test the lens).
    std::int64_t Keys = 0;
    std::int64_t DeliverableKeys = 0;
    // The lens without coatings.
    TKeyCheck Alone;
};

// Looks at this one lens only, never at the whole list.
TLensOverview OverviewOfLens(const Tdex6Dataobject& Root, std::string_view Lens);

} // namespace kr6
