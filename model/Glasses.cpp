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

constexpr std::array<std::string_view, Tdex6DataGlas::DescriptionCount> BNames{
    "B1", "B2", "B3", "B4", "B5", "B6", "B7", "B8", "B9", "B10"};
constexpr std::array<std::string_view, Tdex6DataGlas::DescriptionCount> KBNames{
    "KB1", "KB2", "KB3", "KB4", "KB5", "KB6", "KB7", "KB8", "KB9", "KB10"};

const std::string NoText;

bool InDescriptionRange(int Index) {
    return Index >= 1 && Index <= Tdex6DataGlas::DescriptionCount;
}

// The 1-based index of Name in Names, or 0.
int IndexOfName(const std::array<std::string_view, Tdex6DataGlas::DescriptionCount>& Names,
                std::string_view Name) {
    for (std::size_t I = 0; I < Names.size(); ++I) {
        if (SameText(Name, Names[I]))
            return static_cast<int>(I) + 1;
    }
    return 0;
}

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
    : TCustomdex6Object(Root, Parent, true),
      FOrderOptions(std::make_unique<Tdex6DataOrderOptions>(Root, this, NewOID)),
      FGlasWirkungsListe(std::make_unique<Tdex6DataGlasWirkungsListe>(Root, this)),
      FGlasGeometrieListe(std::make_unique<Tdex6DataGlasGeometrieListe>(Root, this)),
      FGlasPreisListe(std::make_unique<Tdex6DataGlasPreisListe>(Root, this)),
      FPreisgruppen(std::make_unique<Tdex6DataPreisgruppen>(Root, this, NewOID)),
      FInfo(std::make_unique<Tdex6DataInfo>(Root, this, NewOID)),
      FFormelZuweisung(std::make_unique<Tdex6DataFormelZuweisung>(Root, this, false)) {
    Tdex6DataGlas::Clear(false);
}

std::span<const TField<Tdex6DataGlas>> Tdex6DataGlas::Fields() {
    return GlassFields;
}

Tdex6DataGlas::~Tdex6DataGlas() {
    if (Tdex6DataGlasliste* List = GlasListe())
        List->ItemChanged(true);
}

void Tdex6DataGlas::SetEDV(std::string_view Code) {
    if (!FEDV.empty() && !SameText(FEDV, Code) && Root() != nullptr)
        RenameInRules(FEDV, Code);
    if (FEDV == Code)
        return;
    FEDV = Code;
    if (Tdex6DataGlasliste* List = GlasListe())
        List->ItemChanged(false);
}

void Tdex6DataGlas::RenameInRules(std::string_view OldCode, std::string_view NewCode) {
    Root()->KombinationsListe()->RenameGlass(OldCode, NewCode);
    Root()->Produktgruppenliste()->RenameGlass(OldCode, NewCode);
}

const std::string& Tdex6DataGlas::GetB(int Index) const {
    return InDescriptionRange(Index) ? FBTexts[static_cast<std::size_t>(Index - 1)] : NoText;
}

void Tdex6DataGlas::SetB(int Index, std::string_view Text) {
    if (InDescriptionRange(Index))
        FBTexts[static_cast<std::size_t>(Index - 1)] = Text;
}

const std::string& Tdex6DataGlas::GetKB(int Index) const {
    return InDescriptionRange(Index) ? FKBTexts[static_cast<std::size_t>(Index - 1)] : NoText;
}

void Tdex6DataGlas::SetKB(int Index, std::string_view Text) {
    if (InDescriptionRange(Index))
        FKBTexts[static_cast<std::size_t>(Index - 1)] = Text;
}

void Tdex6DataGlas::SetCSNR(std::int32_t Value) {
    StoreCSNR(Value);
    if (Tdex6DataGlasliste* List = GlasListe(); List != nullptr && List->AutoSort)
        List->RenumberAround(*this);
}

std::int32_t Tdex6DataGlas::CSNR() const {
    const Tdex6DataGlasliste* List = GlasListe();
    return List != nullptr ? List->FSortOrder.NumberOf(*this) : FCSNR;
}

void Tdex6DataGlas::StoreCSNR(std::int32_t Value) {
    if (Tdex6DataGlasliste* List = GlasListe())
        List->FSortOrder.Store(*this, Value);
    else
        FCSNR = Value;
}

bool Tdex6DataGlas::IsValidAt(TDateTime Date) const {
    return IsDateInRange(Date, LA, LB);
}

