#include "export/ListDigest.h"

#include "model/CoatingParts.h"
#include "model/Coatings.h"
#include "model/GlassParts.h"
#include "model/Glasses.h"
#include "model/Root.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string_view>
#include <vector>

namespace kr6 {
namespace {

Tdex6DataGlasPreisListe& Lens(Tdex6Dataobject& Root, std::string_view Code) {
    Tdex6DataGlas& Glas = *Root.Glasliste()->NewGlas();
    Glas.SetEDV(Code);
    return *Glas.GlasPreisListe();
}

void Price(Tdex6DataGlasPreisListe& Prices, const TGlassPriceKey& Key, double Amount) {
    Tdex6DataGlasPreis& Price = *Prices.NewItem();
    Price.GSph = Key.GSph;
    Price.GCyl = Key.GCyl;
    Price.GDM = Key.GDM;
    Price.PBID = Key.PBID;
    Price.LBI = Key.LBI;
    Price.SetPR(Amount);
}

Tdex6DataBeschichtungspreisListe& Coating(Tdex6Dataobject& Root, std::string_view Code) {
    Tdex6DataBeschichtung& Coating = *Root.Beschichtungsliste()->AddNew();
    Coating.SetEDV(Code);
    return *Coating.PreisListe();
}

void Price(Tdex6DataBeschichtungspreisListe& Prices, std::string_view Glass, std::int32_t PBID,
           double Amount) {
    Tdex6DataBeschichtungspreis& Price = *Prices.NewItem();
    Price.Edv = Glass;
    Price.ST = Tdex6SphTor::Torisch;
    Price.MAT = Tdex6Material::Kunststoff;
    Price.EM = Tdex6SingleMulti::Einst;
    Price.PBID = PBID;
    Price.SetPR(Amount);
}

void ExpectChanges(const TPriceChanges& Changes, std::int64_t Changed, std::int64_t Added,
                   std::int64_t Removed) {
    EXPECT_EQ(Changes.Changed, Changed);
    EXPECT_EQ(Changes.Added, Added);
    EXPECT_EQ(Changes.Removed, Removed);
}

// Prices are matched by their full keys within a lens or coating of both lists; of two
// prices with one key, and of two elements with one code, the later one counts, as the
// model's lookups find it; the order in which the model holds them does not matter.
TEST(ListDigest, PricesCompareAsTheModelsLookupsFindThem) {
    const TGlassPriceKey K1{1, 1, {65, 0, false}, 1};
    const TGlassPriceKey K2{2, 1, {65, 0, false}, 1};
    const TGlassPriceKey K3{3, 1, {65, 0, false}, 1};
    const TGlassPriceKey K4{1, 2, {70, 0, false}, 1};
    const TGlassPriceKey K1Elliptical{1, 1, {65, 0, true}, 1};
    const TGlassPriceKey K1OtherPrice{1, 1, {65, 0, false}, 2};
    const TGlassPriceKey K1OtherRange{1, 1, {65, 0, false}, 1, 3};

    Tdex6Dataobject Old;
    Tdex6DataGlasPreisListe& OldA = Lens(Old, "A");
    Price(OldA, K4, 40);
    Price(OldA, K2, 20);
    Price(OldA, K1, 10);
    Price(OldA, K3, 30);
    Price(OldA, K4, 41);
    Price(OldA, K1OtherRange, 60);
    Price(Lens(Old, "B"), K1, 1);
    Price(Lens(Old, "B"), K1, 2);
    Price(Lens(Old, "OLD"), K1, 5);
    Price(Lens(Old, "b"), K1, 7);
    Tdex6DataBeschichtungspreisListe& OldX = Coating(Old, "X");
    Price(OldX, "", 1, 5);
    Price(OldX, "", 2, 6);
    Price(OldX, "ab12", 1, 7);

    Tdex6Dataobject New;
    Tdex6DataGlasPreisListe& NewA = Lens(New, "A");
    Price(NewA, K1Elliptical, 11);
    Price(NewA, K1, 10);
    Price(NewA, K2, 25);
    Price(NewA, K4, 99);
    Price(NewA, K4, 41);
    Price(NewA, K1OtherPrice, 12);
    Price(NewA, K1OtherRange, 60);
    Price(Lens(New, "B"), K1, 2);
    Price(Lens(New, "NEW"), K1, 5);
    Price(Lens(New, "b"), K1, 8);
    Tdex6DataBeschichtungspreisListe& NewX = Coating(New, "X");
    Price(NewX, "ZZ", 1, 9);
    Price(NewX, "AB12", 1, 8);
    Price(NewX, "", 1, 5);

    const TPriceComparison Changes = TPriceDigest(Old).CompareWith(New);
    ExpectChanges(Changes.Glass, 2, 2, 1);
    ExpectChanges(Changes.Coating, 1, 1, 1);

    const TPriceComparison Back = TPriceDigest(New).CompareWith(Old);
    ExpectChanges(Back.Glass, 2, 1, 2);
    ExpectChanges(Back.Coating, 1, 1, 1);
}

// A special price is one per coating, glass and price description: a line that says
// another material or single/multi-focal kind for it makes the same price of the model.
TEST(ListDigest, SpecialCoatingPricesAreKeyedByWhatTheModelHolds) {
    const auto List = [](Tdex6Material Material, Tdex6SingleMulti Kind, double Amount) {
        auto Root = std::make_unique<Tdex6Dataobject>();
        Tdex6DataGlas& Glas = *Root->Glasliste()->NewGlas();
        Glas.SetEDV("GL1");
        Glas.MAT = Tdex6Material::Kunststoff;
        Tdex6DataBeschichtungspreisListe& Prices = Coating(*Root, "X");
        Price(Prices, "GL1", 1, Amount);
        Prices.Items(0)->MAT = Material;
        Prices.Items(0)->EM = Kind;
        Price(Prices, "", 1, 3);
        Prices.Items(1)->MAT = Material;
        return Root;
    };
    const auto Old = List(Tdex6Material::Egal, Tdex6SingleMulti::Einst, 7);
    const auto Same = List(Tdex6Material::Silikat, Tdex6SingleMulti::Mehrst, 7);
    const auto Dearer = List(Tdex6Material::Silikat, Tdex6SingleMulti::Mehrst, 8);
    // The general price of another material is another price.
    ExpectChanges(TPriceDigest(*Old).CompareWith(*Same).Coating, 0, 1, 1);
    ExpectChanges(TPriceDigest(*Old).CompareWith(*Dearer).Coating, 1, 1, 1);
}

// Keys anywhere in their range and amounts repeated or signed as the model holds them.
TEST(ListDigest, PricesKeepEveryKeyAndAmountExactly) {
    constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
    const std::vector<TGlassPriceKey> Keys{{Min, Max, {Max, Min, true}, Min, Max},
                                           {Max, Min, {Min, Max, false}, Max, Min},
                                           {-1, 0, {0, -1, true}, 1, -2},
                                           {0, 0, {0, 0, false}, 0, 0},
                                           {1, 1, {1, 1, false}, 1, 1}};
    Tdex6Dataobject Old;
    Tdex6Dataobject New;
    Tdex6DataGlasPreisListe& OldPrices = Lens(Old, "A");
    Tdex6DataGlasPreisListe& NewPrices = Lens(New, "A");
    for (const TGlassPriceKey& Key : Keys) {
        Price(OldPrices, Key, 5);
        Price(NewPrices, Key, 5);
    }
    TGlassPriceKey Moved = Keys[2];
    ++Moved.LBI;
    Price(OldPrices, Moved, -0.0);
    Price(NewPrices, Moved, 0.0);
    Price(OldPrices, {Max, Max, {Max, Max, true}, Max, Max}, 1e300);
    Price(NewPrices, {Max, Max, {Max, Max, true}, Max, Max}, 1e300 * 1.0000001);

    ExpectChanges(TPriceDigest(Old).CompareWith(New).Glass, 1, 0, 0);
    Price(NewPrices, {Max, Max, {Max, Max, false}, Max, Max}, 1);
    Price(OldPrices, {Min, Min, {Min, Min, false}, Min, Min}, 1);
    ExpectChanges(TPriceDigest(Old).CompareWith(New).Glass, 1, 1, 1);
}

} // namespace
} // namespace kr6
