#include "model/CodeTables.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace kr6 {
namespace {

TEST(CodeTables, MaterialSetsAndGroupCodes) {
    EXPECT_EQ(MaterialSet(false, false, false, false), TMaterialSet{Tdex6Material::Egal});
    EXPECT_EQ(MaterialSet(true, false, true, false).Bits(), 10U);
    EXPECT_EQ(MaterialSet(true, true, true, true).Bits(), 30U);
    for (std::string_view Code : {"z1", "P6"})
        EXPECT_TRUE(IsGroupCode(Code)) << Code;
    for (std::string_view Code : {"Z7", "P10", "P0", "Z"})
        EXPECT_FALSE(IsGroupCode(Code)) << Code;
}

TEST(CodeTables, MatchCodesReportsTheFirstMismatch) {
    const std::vector<std::tuple<std::string_view, std::string_view, int>> Cases = {
        {"ab1", "AB*X2", 4},  {"AB", "AB    ", 0}, {"ABCDEF1", "abcdef2", 0},
        {"******", "XYZ", 0}, {"XAB", "YAB", 1},   {"ABCDE", "ABCDEF", 6},
        {"", "", 0}};
    for (const auto& [A, B, Expected] : Cases)
        EXPECT_EQ(MatchCodes(A, B, '*'), Expected) << A << " " << B;
    EXPECT_EQ(MatchCodes("\xE4"
                         "b",
                         "\xC4"
                         "B",
                         '*'),
              0)
        << "Windows-1252 letters fold as well";
}

TEST(CodeTables, DiameterTextForms) {
    EXPECT_EQ(DiameterToText(MakeDiameter(70, 65, true)), "70/65E");
    EXPECT_EQ(DiameterToText(MakeDiameter(70, 0, false)), "70");
    EXPECT_EQ(DiameterToText(MakeDiameter(0, 65, true)), "");
    EXPECT_EQ(DiameterFromText("70/65E"), MakeDiameter(70, 65, true));
    EXPECT_EQ(DiameterFromText("70E"), MakeDiameter(70, 0, true));
    EXPECT_EQ(DiameterFromText("70/65e"), MakeDiameter(70, 0, false)) << "only E counts";
    EXPECT_EQ(DiameterFromText(""), TDiameter{});
    EXPECT_EQ(DiameterFromKr6("7065E"), MakeDiameter(70, 65, true));
    EXPECT_EQ(DiameterFromKr6("70  X"), MakeDiameter(70, 0, false));
}

TEST(CodeTables, CoatingCodeTextLabelsWildcards) {
    EXPECT_EQ(CoatingCodeText("   ", "x", true), "[keine Beschichtung]");
    EXPECT_EQ(CoatingCodeText("****** ", "x", true), "[alle Beschichtungen]");
    EXPECT_EQ(CoatingCodeText("AB* ", "x", true), "[Wildcard] (AB*)");
    EXPECT_EQ(CoatingCodeText("AB*", "x", false), "[Wildcard]");
    EXPECT_EQ(CoatingCodeText("AR1", "Super AR", true), "Super AR");
}

} // namespace
} // namespace kr6
