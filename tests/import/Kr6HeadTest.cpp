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

TEST(Kr6Head, ReadsEveryKey) {
    const TKr6DataHead H = Parse(
        "version=6.9.0;Software-id=SW 1;comment=Kommentar;uid-manufacturer=UM;uid-postedit=UP;"
        "Valid-from=20240131;Valid-until=20241231235959;country=DE;language=de;"
        "manufacturer-code=MC;manufacturer-subcode=MS;manufacturer-name=Muster GmbH;"
        "street=Weg 1;zip-code=12345;city=Stadt;po-box-zip-code=12300;po-box-text=Fach 9;"
        "phone=01;fax=02;phone-order=03;fax-order=04;mail=a@b.de;Url=www.b.de;"
        "pricedefinition-cylinder=+;cylindergroup-base=200;cylindergroup-1=400;"
        "cylindergroup-2=600;prismgroup-1=1;prismgroup-5=5;currencydescription=EUR;"
        "currencydescription-decimals=Cent;pricefield-01=10;pricefield-05=91;"
        "pricefield-description-02=Netto;characterset=1252");
    std::string Texts;
    for (const std::string* Text : {&H.Version,
                                    &H.SoftwareId,
                                    &H.Comment,
                                    &H.UidManufacturer,
                                    &H.UidPostedit,
                                    &H.Country,
                                    &H.Language,
                                    &H.ManufacturerCode,
                                    &H.ManufacturerSubcode,
                                    &H.ManufacturerName[0],
                                    &H.ManufacturerName[1],
                                    &H.Street,
                                    &H.ZipCode,
                                    &H.City,
                                    &H.PoBoxZipCode,
                                    &H.PoBoxText,
                                    &H.Phone,
                                    &H.Fax,
                                    &H.PhoneOrder,
                                    &H.FaxOrder,
                                    &H.Mail,
                                    &H.Url,
                                    &H.CurrencyDescription,
                                    &H.CurrencyDescriptionDecimals,
                                    &H.PriceFieldDescription[1]})
        Texts += *Text + "|";
    EXPECT_EQ(Texts, "6.9.0|SW 1|Kommentar|UM|UP|DE|de|MC|MS|Muster GmbH||Weg 1|12345|Stadt|"
                     "12300|Fach 9|01|02|03|04|a@b.de|www.b.de|EUR|Cent|Netto|");
    EXPECT_DOUBLE_EQ(H.ValidFrom, EncodeDateTime(2024, 1, 31));
    EXPECT_DOUBLE_EQ(H.ValidUntil, EncodeDateTime(2024, 12, 31, 23, 59, 59));
    EXPECT_TRUE(H.PriceDefinitionCylinder);
    EXPECT_EQ((std::array{H.CylinderGroupBase, H.CylinderGroup[0], H.CylinderGroup[1],
                          H.PrismGroup[0], H.PrismGroup[1], H.PrismGroup[4], H.CharacterSet}),
              (std::array<std::int32_t, 7>{200, 400, 600, 1, 0, 5, 1252}));
    EXPECT_EQ(H.PriceField,
              (std::array{Tdex6PriceField::ListenEK, Tdex6PriceField::NichtGefuellt,
                          Tdex6PriceField::NichtGefuellt, Tdex6PriceField::NichtGefuellt,
                          Tdex6PriceField::SonstigesVK}));
}

TEST(Kr6Head, KeysIgnoreCaseAndTheLastLineWins) {
    EXPECT_EQ(Parse("VERSION=6.8").Version, "6.8");
    EXPECT_EQ(Parse("city=A;City=B").City, "B");
    EXPECT_EQ(Parse("no-such-key=x;city=A").City, "A");
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

    EXPECT_EQ(Kr6VersionNumber("6.9.0"), 6009000);
    EXPECT_EQ(Kr6VersionNumber("6.10.2"), 6010002);
    EXPECT_EQ(Kr6VersionNumber("6.8"), 6008000);
    EXPECT_EQ(Kr6VersionNumber(""), 0);
    EXPECT_EQ(Kr6VersionNumber("x.9.1"), 9001);
    EXPECT_EQ(Kr6VersionNumber("99999.0.0"), std::numeric_limits<std::int32_t>::max());
}

} // namespace
} // namespace kr6
