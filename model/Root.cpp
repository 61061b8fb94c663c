#include "model/Root.h"

#include "model/Addresses.h"
#include "model/ArenaObject.h"
#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/DeliveryRanges.h"
#include "model/DescriptionDefaults.h"
#include "model/ElementReader.h"
#include "model/Formulas.h"
#include "model/Glasses.h"
#include "model/ObjectBase.h"
#include "model/OrderOptions.h"
#include "model/ProductGroups.h"
#include "model/Protocol.h"
#include "model/Variables.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"
#include "texts/Language.h"

namespace kr6 {

std::pmr::memory_resource* ArenaOf(Tdex6Dataobject* Root) {
    return Root != nullptr ? &Root->ImportArena() : std::pmr::new_delete_resource();
}

Tdex6Dataobject::Tdex6Dataobject()
    : FGlassPricePool(
          std::make_unique<TFixedPool>(sizeof(Tdex6DataGlasPreis), alignof(Tdex6DataGlasPreis))) {
    FBezeichnungsvorgaben = std::make_unique<Tdex6DataBezeichnungsvorgaben>(this, this, true);
    FProduktgruppenliste = std::make_unique<Tdex6DataProduktgruppenliste>(this, this);
    FAdressliste = std::make_unique<Tdex6DataAdressliste>(this, this);
    FPreisbezeichnungsliste = std::make_unique<Tdex6DataPreisbezeichnungsliste>(this, this);
    FGlasliste = std::make_unique<Tdex6DataGlasliste>(this, this);
    FBeschichtungsliste = std::make_unique<Tdex6DataBeschichtungsliste>(this, this);
    FKombinationsListe = std::make_unique<Tdex6DataKombinationsListe>(this, this);
    FVariableliste = std::make_unique<Tdex6DataVariableliste>(this, this);
    FPrismenCylinder = std::make_unique<Tdex6DataPrismenCylinder>(this, this, true);
    FLieferbereichsbezeichnungsliste =
        std::make_unique<Tdex6DataLieferbereichsbezeichnungsliste>(this, this);
    FFormelGruppeListe = std::make_unique<Tdex6DataFormelGruppeListe>(this, this);
    FProtokollliste = std::make_unique<Tdex6DataProtokollliste>(this, this);
    FCodeSubstGlasList = std::make_unique<Tdex6DataCodeSubstGlasList>(this, this);
    FCodeSubstBeschList = std::make_unique<Tdex6DataCodeSubstBeschList>(this, this);
}

Tdex6Dataobject::~Tdex6Dataobject() = default;

void Tdex6Dataobject::ClearAll(bool WithDefaults) {
    FLastOID = 1;
    FAdressliste->Reset(WithDefaults);
    FPreisbezeichnungsliste->Reset(WithDefaults);
    FGlasliste->Reset(WithDefaults);
    FBeschichtungsliste->Reset(WithDefaults);
    FKombinationsListe->Reset(WithDefaults);
    FVariableliste->Reset(WithDefaults);
    FPrismenCylinder->Clear(WithDefaults);
    FFormelGruppeListe->Reset(WithDefaults);
    FLieferbereichsbezeichnungsliste->Reset(WithDefaults);
    FProtokollliste->Reset(WithDefaults);
    FBezeichnungsvorgaben->Clear(WithDefaults);
    FProduktgruppenliste->Reset(WithDefaults);
    FCodeSubstGlasList->Reset(WithDefaults);
    FCodeSubstBeschList->Reset(WithDefaults);
    FNotes.Clear();
}

void Tdex6Dataobject::WriteXml(TXmlStream& Writer) const {
    WriteTag(Writer, RootTagName, false);
    FBezeichnungsvorgaben->WriteXml(Writer);
    FProduktgruppenliste->WriteXml(Writer);
    FAdressliste->WriteXml(Writer);
    FPreisbezeichnungsliste->WriteXml(Writer);
    FGlasliste->WriteXml(Writer);
    FBeschichtungsliste->WriteXml(Writer);
    FKombinationsListe->WriteXml(Writer);
    FVariableliste->WriteXml(Writer);
    FPrismenCylinder->WriteXml(Writer);
    FLieferbereichsbezeichnungsliste->WriteXml(Writer);
    FFormelGruppeListe->WriteXml(Writer);
    FProtokollliste->WriteXml(Writer);
    FCodeSubstGlasList->WriteXml(Writer);
    FCodeSubstBeschList->WriteXml(Writer);
    WriteStrElement(Writer, "NOTE", FNotes.Text());
    WriteIntElement(Writer, "LOID", FLastOID);
    WriteTag(Writer, RootTagName, true);
}

void Tdex6Dataobject::Log(std::string_view Text) {
    if (OnLog)
        OnLog(*this, Text);
}

void Tdex6Dataobject::SetModified(bool Value) {
    FModified = Value;
    if (OnChange)
        OnChange(*this, nullptr);
}

void Tdex6Dataobject::ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                              std::string_view Content) {
    if (IsContent(PartType)) {
        if (SameText(Name, "LOID"))
            FLastOID = TextToInt(Content);
        else if (SameText(Name, "NOTE"))
            FNotes.SetText(Content);
        return;
    }
    if (PartType != TPartType::StartTag)
        return;
    struct TChild {
        std::string_view Tag;
        Tdex6Node* Node;
        std::uint16_t Text;
    };
    const TChild Children[] = {
        {"DAL", FAdressliste.get(), 271},
        {"DPBL", FPreisbezeichnungsliste.get(), 272},
        {"GLL", FGlasliste.get(), 273},
        {"DBL", FBeschichtungsliste.get(), 274},
        {"KOL", FKombinationsListe.get(), 275},
        {"DVL", FVariableliste.get(), 276},
        {"PC", FPrismenCylinder.get(), 277},
        {"DFLG", FFormelGruppeListe.get(), 278},
        {"LBBL", FLieferbereichsbezeichnungsliste.get(), 279},
        {"PROT", FProtokollliste.get(), 280},
        {"BezVorg", FBezeichnungsvorgaben.get(), 281},
        {"DPGL", FProduktgruppenliste.get(), 282},
        {"COSUBGL", FCodeSubstGlasList.get(), 283},
        {"COSUBBL", FCodeSubstBeschList.get(), 284},
    };
    for (const TChild& Child : Children) {
        if (SameText(Name, Child.Tag)) {
            Child.Node->BeginRead(Reader, this);
            Log(GetText(Child.Text));
            break;
        }
    }
    Log(GetText(285));
}

void Tdex6Dataobject::BeginRead(TElementReader& Reader, Tdex6Node* /*ReadParent*/) {
    Reader.SetHandler(this);
}

} // namespace kr6
