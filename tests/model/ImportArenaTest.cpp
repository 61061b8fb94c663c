#include "model/ImportArena.h"

#include "MappedMemory.h"
#include "helpers/ProgramRun.h"
#include "import/Kr6Import.h"
#include "model/Combinations.h"
#include "model/GlassParts.h"
#include "model/Glasses.h"
#include "model/Root.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>

namespace kr6 {
namespace {

using test::IsMapped;

// A whole number of the huge pages the room is taken in, so that none is added.
constexpr std::size_t Room = std::size_t{4} << 20;

bool Within(const void* Place, const void* Start, std::size_t Bytes) {
    const auto At = reinterpret_cast<std::uintptr_t>(Place);
    const auto From = reinterpret_cast<std::uintptr_t>(Start);
    return At >= From && At - From < Bytes;
}

bool Aligned(const void* Place, std::size_t Alignment) {
    return reinterpret_cast<std::uintptr_t>(Place) % Alignment == 0;
}

// The room is handed out in order from its start and no further: what does not fit comes
// from the general allocator, and the room that is left is still handed out.
TEST(ImportArena, HandsOutItsRoomInOrderAndNothingBeyondIt) {
    TImportArena Arena;
    Arena.Open(Room);
    ASSERT_TRUE(Arena.IsOpen());
    void* const First = Arena.Allocate(Room / 4, 64);
    void* const TooLarge = Arena.Allocate(Room, 64);
    void* const Rest = Arena.Allocate(Room / 4 * 3, 64);
    void* const Beyond = Arena.Allocate(1);
    EXPECT_TRUE(Aligned(First, 64) && Aligned(TooLarge, 64) && Aligned(Rest, 64));
    EXPECT_FALSE(Within(TooLarge, First, Room));
    EXPECT_EQ(Rest, static_cast<std::byte*>(First) + Room / 4);
    EXPECT_FALSE(Within(Beyond, First, Room));
    std::memset(First, 1, Room / 4);
    std::memset(TooLarge, 2, Room);
    std::memset(Rest, 3, Room / 4 * 3);
    *static_cast<unsigned char*>(Beyond) = 4;
    EXPECT_EQ(*(static_cast<unsigned char*>(First) + Room / 4 - 1), 1);
    EXPECT_EQ(*static_cast<unsigned char*>(Rest), 3);

    Arena.Close();
    EXPECT_FALSE(Arena.IsOpen());
    void* const Later = Arena.Allocate(16);
    EXPECT_FALSE(Within(Later, First, Room));
    // Memory of either kind goes back through the arena.
    Arena.Free(Later, 16);
    Arena.Free(Beyond, 1);
    Arena.Free(TooLarge, Room, 64);
    Arena.Free(Rest, Room / 4 * 3, 64);
    EXPECT_TRUE(IsMapped(First));
    Arena.Free(First, Room / 4, 64);
    EXPECT_FALSE(IsMapped(First)) << "the last allocation took the room with it";
}

// An open room stays while empty and goes at Close; a closed one goes with its last
// allocation, also while the next import has a room open.
TEST(ImportArena, GivesARoomBackWhenClosedAndEmpty) {
    TImportArena Arena;
    Arena.Open(1);
    void* const Freed = Arena.Allocate(64);
    Arena.Free(Freed, 64);
    EXPECT_TRUE(IsMapped(Freed));
    void* const Next = Arena.Allocate(64);
    std::memset(Next, 5, 64);
    Arena.Free(Next, 64);
    Arena.Close();
    EXPECT_FALSE(IsMapped(Freed));

    Arena.Open(1);
    void* const Earlier = Arena.Allocate(64);
    Arena.Open(1);
    void* const Current = Arena.Allocate(64);
    Arena.Free(Earlier, 64);
    EXPECT_FALSE(IsMapped(Earlier));
    EXPECT_TRUE(IsMapped(Current));
    Arena.Close();
    EXPECT_TRUE(IsMapped(Current));
    Arena.Free(Current, 64);
    EXPECT_FALSE(IsMapped(Current));
}

TEST(ImportArena, ClearingOrDestroyingAnImportedModelGivesItsRoomBack) {
    auto Root = std::make_unique<Tdex6Dataobject>();
    LoadKr6File(*Root, test::DemoArchive);
    EXPECT_FALSE(Root->ImportArena().IsOpen());
    const void* Imported = Root->KombinationsListe()->Items(0);
    ASSERT_NE(Imported, nullptr);
    // Objects of the arena's classes made after the import, and freed singly.
    Tdex6DataKombination* const Rule = Root->KombinationsListe()->NewItem();
    EXPECT_TRUE(Root->KombinationsListe()->Remove(Rule));
    Tdex6DataGlas* const Glas = Root->Glasliste()->Items(0);
    ASSERT_NE(Glas, nullptr);
    Glas->GlasGeometrieListe()->Reset(false);
    Glas->GlasPreisListe()->Reset(false);
    EXPECT_TRUE(IsMapped(Imported));
    Root->ClearAll(false);
    EXPECT_FALSE(IsMapped(Imported));

    LoadKr6File(*Root, test::DemoArchive);
    Imported = Root->KombinationsListe()->Items(0);
    EXPECT_TRUE(IsMapped(Imported));
    Root.reset();
    EXPECT_FALSE(IsMapped(Imported));
}

} // namespace
} // namespace kr6
