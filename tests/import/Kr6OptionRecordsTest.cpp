#include "import/Kr6OptionRecords.h"

#include "helpers/FixedLine.h"

#include <gtest/gtest.h>

namespace kr6 {
namespace {

using test::TFixedLine;
using M = Tdex6Material;

TEST(Kr6Options, FullLine) {
    const TFixedLine Line = TFixedLine()
                                .At(1, " AB12 ")
                                .At(7, "  Super ET  ")
                                .At(47, "20240229")
                                .At(55, "20241231")
                                .At(63, "1")
                                .At(64, "0101")
                                .At(68, "86")
                                .At(70, "10101")
                                .At(75, "23110310101012143")
                                .At(92, "380")
                                .At(95, "09551000")
                                .At(103, "-020000300")
                                .At(113, "657007")
                                .At(119, "Kurz")
                                .At(134, "941");
    TKr6Dataoptions R;
    ParseKr6Options(R, Line);
    EXPECT_EQ(R.Code, "AB12");
    EXPECT_EQ(R.Name, "Super ET");
    EXPECT_DOUBLE_EQ(R.ValidFrom, EncodeDateTime(2024, 2, 29));
    EXPECT_DOUBLE_EQ(R.ValidUntil, EncodeDateTime(2024, 12, 31));
    EXPECT_EQ(R.BrandLine, Tdex6BrandLine::Marke);
    EXPECT_EQ(R.Materials.Bits(), 20U);
    EXPECT_EQ(R.AntiReflection, Tdex6AntiReflection::SuperET);
    EXPECT_EQ(R.Tint, Tdex6Tint::DreifachVerlauf);
    EXPECT_EQ((std::array{R.Photochromic, R.HardCoat, R.CleanCoat, R.UVCoat, R.Mirror}),
              (std::array{true, false, true, false, true}));
    EXPECT_EQ(R.EdgeFinish, Tdex6EdgeFinish::InGegebeneFassung);
    EXPECT_EQ(R.DiameterChange, Tdex6DiameterChange::OptimierterDurchmesser);
    EXPECT_EQ(R.ThicknessChange, Tdex6ThicknessChange::AbweichendeDicke);
    EXPECT_TRUE(R.ADB);
    EXPECT_FALSE(R.AAD);
    EXPECT_EQ(R.FormChange, Tdex6FormChange::Abgeschnitten);
    EXPECT_EQ(
        (std::array{R.WAL, R.Decentration, R.PRH, R.Matting, R.RemoveCoating, R.BTOR, R.ATOR}),
        (std::array{true, false, true, false, true, false, true}));
    EXPECT_EQ(R.Bonus, Tdex6Bonus::AbhaengigVomGlas);
    EXPECT_TRUE(R.Insurance);
    EXPECT_EQ(R.RoadTraffic, Tdex6RoadTraffic::NichtKFZTauglich);
    EXPECT_EQ(R.FilterCategory, 3);
    EXPECT_DOUBLE_EQ(R.UVEdge, 380);
    EXPECT_DOUBLE_EQ(R.UVA, 95.5);
    EXPECT_DOUBLE_EQ(R.UVB, 100);
    EXPECT_DOUBLE_EQ(R.SphereFrom, -2);
    EXPECT_DOUBLE_EQ(R.SphereTo, 3);
    EXPECT_EQ(R.DiameterFrom, 65);
    EXPECT_EQ(R.DiameterTo, 70);
    EXPECT_EQ(R.SortNumber, 7);
    EXPECT_EQ(R.ShortName, "Kurz           "); // position 134 belongs to no field
    EXPECT_EQ(R.FKB, 4);
    EXPECT_TRUE(R.OLB);
}

TEST(Kr6Options, ShortAndEmptyLines) {
    TKr6Dataoptions R;
    ParseKr6Options(R, TFixedLine().At(1, "AB12").At(70, "11111").At(119, "K").Text());
    ParseKr6Options(R, "");
    TKr6Dataoptions Expected;
    Expected.Materials = {M::Egal};
    EXPECT_EQ(R, Expected);
    ParseKr6Options(R, TFixedLine().At(1, "Z1").At(64, "10"));
    EXPECT_EQ(R.Code, "Z1");
    EXPECT_EQ(R.Materials, (TMaterialSet{M::Silikat}));
}

TEST(Kr6Options, MaterialSets) {
    TKr6DataoptionsPrice R;
    const auto Materials = [&](std::string_view Text) {
        ParseKr6OptionsPrice(R, TFixedLine().At(15, Text));
        return R.Materials.Bits();
    };
    EXPECT_EQ(Materials("1000"), 2U);
    EXPECT_EQ(Materials("0101"), 20U);
    EXPECT_EQ(Materials("    "), 1U);
    EXPECT_EQ(Materials("0000"), 1U);
    EXPECT_EQ(Materials("1100"), 6U);
    EXPECT_EQ(Materials("2x1"), 8U); // only "1" sets a material
}

TEST(Kr6OptionsColor, FullLineAndColourTriples) {
    const TFixedLine Line = TFixedLine()
                                .At(1, "R01AB12")
                                .At(10, "Rot")
                                .At(50, "1020")
                                .At(54, "255000000000255000001002003")
                                .At(81, "32350")
                                .At(86, "08551000");
    TKr6DataoptionsColor R;
    ParseKr6OptionsColor(R, Line);
    EXPECT_EQ(R.ColorCode, "R01");
    EXPECT_EQ(R.OptionCode, "AB12");
    EXPECT_EQ(R.Name, "Rot");
    EXPECT_EQ(R.AbO, 10);
    EXPECT_EQ(R.AbV, 20);
    EXPECT_EQ(R.RgbTop, 255);
    EXPECT_EQ(R.RgbMiddle, 255 * 256);
    EXPECT_EQ(R.RgbBottom, 1 + 2 * 256 + 3 * 65536);
    EXPECT_EQ(R.RoadTraffic, Tdex6RoadTraffic::NichtNachtfahrtauglich);
    EXPECT_EQ(R.FilterCategory, 2);
    EXPECT_DOUBLE_EQ(R.UVEdge, 350);
    EXPECT_DOUBLE_EQ(R.UVA, 85.5);
    EXPECT_DOUBLE_EQ(R.UVB, 100);

    ParseKr6OptionsColor(R, TFixedLine().At(54, "25 ").At(63, " 1,").Width(93));
    EXPECT_EQ(R.RgbTop, 25);
    EXPECT_EQ(R.RgbMiddle, 0);
    EXPECT_EQ(R.RgbBottom, 0);
    ParseKr6OptionsColor(R, "");
    EXPECT_EQ(R, TKr6DataoptionsColor{});
}

TEST(Kr6OptionsPrice, FullLine) {
    const TFixedLine Line = TFixedLine()
                                .At(1, "AB12  ABC123211100")
                                .At(19, "0001250")
                                .At(26, "  12,5 ")
                                .At(40, "-000100")
                                .At(47, "0009999");
    TKr6DataoptionsPrice R;
    ParseKr6OptionsPrice(R, Line);
    EXPECT_EQ(R.OptionCode, "AB12");
    EXPECT_EQ(R.LensCode, "ABC123");
    EXPECT_EQ(R.SphTor, Tdex6SphTor::Torisch);
    EXPECT_EQ(R.SingleMulti, Tdex6SingleMulti::Einst);
    EXPECT_EQ(R.Materials, (TMaterialSet{M::Silikat, M::Kunststoff}));
    EXPECT_EQ(R.Price, (std::array{12.5, 0.125, 0.0, -1.0, 99.99}));
    ParseKr6OptionsPrice(R, "AB12");
    EXPECT_EQ(R.LensCode, "");
    EXPECT_EQ(R.Price, (std::array<double, 5>{}));
}

TEST(Kr6Combination, Lines) {
    TKr6DataCombination R;
    ParseKr6Combination(R, "ABC1232AR1   FA2   ******");
    EXPECT_EQ(R.LensCode, "ABC123");
    EXPECT_EQ(R.Delivery, Tdex6Delivery::NurLieferbar);
    EXPECT_EQ(R.OptionCode1 + "|" + R.OptionCode2 + "|" + R.OptionCode3, "AR1|FA2|******");
    ParseKr6Combination(R, "ABC1237AR1");
    EXPECT_EQ(R.Delivery, Tdex6Delivery::Lieferbar);
    EXPECT_EQ(R.OptionCode2, "");
    ParseKr6Combination(R, "");
    EXPECT_EQ(R, TKr6DataCombination{});
}

TEST(Kr6Information, Lines) {
    TKr6DataInformation R;
    ParseKr6Information(R, TFixedLine().At(1, "1AB12").At(8, "40003").At(13, "Ein Text  "));
    EXPECT_EQ(R.Target, 1);
    EXPECT_EQ(R.Code, "AB12");
    EXPECT_EQ(R.InfoKind, Tdex6InfoKind::UrlImage);
    EXPECT_EQ(R.LineNo, 3);
    EXPECT_EQ(R.Text, "Ein Text");
    ParseKr6Information(R, TFixedLine().At(8, "41").At(13, std::string(250, 't') + "cut"));
    EXPECT_EQ(R.InfoKind, Tdex6InfoKind::TechnischeProduktbeschreibung);
    EXPECT_EQ(R.Text, std::string(250, 't'));
    ParseKr6Information(R, "");
    EXPECT_EQ(R, TKr6DataInformation{});
}

TEST(Kr6OrderOptions, Lines) {
    TKr6DataOrderOptions R;
    ParseKr6OrderOptions(R, "0ABC12301215");
    EXPECT_EQ(R.Target, 0);
    EXPECT_EQ(R.Code, "ABC123");
    EXPECT_EQ(R.OrderOption, Tdex6OrderOption::StabilitaetsKoeffizient);
    EXPECT_EQ(R.Usage, 5);
    ParseKr6OrderOptions(R, "1X     0999");
    EXPECT_EQ(R.OrderOption, Tdex6OrderOption::NichtGefuellt);
    EXPECT_EQ(R.Usage, 0);
    ParseKr6OrderOptions(R, "");
    EXPECT_EQ(R, TKr6DataOrderOptions{});
}

TEST(Kr6Productgroup, Lines) {
    TKr6DataProductgroup R;
    ParseKr6Productgroup(R, TFixedLine().At(1, "1AB12").At(8, "Gruppe A  ").Width(37));
    EXPECT_EQ(R.Target, 1);
    EXPECT_EQ(R.Code, "AB12");
    EXPECT_EQ(R.GroupName, "Gruppe A");
    ParseKr6Productgroup(R, "0AB");
    EXPECT_EQ(R.GroupName, "");
    ParseKr6Productgroup(R, "");
    EXPECT_EQ(R, TKr6DataProductgroup{});
}

TEST(Kr6CodeSubst, Lines) {
    TKr6DataCodeSubst R;
    ParseKr6CodeSubst(R, "1OLD1  2NEW1  NEW2  NEW3  ");
    EXPECT_EQ(R.Target, 1);
    EXPECT_EQ(R.OldCode, "OLD1");
    EXPECT_EQ(R.Action, Tdex6SubstAction::Produktvorschlag);
    EXPECT_EQ(R.NewCode1 + "|" + R.NewCode2 + "|" + R.NewCode3, "NEW1|NEW2|NEW3");
    ParseKr6CodeSubst(R, "0OLD1  1NEW1");
    EXPECT_EQ(R.Action, Tdex6SubstAction::CodeErsetzen);
    EXPECT_EQ(R.NewCode2, "");
    ParseKr6CodeSubst(R, "");
    EXPECT_EQ(R, TKr6DataCodeSubst{});
}

} // namespace
} // namespace kr6
