#include "export/Row.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kr6 {
namespace {

// Rows sort as their tab-separated texts do byte by byte, including where a field ends
// against a longer one, bytes below the tab and above 0x7F; rows of the same text but
// other fields (a tab inside a code) stay apart, in a fixed order.
TEST(Row, OrdersAsItsTextAndKeepsTabbedCodesApart) {
    const std::vector<TRow> Rows = {
        {"A", "", "", "", ""},     {"A", "\x01", "", "", ""}, {"A", "B", "", "", ""},
        {"A\tB", "", "", "", ""},  {"A", "B\t", "", "", ""},  {"A", "B", "\t", "", ""},
        {"AB", "", "", "", ""},    {"A\xE4", "", "", "", ""}, {"", "", "", "", "Z"},
        {"A", "B", "C", "D", "E"}, {"A", "B", "C", "D", ""},  {"A", "B", "", "", "x"},
    };
    for (const TRow& X : Rows) {
        for (const TRow& Y : Rows) {
            const std::string TextX = RowText(X);
            const std::string TextY = RowText(Y);
            if (TextX != TextY) {
                EXPECT_EQ(RowLess(X, Y), TextX < TextY) << TextX << " | " << TextY;
            } else {
                EXPECT_EQ(RowLess(X, Y), X < Y) << TextX;
                EXPECT_FALSE(RowLess(X, Y) && RowLess(Y, X));
            }
        }
    }
    EXPECT_EQ(RowText({"L", "A", "", "P", ""}), "L\tA\t\tP\t");
}

} // namespace
} // namespace kr6
