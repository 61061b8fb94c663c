#include "model/Formulas.h"

#include "helpers/ElementTestSupport.h"
#include "model/Root.h"

#include <gtest/gtest.h>

namespace kr6 {
namespace {

constexpr int Gleitsicht = 3;
constexpr int Kunststoff = 2;
constexpr int Prismen = 3;
constexpr int Trivex = 4;

std::string GroupXml(std::string_view Inner) {
    return "<DFGG>" + std::string(Inner) + "</DFGG>";
}

TEST(Formulas, GroupListRoundTrip) {
    Tdex6Dataobject Root;
    Tdex6DataFormelGruppeListe Written(&Root, &Root);
    Tdex6DataFormelGruppe* Group = Written.AddNew();
    Group->SetID(4);
    Group->KB = "a<b & c";
    Group->QPBID = 12;
    Group->AZPBID = 13;
    Group->SetAZG(0, 1, true);
    Group->SetAZB(Prismen, Trivex, true);
    Tdex6DataFormelBereich* Range = Group->Bereiche()->AddNew();
    Range->QPRV = 1.25;
    Range->DMV = 60;
    Range->EL = 2;
    Range->CylB = 4;
    Range->Calc()->FI5 = Tdex6FormulaKind11::Value10;
    Range->Calc()->VAR1 = 65535;
    Range->Calc()->VAL3 = -0.5;
    Range->Calc()->FRT = Tdex6FormulaKind7::Value6;
    Group->Bereiche()->AddNew();
    Tdex6DataFormelGruppe* Second = Written.AddNew();
    Second->AssignID();

    Tdex6DataFormelGruppeListe Read(&Root, &Root);
    EXPECT_EQ(test::XmlAfterReading(test::XmlOf(Written), Read), test::XmlOf(Written));
    ASSERT_EQ(Read.Count(), 2);
    EXPECT_EQ(Read.Items(0)->KB, "a<b & c");
    EXPECT_EQ(Read.Items(0)->Bereiche()->Items(0)->Calc()->OID(), Range->Calc()->OID());
    EXPECT_EQ(Read.Items(1)->ID(), 5);
}

TEST(Formulas, GroupIDs) {
    Tdex6DataFormelGruppeListe List(nullptr, nullptr);
    EXPECT_EQ(List.NextID(), 1);
    List.AddNew()->SetID(-3);
    EXPECT_EQ(List.NextID(), 1);
    List.AddNew()->SetID(3);
    List.AddNew()->SetID(7);
    EXPECT_EQ(List.NextID(), 8);
    EXPECT_EQ(List.FindByID(7), List.Items(2));
    EXPECT_EQ(List.FindByID(9), nullptr);

    Tdex6DataFormelGruppeListe Read(nullptr, nullptr);
    test::ReadInto("<DFLG>" + GroupXml("<ID>5</ID>") + GroupXml("<ID>5</ID>") +
                       GroupXml("<ID>0</ID>") + "</DFLG>",
                   Read);
    ASSERT_EQ(Read.Count(), 3);
    EXPECT_EQ(Read.Items(0)->ID(), 5);
    EXPECT_EQ(Read.Items(1)->ID(), 6);
    EXPECT_EQ(Read.Items(2)->ID(), 7);

    Tdex6DataFormelGruppe Alone(nullptr, nullptr, false);
    Alone.SetID(0);
    EXPECT_EQ(Alone.ID(), 0);
}

TEST(Formulas, AssignmentFlags) {
    Tdex6DataFormelGruppe Group(nullptr, nullptr, false);
    EXPECT_NE(test::XmlOf(Group).find("</AZPBID><DFC>"), std::string::npos);
    Group.SetAZG(Gleitsicht, Kunststoff, true);
    Group.SetAZG(5, 1, true);
    Group.SetAZB(4, 1, true);
    Group.SetAZG(0, 0, true);
    const std::string Xml = test::XmlOf(Group);
    EXPECT_NE(Xml.find("</AZPBID><AZGGK>1</AZGGK><DFC>"), std::string::npos);
    Tdex6DataFormelGruppe Ordered(nullptr, nullptr, false);
    Ordered.SetAZG(0, Kunststoff, true);
    Ordered.SetAZB(0, 1, true);
    Ordered.SetAZG(4, 1, true);
    EXPECT_NE(test::XmlOf(Ordered).find("<AZGOS>1</AZGOS><AZBES>1</AZBES><AZGEK>1</AZGEK><DFC>"),
              std::string::npos);
    EXPECT_EQ(Tdex6DataFormelGruppe::AZGTagName(4, Trivex), "AZGOT");
    EXPECT_EQ(Tdex6DataFormelGruppe::AZBTagName(1, Kunststoff), "AZBFK");

    for (const char* Text : {"0", "", "true"}) {
        Tdex6DataFormelGruppe Read(nullptr, nullptr, false);
        test::ReadInto(GroupXml("<AZBPT>" + std::string(Text) + "</AZBPT>"), Read);
        EXPECT_FALSE(Read.GetAZB(Prismen, Trivex)) << Text;
    }
    Tdex6DataFormelGruppe Read(nullptr, nullptr, false);
    test::ReadInto(GroupXml("<azbpt>1x</azbpt><AZGE>1</AZGE>"), Read);
    EXPECT_TRUE(Read.GetAZB(Prismen, Trivex));
    EXPECT_EQ(test::XmlOf(Read).find("<AZG"), std::string::npos);
}

TEST(Formulas, CalculationReadingCutsAndLimits) {
    Tdex6DataFormelCalc Calc(nullptr, nullptr, false);
    test::ReadInto("<DFOC><FI3>11</FI3><FI2>-1</FI2><FI1>10</FI1><FRT>6</FRT>"
                   "<VAR2>65541</VAR2><VAL4>1,5</VAL4></DFOC>",
                   Calc);
    EXPECT_EQ(Calc.FI3, Tdex6FormulaKind11::Value0);
    EXPECT_EQ(Calc.FI2, Tdex6FormulaKind11::Value0);
    EXPECT_EQ(Calc.FI1, Tdex6FormulaKind11::Value10);
    EXPECT_EQ(Calc.FRT, Tdex6FormulaKind7::Value6);
    EXPECT_EQ(Calc.VAR2, 5);
    EXPECT_EQ(Calc.VAL4, 1.5);

    Tdex6DataFormelCalc Rounding(nullptr, nullptr, false);
    test::ReadInto("<DFOC><FRT>7</FRT></DFOC>", Rounding);
    EXPECT_EQ(Rounding.FRT, Tdex6FormulaKind7::Value0);
}

TEST(Formulas, NewObjectsWriteTheirDefaults) {
    Tdex6DataFormelBereich Range(nullptr, nullptr, false);
    const std::string RangeXml = test::XmlOf(Range);
    for (const char* Element : {"<QPRB>10000</QPRB>", "<SphB>50</SphB>", "<CylB>25</CylB>",
                                "<DMB>99</DMB>", "<QPRV>0</QPRV>"})
        EXPECT_NE(RangeXml.find(Element), std::string::npos) << Element;

    Tdex6DataFormelLokalGlas Local(nullptr, nullptr, false);
    const std::string LocalHead =
        "<DFGL><ED></ED><OID>0</OID><QGEdv></QGEdv><QSph>-1</QSph><QCyl>-1</QCyl>"
        "<QPBID>-1</QPBID><QLBI>-1</QLBI><QDM></QDM><DFOC>";
    EXPECT_EQ(test::XmlOf(Local).substr(0, LocalHead.size()), LocalHead);

    Tdex6DataFormelLokalBeschichtung Coating(nullptr, nullptr, false);
    EXPECT_EQ(Coating.QSphTor, -1);
    EXPECT_EQ(Coating.QPBID, -1);
    Coating.Calc()->VAL1 = 3;
    Coating.QEdv = "X";
    Coating.Clear(false);
    EXPECT_EQ(Coating.QSphTor, 0);
    EXPECT_EQ(Coating.QEM, 0);
    EXPECT_EQ(Coating.QMat, 0);
    EXPECT_EQ(Coating.QPBID, 0);
    EXPECT_EQ(Coating.QEdv, "");
    EXPECT_EQ(Coating.Calc()->VAL1, 0);
}

TEST(Formulas, LocalFormulasRoundTrip) {
    Tdex6Dataobject Root;
    Tdex6DataFormelLokalGlas Glass(&Root, nullptr, false);
    Glass.QGEdv = "AB12";
    Glass.QSph = -7;
    Glass.QCyl = 3;
    Glass.QPBID = 2;
    Glass.QLBI = 1;
    Glass.QDM = MakeDiameter(70, 65, true);
    Glass.Calc()->VAR3 = 9;
    Tdex6DataFormelLokalGlas GlassRead(&Root, nullptr, false);
    EXPECT_EQ(test::XmlAfterReading(test::XmlOf(Glass), GlassRead), test::XmlOf(Glass));
    EXPECT_EQ(GlassRead.QDM, MakeDiameter(70, 65, true));

    Tdex6DataFormelLokalGlas Cut(nullptr, nullptr, false);
    test::ReadInto("<DFGL><QSph>200</QSph><QCyl>-129</QCyl></DFGL>", Cut);
    EXPECT_EQ(Cut.QSph, -56);
    EXPECT_EQ(Cut.QCyl, 127);

    Tdex6DataFormelLokalBeschichtung Coating(&Root, nullptr, false);
    Coating.QEdv = "BE";
    Coating.QSP = "GL1";
    Coating.QMat = 2;
    Coating.Calc()->FI4 = Tdex6FormulaKind11::Value3;
    Tdex6DataFormelLokalBeschichtung CoatingRead(&Root, nullptr, false);
    EXPECT_EQ(test::XmlAfterReading(test::XmlOf(Coating), CoatingRead), test::XmlOf(Coating));
}

TEST(Formulas, ProtocolNames) {
    Tdex6DataFormelLokalGlas Glass(nullptr, nullptr, false);
    EXPECT_EQ(Glass.SourceName(), "");
    Glass.QGEdv = "Y";
    EXPECT_EQ(Glass.ProtocolPrefix(ProtocolNone, {}), "lokale Formel Glas : Y");
    Tdex6DataFormelLokalBeschichtung Coating(nullptr, nullptr, false);
    Coating.QEdv = "Z";
    EXPECT_EQ(Coating.SourceName(), "Z");

    Tdex6DataFormelGruppe Group(nullptr, nullptr, false);
    Group.KB = "Aufpreis";
    EXPECT_EQ(Group.ProtocolPrefix(ProtocolNone, {}), "Formel: Aufpreis");
    Tdex6DataFormelBereich Range(nullptr, nullptr, false);
    EXPECT_EQ(Range.ProtocolPrefix(ProtocolNone, {}), "Formelbereich : ");
}

TEST(Formulas, AssignmentKeepsLinesInOrder) {
    Tdex6Dataobject Root;
    Tdex6DataFormelZuweisung Assignment(&Root, nullptr, false);
    EXPECT_EQ(Assignment.OID(), 0);
    Assignment.Lines.Add("b");
    Assignment.Lines.Add("a");
    Assignment.Lines.Add("b");
    const std::string Xml = test::XmlOf(Assignment);
    EXPECT_NE(Xml.find("<FZUE>b</FZUE><FZUE>a</FZUE><FZUE>b</FZUE></FZU>"), std::string::npos);
    Tdex6DataFormelZuweisung Read(&Root, nullptr, false);
    EXPECT_EQ(test::XmlAfterReading(Xml, Read), Xml);
    Read.Clear(false);
    EXPECT_TRUE(Read.Lines.IsEmpty());
}

} // namespace
} // namespace kr6
