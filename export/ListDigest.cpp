#include "export/ListDigest.h"

#include "model/CoatingParts.h"
#include "model/Coatings.h"
#include "model/CodeIndex.h"
#include "model/Combinations.h"
#include "model/GlassParts.h"
#include "model/Glasses.h"
#include "model/Root.h"

#include <algorithm>
#include <tuple>

namespace kr6 {
namespace {

using TGlassPrice = TListDigest::TGlassPrice;
using TCoatingPrice = TListDigest::TCoatingPrice;

auto KeyOf(const TGlassPrice& P) {
    return std::tie(P.GSph, P.GCyl, P.DiameterFirst, P.DiameterSecond, P.Elliptical, P.PBID, P.LBI);
}

auto KeyOf(const TCoatingPrice& P) {
    return std::tie(P.Glass, P.ST, P.MAT, P.EM, P.PBID);
}

// Sorts by key and keeps the last price of each key, the one the model's lookup finds.
template <class T> void SortKeepingLast(std::vector<T>& Prices) {
    std::stable_sort(Prices.begin(), Prices.end(),
                     [](const T& A, const T& B) { return KeyOf(A) < KeyOf(B); });
    std::vector<T> Kept;
    Kept.reserve(Prices.size());
    for (std::size_t I = 0; I < Prices.size(); ++I) {
        if (I + 1 < Prices.size() && KeyOf(Prices[I]) == KeyOf(Prices[I + 1]))
            continue;
        Kept.push_back(std::move(Prices[I]));
    }
    Prices = std::move(Kept);
}

std::vector<TGlassPrice> GlassPricesOf(const Tdex6DataGlas& Glas) {
    std::vector<TGlassPrice> Prices;
    Prices.reserve(static_cast<std::size_t>(Glas.GlasPreisListe()->Count()));
    for (const auto& Price : *Glas.GlasPreisListe())
        Prices.push_back({Price->GSph, Price->GCyl, Price->GDM.First, Price->GDM.Second,
                          Price->PBID, Price->LBI, Price->GDM.Elliptical, Price->PR()});
    SortKeepingLast(Prices);
    return Prices;
}

std::vector<TCoatingPrice> CoatingPricesOf(const Tdex6DataBeschichtung& Coating) {
    std::vector<TCoatingPrice> Prices;
    for (const auto& Price : *Coating.PreisListe())
        Prices.push_back({SameTextKey(Price->Edv), static_cast<std::uint8_t>(Price->ST),
                          static_cast<std::uint8_t>(Price->MAT),
                          static_cast<std::uint8_t>(Price->EM), Price->PBID, Price->PR()});
    SortKeepingLast(Prices);
    return Prices;
}

void SortUnique(std::vector<std::string>& Codes) {
    std::sort(Codes.begin(), Codes.end());
    Codes.erase(std::unique(Codes.begin(), Codes.end()), Codes.end());
}

// Each code with its length in front, so that no two lists of codes run together.
std::string RuleIdentity(const Tdex6DataKombination& Rule) {
    std::array<std::string, 3> Slots{SameTextKey(Rule.B1E()), SameTextKey(Rule.B2E()),
                                     SameTextKey(Rule.B3E())};
    std::sort(Slots.begin(), Slots.end());
    std::string Identity;
    for (const std::string& Code : {SameTextKey(Rule.GE()), Slots[0], Slots[1], Slots[2]})
        Identity.append(std::to_string(Code.size())).append(1, ':').append(Code);
    return Identity;
}

// Codes only in First, in order.
std::vector<std::string> Missing(const std::vector<std::string>& First,
                                 const std::vector<std::string>& Second) {
    std::vector<std::string> Result;
    std::set_difference(First.begin(), First.end(), Second.begin(), Second.end(),
                        std::back_inserter(Result));
    return Result;
}

template <class T>
void ComparePrices(const std::unordered_map<std::string, std::vector<T>>& Old,
                   const std::unordered_map<std::string, std::vector<T>>& New,
                   TPriceChanges& Changes) {
    for (const auto& [Code, NewPrices] : New) {
        const auto Found = Old.find(Code);
        if (Found == Old.end())
            continue;
        const std::vector<T>& OldPrices = Found->second;
        std::size_t I = 0;
        std::size_t J = 0;
        while (I < OldPrices.size() || J < NewPrices.size()) {
            if (J == NewPrices.size() ||
                (I < OldPrices.size() && KeyOf(OldPrices[I]) < KeyOf(NewPrices[J]))) {
                ++Changes.Removed;
                ++I;
            } else if (I == OldPrices.size() || KeyOf(NewPrices[J]) < KeyOf(OldPrices[I])) {
                ++Changes.Added;
                ++J;
            } else {
                if (OldPrices[I].Amount != NewPrices[J].Amount)
                    ++Changes.Changed;
                ++I;
                ++J;
            }
        }
    }
}

bool RuleLess(const TRuleDigest& A, const TRuleDigest& B) {
    return std::tie(A.Lens, A.Slots) < std::tie(B.Lens, B.Slots);
}

} // namespace

TCodeNames::TCodeNames(const Tdex6Dataobject& Root) {
    for (const auto& Glas : *Root.Glasliste())
        FLenses.insert_or_assign(Glas->EDV(), Glas->GetB(1));
    for (const auto& Coating : *Root.Beschichtungsliste())
        FCoatings.insert_or_assign(Coating->EDV(), Coating->GetB(1));
}

std::string_view TCodeNames::Find(const TMap& Map, std::string_view Code) {
    if (Code.empty())
        return {};
    const auto Found = Map.find(std::string(Code));
    return Found == Map.end() ? std::string_view() : std::string_view(Found->second);
}

TListDigest DigestList(const Tdex6Dataobject& Root) {
    TListDigest Digest;
    // The later of two glasses with one code holds the prices the model's lookups find.
    for (const auto& Glas : *Root.Glasliste()) {
        Digest.Lenses.push_back(Glas->EDV());
        Digest.GlassPrices.insert_or_assign(Glas->EDV(), GlassPricesOf(*Glas));
    }
    for (const auto& Coating : *Root.Beschichtungsliste()) {
        Digest.Coatings.push_back(Coating->EDV());
        Digest.CoatingPrices.insert_or_assign(Coating->EDV(), CoatingPricesOf(*Coating));
    }
    SortUnique(Digest.Lenses);
    SortUnique(Digest.Coatings);
    for (const auto& Rule : *Root.KombinationsListe())
        Digest.Rules.try_emplace(
            RuleIdentity(*Rule),
            TRuleDigest{Rule->GE(), {Rule->B1E(), Rule->B2E(), Rule->B3E()}, Rule->LB()});
    Digest.Names = TCodeNames(Root);
    return Digest;
}

TModelChanges CompareDigests(const TListDigest& Old, const TListDigest& New) {
    TModelChanges Changes;
    Changes.LensesAdded = Missing(New.Lenses, Old.Lenses);
    Changes.LensesRemoved = Missing(Old.Lenses, New.Lenses);
    Changes.CoatingsAdded = Missing(New.Coatings, Old.Coatings);
    Changes.CoatingsRemoved = Missing(Old.Coatings, New.Coatings);

    for (const auto& [Identity, Rule] : New.Rules) {
        const auto Found = Old.Rules.find(Identity);
        if (Found == Old.Rules.end())
            Changes.RulesAdded.push_back(Rule);
        else if (Found->second.Delivery != Rule.Delivery)
            Changes.RulesChanged.push_back({Rule, Found->second.Delivery});
    }
    for (const auto& [Identity, Rule] : Old.Rules) {
        if (!New.Rules.contains(Identity))
            Changes.RulesRemoved.push_back(Rule);
    }
    std::sort(Changes.RulesAdded.begin(), Changes.RulesAdded.end(), RuleLess);
    std::sort(Changes.RulesRemoved.begin(), Changes.RulesRemoved.end(), RuleLess);
    std::sort(Changes.RulesChanged.begin(), Changes.RulesChanged.end(),
              [](const TRuleChange& A, const TRuleChange& B) { return RuleLess(A.Rule, B.Rule); });

    ComparePrices(Old.GlassPrices, New.GlassPrices, Changes.GlassPrices);
    ComparePrices(Old.CoatingPrices, New.CoatingPrices, Changes.CoatingPrices);
    return Changes;
}

} // namespace kr6
