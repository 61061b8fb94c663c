#include "export/RowBlock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kr6 {
namespace {

// Rows of every size, one larger than a page, survive in order with their positions,
// also after the block was cleared and filled again, or refilled with pages that another
// block gave back to the pool (which keeps only some of them).
TEST(RowBlockTest, KeepsRowsAcrossPagesInOrder) {
    TRowBlock::TPagePool Pool(3 * TRowBlock::PageBytes);
    TRowBlock Block(&Pool);
    for (int Round = 0; Round < 4; ++Round) {
        if (Round == 1)
            Block.Clear();
        if (Round == 2)
            Block = TRowBlock(&Pool);
        if (Round == 3)
            Block.Release();
        std::vector<std::string> Texts;
        for (int I = 0; I < 5000; ++I)
            Texts.push_back(std::to_string(I) + std::string(static_cast<std::size_t>(I % 97), 'r'));
        Texts.insert(Texts.begin() + 1234, std::string(TRowBlock::PageBytes + 5, 'L'));
        Texts.push_back("");
        // Each text spread over the fields, a tab in one of them.
        const auto RowOf = [&](std::size_t I) {
            const std::string_view Text = Texts[I];
            const std::size_t Half = Text.size() / 2;
            return TRow{Text.substr(0, Half), "\t", "", Text.substr(Half), Text.substr(Half / 2)};
        };
        std::size_t Bytes = 0;
        for (std::size_t I = 0; I < Texts.size(); ++I) {
            Block.Add(RowOf(I), static_cast<std::int64_t>(I) * 3);
            for (const std::string_view Field : RowOf(I))
                Bytes += Field.size();
        }
        ASSERT_EQ(Block.Count(), Texts.size());
        EXPECT_EQ(Block.Bytes(), Bytes);
        std::size_t I = 0;
        for (auto It = Block.begin(); It != Block.end(); ++It, ++I) {
            ASSERT_EQ(*It, RowOf(I)) << I;
            ASSERT_EQ(It.Position(), static_cast<std::int64_t>(I) * 3);
        }
        EXPECT_EQ(I, Texts.size());
        EXPECT_EQ(Block[1234], RowOf(1234));
        EXPECT_EQ(Block[Texts.size() - 2], RowOf(Texts.size() - 2));
    }
    Block.Release();
    EXPECT_TRUE(Block.IsEmpty());
    EXPECT_EQ(Block.begin(), Block.end());
}

} // namespace
} // namespace kr6
