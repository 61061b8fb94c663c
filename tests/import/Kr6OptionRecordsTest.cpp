#include "import/Kr6OptionRecords.h"

#include "helpers/FixedLine.h"
#include "helpers/RecordColumns.h"

#include <gtest/gtest.h>

namespace kr6 {
namespace {

using test::TFixedLine;
using M = Tdex6Material;
namespace layouts = kr6_layouts;

using test::Member;

TMaterialSet Materials(std::initializer_list<M> Members) {
    TMaterialSet Set;
    for (M Material : Members)
        Set.Include(Material);
    return Set;
}

TEST(Kr6OptionRecords, EveryColumnRoundTrips) {
    // clang-format off
    test::ExpectColumns<layouts::Options>(
        TKr6Dataoptions{"AB12", "Super ET", EncodeDateTime(2024, 2, 29),
            EncodeDateTime(2024, 12, 31), Member<Tdex6BrandLine>(1),
            Materials({M::Silikat, M::Polycarbonat}), Member<Tdex6AntiReflection>(8),
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
            Materials({M::Kunststoff, M::Trivex}), {12.5, 0.01, 0, -1, 99.99}},
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
    TKr6Dataoptions Option;
    ParseKr6Options(Option, TFixedLine().At(1, "AB12").At(70, "11111").At(119, "K").Text());
    ParseKr6Options(Option, "");
    TKr6Dataoptions Expected;
    Expected.Materials = {M::Egal};
    EXPECT_EQ(Option, Expected);
    // Codes and names lose leading blanks too; the column between the short name and the
    // last two fields is read by none.
    ParseKr6Options(Option, TFixedLine().At(1, " Z1   ").At(7, "  Name  ").At(134, "X91"));
    EXPECT_EQ(Option.Code + "|" + Option.Name, "Z1|Name");
    EXPECT_EQ(Option.FKB, 9);
    EXPECT_TRUE(Option.OLB);

    TKr6DataoptionsColor Colour;
    ParseKr6OptionsColor(Colour, TFixedLine().At(54, "25 ").At(63, " 1,").Width(93));
    EXPECT_EQ(Colour.RgbTop, 25);
    EXPECT_EQ(Colour.RgbMiddle, 0);

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
    EXPECT_EQ(Read("1000"), 2U);
    EXPECT_EQ(Read("0101"), 20U);
    EXPECT_EQ(Read("    "), 1U);
    EXPECT_EQ(Read("0000"), 1U);
    EXPECT_EQ(Read("2x1"), 8U); // only "1" sets a material
    EXPECT_EQ(TKr6LineWriter<layouts::OptionsPrice>()
                  .Set<&TKr6DataoptionsPrice::Materials>(Materials({M::Egal}))
                  .Line()
                  .substr(14, 4),
              "0000");
}

} // namespace
} // namespace kr6
