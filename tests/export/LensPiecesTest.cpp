#include "export/LensPieces.h"

#include "export/EvaluationTables.h"
#include "model/Root.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
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

// A thread builds a lens's plan once for the pieces it takes in a row and never uses
// another thread's plan.
TEST(LensPiecesTest, EachThreadKeepsThePlanOfItsLastLens) {
    const Tdex6Dataobject Root;
    const TEvaluationTables Tables(Root);
    const std::vector<std::string> Glasses{"G0", "G1", "G2", "G3", "G4"};
    TThreadLensPlans Plans;
    std::vector<std::size_t> Built;
    const auto PlanOf = [&](std::size_t Lens) -> const TLensPlan& {
        return Plans.Plan(Lens, [&] {
            Built.push_back(Lens);
            return std::make_unique<TLensPlan>(Tables, Glasses[Lens], std::vector<int>{});
        });
    };

    const TLensPlan* First = &PlanOf(3);
    EXPECT_EQ(&PlanOf(3), First);
    EXPECT_EQ(PlanOf(3).Glass(), "G3");
    EXPECT_EQ(PlanOf(4).Glass(), "G4");
    EXPECT_EQ(PlanOf(3).Glass(), "G3");
    EXPECT_EQ(Built, (std::vector<std::size_t>{3, 4, 3}));

    const TLensPlan* Other = nullptr;
    std::thread([&] { Other = &PlanOf(3); }).join();
    EXPECT_NE(Other, &PlanOf(3));
    EXPECT_EQ(Built, (std::vector<std::size_t>{3, 4, 3, 3}));
}

} // namespace
} // namespace kr6
