#include "model/GlassParts.h"
#include "model/Glasses.h"
#include "model/Root.h"

#include <gtest/gtest.h>

#include <memory>

namespace kr6 {
namespace {

Tdex6DataGlasPreisListe* PricesOfNewGlass(Tdex6Dataobject& Root) {
    return Root.Glasliste()->NewGlas()->GlasPreisListe();
}

TEST(GlassPricePool, EachModelKeepsItsPricesAndGivesBackTheLastOnesMemory) {
    Tdex6Dataobject First;
    Tdex6Dataobject Second;
    Tdex6DataGlasPreisListe* FirstPrices = PricesOfNewGlass(First);
    // More than one block's worth, so that a block boundary is crossed.
    const std::size_t Count = 2 * TPoolBlock::Bytes / First.GlassPricePool().PlaceSize() + 3;
    for (std::size_t I = 0; I < Count; ++I)
        FirstPrices->NewItem()->GSph = static_cast<std::int32_t>(I);
    PricesOfNewGlass(Second)->NewItem();

    EXPECT_EQ(First.GlassPricePool().Live(), Count);
    EXPECT_EQ(First.GlassPricePool().BlockCount(), 3U);
    EXPECT_EQ(Second.GlassPricePool().Live(), 1U);
    EXPECT_EQ(FirstPrices->Items(static_cast<int>(Count) - 1)->GSph,
              static_cast<std::int32_t>(Count) - 1);

    // A freed place is handed out again before the pool grows.
    Tdex6DataGlasPreis* const Freed = FirstPrices->Items(5);
    FirstPrices->Delete(5);
    EXPECT_EQ(FirstPrices->NewItem(), Freed);

    First.ClearAll(false);
    EXPECT_EQ(First.GlassPricePool().Live(), 0U);
    EXPECT_EQ(First.GlassPricePool().BlockCount(), 0U);
    EXPECT_EQ(Second.GlassPricePool().Live(), 1U);
}

TEST(GlassPricePool, PriceFreedThroughItsBaseGoesBackToItsModel) {
    Tdex6Dataobject Root;
    Tdex6DataGlasPreisListe* Prices = PricesOfNewGlass(Root);
    std::unique_ptr<TCustomdex6Object> AsObject = MakeListItem<Tdex6DataGlasPreis>(&Root, Prices);
    EXPECT_EQ(Root.GlassPricePool().Live(), 1U);
    AsObject.reset();
    EXPECT_EQ(Root.GlassPricePool().Live(), 0U);

    // Without a model a price lives with the general allocator.
    const std::unique_ptr<Tdex6DataGlasPreis> Loose =
        MakeListItem<Tdex6DataGlasPreis>(nullptr, nullptr);
    Loose->GCyl = 4;
    EXPECT_EQ(Loose->GCyl, 4);
}

} // namespace
} // namespace kr6
