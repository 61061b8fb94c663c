#include "model/Protocol.h"

#include "helpers/ElementTestSupport.h"
#include "model/ProductGroups.h"
#include "model/Root.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kr6 {
namespace {

TEST(Protocol, AddEntryFillsUserAndDate) {
    Tdex6Dataobject Root;
    Tdex6DataProtokollliste& List = *Root.Protokollliste();
    const TDateTime Before = Now();
    Tdex6DataProtokoll* Entry = List.AddEntry(500, "Text", 0, "");
    EXPECT_TRUE(Root.Modified());
    EXPECT_EQ(Entry->OID(), 500);
    EXPECT_EQ(Root.LastOID(), 500);
    EXPECT_EQ(Entry->B, "Text");
    EXPECT_EQ(Entry->U, "Der Benutzer");
    EXPECT_LE(std::abs(Entry->D - Before), 1.0 / 1440);

    Tdex6DataProtokoll* Given = List.AddEntry(7, "", 45000.5, "Meier");
    EXPECT_EQ(Given->U, "Meier");
    EXPECT_EQ(Given->D, 45000.5);
    EXPECT_EQ(Root.LastOID(), 500);
    EXPECT_EQ(List.Count(), 2);
}

TEST(Protocol, AddProtocolOfAnObject) {
    Tdex6Dataobject Root;
    Tdex6DataProduktgruppe Group(&Root, nullptr, true);
    Group.Bez = "Premium";
    Tdex6DataProtokoll* Entry = Group.AddProtocol(ProtocolAdded, "neu", "", 45000);
    ASSERT_NE(Entry, nullptr);
    EXPECT_EQ(Entry->OID(), Group.OID());
    EXPECT_EQ(Entry->B, "Produktgruppe zugef\xFCgt: Premium neu");
    EXPECT_EQ(Group.AddProtocol(ProtocolNone, "")->B, "Produktgruppe: Premium");
    EXPECT_EQ(Root.Protokollliste()->Count(), 2);

    Tdex6DataProduktgruppe Loose(nullptr, nullptr, true);
    EXPECT_EQ(Loose.AddProtocol(ProtocolAdded, "x"), nullptr);
}

TEST(Protocol, ListRoundTrip) {
    Tdex6Dataobject Written;
    Written.Protokollliste()->AddEntry(42, "erster <Eintrag>", 45000.25, "Meier");
    Written.Protokollliste()->AddEntry(9, "", 45001, "");
    const std::string Xml = test::XmlOf(*Written.Protokollliste());
    EXPECT_NE(Xml.find("<PE><ED></ED><OID>42</OID><O>42</O><D>20230315060000</D>"),
              std::string::npos);

    Tdex6Dataobject Root;
    Root.SetModified(false);
    test::ReadInto(Xml, *Root.Protokollliste());
    EXPECT_TRUE(Root.Modified());
    EXPECT_EQ(test::XmlOf(*Root.Protokollliste()), Xml);
    EXPECT_EQ(Root.LastOID(), 42);
    EXPECT_EQ(Root.Protokollliste()->Items(0)->B, "erster <Eintrag>");
}

} // namespace
} // namespace kr6
