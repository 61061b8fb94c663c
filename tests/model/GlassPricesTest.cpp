// Prices added with their amount are kept packed: whatever is asked of the list, it answers
// as a list of the same prices made as objects, identifiers included.
#include "model/GlassPrices.h"
#include "helpers/ElementTestSupport.h"
#include "model/Addresses.h"
#include "model/Glasses.h"
#include "model/Root.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kr6 {
namespace {

using test::XmlOf;

// A model whose one glass uses sphere and cylinder groups 0 to 3, whose price
// descriptions include one numbered above what a packed price holds, and which has a
// second delivery range.
struct TPricedGlass {
    TPricedGlass() {
        for (int Group = 0; Group < 4; ++Group) {
            Glas.Preisgruppen()->SetS(Group, true);
            Glas.Preisgruppen()->SetC(Group, true);
        }
        Root.Preisbezeichnungsliste()->NewItem()->ID = LargePBID;
        Root.Lieferbereichsbezeichnungsliste()->NewItem()->ID = SecondRange;
    }
    static constexpr std::int32_t LargePBID = 300;
    static constexpr std::int32_t SecondRange = 5;
    static constexpr std::int32_t UnknownRange = 6;
    static Tdex6DataGlas& OneGlassOfDefaults(Tdex6Dataobject& Root) {
        Root.ClearAll(true);
        return *Root.Glasliste()->NewGlas();
    }

