#include "import/Kr6LensRecords.h"

#include "helpers/FixedLine.h"

#include <gtest/gtest.h>

namespace kr6 {
namespace {

using test::TFixedLine;

TEST(Kr6LensType, FullLine) {
    const TFixedLine Line = TFixedLine()
                                .At(1, "ABC123")
                                .At(7, "Glas eins  ")
                                .At(47, "20240101")
                                .At(55, "20251231")
                                .At(63, "3")
                                .At(64, "1")
                                .At(65, "012")
                                .At(68, "034")
                                .At(71, "2")
                                .At(72, "2")
                                .At(73, "15000")
                                .At(78, "120")
                                .At(81, "5800")
                                .At(85, "10")
                                .At(87, "54")
                                .At(89, "10101")
                                .At(94, "0210135")
                                .At(101, "400")
                                .At(104, "0950")
                                .At(108, "1000")
                                .At(112, "121")
                                .At(115, "042")
                                .At(118, "Kurz")
                                .At(133, "706512");
    TKr6DataLensType R;
    ParseKr6LensType(R, Line);
    EXPECT_EQ(R.Code, "ABC123");
    EXPECT_EQ(R.Name, "Glas eins");
    EXPECT_DOUBLE_EQ(R.ValidFrom, EncodeDateTime(2024, 1, 1));
    EXPECT_DOUBLE_EQ(R.ValidUntil, EncodeDateTime(2025, 12, 31));
    EXPECT_EQ(R.LensKind, Tdex6LensKind::Gleitsicht);
    EXPECT_TRUE(R.AG);
    EXPECT_EQ(R.AGKG, 12);
    EXPECT_EQ(R.AGKB, 34);
    EXPECT_EQ(R.BrandLine, Tdex6BrandLine::ECO);
    EXPECT_EQ(R.Material, Tdex6Material::Kunststoff);
    EXPECT_DOUBLE_EQ(R.RefractiveIndex, 1.5);
    EXPECT_DOUBLE_EQ(R.Density, 1.2);
    EXPECT_DOUBLE_EQ(R.AbbeNumber, 58);
    EXPECT_TRUE(R.AS);
    EXPECT_FALSE(R.ST);
    EXPECT_EQ(R.AntiReflection, Tdex6AntiReflection::MehrfachET);
    EXPECT_EQ(R.Tint, Tdex6Tint::EinfachVerlauf);
    EXPECT_EQ((std::array{R.Photochromic, R.HardCoat, R.CleanCoat, R.UVCoat, R.Mirror}),
              (std::array{true, false, true, false, true}));
    EXPECT_FALSE(R.MDM);
    EXPECT_EQ(R.KDM, Tdex6KDM::ImPlusbereich);
    EXPECT_EQ((std::array{R.AD, R.Insurance, R.Pri}), (std::array{true, false, true}));
    EXPECT_EQ(R.FilterCategory, 3);
    EXPECT_EQ(R.RoadTraffic, Tdex6RoadTraffic::AbhaengigVonMittendickeUndVeredelung);
    EXPECT_DOUBLE_EQ(R.UVEdge, 400);
    EXPECT_DOUBLE_EQ(R.UVA, 9.5);
    EXPECT_DOUBLE_EQ(R.UVB, 10);
    EXPECT_TRUE(R.EG);
    EXPECT_EQ(R.EGB, Tdex6EGB::MitFiktivemGegenglas);
    EXPECT_TRUE(R.TS);
    EXPECT_EQ(R.SortNumber, 42);
    EXPECT_EQ(R.ShortName, "Kurz           ");
    EXPECT_EQ(R.KMDM, 70);
    EXPECT_EQ(R.KDMA, 65);
    EXPECT_EQ(R.FKB, 12);
}

TEST(Kr6LensType, ShortAndEmptyLinesClearEveryField) {
    TKr6DataLensType R;
    ParseKr6LensType(R, TFixedLine().At(1, "XYZ").At(64, "1").At(118, "K").Text());
    ParseKr6LensType(R, "ABC123     ");
    TKr6DataLensType Expected;
    Expected.Code = "ABC123";
    EXPECT_EQ(R, Expected);
    ParseKr6LensType(R, "");
    EXPECT_EQ(R, TKr6DataLensType{});
    ParseKr6LensType(R, "ABC123Gla");
    EXPECT_EQ(R.Name, "Gla");
}

TEST(Kr6LensType, Conversions) {
    TKr6DataLensType R;
    ParseKr6LensType(R, TFixedLine().At(47, "20230229").At(72, "7").At(73, " 1,5 ").At(78, "1 2"));
    EXPECT_EQ(R.ValidFrom, 0.0);
    EXPECT_EQ(R.Material, Tdex6Material::Silikat); // default of the table
    EXPECT_DOUBLE_EQ(R.RefractiveIndex, 0.00015);
    EXPECT_DOUBLE_EQ(R.Density, 0.12);
    ParseKr6LensType(R, TFixedLine().At(73, "1.5").At(85, "x").At(86, "-"));
    EXPECT_DOUBLE_EQ(R.RefractiveIndex, 0.00015);
    EXPECT_FALSE(R.AS);
    EXPECT_FALSE(R.ST);
}

TEST(Kr6LensRange, FullLine) {
    const TFixedLine Line = TFixedLine()
                                .At(1, "ABC1")
                                .At(7, "6570E")
                                .At(12, "-0800")
                                .At(17, "00600")
                                .At(22, "-2000000")
                                .At(30, "010170")
                                .At(36, "0250")
                                .At(40, "02000100")
                                .At(48, "4")
                                .At(49, " AR1  B2    C3")
                                .At(67, "  D4  E5")
                                .At(79, "1")
                                .At(80, "2024013120241231")
                                .At(96, "1005")
                                .At(100, "1011")
                                .At(104, "007");
    TKr6DataLensRange R;
    ParseKr6LensRange(R, Line);
    EXPECT_EQ(R.Code, "ABC1");
    EXPECT_EQ(R.Diameter, MakeDiameter(65, 70, true));
    EXPECT_DOUBLE_EQ(R.SphereFrom, -8);
    EXPECT_DOUBLE_EQ(R.SphereTo, 6);
    EXPECT_DOUBLE_EQ(R.Cylinder1, -2);
    EXPECT_DOUBLE_EQ(R.Cylinder2, 0);
    EXPECT_EQ(R.FromAxis, 10);
    EXPECT_EQ(R.ToAxis, 170);
    EXPECT_DOUBLE_EQ(R.Prism, 2.5);
    EXPECT_DOUBLE_EQ(R.Addition1, 2);
    EXPECT_DOUBLE_EQ(R.Addition2, 1);
    EXPECT_EQ(R.AdditionStep, Tdex6AdditionStep::Stufe0_25);
    EXPECT_EQ(R.BEDV1 + "|" + R.BEDV2 + "|" + R.BEDV3 + "|" + R.BEDV4 + "|" + R.BEDV5,
              "AR1|B2|C3|D4|E5");
    EXPECT_TRUE(R.SIP);
    EXPECT_DOUBLE_EQ(R.ValidFrom, EncodeDateTime(2024, 1, 31));
    EXPECT_DOUBLE_EQ(R.ValidUntil, EncodeDateTime(2024, 12, 31));
    EXPECT_TRUE(R.Stock);
    EXPECT_EQ(R.DeliveryTime, 5);
    EXPECT_EQ((std::array{R.ELief, R.BF, R.DFUR, R.OLB}), (std::array{true, false, true, true}));
    EXPECT_EQ(R.DeliveryRangeId, 7);

    ParseKr6LensRange(R, "");
    EXPECT_EQ(R, TKr6DataLensRange{});
    ParseKr6LensRange(R, TFixedLine().At(7, "65").At(48, "0"));
    EXPECT_EQ(R.Diameter, MakeDiameter(65, 0, false));
    EXPECT_EQ(R.AdditionStep, Tdex6AdditionStep::Stufe1_0);
}

TEST(Kr6LensGeo, FullLineForADiameter) {
    const TFixedLine Line = TFixedLine()
                                .At(1, "ABC123")
                                .At(7, "7065e")
                                .At(12, "-0400")
                                .At(17, "00400")
                                .At(22, "01500250")
                                .At(30, "2")
                                .At(31, "00100")
                                .At(36, "00200")
                                .At(41, "00300")
                                .At(46, "00400")
                                .At(51, "00500")
                                .At(56, "0060")
                                .At(60, "0070")
                                .At(64, "0080")
                                .At(68, "0090")
                                .At(72, "0100")
                                .At(76, "0110")
                                .At(80, "1")
                                .At(81, "0120")
                                .At(85, "0130")
                                .At(89, "0140")
                                .At(93, "0150");
    TKr6DataLensGeo R;
    ParseKr6LensGeo(R, Line);
    EXPECT_EQ(R.Code, "ABC123");
    EXPECT_EQ(R.GeometryKind, 0);
    EXPECT_EQ(R.Diameter, MakeDiameter(70, 65, true));
    EXPECT_FALSE(R.AllPowers);
    EXPECT_DOUBLE_EQ(R.SphereFrom, -4);
    EXPECT_DOUBLE_EQ(R.SphereTo, 4);
    EXPECT_DOUBLE_EQ(R.DM1H, 1.5);
    EXPECT_DOUBLE_EQ(R.DM2H, 2.5);
    EXPECT_EQ(R.NTT, Tdex6NTT::Panto);
    EXPECT_EQ((std::array{R.VAFB, R.HAFB, R.VAT, R.HAT, R.VAMN}),
              (std::array{1.0, 2.0, 3.0, 4.0, 5.0}));
    EXPECT_EQ((std::array{R.URN, R.ORN, R.BN, R.HN, R.HZ, R.VAZK}),
              (std::array{0.6, 0.7, 0.8, 0.9, 1.0, 1.1}));
    EXPECT_EQ(R.ViewDirection, Tdex6ViewDirection::Hauptblickrichtung);
    EXPECT_DOUBLE_EQ(R.VANB, 1.2);
    EXPECT_DOUBLE_EQ(R.MVANB, 1.3);
    EXPECT_DOUBLE_EQ(R.HANP, 1.4);
    EXPECT_DOUBLE_EQ(R.MHANP, 1.5);
}

TEST(Kr6LensGeo, KindsForAllDiameters) {
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
    TKr6DataLensGeo Expected;
    Expected.AllPowers = true;
    EXPECT_EQ(R, Expected);
}

TEST(Kr6LensPrice, LayoutFollowsTheVersion) {
    // The same prices in both layouts: the long diameter moves everything behind it.
    const TFixedLine Long = TFixedLine()
                                .At(1, "ABC123")
                                .At(7, "6570E")
                                .At(12, "0102003")
                                .At(19, "0001250")
                                .At(26, "0002500")
                                .At(47, "0009999");
    const TFixedLine Short = TFixedLine()
                                 .At(1, "ABC123")
                                 .At(7, "6570")
                                 .At(11, "0102003")
                                 .At(18, "0001250")
                                 .At(25, "0002500")
                                 .At(46, "0009999");
    TKr6DataLensPrice R;
    for (const auto& [Line, Version] :
         {std::pair{Long.Text(), 6009000}, std::pair{Short.Text(), 6008005}}) {
        ParseKr6LensPrice(R, Line, Version);
        EXPECT_EQ(R.Code, "ABC123");
        EXPECT_EQ(R.Diameter, MakeDiameter(65, 70, Version >= 6009000));
        EXPECT_EQ(R.SphereGroup, 1);
        EXPECT_EQ(R.CylinderGroup, 2);
        EXPECT_EQ(R.DeliveryRangeId, 3);
        EXPECT_EQ(R.Price, (std::array{12.5, 25.0, 0.0, 0.0, 99.99}));
    }
    ParseKr6LensPrice(R, Short, 6009000);
    EXPECT_EQ(R.SphereGroup, 10);
    EXPECT_DOUBLE_EQ(R.Price[0], 125); // "0012500", one position later
    ParseKr6LensPrice(R, Long, 0);
    EXPECT_EQ(R.Diameter, MakeDiameter(65, 70, false));
    ParseKr6LensPrice(R, "", 6009000);
    EXPECT_EQ(R, TKr6DataLensPrice{});
}

} // namespace
} // namespace kr6
