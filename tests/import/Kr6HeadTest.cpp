#include "import/Kr6Head.h"

#include "helpers/Kr6Lines.h"
#include "support/StringList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace kr6 {
namespace {

TKr6DataHead Parse(std::string_view Pairs) {
    TKr6DataHead Head;
    ParseKr6Head(Head, test::HeadLines(Pairs));
    return Head;
}

// The import test reads every key; these are the rules of reading them.
TEST(Kr6Head, KeysIgnoreCaseAndTheLastLineWins) {
    EXPECT_EQ(Parse("VERSION=6.8").Version, "6.8");
    EXPECT_EQ(Parse("city=A;City=B").City, "B");
    // Leading blanks of the value stay, trailing ones go; the value ends at 280.
    EXPECT_EQ(Parse("city=  A  ").City, "  A");
    EXPECT_EQ(Parse("comment=" + std::string(250, 'c') + "cut").Comment, std::string(250, 'c'));

    // Lines too short for a value; the head is reset first.
    TStringList Lines;
    Lines.Add("");
    Lines.Add("city");
    Lines.Add(test::HeadLine("street", "S"));
    TKr6DataHead Head;
    Head.Version = "stale";
    ParseKr6Head(Head, Lines);
    EXPECT_EQ(Head.City + "|" + Head.Street + "|" + Head.Version, "|S|");
}

TEST(Kr6Head, ConvertedValues) {
    EXPECT_FALSE(Parse("").PriceDefinitionCylinder);
    EXPECT_FALSE(Parse("pricedefinition-cylinder=-").PriceDefinitionCylinder);
    EXPECT_TRUE(Parse("pricedefinition-cylinder=x").PriceDefinitionCylinder);
    EXPECT_TRUE(Parse("pricedefinition-cylinder=").PriceDefinitionCylinder);
    EXPECT_EQ(Parse("pricefield-03=52").PriceField[2], Tdex6PriceField::Handwerksleistung);
    EXPECT_EQ(Parse("pricefield-03=99").PriceField[2], Tdex6PriceField::NichtGefuellt);
    EXPECT_EQ(Parse("Valid-from=20241399").ValidFrom, 0.0);
    EXPECT_EQ(Parse("cylindergroup-base=2x").CylinderGroupBase, 0);
    // A number past a numbered key's range makes an unknown key.
    const TKr6DataHead Past = Parse("pricefield-06=20;pricefield-description-06=X;"
                                    "pricefield-00=20;prismgroup-6=4;cylindergroup-3=4");
    EXPECT_EQ(Past.PriceField, TKr6DataHead{}.PriceField);
    EXPECT_EQ(Past.PriceFieldDescription, TKr6DataHead{}.PriceFieldDescription);
    EXPECT_EQ(Past.PrismGroup, TKr6DataHead{}.PrismGroup);
    EXPECT_EQ(Past.CylinderGroup, TKr6DataHead{}.CylinderGroup);

    for (const auto& [Text, Number] : {std::pair{"6.9.0", 6009000},
                                       {"6.10.2", 6010002},
                                       {"6.8", 6008000},
                                       {"", 0},
                                       {"x.9.1", 9001},
                                       {"99999.0.0", std::numeric_limits<std::int32_t>::max()}})
        EXPECT_EQ(Kr6VersionNumber(Text), Number) << Text;
}

} // namespace
} // namespace kr6
