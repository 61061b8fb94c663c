// The code, rule and price indexes and the sort-number order against the plain walks and the
// literal renumbering, on random operation sequences. The order tree is seen through the
// renumbering; lookups from several threads through the threaded evaluation tests.
#include "model/CoatingParts.h"
#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/GlassParts.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "support/Conversions.h"
#include "support/StringList.h"
#include "support/TextCompare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <type_traits>
#include <vector>

namespace kr6 {
namespace {

// A sorted list accepting duplicates of the keys CSNR * 10 (+ 1 for all but Changed);
// the numbers are kept by list position.
void LiteralRenumber(std::vector<std::int32_t>& Numbers, std::size_t Changed) {
    TStringList Keys(true, TStringList::TDuplicates::Accept);
    std::vector<std::size_t> Positions(Numbers.size());
    for (std::size_t I = 0; I < Numbers.size(); ++I) {
        Positions[I] = I;
        Keys.Add(IntToZeroPadded(std::int64_t{Numbers[I]} * 10 + (I == Changed ? 0 : 1), 9),
                 &Positions[I]);
    }
    for (int I = 0; I < Keys.Count(); ++I)
        Numbers[*static_cast<std::size_t*>(Keys.Objects(I))] = I;
}

std::int32_t RandomSortNumber(std::mt19937& Random, std::size_t Count) {
    static constexpr std::array<std::int32_t, 8> Odd{
        -1, -150, -123456789, 99'999'999, 100'000'000, 123'456'789, INT32_MAX, INT32_MIN};
    switch (Random() % 4) {
    case 0:
        return Odd[Random() % Odd.size()];
    case 1: // ties
        return static_cast<std::int32_t>(Random() % 3);
    default:
        return static_cast<std::int32_t>(Random() % (Count + 3));
    }
}

template <class TList> void CheckRenumberingAgainstLiteral(unsigned Seed) {
    constexpr bool IsGlassList = std::is_same_v<TList, Tdex6DataGlasliste>;
    Tdex6Dataobject Root;
    TList* List = nullptr;
    if constexpr (IsGlassList)
        List = Root.Glasliste();
    else
        List = Root.Beschichtungsliste();
    List->Reset(false);
    std::vector<std::int32_t> Numbers;
    std::mt19937 Random(Seed);
    for (int Step = 0; Step < 300; ++Step) {
        const std::size_t Count = Numbers.size();
        const unsigned Op = Count == 0 ? 0 : Random() % 20;
        const auto Renumber = [&](std::size_t Changed) {
            if (List->AutoSort)
                LiteralRenumber(Numbers, Changed);
        };
        if (Op < 13) {
            // A new element with a sort number, as the import adds it, or a new number.
            std::size_t I = Count;
            if (Op >= 6) {
                I = Random() % Count;
            } else if constexpr (IsGlassList) {
                List->NewGlas();
                Numbers.push_back(100000);
                Renumber(Count);
            } else {
                List->NewItem();
                Numbers.push_back(0);
            }
            if (Op < 6 && Random() % 2 == 0)
                List->Items(static_cast<int>(Count))->Clear(false);
            Numbers[I] = RandomSortNumber(Random, Count);
            List->Items(static_cast<int>(I))->SetCSNR(Numbers[I]);
            Renumber(I);
        } else if (Op == 13) {
            const std::size_t I = Random() % Count;
            List->Items(static_cast<int>(I))->Clear(false);
            Numbers[I] = 0;
        } else if (Op == 14) {
            List->AutoSort = !List->AutoSort;
        } else if (Op == 15) {
            List->Renumber();
            if (IsGlassList || List->AutoSort)
                LiteralRenumber(Numbers, 0);
        } else if (Op == 16) {
            const std::size_t I = Random() % Count;
            if constexpr (IsGlassList)
                List->Delete(static_cast<int>(I));
            else
                List->Remove(List->Items(static_cast<int>(I)));
            Numbers.erase(Numbers.begin() + static_cast<std::ptrdiff_t>(I));
        } else if (Op == 17) {
            List->AddNew();
            Numbers.push_back(0);
        } else {
            List->AutoSort = true;
        }
        ASSERT_EQ(List->Count(), static_cast<int>(Numbers.size()));
        for (std::size_t I = 0; I < Numbers.size(); ++I)
            ASSERT_EQ(List->Items(static_cast<int>(I))->CSNR(), Numbers[I])
                << "seed " << Seed << ", step " << Step << ", element " << I;
    }
}

TEST(SortNumberOrder, RenumberingEndsAsTheLiteralOne) {
    for (unsigned Seed = 1; Seed <= 12; ++Seed) {
        CheckRenumberingAgainstLiteral<Tdex6DataGlasliste>(Seed);
        CheckRenumberingAgainstLiteral<Tdex6DataBeschichtungsliste>(Seed);
    }
}

const std::array<std::string_view, 7> Codes{"AB12", "ab12", "Ab12 ", "X", "", "\xE4", "\xC4"};

TEST(CodeIndex, FindByEDVAnswersAsTheWalkUnderChanges) {
    Tdex6Dataobject Root;
    Root.ClearAll(true);
    Tdex6DataGlasliste& Glasses = *Root.Glasliste();
    Tdex6DataBeschichtungsliste& Coatings = *Root.Beschichtungsliste();
    std::mt19937 Random(7);
    const auto Code = [&] {
        return Codes[Random() % Codes.size()];
    };
    for (int Step = 0; Step < 600; ++Step) {
        const unsigned Op = Random() % 8;
        if (Op < 2) {
            Glasses.NewGlas()->SetEDV(Code());
            Coatings.NewItem()->SetEDV(Code());
        } else if (Op < 6 && !Glasses.IsEmpty() && !Coatings.IsEmpty()) {
            const int G = static_cast<int>(Random() % Glasses.Count());
            const int C = static_cast<int>(Random() % Coatings.Count());
            if (Op == 4) {
                Glasses.Delete(G);
                Coatings.Remove(Coatings.Items(C));
            } else if (Op == 5) {
                Glasses.Items(G)->Clear(false);
                Coatings.Items(C)->Clear(false);
            } else {
                Glasses.Items(G)->SetEDV(Code());
                Coatings.Items(C)->SetEDV(Code());
            }
        } else if (Op == 6 && Random() % 10 == 0) {
            Glasses.Reset(false);
            Coatings.Reset(Random() % 2 == 0);
        }
        for (std::string_view Wanted : Codes) {
            for (const std::string& Query : {std::string(Wanted), std::string(Wanted) + "  "}) {
                const Tdex6DataGlas* Glass = nullptr;
                for (const auto& Item : Glasses)
                    if (SameText(Item->EDV(), TrimRightBlanks(Query)))
                        Glass = Item.get();
                ASSERT_EQ(Glasses.FindByEDV(Query), Glass) << "step " << Step;
                const Tdex6DataBeschichtung* Coating = nullptr;
                for (const auto& Item : Coatings)
                    if (!Query.empty() && SameText(Item->EDV(), Query))
                        Coating = Item.get();
                ASSERT_EQ(Coatings.FindByEDV(Query), Coating) << "step " << Step;
            }
        }
    }
}

// The first rule for the lens whose slots are a permutation of the wanted ones.
const Tdex6DataKombination* PlainFindRule(const Tdex6DataKombinationsListe& Rules,
                                          std::string_view Glass,
                                          std::array<std::string_view, 3> Wanted) {
    std::sort(Wanted.begin(), Wanted.end());
    for (const auto& Rule : Rules) {
        if (!SameText(Rule->GE(), Glass))
            continue;
        std::array<std::string_view, 3> Order = Wanted;
        do {
            if (SameText(Rule->B1E(), Order[0]) && SameText(Rule->B2E(), Order[1]) &&
                SameText(Rule->B3E(), Order[2]))
                return Rule.get();
        } while (std::next_permutation(Order.begin(), Order.end()));
    }
    return nullptr;
}

TEST(RuleIndex, FindRuleAnswersAsTheWalkUnderChanges) {
    Tdex6Dataobject Root;
    Tdex6DataKombinationsListe& Rules = *Root.KombinationsListe();
    const std::array<std::string_view, 6> RuleCodes{"AR", "ar", "HC", "", "******", "1:A"};
    std::mt19937 Random(11);
    const auto Code = [&] {
        return RuleCodes[Random() % RuleCodes.size()];
    };
    const auto AnyRule = [&] {
        return Rules.GetItem(static_cast<int>(Random() % Rules.Count()));
    };
    for (int Step = 0; Step < 1500; ++Step) {
        const unsigned Op = Random() % 10;
        if (Op < 4 && !Rules.IsEmpty()) {
            Tdex6DataKombination& Rule = *AnyRule();
            if (Op == 0)
                Rule.SetB2E(Code());
            else if (Op == 1)
                Rule.SetGE(Code());
            else if (Op == 2)
                Rules.Remove(&Rule);
            else
                Rule.Clear(false);
        } else if (Op == 4) {
            Rules.SetSortEnabled(Random() % 2 == 0);
        } else if (Op == 5 && Random() % 20 == 0) {
            Rules.Reset(false);
        } else if (Op == 6) {
            // Rules that FindRule takes for the same, in an order a sort may change.
            Tdex6DataKombination& Rule = *Rules.NewRule();
            Rule.SetLB(Random() % 2 == 0 ? Tdex6Delivery::Lieferbar : Tdex6Delivery::NurLieferbar);
            Rule.SetGE(Code());
            Rule.SetB1E(Code());
            Rule.SetB2E(Code());
            Rule.SetB3E(Code());
        } else if (Op > 6) {
            Rules.AddRule(Code(), Code(), Code(), Code(), Tdex6Delivery::Lieferbar);
        }
        for (int Query = 0; Query < 8; ++Query) {
            std::string_view Glass = Code();
            std::array<std::string_view, 3> Slots{Code(), Code(), Code()};
            if (Query % 2 == 0 && !Rules.IsEmpty()) {
                // The codes of a rule there is, in another order.
                const Tdex6DataKombination& Rule = *AnyRule();
                Glass = Rule.GE();
                Slots = {Rule.B3E(), Rule.B1E(), Rule.B2E()};
            }
            ASSERT_EQ(Rules.FindRule(Glass, Slots[0], Slots[1], Slots[2]),
                      PlainFindRule(Rules, Glass, Slots))
                << "step " << Step;
        }
    }
}

TEST(PriceIndex, GlassFindPriceAnswersAsTheWalk) {
    Tdex6Dataobject Root;
    Root.ClearAll(true);
    Tdex6DataGlas& Glas = *Root.Glasliste()->NewGlas();
    for (int Group = 0; Group < 3; ++Group) {
        Glas.Preisgruppen()->SetS(Group, true);
        Glas.Preisgruppen()->SetC(Group, true);
    }
    Tdex6DataGlasPreisListe& Prices = *Glas.GlasPreisListe();
    // The empty diameter too: a price whose only key field set is its sphere group must
    // still move to the empty key when cleared.
    const std::array<TDiameter, 4> Diameters{TDiameter{}, MakeDiameter(70, 0, false),
                                             MakeDiameter(70, 0, true),
                                             MakeDiameter(70, 65, false)};
    std::mt19937 Random(11);
    const auto Key = [&] {
        return TGlassPriceKey{
            static_cast<std::int32_t>(Random() % 4), static_cast<std::int32_t>(Random() % 4),
            Diameters[Random() % Diameters.size()], static_cast<std::int32_t>(Random() % 4),
            static_cast<std::int32_t>(Random() % 2)};
    };
    // Whether FindPrice answers as the walk, creating where the groups allow it.
    const auto Agrees = [&](const TGlassPriceKey& K, bool Create) {
        Tdex6DataGlasPreis* Walked = nullptr;
        for (const auto& Price : Prices)
            if (Price->Key() == K)
                Walked = Price.get();
        const bool Creates = Walked == nullptr && Create && K.GSph < 3 && K.GCyl < 3 &&
                             K.LBI == 0 && (K.PBID == 1 || K.PBID == 2);
        const int Count = Prices.Count();
        Tdex6DataGlasPreis* Found = Prices.FindPrice(K.GSph, K.GCyl, K.GDM, K.PBID, K.LBI, Create);
        return Prices.Count() == Count + (Creates ? 1 : 0) &&
               Found == (Creates ? Prices.Items(Count) : Walked);
    };
    for (int Step = 0; Step < 3000; ++Step) {
        const unsigned Op = Random() % 20;
        if (Op == 0) {
            Prices.DeleteByPBID(static_cast<std::int32_t>(Random() % 4));
        } else if (Op == 1 || (Op == 2 && Prices.IsEmpty())) {
            const TGlassPriceKey K = Key();
            Tdex6DataGlasPreis& Price = *Prices.NewItem();
            Price.GSph = K.GSph;
            Price.GCyl = K.GCyl;
            Price.GDM = K.GDM;
            Price.PBID = K.PBID;
            Price.LBI = K.LBI;
        } else if (Op == 2) {
            Tdex6DataGlasPreis& Price = *Prices.Items(static_cast<int>(Random() % Prices.Count()));
            Price.GSph = Key().GSph;
            Prices.KeysChanged();
        } else if (Op == 3 && !Prices.IsEmpty()) {
            const int I = static_cast<int>(Random() % Prices.Count());
            if (Random() % 2 == 0) {
                Prices.Delete(I);
            } else {
                // A cleared price moves to the empty key, even when only one key field was set.
                Prices.Items(I)->Clear(false);
                ASSERT_TRUE(Agrees(TGlassPriceKey{}, false)) << "step " << Step;
            }
        } else {
            ASSERT_TRUE(Agrees(Key(), Random() % 2 == 0)) << "step " << Step;
        }
    }
    // Cleared groups make no new prices, cylinder groups included.
    Glas.Preisgruppen()->Clear(false);
    Glas.Preisgruppen()->SetS(0, true);
    EXPECT_EQ(Prices.FindPrice(0, 0, MakeDiameter(60, 0, false), 1, 0, true), nullptr);
}

TEST(PriceIndex, CoatingFindPriceAnswersAsTheWalk) {
    Tdex6Dataobject Root;
    Root.ClearAll(true);
    Tdex6DataGlas& Glas = *Root.Glasliste()->NewGlas();
    Glas.SetEDV("G1");
    Glas.MAT = Tdex6Material::Kunststoff;
    Tdex6DataBeschichtungspreisListe& Prices = *Root.Beschichtungsliste()->NewItem()->PreisListe();
    const std::array<std::string_view, 4> GlassCodes{"", "G1", "g1", "G2"};
    std::mt19937 Random(13);
    const auto Small = [&](unsigned Count) {
        return static_cast<std::int32_t>(Random() % Count);
    };
    for (int Step = 0; Step < 3000; ++Step) {
        const unsigned Op = Random() % 20;
        if (Op == 0) {
            Prices.DeleteByPBID(Small(4));
        } else if (Op == 1) {
            Tdex6DataBeschichtungspreis& Price = *Prices.NewItem();
            Price.Edv = GlassCodes[Random() % GlassCodes.size()];
            Price.ST = static_cast<Tdex6SphTor>(Small(3));
            Price.MAT = static_cast<Tdex6Material>(Small(5));
            Price.EM = static_cast<Tdex6SingleMulti>(Small(3));
            Price.PBID = Small(4);
        } else if (Op == 2 && !Prices.IsEmpty()) {
            Prices.Items(static_cast<int>(Random() % Prices.Count()))->Clear(false);
        } else {
            const auto ST = static_cast<Tdex6SphTor>(Small(3));
            const auto MAT = static_cast<Tdex6Material>(Small(5));
            const auto EM = static_cast<Tdex6SingleMulti>(Small(3));
            const std::int32_t PBID = Small(4);
            const std::string_view Code = GlassCodes[Random() % GlassCodes.size()];
            const bool Create = Random() % 2 == 0;
            Tdex6DataBeschichtungspreis* Walked = nullptr;
            for (const auto& Price : Prices) {
                const bool Matches = Code.empty() ? Price->Edv.empty() && Price->ST == ST &&
                                                        Price->EffectiveMAT() == MAT &&
                                                        Price->EffectiveEM() == EM
                                                  : SameText(Price->Edv, Code);
                if (Matches && Price->PBID == PBID)
                    Walked = Price.get();
            }
            const bool Asks = !(MAT == Tdex6Material::Egal && Code.empty());
            const bool Creates = Asks && Walked == nullptr && Create && (PBID == 1 || PBID == 2);
            const int Count = Prices.Count();
            Tdex6DataBeschichtungspreis* Found = Prices.FindPrice(ST, EM, Create, Code, PBID, MAT);
            ASSERT_EQ(Prices.Count(), Count + (Creates ? 1 : 0)) << "step " << Step;
            ASSERT_EQ(Found, Creates ? Prices.Items(Count)
                             : Asks  ? Walked
                                     : nullptr)
                << "step " << Step;
        }
    }
}

} // namespace
} // namespace kr6
