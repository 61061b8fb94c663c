#include "export/RowDifference.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace kr6 {
namespace {

using TLensRows = std::vector<std::pair<std::string, std::vector<TRow>>>;

// Lenses and rows must already be in byte order, as SpoolRows writes them. Which rows
// CompareRows and CompareRowCounts find is seen in the diff program's tests.
void Fill(TRowSpool& Spool, const TLensRows& Lenses) {
    for (const auto& [Code, Rows] : Lenses) {
        std::string Block;
        for (const TRow& Row : Rows)
            TRowSpool::AppendRow(Block, Row);
        Spool.AddLens(Code, static_cast<std::int64_t>(Rows.size()), Block);
    }
    Spool.Finish();
}

TEST(RowDifference, SpoolGivesBackEveryByteOfEveryLens) {
    TRowSpool Spool;
    // A field of more than a buffer, empty fields, bytes that are neither text nor UTF-8.
    const std::string Long(3 * 1024 * 1024 + 7, 'x');
    const TRow Odd{"A", std::string_view("\0\t\xFF", 3), "\r\n", "", "\t"};
    Fill(Spool, {{"A", {TRow{}, Odd}}, {"B", {}}, {"C", {TRow{"C", "", "", "", Long}}}});
    ASSERT_EQ(Spool.Lenses().size(), 3U);
    EXPECT_EQ(Spool.RowCount(), 3);

    std::string Buffer;
    std::vector<TRow> Rows;
    Spool.ReadLens(2, Buffer, Rows);
    ASSERT_EQ(Rows.size(), 1U);
    EXPECT_EQ(Rows[0], (TRow{"C", "", "", "", Long}));
    Spool.ReadLens(0, Buffer, Rows);
    ASSERT_EQ(Rows.size(), 2U);
    EXPECT_EQ(Rows[0], TRow{});
    EXPECT_EQ(Rows[1], Odd);
    Spool.ReadLens(1, Buffer, Rows);
    EXPECT_TRUE(Rows.empty());
}

} // namespace
} // namespace kr6