Tdex6DataGlasliste* Tdex6DataGlas::GlasListe() const {
    return dynamic_cast<Tdex6DataGlasliste*>(Parent());
}

void Tdex6DataGlas::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    if (Root() != nullptr)
        Root()->Log(GetText(302) + " " + FEDV + " " + GetB(1));
    WriteStrElement(Writer, "EDV", FEDV);
    for (std::size_t I = 0; I < FBTexts.size(); ++I)
        WriteStrElement(Writer, BNames[I], FBTexts[I]);
    for (std::size_t I = 0; I < FKBTexts.size(); ++I)
        WriteStrElement(Writer, KBNames[I], FKBTexts[I]);
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

bool Tdex6DataGlas::ReadChild(TElementReader& Reader, std::string_view Name) {
    Tdex6Node* Child = nullptr;
    if (SameText(Name, FGlasWirkungsListe->TagName()))
        Child = FGlasWirkungsListe.get();
    else if (SameText(Name, FGlasGeometrieListe->TagName()))
        Child = FGlasGeometrieListe.get();
    else if (SameText(Name, FGlasPreisListe->TagName()))
        Child = FGlasPreisListe.get();
    else if (SameText(Name, FInfo->TagName()))
        Child = FInfo.get();
    else if (SameText(Name, FPreisgruppen->TagName()))
        Child = FPreisgruppen.get();
    else if (SameText(Name, FFormelZuweisung->TagName()))
        Child = FFormelZuweisung.get();
    else if (SameText(Name, FOrderOptions->TagName()))
        Child = FOrderOptions.get();
    if (Child == nullptr)
        return false;
    Child->BeginRead(Reader, this);
    return true;
}

void Tdex6DataGlas::ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                            std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (PartType == TPartType::StartTag) {
        ReadChild(Reader, Name);
        return;
    }
    if (!IsContent(PartType))
        return;
    if (const int I = IndexOfName(BNames, Name); I > 0) {
        SetB(I, Content);
        if (Root() != nullptr)
            Root()->Log(GetText(301) + " " + FEDV + "  " + std::string(Content));
        return;
    }
    if (const int I = IndexOfName(KBNames, Name); I > 0) {
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
    if (!FEDV.empty()) {
        FEDV.clear();
        if (Tdex6DataGlasliste* List = GlasListe())
            List->ItemChanged(false);
    }
    for (std::string& Text : FBTexts)
        Text.clear();
    for (std::string& Text : FKBTexts)
        Text.clear();
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

Tdex6DataGlasliste::~Tdex6DataGlasliste() {
    // The glasses report their going to this list, so they go before it does.
    FItems.clear();
}

Tdex6DataGlas* Tdex6DataGlasliste::FindByEDV(std::string_view Code) const {
    return FCodeIndex.Find(FItems, TrimRightBlanks(Code));
}

Tdex6DataGlas* Tdex6DataGlasliste::AddNew() {
    Tdex6DataGlas* Glas = Tdex6ObjectList::AddNew();
    FSortOrder.Appended(FItems, *Glas);
    return Glas;
}

void Tdex6DataGlasliste::Reset(bool WithDefaults) {
    Tdex6ObjectList::Reset(WithDefaults);
    FCodeIndex.Invalidate();
    FSortOrder.Restart();
}

void Tdex6DataGlasliste::ItemChanged(bool OrderToo) {
    FCodeIndex.Invalidate();
    if (OrderToo)
        FSortOrder.Forget();
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
    Strings.Clear();
    if (AddEmpty)
        Strings.Add("");
    for (const auto& Glas : FItems) {
        if (MATSet.Contains(Glas->MAT) && EMSet.Contains(Glas->EM) &&
            !Excluded.Contains(Glas->EDV()) && Glas->IsValidAt(Date))
            Strings.Add(Glas->EDV());
    }
}

void Tdex6DataGlasliste::Renumber() {
    if (!IsEmpty())
        RenumberAround(*Items(0));
}

void Tdex6DataGlasliste::RenumberAround(const Tdex6DataGlas& Changed) {
    FSortOrder.Renumber(FItems, Changed);
}

void Tdex6DataGlasliste::ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                                 std::string_view Content) {
    if (PartType == TPartType::StartTag) {
        AutoSort = false;
        if (SameText(Name, "GL"))
            NewGlas()->BeginRead(Reader, this);
        return;
    }
    if (PartType == TPartType::EndTag && SameText(Name, TagName())) {
        AutoSort = true;
        Renumber();
    }
    Tdex6ObjectList::ReadTag(Reader, PartType, Name, Content);
}

} // namespace kr6
