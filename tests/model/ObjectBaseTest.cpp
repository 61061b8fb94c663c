#include "helpers/ElementTestSupport.h"
#include "model/ObjectList.h"
#include "model/Root.h"
#include "support/TextCompare.h"

#include <gtest/gtest.h>

namespace kr6 {
namespace {

class TProbe : public TCustomdex6Object {
public:
    TProbe(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID)
        : TCustomdex6Object(Root, Parent, NewOID) {}

    std::string Name;

    std::string_view TagName() const override { return "PRB"; }
    void WriteTags(TXmlStream& Writer) const override {
        TCustomdex6Object::WriteTags(Writer);
        WriteStrElement(Writer, "NAME", Name);
    }
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name_,
                 std::string_view Content) override {
        TCustomdex6Object::ReadTag(Reader, PartType, Name_, Content);
        if (IsContent(PartType) && SameText(Name_, "NAME"))
            Name = Content;
    }
};

class TProbeList : public Tdex6ObjectList<TProbe> {
public:
    using Tdex6ObjectList::Tdex6ObjectList;
    std::string_view TagName() const override { return "PRBL"; }
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override {
        Tdex6ObjectList::ReadTag(Reader, PartType, Name, Content);
        if (PartType == TPartType::StartTag && SameText(Name, "PRB"))
            NewItem()->BeginRead(Reader, this);
    }
};

TEST(ObjectBase, IdentifiersComeFromTheRootAndReadOnesRaiseIt) {
    Tdex6Dataobject Root;
    Root.SetLastOID(41);
    TProbe Fresh(&Root, &Root, true);
    EXPECT_EQ(Fresh.OID(), 42);
    EXPECT_EQ(Root.LastOID(), 42);

    TProbe Unnumbered(&Root, &Root, false);
    EXPECT_EQ(Unnumbered.OID(), 0);
    Unnumbered.SetOID(500);
    EXPECT_EQ(Root.LastOID(), 500);
    Unnumbered.SetOID(7);
    EXPECT_EQ(Root.LastOID(), 500);
}

TEST(ObjectBase, RegisterKeepsCreationOrderAndForgetsDestroyedObjects) {
    Tdex6Dataobject Root;
    const std::size_t Before = Root.AllObjects().Count();
    auto A = std::make_unique<TProbe>(&Root, &Root, true);
    auto B = std::make_unique<TProbe>(&Root, &Root, true);
    auto C = std::make_unique<TProbe>(&Root, &Root, true);
    EXPECT_EQ(Root.AllObjects().Count(), Before + 3);
    EXPECT_EQ(Root.AllObjects().Last(), C.get());

    B.reset();
    EXPECT_EQ(Root.AllObjects().Count(), Before + 2);
    EXPECT_EQ(TAllObjects::Next(A.get()), C.get());
    C.reset();
    EXPECT_EQ(Root.AllObjects().Last(), A.get());

    TProbe Rootless(nullptr, nullptr, true);
    EXPECT_EQ(Rootless.OID(), 0);
}

TEST(ObjectBase, ProtocolPrefixNamesTheActionInGerman) {
    TProbe Probe(nullptr, nullptr, false);
    EXPECT_EQ(Probe.ProtocolPrefix(1, ""), "PRB zugef\xFCgt: ");
    EXPECT_EQ(Probe.ProtocolPrefix(3, ""), "PRB gel\xF6scht: ");
    EXPECT_EQ(Probe.ProtocolPrefix(0, "X"), "X: ");
    EXPECT_EQ(Probe.ProtocolPrefix(4, "X"), "");
}

TEST(ObjectBase, ChangeDateAndIdentifierInTheElementForm) {
    TProbe Probe(nullptr, nullptr, false);
    EXPECT_EQ(test::XmlOf(Probe), "<PRB><ED></ED><OID>0</OID><NAME></NAME></PRB>");
    Probe.SetED(EncodeDateTime(2024, 3, 1, 14, 5, 59));
    EXPECT_EQ(test::XmlOf(Probe), "<PRB><ED>202403011405</ED><OID>0</OID><NAME></NAME></PRB>");

    Tdex6Dataobject Root;
    TProbe Written(&Root, &Root, true);
    Written.Name = "A&B <\xE4>";
    Written.SetED(EncodeDateTime(2024, 3, 1, 14, 5));

    TProbe Read(&Root, &Root, false);
    EXPECT_EQ(test::XmlAfterReading(test::XmlOf(Written), Read), test::XmlOf(Written));

    TProbe Undated(&Root, &Root, false);
    Undated.SetED(5);
    test::ReadInto("<PRB><ED></ED><OID>9</OID></PRB>", Undated);
    EXPECT_EQ(Undated.ED(), 0);
    EXPECT_EQ(Undated.OID(), 9);
    test::ReadInto("<prb><ed>2024xx</ed></prb>", Undated);
    EXPECT_EQ(Undated.ED(), 0);
}

TEST(ObjectBase, ListsHandItemsTheReaderAndTakeItBack) {
    Tdex6Dataobject Root;
    TProbeList List(&Root, &Root);
    test::ReadInto("<PRBL><PRB><NAME>one</NAME><X><NAME>nested</NAME></X></PRB>"
                   "<prb><name>two</name></prb><NAME>ignored</NAME></PRBL>",
                   List);
    ASSERT_EQ(List.Count(), 2);
    EXPECT_EQ(List.Items(0)->Name, "nested");
    EXPECT_EQ(List.Items(1)->Name, "two");
    EXPECT_EQ(List.Items(-1), nullptr);
    EXPECT_EQ(List.Items(2), nullptr);
    EXPECT_EQ(List.Items(0)->Parent(), &List);

    TProbeList Copy(&Root, &Root);
    test::ReadInto(test::XmlOf(List), Copy);
    EXPECT_EQ(test::XmlOf(Copy).substr(0, 40), test::XmlOf(List).substr(0, 40));
    EXPECT_EQ(Copy.Count(), 2);
}

TEST(ObjectBase, ListFreesRemovedAndDeletedItems) {
    Tdex6Dataobject Root;
    TProbeList List(&Root, &Root);
    const std::size_t Before = Root.AllObjects().Count();
    TProbe* First = List.NewItem();
    List.NewItem();
    List.NewItem();
    EXPECT_TRUE(List.Remove(First));
    EXPECT_FALSE(List.Remove(First));
    List.Delete(0);
    EXPECT_EQ(List.Count(), 1);
    EXPECT_EQ(Root.AllObjects().Count(), Before + 1);
    List.Reset(false);
    EXPECT_EQ(Root.AllObjects().Count(), Before);
}

} // namespace
} // namespace kr6
