#include "model/Root.h"
#include "model/Addresses.h"
#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/DeliveryRanges.h"
#include "model/DescriptionDefaults.h"
#include "model/ElementReader.h"
#include "model/Formulas.h"
#include "model/Glasses.h"
#include "model/Variables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kr6 {
namespace {

TEST(Root, ClearAllEmptiesAndRestartsNumbering) {
    Tdex6Dataobject Root;
    EXPECT_EQ(Root.Bezeichnungsvorgaben()->OID(), 1);
    EXPECT_EQ(Root.PrismenCylinder()->OID(), 2);
    EXPECT_EQ(Root.LastOID(), 2);
    EXPECT_EQ(Root.Preisbezeichnungsliste()->Count(), 0);
    Root.Glasliste()->NewGlas();
    Root.Notes().Add("note");
    Root.ClearAll(false);
    EXPECT_EQ(Root.LastOID(), 1);
    EXPECT_EQ(Root.Glasliste()->Count(), 0);
    EXPECT_TRUE(Root.Notes().IsEmpty());
    EXPECT_EQ(Root.Glasliste()->NewGlas()->OID(), 2);

    Root.Glasliste()->NewGlas();
    Root.PrismenCylinder()->ZB = 9;
    Root.Variableliste()->AddNew();
    Root.FormelGruppeListe()->AddNew();
    Root.ClearAll(true);
    EXPECT_EQ(Root.Glasliste()->Count(), 0);
    EXPECT_EQ(Root.PrismenCylinder()->ZB, 4);
    EXPECT_TRUE(Root.Variableliste()->IsEmpty());
    EXPECT_TRUE(Root.FormelGruppeListe()->IsEmpty());
    ASSERT_EQ(Root.Preisbezeichnungsliste()->Count(), 2);
    EXPECT_EQ(Root.Preisbezeichnungsliste()->Items(1)->ID, 2);
    EXPECT_EQ(Root.Lieferbereichsbezeichnungsliste()->Count(), 1);
    EXPECT_EQ(Root.Beschichtungsliste()->Count(), 9);
}

TEST(Root, HooksAreOptional) {
    Tdex6Dataobject Root;
    Root.Log("nobody listens");
    Root.SetModified(true);
    EXPECT_TRUE(Root.Modified());

    std::vector<std::string> Lines;
    int Changes = 0;
    Root.OnLog = [&](Tdex6Dataobject&, std::string_view Text) {
        Lines.emplace_back(Text);
    };
    Root.OnChange = [&](Tdex6Dataobject&, TCustomdex6Object* Object) {
        EXPECT_EQ(Object, nullptr);
        ++Changes;
    };
    Root.Log("x");
    Root.SetModified(false);
    EXPECT_EQ(Lines, std::vector<std::string>{"x"});
    EXPECT_EQ(Changes, 1);
}

TEST(Root, HandsTopLevelElementsToTheirOwnersWhateverTheirCase) {
    Tdex6Dataobject Root;
    Root.ClearAll(true);
    Root.Glasliste()->NewGlas()->SetEDV("OLD");
    std::vector<std::string> Lines;
    Root.OnLog = [&](Tdex6Dataobject&, std::string_view Text) {
        Lines.emplace_back(Text);
    };
    TElementReader Reader;
    Reader.Read("<DEX6><gll><GL><EDV>AB12</EDV></GL></gll><NOTE>one&#13;&#10;two</NOTE>"
                "<kol><KO><GE>L1</GE></KO></kol><dvl><DV/></dvl><PC><ZB>3</ZB></PC>"
                "<DFLG><DFGG/></DFLG><LBBL><LBB/></LBBL><LOID>77</LOID></DEX6>",
                Root);
    EXPECT_EQ(Reader.Handler(), &Root);
    ASSERT_EQ(Root.Glasliste()->Count(), 2);
    EXPECT_EQ(Root.Glasliste()->Items(1)->EDV(), "AB12");
    EXPECT_EQ(Root.Notes().Count(), 2);
    EXPECT_EQ(Root.Notes()[1], "two");
    ASSERT_EQ(Root.KombinationsListe()->Count(), 1);
    EXPECT_EQ(Root.KombinationsListe()->GetItem(0)->GE(), "L1");
    EXPECT_EQ(Root.Variableliste()->Count(), 1);
    EXPECT_EQ(Root.PrismenCylinder()->ZB, 3);
    EXPECT_EQ(Root.FormelGruppeListe()->Count(), 1);
    EXPECT_EQ(Root.Lieferbereichsbezeichnungsliste()->Count(), 2);
    EXPECT_EQ(Root.LastOID(), 77);
    EXPECT_EQ(Lines, (std::vector<std::string>{
                         "Fertig", "Laden von Gl\xE4sern...", "Fertig", "Fertig",
                         "Laden von Kombinationen...", "Fertig", "Laden von Variablen...", "Fertig",
                         "Laden von Prismen und Zylinder...", "Fertig", "Laden von Formeln...",
                         "Fertig", "Laden von Lieferbereichen...", "Fertig", "Fertig"}));
}

TEST(Root, WholeModelReadsBackEqual) {
    Tdex6Dataobject Written;
    Written.ClearAll(true);
    Tdex6DataGlas& Glas = *Written.Glasliste()->NewGlas();
    Glas.SetEDV("G1");
    Glas.SetB(1, "Einst\xE4rken 1.5");
    Written.Notes().SetText("first\r\nsecond");
    Written.Glasliste()->Items(0)->AddProtocol(1, "import");
    // Reading renumbers the sort numbers, as an import leaves them.
    Written.Beschichtungsliste()->Renumber();
    TXmlStream Xml;
    Written.WriteXml(Xml);

    Tdex6Dataobject Read;
    TElementReader Reader;
    Reader.Read(Xml, Read);
    TXmlStream Again;
    Read.WriteXml(Again);
    EXPECT_EQ(Again, Xml);
    EXPECT_EQ(Read.LastOID(), Written.LastOID());
}

} // namespace
} // namespace kr6
