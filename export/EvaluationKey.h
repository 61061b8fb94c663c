#pragma once

#include "support/StringList.h"

#include <string>
#include <string_view>
#include <vector>

namespace kr6 {

class Tdex6Dataobject;

// Why the evaluation builds no key for a lens and a set of coatings.
enum class TKeyGap {
    // No glass has the lens code.
    LensUnknown,
    // The lens's material is none of those the evaluation takes.
    LensNotEvaluated,
    // Code is no coating the evaluation combines with this lens.
    CoatingNotOffered,
    // The set holds more coatings of a kind than a key does (one anti-reflection
    // coating, one tint, two further coatings).
    TooManyOfAKind,
};

struct TKeyGapEntry {
    TKeyGap Gap = TKeyGap::LensUnknown;
    std::string Code;

    friend bool operator==(const TKeyGapEntry&, const TKeyGapEntry&) = default;
};

// A lens and its coatings written the way a user types them (any order, any letter case),
// turned into what the evaluation works with.
struct TEvaluationKey {
    // The lens code as the evaluation lists it, else as the glass list holds it, else as
    // given.
    std::string Lens;
    // The lens and coatings as the rule check gets them: read back from the key like the
    // evaluation does, else the lens as above and the price list's codes; sorted, each once.
    std::string CheckedLens;
    TStringList Coatings{true};
    // The key, which is also the row; empty when the evaluation builds none.
    std::string Key;
    std::vector<TKeyGapEntry> Gaps;
};

// Coatings may be named twice and in another letter case; empty codes are left out.
TEvaluationKey FindEvaluationKey(const Tdex6Dataobject& Root, std::string_view Lens,
                                 const std::vector<std::string>& Coatings);

} // namespace kr6
