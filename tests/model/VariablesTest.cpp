#include "model/Variables.h"

#include "helpers/ElementTestSupport.h"
#include "model/Root.h"

#include <gtest/gtest.h>

#include <vector>

namespace kr6 {
namespace {

std::vector<std::int32_t> IdsOf(const Tdex6DataVariableliste& List) {
    std::vector<std::int32_t> Ids;
    for (const auto& Variable : List)
        Ids.push_back(Variable->Id);
    return Ids;
}

TEST(Variables, ListRoundTrip) {
    Tdex6Dataobject Root;
    Tdex6DataVariableliste Written(&Root, &Root);
    Tdex6DataVariable* Discount = Written.AddNew();
    Discount->Id = 4;
    Discount->Bez = "Rabatt & Skonto";
    Discount->W = 1.5;
    Written.AddNew()->Id = 2;
    EXPECT_NE(test::XmlOf(*Written.Items(1)).find("<Bez></Bez>"), std::string::npos);

    Tdex6DataVariableliste Read(&Root, &Root);
    EXPECT_EQ(test::XmlAfterReading(test::XmlOf(Written), Read), test::XmlOf(Written));
    ASSERT_EQ(Read.Count(), 2);
    EXPECT_EQ(Read.Items(0)->W, 1.5);
    EXPECT_EQ(Read.Items(0)->Bez, "Rabatt & Skonto");
}

TEST(Variables, NumberingOnRead) {
    Tdex6DataVariableliste Plain(nullptr, nullptr);
    EXPECT_EQ(Plain.NextID(), 1);
    test::ReadInto("<DVL><DV></DV><DV><Bez>x</Bez></DV><DV/></DVL>", Plain);
    EXPECT_EQ(IdsOf(Plain), (std::vector<std::int32_t>{1, 2, 3}));

    Tdex6DataVariableliste Explicit(nullptr, nullptr);
    test::ReadInto("<DVL><DV/><DV><Id>7</Id></DV><DV/><DV><id>7</id></DV></DVL>", Explicit);
    EXPECT_EQ(IdsOf(Explicit), (std::vector<std::int32_t>{1, 7, 8, 7}));
    EXPECT_EQ(Explicit.NextID(), 9);
}

TEST(Variables, ProtocolPrefixNamesValue) {
    Tdex6DataVariable Variable(nullptr, nullptr, false);
    Variable.Bez = "Rabatt";
    Variable.W = 2.5;
    EXPECT_EQ(Variable.ProtocolPrefix(ProtocolNone, {}), "Variable: Rabatt (Wert:2.5)");
}

} // namespace
} // namespace kr6
