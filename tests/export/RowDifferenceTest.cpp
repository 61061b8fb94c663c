#include "export/RowDifference.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace kr6 {
namespace {

using TLensRows = std::vector<std::pair<std::string, std::vector<std::string>>>;

// Lenses and rows must already be in byte order, as SpoolRows writes them.
void Fill(TRowSpool& Spool, const TLensRows& Lenses) {
    for (const auto& [Code, Rows] : Lenses) {
        std::string Block;
        for (const std::string& Row : Rows)
            TRowSpool::AppendRow(Block, Row);
        Spool.AddLens(Code, static_cast<std::int64_t>(Rows.size()), Block);
    }
    Spool.Finish();
}

std::vector<std::string> Differences(const TRowSpool& Old, const TRowSpool& New) {
    std::vector<std::string> Lines;
    const TRowChangeCount Count = CompareRows(Old, New, [&](char Change, std::string_view Row) {
        Lines.push_back(std::string(1, Change) + " " + std::string(Row));
    });
    std::int64_t Added = 0;
    for (const std::string& Line : Lines)
        Added += Line[0] == '+' ? 1 : 0;
    EXPECT_EQ(Count.Added, Added);
    EXPECT_EQ(Count.Removed, static_cast<std::int64_t>(Lines.size()) - Added);
    return Lines;
}

TEST(RowDifference, SpoolGivesBackEveryByteOfEveryLens) {
    TRowSpool Spool;
    // A row of more than a buffer, empty rows, bytes that are neither text nor UTF-8.
    const std::string Long(3 * 1024 * 1024 + 7, 'x');
    Fill(Spool, {{"A", {"", std::string("A\t\0\t\xFF\t\r\n\t", 9)}}, {"B", {}}, {"C", {Long}}});
    ASSERT_EQ(Spool.Lenses().size(), 3U);
    EXPECT_EQ(Spool.RowCount(), 3);

    std::string Buffer;
    std::vector<std::string_view> Rows;
    Spool.ReadLens(2, Buffer, Rows);
    ASSERT_EQ(Rows.size(), 1U);
    EXPECT_EQ(Rows[0], Long);
    Spool.ReadLens(0, Buffer, Rows);
    ASSERT_EQ(Rows.size(), 2U);
    EXPECT_EQ(Rows[0], "");
    EXPECT_EQ(Rows[1], std::string_view("A\t\0\t\xFF\t\r\n\t", 9));
    Spool.ReadLens(1, Buffer, Rows);
    EXPECT_TRUE(Rows.empty());
}

TEST(RowDifference, RowsOfOneSideOnlyInLensThenRowOrder) {
    TRowSpool Old;
    TRowSpool New;
    Fill(Old, {{"GL1", {"GL1\tA\t\t\t", "GL1\tB\t\t\t", "GL1\tD\t\t\t"}},
               {"GL2", {"GL2\t\t\t\t"}},
               {"GL4", {"GL4\tA\t\t\t"}}});
    Fill(New, {{"GL1", {"GL1\tA\t\t\t", "GL1\tC\t\t\t", "GL1\tD\t\t\t", "GL1\tE\t\t\t"}},
               {"GL3", {"GL3\t\t\t\t"}},
               {"GL4", {"GL4\tA\t\t\t"}}});
    EXPECT_EQ(Differences(Old, New),
              (std::vector<std::string>{"- GL1\tB\t\t\t", "+ GL1\tC\t\t\t", "+ GL1\tE\t\t\t",
                                        "- GL2\t\t\t\t", "+ GL3\t\t\t\t"}));
    EXPECT_TRUE(Differences(Old, Old).empty());
    EXPECT_EQ(CompareRows(Old, New, {}).Added, 3);

    const std::vector<TCountChange> Counts = CompareRowCounts(Old, New);
    ASSERT_EQ(Counts.size(), 1U);
    EXPECT_EQ(Counts[0].Lens, "GL1");
    EXPECT_EQ(Counts[0].Old, 3);
    EXPECT_EQ(Counts[0].New, 4);
}

TEST(RowDifference, EmptyListsAgainstEachOther) {
    TRowSpool Empty;
    TRowSpool Full;
    Fill(Empty, {});
    Fill(Full, {{"GL1", {"GL1\t\t\t\t"}}, {"GL2", {}}});
    EXPECT_EQ(Differences(Empty, Full), std::vector<std::string>{"+ GL1\t\t\t\t"});
    EXPECT_EQ(Differences(Full, Empty), std::vector<std::string>{"- GL1\t\t\t\t"});
    EXPECT_TRUE(CompareRowCounts(Empty, Full).empty());
}

} // namespace
} // namespace kr6
