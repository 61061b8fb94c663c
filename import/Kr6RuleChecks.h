#pragma once

#include "import/Kr6LineReport.h"
#include "import/Kr6OptionRecords.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace kr6 {

class Tdex6DataKombination;
class Tdex6Dataobject;

namespace kr6_import {

// The findings of Combination lines once the lenses and coatings are in: rules that repeat
// an earlier one, and codes and patterns that name nothing in the list.
class TRuleChecks {
public:
    explicit TRuleChecks(const Tdex6Dataobject& Root);

    // After the line was offered to the rule list; Standing is the earlier rule kept
    // instead of it, none when the line's rule was added.
    void Check(const TKr6LineReport& Report, const TKr6DataCombination& Rec,
               const Tdex6DataKombination* Standing);

private:
    // Codes as the rules match them: six characters, upper case, blank-padded.
    class TCodeSet {
    public:
        void Add(std::string_view Code);
        bool Matches(std::string_view Pattern);

    private:
        std::unordered_set<std::string> FCodes;
        // The answers for patterns with "*", each of which would look at every code.
        std::unordered_map<std::string, bool> FPatterns;
    };

    const Tdex6Dataobject& FRoot;
    TCodeSet FLenses;
    TCodeSet FCoatings;
    std::unordered_map<const Tdex6DataKombination*, int> FLines;
};

} // namespace kr6_import
} // namespace kr6
