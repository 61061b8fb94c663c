#include "model/Glasses.h"

#include "model/Combinations.h"
#include "model/ElementReader.h"
#include "model/FieldTable.h"
#include "model/ProductGroups.h"
#include "model/Root.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"
#include "texts/Language.h"

namespace kr6 {
namespace {

using G = Tdex6DataGlas;
// The plain fields in the order of the element form, between the descriptions and the sort
// number.
constexpr TField<G> GlassFields[] = {
    DateField<&G::LA>("LA"),
    DateField<&G::LB>("LB"),
    CodeField<&G::EM, Tdex6LensKind::Einstaerken>("EM"),
    FlagField<&G::AG>("AG"),
    IntField<&G::AGKG, 100>("AGKG"),
    IntField<&G::AGKB, 100>("AGKB"),
    CodeField<&G::ME, Tdex6BrandLine::Standard>("ME"),
    CodeField<&G::MAT, Tdex6Material::Silikat>("MAT"),
    FloatField<&G::BR>("BR"),
    FloatField<&G::DI>("DI"),
    FloatField<&G::AB>("AB"),
    FlagField<&G::AS>("AS"),
    FlagField<&G::ST>("ST"),
    CodeField<&G::ET, Tdex6AntiReflection::Keine>("ET"),
    CodeField<&G::FA, Tdex6Tint::Keine>("FA"),
    FlagField<&G::PH>("PH"),
    FlagField<&G::HA>("HA"),
    FlagField<&G::CL>("CL"),
    FlagField<&G::UV>("UV"),
    FlagField<&G::VS>("VS"),
    FlagField<&G::MDM>("MDM"),
    CodeField<&G::KDM, Tdex6KDM::NichtInkl>("KDM"),
    IntField<&G::KMDM>("KMDM"),
    IntField<&G::KDMA>("KDMA"),
    FlagTextField<&G::AD>("AD"),
    FlagTextField<&G::Vers>("Vers"),
    FlagTextField<&G::Pri>("Pri"),
    IntField<&G::FK>("FK"),
    IntField<&G::FKB>("FKB"),
    CodeField<&G::STV, Tdex6RoadTraffic::KeineAngabe>("STV"),
    FloatField<&G::UVK>("UVK"),
    FloatField<&G::UVA>("UVA"),
    FloatField<&G::UVB>("UVB"),
    FlagField<&G::EG>("EG"),
    FlagField<&G::TS>("TS"),
    CodeField<&G::EGB, Tdex6EGB::NichtMoeglich>("EGB"),
    IntField<&G::EdDmA>("EdDmA"),
};

} // namespace

Tdex6DataGlas::Tdex6DataGlas(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID)
    : TCodedObject(Root, Parent, true),
      FOrderOptions(new (Root) Tdex6DataOrderOptions(Root, this, NewOID)),
      FGlasWirkungsListe(new (Root) Tdex6DataGlasWirkungsListe(Root, this)),
      FGlasGeometrieListe(new (Root) Tdex6DataGlasGeometrieListe(Root, this)),
      FGlasPreisListe(new (Root) Tdex6DataGlasPreisListe(Root, *this)),
      FPreisgruppen(new (Root) Tdex6DataPreisgruppen(Root, this, NewOID)),
      FInfo(new (Root) Tdex6DataInfo(Root, this, NewOID)),
      FFormelZuweisung(new (Root) Tdex6DataFormelZuweisung(Root, this, false)) {
    Tdex6DataGlas::Clear(false);
}

std::span<const TField<Tdex6DataGlas>> Tdex6DataGlas::Fields() {
    return GlassFields;
}

Tdex6DataGlas::~Tdex6DataGlas() {
    LeaveList();
}

void Tdex6DataGlas::SetEDV(std::string_view Code) {
    if (!FEDV.empty() && !SameText(FEDV, Code) && Root() != nullptr) {
        Root()->KombinationsListe()->RenameGlass(FEDV, Code);
        Root()->Produktgruppenliste()->RenameGlass(FEDV, Code);
    }
    StoreEDV(Code);
}

bool Tdex6DataGlas::IsValidAt(TDateTime Date) const {
    return IsDateInRange(Date, LA, LB);
}

Tdex6DataGlasliste* Tdex6DataGlas::GlasListe() const {
    return dynamic_cast<Tdex6DataGlasliste*>(Parent());
}

void Tdex6DataGlas::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    // Built only for a hook that reads it: the text costs more than writing the lens.
    if (Root() != nullptr && Root()->OnLog)
        Root()->Log(GetText(302) + " " + FEDV + " " + GetB(1));
    WriteStrElement(Writer, "EDV", FEDV);
    FBTexts.Write(Writer, "B");
    FKBTexts.Write(Writer, "KB");
    WriteFields<G>(Writer, *this, Fields());
    WriteIntElement(Writer, "CSNR", CSNR());
    FGlasWirkungsListe->WriteXml(Writer);
    FGlasGeometrieListe->WriteXml(Writer);
    FGlasPreisListe->WriteXml(Writer);
    FInfo->WriteXml(Writer);
    FPreisgruppen->WriteXml(Writer);
    FFormelZuweisung->WriteXml(Writer);
    FOrderOptions->WriteXml(Writer);
}

