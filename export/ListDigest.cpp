#include "export/ListDigest.h"

#include "model/CoatingParts.h"
#include "model/Coatings.h"
#include "model/CodeIndex.h"
#include "model/Combinations.h"
#include "model/GlassParts.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "support/PoolMemory.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <iterator>
#include <span>
#include <tuple>
#include <type_traits>

namespace kr6 {
namespace {

using TGlassPrice = TPriceDigest::TGlassPrice;
using TCoatingPrice = TPriceDigest::TCoatingPrice;

// Any order of the keys serves the comparison; this is the one in which the import leaves
// the prices of a price file written in ascending order, so they need no sorting.
auto KeyOf(const TGlassPrice& P) {
    return PriceFileOrder(P.Key);
}

auto KeyOf(const TCoatingPrice& P) {
    return std::tie(P.Glass, P.ST, P.MAT, P.EM, P.PBID);
}

// Sorts the prices by key and keeps the last price of each key, the one the
// model's lookup finds. Prices that are in key order already, as the import of a sorted
// list leaves them, are only checked.
template <class T> void SortKeepingLast(std::vector<T>& Prices) {
    const auto First = Prices.begin();
    const auto NotAscending = [](const T& A, const T& B) {
        return !(KeyOf(A) < KeyOf(B));
    };
    if (std::adjacent_find(First, Prices.end(), NotAscending) == Prices.end())
        return;
    std::stable_sort(First, Prices.end(),
                     [](const T& A, const T& B) { return KeyOf(A) < KeyOf(B); });
    auto Kept = First;
    for (auto It = First; It != Prices.end(); ++It) {
        const auto Next = std::next(It);
        if (Next != Prices.end() && KeyOf(*It) == KeyOf(*Next))
            continue;
        if (Kept != It)
            *Kept = std::move(*It);
        ++Kept;
    }
    Prices.erase(Kept, Prices.end());
}

std::size_t PriceCount(const Tdex6DataGlas& Glas) {
    return static_cast<std::size_t>(Glas.GlasPreisListe()->Count());
}

std::size_t PriceCount(const Tdex6DataBeschichtung& Coating) {
    return static_cast<std::size_t>(Coating.PreisListe()->Count());
}

void AppendPrices(const Tdex6DataGlas& Glas, std::vector<TGlassPrice>& Prices) {
    Glas.GlasPreisListe()->ForEachPrice([&](const TGlassPriceKey& Key, double Amount) {
        Prices.push_back({Key, Amount});
    });
}

// A special price holds the material of its glass and no single/multi-focal kind, whatever
// its line said: keyed by what it holds, it is the same price when only its line changed.
void AppendPrices(const Tdex6DataBeschichtung& Coating, std::vector<TCoatingPrice>& Prices) {
    for (const auto& Price : *Coating.PreisListe())
        Prices.push_back({SameTextKey(Price->Edv), static_cast<std::uint8_t>(Price->ST),
                          static_cast<std::uint8_t>(Price->EffectiveMAT()),
                          static_cast<std::uint8_t>(Price->EffectiveEM()), Price->PBID,
                          Price->PR()});
}

// How the digest keeps the sorted prices of one element after another: coating prices
// (far fewer) as they are, glass prices packed. A packed glass price is a byte of flags,
// then the differences of the keys flagged as other than those of the price before it
// (of the same lens) as variable-length numbers, then the amount unless it is flagged as
// the same. Prices sorted by key share most keys with the one before, so they take about
// a quarter of their unpacked size; a large list has millions, and fresh memory costs
// more than packing them.
template <class TKey> auto PackedKeys(TKey& Key) {
    return std::array{&Key.GDM.First, &Key.GDM.Second, &Key.GSph, &Key.GCyl, &Key.LBI, &Key.PBID};
}
constexpr std::size_t PackedKeyCount = 6;
constexpr std::uint8_t OtherElliptical = 0x40;
constexpr std::uint8_t SameAmount = 0x80;
// A difference of two 32-bit numbers needs at most five bytes.
constexpr std::size_t MaxPackedBytes = 1 + 5 * PackedKeyCount + sizeof(double);

std::uint8_t* PutNumber(std::uint8_t* At, std::int64_t Number) {
    // Small numbers of either sign in few bytes: the sign goes to the lowest bit.
    auto Value =
        (static_cast<std::uint64_t>(Number) << 1) ^ static_cast<std::uint64_t>(Number >> 63);
    for (; Value >= 0x80; Value >>= 7)
        *At++ = static_cast<std::uint8_t>(Value | 0x80);
    *At++ = static_cast<std::uint8_t>(Value);
    return At;
}

std::int64_t GetNumber(const std::uint8_t*& At) {
    std::uint64_t Value = 0;
    for (int Shift = 0;; Shift += 7) {
        const std::uint8_t Byte = *At++;
        Value |= static_cast<std::uint64_t>(Byte & 0x7F) << Shift;
        if (Byte < 0x80)
            break;
    }
    return static_cast<std::int64_t>((Value >> 1) ^ (0 - (Value & 1)));
}

void Store(std::vector<std::uint8_t>& Bytes, const std::vector<TGlassPrice>& Prices) {
    TGlassPrice Before;
    std::array<std::uint8_t, MaxPackedBytes> Packed;
    for (const TGlassPrice& Price : Prices) {
        std::uint8_t Flags = 0;
        std::uint8_t* At = Packed.data() + 1;
        const auto Keys = PackedKeys(Price.Key);
        const auto KeysBefore = PackedKeys(Before.Key);
        for (std::size_t K = 0; K < PackedKeyCount; ++K) {
            if (*Keys[K] == *KeysBefore[K])
                continue;
            Flags |= static_cast<std::uint8_t>(1U << K);
            At = PutNumber(At, std::int64_t{*Keys[K]} - *KeysBefore[K]);
        }
        if (Price.Key.GDM.Elliptical != Before.Key.GDM.Elliptical)
            Flags |= OtherElliptical;
        // Compared and kept bit for bit, so that the comparison of amounts sees them as
        // they were.
        const auto Amount = std::bit_cast<std::uint64_t>(Price.Amount);
        if (Amount == std::bit_cast<std::uint64_t>(Before.Amount)) {
            Flags |= SameAmount;
        } else {
            std::memcpy(At, &Amount, sizeof Amount);
            At += sizeof Amount;
        }
        Packed[0] = Flags;
        Bytes.insert(Bytes.end(), Packed.data(), At);
        Before = Price;
    }
}

std::span<const TGlassPrice> Load(const std::vector<std::uint8_t>& Bytes, std::size_t From,
                                  std::size_t To, std::vector<TGlassPrice>& Prices) {
    Prices.clear();
    TGlassPrice Price;
    const auto Keys = PackedKeys(Price.Key);
    for (const std::uint8_t* At = Bytes.data() + From; At != Bytes.data() + To;) {
        const std::uint8_t Flags = *At++;
        for (std::size_t K = 0; K < PackedKeyCount; ++K) {
            if ((Flags & (1U << K)) != 0)
                *Keys[K] = static_cast<std::int32_t>(*Keys[K] + GetNumber(At));
        }
        if ((Flags & OtherElliptical) != 0)
            Price.Key.GDM.Elliptical = !Price.Key.GDM.Elliptical;
        if ((Flags & SameAmount) == 0) {
            std::uint64_t Amount = 0;
            std::memcpy(&Amount, At, sizeof Amount);
            At += sizeof Amount;
            Price.Amount = std::bit_cast<double>(Amount);
        }
        Prices.push_back(Price);
    }
    return Prices;
}

void Reserve(std::vector<std::uint8_t>& Bytes, std::size_t Prices) {
    // Untouched memory costs nothing, so the most the prices can take is reserved.
    Bytes.reserve(Prices * MaxPackedBytes);
    PreferHugePages(Bytes.data(), Bytes.capacity());
}

void Reserve(std::vector<TCoatingPrice>& Stored, std::size_t Prices) {
    Stored.reserve(Prices);
}

void Store(std::vector<TCoatingPrice>& Stored, const std::vector<TCoatingPrice>& Prices) {
    Stored.insert(Stored.end(), Prices.begin(), Prices.end());
}

std::span<const TCoatingPrice> Load(const std::vector<TCoatingPrice>& Stored, std::size_t From,
                                    std::size_t To, std::vector<TCoatingPrice>& /*Prices*/) {
    return std::span(Stored).subspan(From, To - From);
}

// The elements of a coded list in ascending byte order of their exact codes; of two
// with one code only the later, whose prices and names the model's lookups find.
template <class TList> auto LastByCode(const TList& List) {
    using T = std::remove_cvref_t<decltype(*List.begin()->get())>;
    std::vector<const T*> Items;
    Items.reserve(static_cast<std::size_t>(List.Count()));
    for (const auto& Item : List)
        Items.push_back(Item.get());
    std::stable_sort(Items.begin(), Items.end(),
                     [](const T* A, const T* B) { return A->EDV() < B->EDV(); });
    auto Kept = Items.begin();
    for (auto It = Items.begin(); It != Items.end(); ++It) {
        const auto Next = std::next(It);
        if (Next == Items.end() || (*Next)->EDV() != (*It)->EDV())
            *Kept++ = *It;
    }
    Items.erase(Kept, Items.end());
    return Items;
}

template <class TItems> std::vector<std::string> CodesOf(const TItems& Items) {
    std::vector<std::string> Codes;
    Codes.reserve(Items.size());
    for (const auto* Item : Items)
        Codes.push_back(Item->EDV());
    return Codes;
}

// All prices in one block, reserved at once, made of huge pages where the system has them:
// the first touch of a large block costs more than filling it.
template <class TByCode, class TList> void CollectPrices(TByCode& Digest, const TList& List) {
    const auto Items = LastByCode(List);
    std::size_t Count = 0;
    for (const auto* Item : Items)
        Count += PriceCount(*Item);
    Digest.Codes = CodesOf(Items);
    Digest.Starts.reserve(Items.size() + 1);
    Reserve(Digest.Stored, Count);
    std::vector<typename TByCode::TPrice> Prices;
    for (const auto* Item : Items) {
        Prices.clear();
        AppendPrices(*Item, Prices);
        SortKeepingLast(Prices);
        Store(Digest.Stored, Prices);
        Digest.Starts.push_back(Digest.Stored.size());
    }
}

template <class T>
void CountChanges(std::span<const T> OldPrices, std::span<const T> NewPrices,
                  TPriceChanges& Changes) {
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

// The new list's prices are gathered one element at a time, so that they need no more
// memory than the element with the most prices.
template <class TByCode, class TList>
TPriceChanges ComparePrices(const TByCode& Old, const TList& New) {
    using T = typename TByCode::TPrice;
    TPriceChanges Changes;
    std::vector<T> Prices;
    std::vector<T> OldPrices;
    std::size_t I = 0;
    for (const auto* Item : LastByCode(New)) {
        while (I < Old.Codes.size() && Old.Codes[I] < Item->EDV())
            ++I;
        if (I == Old.Codes.size())
            break;
        if (Old.Codes[I] != Item->EDV())
            continue;
        Prices.clear();
        AppendPrices(*Item, Prices);
        SortKeepingLast(Prices);
        CountChanges(Load(Old.Stored, Old.Starts[I], Old.Starts[I + 1], OldPrices),
                     std::span<const T>(Prices), Changes);
        ++I;
    }
    return Changes;
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
    Digest.Lenses = CodesOf(LastByCode(*Root.Glasliste()));
    Digest.Coatings = CodesOf(LastByCode(*Root.Beschichtungsliste()));
    for (const auto& Rule : *Root.KombinationsListe())
        Digest.Rules.try_emplace(
            RuleIdentity(*Rule),
            TRuleDigest{Rule->GE(), {Rule->B1E(), Rule->B2E(), Rule->B3E()}, Rule->LB()});
    Digest.Names = TCodeNames(Root);
    return Digest;
}

TPriceDigest::TPriceDigest(const Tdex6Dataobject& Root) {
    CollectPrices(FGlass, *Root.Glasliste());
    CollectPrices(FCoating, *Root.Beschichtungsliste());
}

TPriceComparison TPriceDigest::CompareWith(const Tdex6Dataobject& New) const {
    return {ComparePrices(FGlass, *New.Glasliste()),
            ComparePrices(FCoating, *New.Beschichtungsliste())};
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
    return Changes;
}

} // namespace kr6