    Tdex6Dataobject Root;
    Tdex6DataGlas& Glas = OneGlassOfDefaults(Root);
    Tdex6DataGlasPreisListe& Prices = *Glas.GlasPreisListe();
};

struct TAmount {
    TGlassPriceKey Key;
    double Amount;
};

// Prices of price lines as an import adds them: a line's keys for several descriptions in
// either delivery range, now and then keys that the glass does not use, a delivery range
// that does not exist, or an identifier taken by another object
// between two prices, and with LargePBID a description above 255 now and then.
std::vector<TAmount> PriceLines(unsigned Seed, bool LargePBID,
                                std::vector<bool>& OtherObjectBefore) {
    std::mt19937 Random(Seed);
    const std::array<TDiameter, 3> Diameters{MakeDiameter(65, 0, false), MakeDiameter(70, 0, true),
                                             MakeDiameter(70, 65, false)};
    const std::array<std::int32_t, 5> Ranges{0, 0, TPricedGlass::SecondRange,
                                             TPricedGlass::SecondRange, TPricedGlass::UnknownRange};
    std::vector<TAmount> Amounts;
    for (int Line = 0; Line < 200; ++Line) {
        TGlassPriceKey Key{
            static_cast<std::int32_t>(Random() % 5), static_cast<std::int32_t>(Random() % 5),
            Diameters[Random() % Diameters.size()], 0, Ranges[Random() % Ranges.size()]};
        const bool Large = LargePBID && Random() % 30 == 0;
        for (const std::int32_t PBID : {1, 2, 3, Large ? TPricedGlass::LargePBID : 2}) {
            Key.PBID = PBID;
            Amounts.push_back({Key, static_cast<double>(Random() % 100000) / 100});
            OtherObjectBefore.push_back(Random() % 50 == 0);
        }
    }
    return Amounts;
}

// Both lists, packed and made of objects, say the same in every way the model asks.
void ExpectSameLists(TPricedGlass& Packed, TPricedGlass& Objects, const std::string& When) {
    SCOPED_TRACE(When);
    ASSERT_EQ(Packed.Prices.Count(), Objects.Prices.Count());
    EXPECT_EQ(XmlOf(Packed.Prices), XmlOf(Objects.Prices));
    std::vector<std::pair<TGlassPriceKey, double>> Seen[2];
    Packed.Prices.ForEachPrice(
        [&](const TGlassPriceKey& Key, double PR) { Seen[0].emplace_back(Key, PR); });
    Objects.Prices.ForEachPrice(
        [&](const TGlassPriceKey& Key, double PR) { Seen[1].emplace_back(Key, PR); });
    EXPECT_EQ(Seen[0], Seen[1]);
}

TEST(GlassPrices, PackedPricesAnswerAsObjectsMadeOneByOne) {
    for (const unsigned Seed : {1U, 2U, 3U}) {
        SCOPED_TRACE(Seed);
        std::vector<bool> OtherObjectBefore;
        const std::vector<TAmount> Amounts = PriceLines(Seed, Seed == 3, OtherObjectBefore);
        TPricedGlass Packed, Objects;
        Packed.Prices.Reserve(Amounts.size(), Amounts.size() / 4);
        int Added = 0;
        for (std::size_t I = 0; I < Amounts.size(); ++I) {
            if (OtherObjectBefore[I]) {
                Packed.Root.NewOID();
                Objects.Root.NewOID();
            }
            const TGlassPriceKey& K = Amounts[I].Key;
            const bool Made =
                Packed.Prices.AddAmount(K.GSph, K.GCyl, K.GDM, K.PBID, K.LBI, Amounts[I].Amount);
            Tdex6DataGlasPreis* Price =
                Objects.Prices.AddPrice(K.GSph, K.GCyl, K.GDM, K.PBID, K.LBI);
            ASSERT_EQ(Made, Price != nullptr) << I;
            if (Price != nullptr) {
                Price->SetPR(Amounts[I].Amount);
                ++Added;
            }
        }
        ASSERT_GT(Added, 200);
        ASSERT_LT(static_cast<std::size_t>(Added), Amounts.size());
        ExpectSameLists(Packed, Objects, "packed");

        // Asked for as objects, the prices keep their identifiers, keys, amounts and sources;
        // identifiers taken later follow those the prices took.
        const Tdex6DataGlasPreis& First = *Packed.Prices.Items(0);
        EXPECT_EQ(First.OID(), Objects.Prices.Items(0)->OID());
        EXPECT_EQ(First.PQ, Tdex6PriceSource::Value1);
        ExpectSameLists(Packed, Objects, "as objects");
        EXPECT_EQ(Packed.Root.NewOID(), Objects.Root.NewOID());
    }
}

// Everything that changes the list works on packed prices as on objects, and prices added
// with their amount after that are objects at once.
TEST(GlassPrices, ChangesReachPackedPrices) {
    const auto Fill = [](TPricedGlass& Glass, bool Packed) {
        for (std::int32_t Sph = 0; Sph < 3; ++Sph)
            for (const std::int32_t PBID : {1, 2}) {
                const double Amount = 10 * Sph + PBID;
                if (Packed) {
                    Glass.Prices.AddAmount(Sph, 1, MakeDiameter(70, 0, false), PBID, 0, Amount);
                } else {
                    Glass.Prices.AddPrice(Sph, 1, MakeDiameter(70, 0, false), PBID, 0)
                        ->SetPR(Amount);
                }
            }
    };
    const auto Change = [](TPricedGlass& Glass, int Step) {
        Tdex6DataGlasPreisListe& Prices = Glass.Prices;
        switch (Step) {
        case 0:
            Prices.DeleteByPBID(2);
            break;
        case 1:
            Prices.Delete(1);
            break;
        case 2:
            Prices.FindPrice(2, 1, MakeDiameter(70, 0, false), 1, 0, false)->SetPR(99.5);
            break;
        case 3:
            Prices.FindPrice(3, 1, MakeDiameter(70, 0, false), 1, 0, true)->SetPR(1);
            break;
        case 4:
            Prices.Items(0)->Formel()->QSph = 4;
            break;
        case 5:
            Prices.NewItem()->GSph = 2;
            break;
        default:
            Prices.AddAmount(1, 1, MakeDiameter(70, 0, false), 1, 0, 7.25);
            Prices.Reset(false);
            Prices.AddAmount(0, 0, MakeDiameter(60, 0, false), 2, 0, 3);
            break;
        }
    };
    for (int Step = 0; Step <= 6; ++Step) {
        TPricedGlass Packed, Objects;
        Fill(Packed, true);
        Fill(Objects, false);
        Change(Packed, Step);
        Change(Objects, Step);
        ExpectSameLists(Packed, Objects, "step " + std::to_string(Step));
        EXPECT_EQ(Packed.Root.NewOID(), Objects.Root.NewOID()) << Step;
    }
}

} // namespace
} // namespace kr6