void Tdex6DataGlas::ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                            std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (PartType == TPartType::StartTag) {
        ReadChild(Reader, this, Name, FGlasWirkungsListe.get(), FGlasGeometrieListe.get(),
                  FGlasPreisListe.get(), FInfo.get(), FPreisgruppen.get(), FFormelZuweisung.get(),
                  FOrderOptions.get());
        return;
    }
    if (!IsContent(PartType))
        return;
    if (const int I = FBTexts.IndexOf("B", Name); I > 0) {
        SetB(I, Content);
        if (Root() != nullptr && Root()->OnLog)
            Root()->Log(GetText(301) + " " + FEDV + "  " + std::string(Content));
        return;
    }
    if (const int I = FKBTexts.IndexOf("KB", Name); I > 0) {
        SetKB(I, Content);
        return;
    }
    if (SameText(Name, "EDV"))
        SetEDV(Content);
    else if (SameText(Name, "CSNR"))
        SetCSNR(TextToInt(Content));
    else
        ReadField<G>(*this, Fields(), Name, Content);
}

std::string Tdex6DataGlas::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action,
                                             GetText(361) + " " + GetB(1) + "(" + FEDV + ")");
}

void Tdex6DataGlas::Clear(bool WithDefaults) {
    StoreEDV("");
    FBTexts.Clear();
    FKBTexts.Clear();
    ResetFields<G>(*this, Fields());
    StoreCSNR(0);
    FGlasWirkungsListe->Reset(WithDefaults);
    FGlasGeometrieListe->Reset(WithDefaults);
    FGlasPreisListe->Reset(WithDefaults);
    FPreisgruppen->Clear(WithDefaults);
    FFormelZuweisung->Clear(WithDefaults);
    FInfo->Clear(WithDefaults);
}

// Glass list

Tdex6DataGlas* Tdex6DataGlasliste::FindByEDV(std::string_view Code) const {
    return FindCode(TrimRightBlanks(Code));
}

Tdex6DataGlas* Tdex6DataGlasliste::NewGlas() {
    Tdex6DataGlas* Glas = AddNew();
    Glas->SetCSNR(100000);
    return Glas;
}

void Tdex6DataGlasliste::GetCodes(TStringList& Strings, bool AddEmpty,
                                  TSmallSet<Tdex6Material> MATSet, TSmallSet<Tdex6LensKind> EMSet,
                                  std::string_view Exclude, TDateTime Date) const {
    TStringList Excluded(true);
    Excluded.SetText(Exclude);
    CollectCodes(Strings, AddEmpty, [&](const Tdex6DataGlas& Glas) {
        return MATSet.Contains(Glas.MAT) && EMSet.Contains(Glas.EM) &&
               !Excluded.Contains(Glas.EDV()) && Glas.IsValidAt(Date);
    });
}

void Tdex6DataGlasliste::Renumber() {
    if (!IsEmpty())
        RenumberAround(*Items(0));
}

} // namespace kr6
