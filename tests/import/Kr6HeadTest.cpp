#include "import/Kr6Head.h"

#include "helpers/FixedLine.h"
#include "support/StringList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace kr6 {
namespace {

using test::TFixedLine;

TKr6DataHead Parse(const std::vector<std::pair<std::string, std::string>>& Pairs) {
    TStringList Lines;
    for (const auto& [Key, Value] : Pairs)
        Lines.Add(TFixedLine().At(1, Key).At(31, Value).Text());
    TKr6DataHead Head;
    ParseKr6Head(Head, Lines);
    return Head;
}

TEST(Kr6Head, ReadsEveryKey) {
    const TKr6DataHead H = Parse({
        {"version", "6.9.0"},
        {"Software-id", "SW 1"},
        {"comment", "Kommentar"},
        {"uid-manufacturer", "UM"},
        {"uid-postedit", "UP"},
        {"Valid-from", "20240131"},
        {"Valid-until", "20241231235959"},
        {"country", "DE"},
        {"language", "de"},
        {"manufacturer-code", "MC"},
        {"manufacturer-subcode", "MS"},
        {"manufacturer-name", "Muster GmbH"},
        {"street", "Weg 1"},
        {"zip-code", "12345"},
        {"city", "Stadt"},
        {"po-box-zip-code", "12300"},
        {"po-box-text", "Fach 9"},
        {"phone", "01"},
        {"fax", "02"},
        {"phone-order", "03"},
        {"fax-order", "04"},
        {"mail", "a@b.de"},
        {"Url", "www.b.de"},
        {"pricedefinition-cylinder", "+"},
        {"cylindergroup-base", "200"},
        {"cylindergroup-1", "400"},
        {"cylindergroup-2", "600"},
        {"prismgroup-1", "1"},
        {"prismgroup-5", "5"},
        {"currencydescription", "EUR"},
        {"currencydescription-decimals", "Cent"},
        {"pricefield-01", "10"},
        {"pricefield-05", "91"},
        {"pricefield-description-02", "Netto"},
        {"characterset", "1252"},
    });
    EXPECT_EQ(H.Version, "6.9.0");
    EXPECT_EQ(H.SoftwareId, "SW 1");
    EXPECT_EQ(H.Comment, "Kommentar");
    EXPECT_EQ(H.UidManufacturer, "UM");
    EXPECT_EQ(H.UidPostedit, "UP");
    EXPECT_DOUBLE_EQ(H.ValidFrom, EncodeDateTime(2024, 1, 31));
    EXPECT_DOUBLE_EQ(H.ValidUntil, EncodeDateTime(2024, 12, 31, 23, 59, 59));
    EXPECT_EQ(H.Country + H.Language + H.ManufacturerCode + H.ManufacturerSubcode, "DEdeMCMS");
    EXPECT_EQ(H.ManufacturerName, (std::array<std::string, 3>{"Muster GmbH", "", ""}));
    EXPECT_EQ(H.Street + "|" + H.ZipCode + "|" + H.City + "|" + H.PoBoxZipCode + "|" + H.PoBoxText,
              "Weg 1|12345|Stadt|12300|Fach 9");
    EXPECT_EQ(H.Phone + H.Fax + H.PhoneOrder + H.FaxOrder, "01020304");
    EXPECT_EQ(H.Mail + " " + H.Url, "a@b.de www.b.de");
    EXPECT_TRUE(H.PriceDefinitionCylinder);
    EXPECT_EQ(H.CylinderGroupBase, 200);
    EXPECT_EQ(H.CylinderGroup, (std::array<std::int32_t, 2>{400, 600}));
    EXPECT_EQ(H.PrismGroup, (std::array<std::int32_t, 5>{1, 0, 0, 0, 5}));
    EXPECT_EQ(H.CurrencyDescription + H.CurrencyDescriptionDecimals, "EURCent");
    EXPECT_EQ(H.PriceField[0], Tdex6PriceField::ListenEK);
    EXPECT_EQ(H.PriceField[1], Tdex6PriceField::NichtGefuellt);
    EXPECT_EQ(H.PriceField[4], Tdex6PriceField::SonstigesVK);
    EXPECT_EQ(H.PriceFieldDescription[1], "Netto");
    EXPECT_EQ(H.CharacterSet, 1252);
}

TEST(Kr6Head, KeysIgnoreCaseAndTheLastLineWins) {
    EXPECT_EQ(Parse({{"VERSION", "6.8"}}).Version, "6.8");
    EXPECT_EQ(Parse({{"city", "A"}, {"City", "B"}}).City, "B");
    EXPECT_EQ(Parse({{"no-such-key", "x"}, {"city", "A"}}).City, "A");
    // Leading blanks of the value stay, trailing ones go; the value ends at 280.
    EXPECT_EQ(Parse({{"city", "  A  "}}).City, "  A");
    EXPECT_EQ(Parse({{"comment", std::string(250, 'c') + "cut"}}).Comment, std::string(250, 'c'));
}

TEST(Kr6Head, ShortAndEmptyLines) {
    TStringList Lines;
    Lines.Add("");
    Lines.Add("city");
    Lines.Add(TFixedLine().At(1, "street").At(31, "S").Text());
    TKr6DataHead Head;
    Head.Version = "stale";
    ParseKr6Head(Head, Lines);
    EXPECT_EQ(Head.City, "");
    EXPECT_EQ(Head.Street, "S");
    EXPECT_EQ(Head.Version, "");
}

TEST(Kr6Head, ConvertedValues) {
    EXPECT_FALSE(Parse({}).PriceDefinitionCylinder);
    EXPECT_FALSE(Parse({{"pricedefinition-cylinder", "-"}}).PriceDefinitionCylinder);
    EXPECT_TRUE(Parse({{"pricedefinition-cylinder", "x"}}).PriceDefinitionCylinder);
    EXPECT_TRUE(Parse({{"pricedefinition-cylinder", ""}}).PriceDefinitionCylinder);
    EXPECT_EQ(Parse({{"pricefield-03", "52"}}).PriceField[2], Tdex6PriceField::Handwerksleistung);
    EXPECT_EQ(Parse({{"pricefield-03", "99"}}).PriceField[2], Tdex6PriceField::NichtGefuellt);
    EXPECT_EQ(Parse({{"Valid-from", "20241399"}}).ValidFrom, 0.0);
    EXPECT_EQ(Parse({{"cylindergroup-base", "2x"}}).CylinderGroupBase, 0);
}

TEST(Kr6Head, VersionNumber) {
    EXPECT_EQ(Kr6VersionNumber("6.9.0"), 6009000);
    EXPECT_EQ(Kr6VersionNumber("6.10.2"), 6010002);
    EXPECT_EQ(Kr6VersionNumber("6.8"), 6008000);
    EXPECT_EQ(Kr6VersionNumber(""), 0);
    EXPECT_EQ(Kr6VersionNumber("x.9.1"), 9001);
    EXPECT_EQ(Kr6VersionNumber("99999.0.0"), std::numeric_limits<std::int32_t>::max());
}

} // namespace
} // namespace kr6
