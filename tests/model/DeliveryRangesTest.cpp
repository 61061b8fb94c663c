#include "model/DeliveryRanges.h"

#include "helpers/ElementTestSupport.h"
#include "model/Root.h"

#include <gtest/gtest.h>

namespace kr6 {
namespace {

using TRanges = Tdex6DataLieferbereichsbezeichnungsliste;

TEST(DeliveryRanges, DefaultNumberingOnReadAndLookup) {
    const std::string Xml = "<LBBL><LBB><Bez>a</Bez></LBB><LBB></LBB></LBBL>";
    TRanges Bare(nullptr, nullptr);
    test::ReadInto(Xml, Bare);
    ASSERT_EQ(Bare.Count(), 2);
    EXPECT_EQ(Bare.Items(0)->ID, 1);
    EXPECT_EQ(Bare.Items(1)->ID, 2);

    TRanges WithStandard(nullptr, nullptr);
    WithStandard.AddNumbered();
    WithStandard.Reset(true);
    ASSERT_EQ(WithStandard.Count(), 1);
    EXPECT_EQ(WithStandard.Items(0)->ID, 0);
    EXPECT_EQ(WithStandard.Items(0)->Bez, "Standardlieferbereich");
    test::ReadInto(Xml, WithStandard);
    ASSERT_EQ(WithStandard.Count(), 3);
    EXPECT_EQ(WithStandard.Items(1)->ID, 1);
    EXPECT_EQ(WithStandard.Items(2)->ID, 2);
    EXPECT_EQ(WithStandard.NextID(), 3);

    WithStandard.Items(2)->ID = 1;
    EXPECT_EQ(WithStandard.FindByID(1), WithStandard.Items(2));
    EXPECT_EQ(WithStandard.FindByID(0), WithStandard.Items(0));
    EXPECT_EQ(WithStandard.FindByID(5), nullptr);
    WithStandard.Reset(false);
    EXPECT_TRUE(WithStandard.IsEmpty());
}

TEST(DeliveryRanges, ListRoundTrip) {
    Tdex6Dataobject Root;
    TRanges Written(&Root, &Root);
    Written.Reset(true);
    Written.AddNumbered()->Bez = "Sonder<bereich>";
    TRanges Read(&Root, &Root);
    EXPECT_EQ(test::XmlAfterReading(test::XmlOf(Written), Read), test::XmlOf(Written));
    EXPECT_EQ(Read.Items(1)->Bez, "Sonder<bereich>");
}

TEST(PriceGroups, BoundsAndWrittenFlags) {
    Tdex6DataPreisgruppen Groups(nullptr, nullptr, false);
    Groups.SetS(51, true);
    Groups.SetC(-1, true);
    EXPECT_FALSE(Groups.GetS(51));
    EXPECT_FALSE(Groups.GetC(-1));
    EXPECT_EQ(test::XmlOf(Groups), "<PG><ED></ED><OID>0</OID></PG>");

    Groups.SetS(0, true);
    Groups.SetS(3, true);
    Groups.SetC(2, true);
    Groups.SetC(20, true);
    Groups.SetS(50, true);
    EXPECT_TRUE(Groups.GetC(20));
    EXPECT_EQ(test::XmlOf(Groups), "<PG><ED></ED><OID>0</OID><S0>1</S0><S3>1</S3><S50>1</S50>"
                                   "<C2>1</C2></PG>");

    Tdex6DataPreisgruppen Read(nullptr, nullptr, false);
    EXPECT_EQ(test::XmlAfterReading(test::XmlOf(Groups), Read), test::XmlOf(Groups));

    Tdex6DataPreisgruppen Foreign(nullptr, nullptr, false);
    test::ReadInto("<PG><C20>1</C20><C10>1</C10><S03>1</S03><s7>0</s7></PG>", Foreign);
    EXPECT_FALSE(Foreign.GetC(20));
    EXPECT_TRUE(Foreign.GetC(10));
    EXPECT_FALSE(Foreign.GetS(3));
    EXPECT_FALSE(Foreign.GetS(7));
}

TEST(PrismCylinder, DefaultsWrittenAndRead) {
    Tdex6DataPrismenCylinder Groups(nullptr, nullptr, false);
    EXPECT_EQ(test::XmlOf(Groups), "<PC><ED></ED><OID>0</OID><ZB>4</ZB><ZG1>6</ZG1><ZG2>8</ZG2>"
                                   "<PG1>3</PG1><PG2>6</PG2><PG3>10</PG3><PG4>15</PG4>"
                                   "<PG5>0</PG5></PC>");
    Tdex6DataPrismenCylinder Read(nullptr, nullptr, false);
    test::ReadInto("<PC><ZB>2</ZB><PG5>20</PG5><pg1>x</pg1></PC>", Read);
    EXPECT_EQ(Read.ZB, 2);
    EXPECT_EQ(Read.PG5, 20);
    EXPECT_EQ(Read.PG1, 0);
    Read.Clear(false);
    EXPECT_EQ(test::XmlOf(Read), test::XmlOf(Groups));
}

} // namespace
} // namespace kr6
