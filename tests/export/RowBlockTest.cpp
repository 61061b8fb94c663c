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
        std::vector<std::string> Rows;
        for (int I = 0; I < 5000; ++I)
            Rows.push_back(std::to_string(I) + std::string(static_cast<std::size_t>(I % 97), 'r'));
        Rows.insert(Rows.begin() + 1234, std::string(TRowBlock::PageBytes + 5, 'L'));
        Rows.push_back("");
        std::size_t Bytes = 0;
        for (std::size_t I = 0; I < Rows.size(); ++I) {
            const std::string& Row = Rows[I];
            const std::size_t Half = Row.size() / 2;
            Block.Add(Row.substr(0, Half), Row.substr(Half), "", static_cast<std::int64_t>(I) * 3);
            Bytes += Row.size();
        }
        ASSERT_EQ(Block.Count(), Rows.size());
        EXPECT_EQ(Block.Bytes(), Bytes);
        std::size_t I = 0;
        for (auto It = Block.begin(); It != Block.end(); ++It, ++I) {
            ASSERT_EQ(*It, Rows[I]) << I;
            ASSERT_EQ(It.Position(), static_cast<std::int64_t>(I) * 3);
        }
        EXPECT_EQ(I, Rows.size());
        EXPECT_EQ(Block[1234], Rows[1234]);
        EXPECT_EQ(Block[Rows.size() - 2], Rows[Rows.size() - 2]);
    }
    Block.Release();
    EXPECT_TRUE(Block.IsEmpty());
    EXPECT_EQ(Block.begin(), Block.end());
}

} // namespace
} // namespace kr6
