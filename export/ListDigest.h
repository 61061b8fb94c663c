#pragma once

#include "model/CodeTables.h"
#include "model/GlassPriceKey.h"

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

// What the comparison of two lists needs of a price list once the model is gone, apart
// from its prices: codes, rules and names.
struct TListDigest {
    // Codes in ascending byte order, each once.
    std::vector<std::string> Lenses;
    std::vector<std::string> Coatings;
    // By the rule's identity: lens pattern and set of slots, letter case of A-Z ignored
    // as the model's rule lookup ignores it; the first rule of an identity counts.
    std::map<std::string, TRuleDigest> Rules;
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

struct TPriceComparison {
    TPriceChanges Glass;
    TPriceChanges Coating;
};

// The amounts of every price of a list, keyed as the model's price lookups key them,
// kept so that a later list can be compared with it once the model is gone. About ten
// bytes per glass price; a lens or coating code listed twice keeps the prices of its
// later element, the one the model's lookups find.
class TPriceDigest {
public:
    struct TGlassPrice {
        TGlassPriceKey Key;
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

    TPriceDigest() = default;
    explicit TPriceDigest(const Tdex6Dataobject& Root);

    // The prices of New against these, the old ones; reads New without changing it.
    TPriceComparison CompareWith(const Tdex6Dataobject& New) const;

private:
    // Codes in ascending byte order; the prices of code I, sorted by their keys with
    // one amount per key, are kept in Stored[Starts[I]] up to Stored[Starts[I + 1]].
    template <class T, class TStored> struct TByCode {
        using TPrice = T;
        std::vector<std::string> Codes;
        std::vector<std::size_t> Starts{0};
        std::vector<TStored> Stored;
    };

    // Glass prices packed into bytes.
    TByCode<TGlassPrice, std::uint8_t> FGlass;
    TByCode<TCoatingPrice, TCoatingPrice> FCoating;
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
};

TModelChanges CompareDigests(const TListDigest& Old, const TListDigest& New);

} // namespace kr6
