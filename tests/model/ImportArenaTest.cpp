#include "model/ImportArena.h"
#include "helpers/ProgramRun.h"
#include "import/Kr6Import.h"
#include "model/Combinations.h"
#include "model/GlassParts.h"
#include "model/Glasses.h"
#include "model/Root.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace kr6 {
namespace {

constexpr std::size_t Chunk = std::size_t{2} << 20;

// Room is handed out in order while the second thread makes it present, keeping what was
// written; past the room, and once closed, the general allocator takes over, and a stretch
// goes when its last allocation has gone, not before.
TEST(ImportArena, HandsOutItsRoomThenFallsBackAndGivesBackEmptyStretches) {
    TImportArena Arena;
    Arena.Open(3 * Chunk);
    ASSERT_TRUE(Arena.IsOpen());
    std::vector<void*> Inside;
    for (int I = 0; I < 3 * 64; ++I) {
        Inside.push_back(Arena.Allocate(Chunk / 64 - 8, 8));
        std::memset(Inside.back(), I, 16);
    }
    for (int I = 0; I < 3 * 64; ++I)
        EXPECT_EQ(*static_cast<unsigned char*>(Inside[static_cast<std::size_t>(I)]), I);
    void* const Outside = Arena.Allocate(Chunk, 64);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(Outside) % 64, 0U);
    EXPECT_EQ(Arena.StretchCount(), 1U);

    Arena.Close();
    EXPECT_FALSE(Arena.IsOpen());
    void* const Later = Arena.Allocate(16);
    Arena.Free(Later, 16);
    Arena.Free(Outside, Chunk, 64);
    // A new import opens a stretch of its own beside the one still in use.
    Arena.Open(1);
    EXPECT_EQ(Arena.StretchCount(), 2U);
    for (void* Data : Inside)
        Arena.Free(Data, Chunk / 64 - 8, 8);
    EXPECT_EQ(Arena.StretchCount(), 1U);
    // The open stretch stays while empty, and goes at Close.
    Arena.Free(Arena.Allocate(8), 8);
    EXPECT_EQ(Arena.StretchCount(), 1U);
    Arena.Close();
    EXPECT_EQ(Arena.StretchCount(), 0U);
}

TEST(ImportArena, ImportLeavesNoRoomOpenAndClearingGivesEverythingBack) {
    Tdex6Dataobject Root;
    LoadKr6File(Root, test::DemoArchive);
    EXPECT_FALSE(Root.ImportArena().IsOpen());
    EXPECT_EQ(Root.ImportArena().StretchCount(), 1U);
    // Objects of the arena's classes made after the import, and freed singly.
    Tdex6DataKombination* const Rule = Root.KombinationsListe()->NewItem();
    EXPECT_TRUE(Root.KombinationsListe()->Remove(Rule));
    Tdex6DataGlas* const Glas = Root.Glasliste()->Items(0);
    ASSERT_NE(Glas, nullptr);
    Glas->GlasGeometrieListe()->Reset(false);
    Glas->GlasPreisListe()->Reset(false);

    Root.ClearAll(false);
    EXPECT_EQ(Root.ImportArena().StretchCount(), 0U);
}

} // namespace
} // namespace kr6
