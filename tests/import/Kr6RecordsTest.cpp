#include "import/Kr6LensRecords.h"
#include "import/Kr6OptionRecords.h"

#include "helpers/FixedLine.h"
#include "helpers/RecordColumns.h"

#include <gtest/gtest.h>

namespace kr6 {
namespace {

using test::Member;
using test::TFixedLine;
using M = Tdex6Material;
namespace layouts = kr6_layouts;

TEST(Kr6LensRecords, EveryColumnRoundTrips) {
    // clang-format off
    test::ExpectColumns<layouts::LensType>(
        TKr6DataLensType{"ABC123", "Glas eins", EncodeDateTime(2024, 1, 1),
            EncodeDateTime(2025, 12, 31), Member<Tdex6LensKind>(3), true, 12, 34,
            Member<Tdex6BrandLine>(2), Member<Tdex6Material>(2), 1.5, 1.2, 58, true, true,
            Member<Tdex6AntiReflection>(5), Member<Tdex6Tint>(4), true, true, true, true, true,
            true, Member<Tdex6KDM>(2), true, true, true, 3, Member<Tdex6RoadTraffic>(5), 400, 9.5,
            10, true, Member<Tdex6EGB>(1), true, 42, "Kurz           ", 70, 65, 12},
        test::LensTypeSample, ParseKr6LensType);
    test::ExpectColumns<layouts::LensRange>(
        TKr6DataLensRange{"ABC123", MakeDiameter(65, 70, true), -8, 6, -2, -0.5, 10, 170, 2.5, 2, 1,
            Member<Tdex6AdditionStep>(8), "AR1", "B2", "C3", "D4", "E5", true,
            EncodeDateTime(2024, 1, 31), EncodeDateTime(2024, 12, 31), true, 5, true, true, true,
            true, 7},
        test::LensRangeSample, ParseKr6LensRange);
    test::ExpectColumns<layouts::LensGeo>(
        TKr6DataLensGeo{"ABC123", 0, MakeDiameter(70, 65, true), false, -4, 4, 1.5, 2.5,
            Member<Tdex6NTT>(2), 1, 2, 3, 4, 5, 0.6, 0.7, 0.8, 0.9, 1, 1.1,
            Member<Tdex6ViewDirection>(1), 1.3, 1.2, 1.5, 1.4},
        test::LensGeoSample, ParseKr6LensGeo);
    test::ExpectColumns<layouts::LensPrice>(
        TKr6DataLensPrice{"ABC123", MakeDiameter(65, 70, true), 1, 2, 3,
            {12.5, 25, 0.01, -1, 99.99}},
        "ABC1236570E0102003000125000025000000001-0001000009999",
        [](TKr6DataLensPrice& R, std::string_view L) {
            ParseKr6LensPrice(R, L, Kr6LongPriceDiameterVersion);
        });
    // clang-format on
}

// Every record is read through the same column tables: a short or empty line resets the
// fields it does not reach, shown once here.
TEST(Kr6LensRecords, ShortBlankAndOddFields) {
    TKr6DataLensType Type;
    ParseKr6LensType(Type, TFixedLine().At(1, "XYZ").At(64, "1").At(118, "K").Text());
    ParseKr6LensType(Type, "ABC123Gla");
    EXPECT_EQ(Type, (TKr6DataLensType{.Code = "ABC123", .Name = "Gla"}));
    ParseKr6LensType(Type, "");
    EXPECT_EQ(Type, TKr6DataLensType{});

    // A date that does not exist, a code outside the table, blanks and a comma inside a
    // number, and flags that are not digits.
    ParseKr6LensType(Type, TFixedLine()
                               .At(47, "20230229")
                               .At(72, "7")
                               .At(73, " 1,5 ")
                               .At(78, "1 2")
                               .At(85, "x-")
                               .At(101, "-40"));
    EXPECT_EQ(Type.ValidFrom, 0.0);
    EXPECT_EQ(Type.Material, Tdex6Material::Silikat);
    EXPECT_DOUBLE_EQ(Type.RefractiveIndex, 0.00015);
    EXPECT_DOUBLE_EQ(Type.Density, 0.12);
    EXPECT_FALSE(Type.AS || Type.ST);
    EXPECT_DOUBLE_EQ(Type.UVEdge, -40);

    TKr6DataLensRange Range;
    ParseKr6LensRange(Range, TFixedLine().At(1, "A").At(7, "65").At(12, "-0800").At(49, " AR1  "));
    EXPECT_EQ(Range.Diameter, MakeDiameter(65, 0, false));
    EXPECT_DOUBLE_EQ(Range.SphereFrom, -8);
    EXPECT_EQ(Range.BEDV1, "AR1");
}

TEST(Kr6LensRecords, GeometryKindsForAllDiameters) {
    TKr6DataLensGeo R;
    ParseKr6LensGeo(R, TFixedLine().At(7, "00005").At(12, "-0400").At(22, "01500250"));
    EXPECT_EQ(R.GeometryKind, 2);
    EXPECT_EQ(R.Diameter, TDiameter{});
    EXPECT_EQ(R.DM1H + R.DM2H, 0.0);
    EXPECT_DOUBLE_EQ(R.SphereFrom, -4);
    EXPECT_FALSE(R.AllPowers);

    ParseKr6LensGeo(R, TFixedLine().At(7, "00").At(22, "0150").Width(96));
    EXPECT_EQ(R.GeometryKind, 1);
    EXPECT_EQ(R.DM1H, 0.0);
    EXPECT_TRUE(R.AllPowers);

    ParseKr6LensGeo(R, TFixedLine().At(7, "000"));
    EXPECT_EQ(R.GeometryKind, 0);

    ParseKr6LensGeo(R, "");
    EXPECT_EQ(R, TKr6DataLensGeo{.AllPowers = true});
}

// Before the long diameter, the same prices stand one column further left.
TEST(Kr6LensRecords, PriceLayoutFollowsTheVersion) {
    const std::string Short = "ABC1236570010200300012500002500000000000000000009999";
    TKr6DataLensPrice R;
    ParseKr6LensPrice(R, Short, Kr6LongPriceDiameterVersion - 1);
    EXPECT_EQ(R, (TKr6DataLensPrice{
                     "ABC123", MakeDiameter(65, 70, false), 1, 2, 3, {12.5, 25, 0, 0, 99.99}}));
    ParseKr6LensPrice(R, Short, Kr6LongPriceDiameterVersion);
    EXPECT_EQ(R.SphereGroup, 10);
}

TEST(Kr6OptionRecords, EveryColumnRoundTrips) {
    // clang-format off
    test::ExpectColumns<layouts::Options>(
        TKr6Dataoptions{"AB12", "Super ET", EncodeDateTime(2024, 2, 29),
            EncodeDateTime(2024, 12, 31), Member<Tdex6BrandLine>(1),
            TMaterialSet{M::Silikat, M::Polycarbonat}, Member<Tdex6AntiReflection>(8),
            Member<Tdex6Tint>(6), true, true, true, true, true, Member<Tdex6EdgeFinish>(2),
            Member<Tdex6DiameterChange>(3), Member<Tdex6ThicknessChange>(1), true, true,
            Member<Tdex6FormChange>(3), true, true, true, true, true, true, true,
            Member<Tdex6Bonus>(2), true, Member<Tdex6RoadTraffic>(4), 3, 380, 95.5, 100, -20, 3, 65,
            70, 7, "Kurz           ", 9, true},
        test::OptionsSample, ParseKr6Options);
    test::ExpectColumns<layouts::OptionsColor>(
        TKr6DataoptionsColor{"R01", "AB12", "Rot", 10, 20, 255, 255 * 256, 1 + 2 * 256 + 3 * 65536,
            Member<Tdex6RoadTraffic>(3), 2, 350, 85.5, 100},
        test::OptionsColorSample, ParseKr6OptionsColor);
    test::ExpectColumns<layouts::OptionsPrice>(
        TKr6DataoptionsPrice{"AB12", "ABC123", Member<Tdex6SphTor>(2), Member<Tdex6SingleMulti>(1),
            TMaterialSet{M::Kunststoff, M::Trivex}, {12.5, 0.01, 0, -1, 99.99}},
        "AB12  ABC123210101000125000000010000000-0001000009999", ParseKr6OptionsPrice);
    test::ExpectColumns<layouts::Combination>(
        TKr6DataCombination{"ABC123", Member<Tdex6Delivery>(2), "AR1", "FA2", "******"},
        "ABC1232AR1   FA2   ******", ParseKr6Combination);
    test::ExpectColumns<layouts::Information>(
        TKr6DataInformation{1, "AB12", Member<Tdex6InfoKind>(40), 3, "Ein Text"},
        "1AB12  40003Ein Text", ParseKr6Information);
    test::ExpectColumns<layouts::OrderOptions>(
        TKr6DataOrderOptions{0, "ABC123", Member<Tdex6OrderOption>(121), 5},
        "0ABC12301215", ParseKr6OrderOptions);
    test::ExpectColumns<layouts::Productgroup>(
        TKr6DataProductgroup{1, "AB12", "Gruppe A"},
        "1AB12  Gruppe A                      ", ParseKr6Productgroup);
    test::ExpectColumns<layouts::CodeSubst>(
        TKr6DataCodeSubst{1, "OLD1", Member<Tdex6SubstAction>(2), "NEW1", "NEW2", "NEW3"},
        "1OLD1  2NEW1  NEW2  NEW3  ", ParseKr6CodeSubst);
    // clang-format on
}

TEST(Kr6OptionRecords, ShortBlankAndOddFields) {
    // Codes and names lose leading blanks too; the column between the short name and the
    // last two fields is read by none.
    TKr6Dataoptions Option;
    ParseKr6Options(Option, TFixedLine().At(1, " Z1   ").At(7, "  Name  ").At(134, "X91"));
    EXPECT_EQ(Option.Code + "|" + Option.Name, "Z1|Name");
    EXPECT_EQ(Option.FKB, 9);
    EXPECT_TRUE(Option.OLB);

    TKr6DataInformation Info;
    ParseKr6Information(Info, TFixedLine().At(8, "41").At(13, std::string(250, 't') + "cut"));
    EXPECT_EQ(Info.Text, std::string(250, 't'));
    EXPECT_EQ(Info.LineNo, 0);

    TKr6DataCombination Rule;
    ParseKr6Combination(Rule, "ABC1237AR1");
    EXPECT_EQ(Rule.Delivery, Tdex6Delivery::Lieferbar); // what a code outside the table gives
    EXPECT_EQ(Rule.OptionCode1, "AR1");
    EXPECT_EQ(Rule.OptionCode2, "");
}

TEST(Kr6OptionRecords, MaterialSets) {
    TKr6DataoptionsPrice R;
    const auto Read = [&](std::string_view Text) {
        ParseKr6OptionsPrice(R, TFixedLine().At(15, Text));
        return R.Materials.Bits();
    };
    // Only "1" sets a material; none set is "any".
    for (const auto& [Text, Bits] :
         {std::pair{"1000", 2U}, {"0101", 20U}, {"    ", 1U}, {"0000", 1U}, {"2x1", 8U}})
        EXPECT_EQ(Read(Text), Bits) << Text;
    EXPECT_EQ(TKr6LineWriter<layouts::OptionsPrice>()
                  .Set<&TKr6DataoptionsPrice::Materials>(TMaterialSet{M::Egal})
                  .Line()
                  .substr(14, 4),
              "0000");
}

} // namespace
} // namespace kr6
