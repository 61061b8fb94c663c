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

// Blocks set aside for prices to come take them in order while another thread makes their
// pages present; the prices keep what was written into them, and the blocks no price came
// to go back.
TEST(GlassPricePool, ReservedBlocksTakeThePricesAndTheRestGoesBack) {
    Tdex6Dataobject Root;
    TFixedPool& Pool = Root.GlassPricePool();
    Tdex6DataGlasPreisListe* Prices = PricesOfNewGlass(Root);
    const std::size_t PerBlock = TPoolBlock::Bytes / Pool.PlaceSize();
    Pool.Reserve(5 * PerBlock);
    EXPECT_EQ(Pool.BlockCount(), 5U);
    const std::size_t Count = 3 * PerBlock + 1;
    for (std::size_t I = 0; I < Count; ++I)
        Prices->NewItem()->GSph = static_cast<std::int32_t>(I);
    EXPECT_EQ(Pool.BlockCount(), 5U);
    bool Kept = true;
    for (std::size_t I = 0; I < Count; ++I)
        Kept = Kept && Prices->Items(static_cast<int>(I))->GSph == static_cast<std::int32_t>(I);
    EXPECT_TRUE(Kept);

    Pool.ReleaseReserve();
    EXPECT_EQ(Pool.BlockCount(), 4U);
    // Room that is there already sets nothing aside.
    Pool.Reserve(PerBlock - 1);
    EXPECT_EQ(Pool.BlockCount(), 4U);
    Pool.Reserve(PerBlock);
    EXPECT_EQ(Pool.BlockCount(), 5U);
    Root.ClearAll(false);
    EXPECT_EQ(Pool.BlockCount(), 0U);
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
