#include "MappedMemory.h"
#include "model/GlassParts.h"
#include "model/Glasses.h"
#include "model/Root.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace kr6 {
namespace {

using test::IsMapped;

Tdex6DataGlasPreisListe* PricesOfNewGlass(Tdex6Dataobject& Root) {
    return Root.Glasliste()->NewGlas()->GlasPreisListe();
}

// More prices than Blocks blocks of the pool hold.
constexpr std::size_t MoreThanBlocks(std::size_t Blocks) {
    return Blocks * TPoolBlock::Bytes / sizeof(Tdex6DataGlasPreis) + 3;
}

// Count prices numbered from 0, checked to keep their numbers and not to overlap.
void AddNumberedPrices(Tdex6DataGlasPreisListe& Prices, std::size_t Count) {
    for (std::size_t I = 0; I < Count; ++I)
        Prices.NewItem()->GSph = static_cast<std::int32_t>(I);
}

void ExpectNumberedAndApart(const Tdex6DataGlasPreisListe& Prices) {
    std::vector<std::uintptr_t> Places;
    int Wrong = 0;
    for (int I = 0; I < Prices.Count(); ++I) {
        Wrong += Prices.Items(I)->GSph == I ? 0 : 1;
        Places.push_back(reinterpret_cast<std::uintptr_t>(Prices.Items(I)));
    }
    EXPECT_EQ(Wrong, 0);
    std::sort(Places.begin(), Places.end());
    int Overlapping = 0;
    for (std::size_t I = 1; I < Places.size(); ++I)
        Overlapping += Places[I] - Places[I - 1] < sizeof(Tdex6DataGlasPreis) ? 1 : 0;
    EXPECT_EQ(Overlapping, 0);
}

TEST(GlassPricePool, EachModelKeepsItsPricesAndClearingGivesBackTheirMemory) {
    Tdex6Dataobject First;
    Tdex6Dataobject Second;
    Tdex6DataGlasPreisListe* FirstPrices = PricesOfNewGlass(First);
    AddNumberedPrices(*FirstPrices, MoreThanBlocks(2));
    Tdex6DataGlasPreis* const Other = PricesOfNewGlass(Second)->NewItem();
    Other->GSph = -1;
    ExpectNumberedAndApart(*FirstPrices);

    // A freed place is handed out again before the pool grows.
    Tdex6DataGlasPreis* const Freed = FirstPrices->Items(5);
    FirstPrices->Delete(5);
    EXPECT_EQ(FirstPrices->NewItem(), Freed);

    const void* const Head = FirstPrices->Items(0);
    const void* const Tail = FirstPrices->Items(FirstPrices->Count() - 1);
    First.ClearAll(false);
    EXPECT_FALSE(IsMapped(Head));
    EXPECT_FALSE(IsMapped(Tail));
    ASSERT_TRUE(IsMapped(Other));
    EXPECT_EQ(Other->GSph, -1);
}

// Freed into the other model's pool, the price would take that pool's last object away and
// leave its own pool holding memory.
TEST(GlassPricePool, PriceFreedThroughItsBaseGoesBackToItsModel) {
    Tdex6Dataobject Keeper;
    Tdex6DataGlasPreis* const Kept = PricesOfNewGlass(Keeper)->NewItem();
    Kept->GSph = 7;
    Tdex6Dataobject Root;
    Tdex6DataGlasPreisListe* Prices = PricesOfNewGlass(Root);
    std::unique_ptr<TCustomdex6Object> AsObject = MakeListItem<Tdex6DataGlasPreis>(&Root, Prices);
    const void* const Place = AsObject.get();
    ASSERT_TRUE(IsMapped(Place));
    AsObject.reset();
    EXPECT_FALSE(IsMapped(Place));
    ASSERT_TRUE(IsMapped(Kept));
    EXPECT_EQ(Kept->GSph, 7);

    // Without a model a price lives with the general allocator.
    const std::unique_ptr<Tdex6DataGlasPreis> Loose =
        MakeListItem<Tdex6DataGlasPreis>(nullptr, nullptr);
    Loose->GCyl = 4;
    EXPECT_EQ(Loose->GCyl, 4);
}

} // namespace
} // namespace kr6
