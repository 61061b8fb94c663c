#pragma once

#include "model/CodeTables.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kr6 {

class Tdex6Dataobject;

// The names (first description) of the lenses and coatings of a price list by exact
// code; of two with the same code the later one counts, as in the model's lookups.
class TCodeNames {
public:
    TCodeNames() = default;
    explicit TCodeNames(const Tdex6Dataobject& Root);

    // Empty for an unknown code.
    std::string_view Lens(std::string_view Code) const { return Find(FLenses, Code); }
    std::string_view Coating(std::string_view Code) const { return Find(FCoatings, Code); }

private:
    using TMap = std::unordered_map<std::string, std::string>;
    static std::string_view Find(const TMap& Map, std::string_view Code);

    TMap FLenses;
    TMap FCoatings;
};

// A combination rule as the comparison of two lists sees it.
struct TRuleDigest {
    std::string Lens;
    std::array<std::string, 3> Slots;
    Tdex6Delivery Delivery = Tdex6Delivery::NichtLieferbar;
};

// Everything of a price list that the comparison of two lists needs once the model is
// gone: codes, rules, names and the amounts of every price, keyed as the model's price
// lookups key them. Small next to the model: about 40 bytes per price.
struct TListDigest {
    struct TGlassPrice {
        std::int32_t GSph = 0;
        std::int32_t GCyl = 0;
        std::int32_t DiameterFirst = 0;
        std::int32_t DiameterSecond = 0;
        std::int32_t PBID = 0;
        std::int32_t LBI = 0;
        bool Elliptical = false;
        double Amount = 0;
    };
    struct TCoatingPrice {
        std::string Glass; // special price of this glass; empty for a general price
        std::uint8_t ST = 0;
        std::uint8_t MAT = 0;
        std::uint8_t EM = 0;
        std::int32_t PBID = 0;
        double Amount = 0;
    };

    // Codes in ascending byte order, each once.
    std::vector<std::string> Lenses;
    std::vector<std::string> Coatings;
    // By the rule's identity: lens pattern and set of slots, letter case of A-Z ignored
    // as the model's rule lookup ignores it; the first rule of an identity counts.
    std::map<std::string, TRuleDigest> Rules;
    // By lens or coating code, each list sorted by its keys, one amount per key.
    std::unordered_map<std::string, std::vector<TGlassPrice>> GlassPrices;
    std::unordered_map<std::string, std::vector<TCoatingPrice>> CoatingPrices;
    TCodeNames Names;
};

TListDigest DigestList(const Tdex6Dataobject& Root);

// Prices of lenses or coatings present in both lists: same key, other amount (Changed),
// or a key in one list only.
struct TPriceChanges {
    std::int64_t Changed = 0;
    std::int64_t Added = 0;
    std::int64_t Removed = 0;
};

struct TRuleChange {
    TRuleDigest Rule; // as in the new list
    Tdex6Delivery OldDelivery = Tdex6Delivery::NichtLieferbar;
};

// What changed from one list to the other, by code; every list in ascending byte order
// (rules by lens pattern, then slots).
struct TModelChanges {
    std::vector<std::string> LensesAdded;
    std::vector<std::string> LensesRemoved;
    std::vector<std::string> CoatingsAdded;
    std::vector<std::string> CoatingsRemoved;
    std::vector<TRuleDigest> RulesAdded;
    std::vector<TRuleDigest> RulesRemoved;
    std::vector<TRuleChange> RulesChanged;
    TPriceChanges GlassPrices;
    TPriceChanges CoatingPrices;
};

TModelChanges CompareDigests(const TListDigest& Old, const TListDigest& New);

} // namespace kr6
