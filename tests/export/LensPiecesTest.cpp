#include "export/LensPieces.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kr6 {
namespace {

std::string Cut(const TLensShape& Shape, std::int64_t PieceKeys) {
    std::vector<TLensPiece> Pieces;
    AddLensPieces(7, Shape, PieceKeys, Pieces);
    std::string Text;
    for (const TLensPiece& Piece : Pieces) {
        EXPECT_EQ(Piece.Lens, 7U);
        EXPECT_EQ(Piece.LensPieces, Pieces.size());
        Text += "[" + std::to_string(Piece.FirstGroup) + "," + std::to_string(Piece.EndGroup) +
                (Piece.LastOfLens ? ")." : ")");
    }
    return Text;
}

// Whole groups, the last piece taking the rest; a lens that cannot be divided or is
// small stays whole.
TEST(LensPiecesTest, CutsLensesIntoWholeGroups) {
    const TLensShape Shape{100, 10, true};
    EXPECT_EQ(Cut(Shape, 35), "[0,3)[3,6)[6,9)[9,10).");
    EXPECT_EQ(Cut(Shape, 20), "[0,2)[2,4)[4,6)[6,8)[8,10).");
    EXPECT_EQ(Cut(Shape, 1), "[0,1)[1,2)[2,3)[3,4)[4,5)[5,6)[6,7)[7,8)[8,9)[9,10).");
    EXPECT_EQ(Cut(Shape, 100), "[0,10).");
    EXPECT_EQ(Cut({100, 1, false}, 20), "[0,1).");
    EXPECT_EQ(Cut({0, 0, true}, 20), "[0,0).");
}

} // namespace
} // namespace kr6
