#include "model/Coatings.h"

#include "model/Combinations.h"
#include "model/DeliveryRanges.h"
#include "model/ElementReader.h"
#include "model/FieldTable.h"
#include "model/Formulas.h"
#include "model/Info.h"
#include "model/NamedStrings.h"
#include "model/OrderOptions.h"
#include "model/ProductGroups.h"
#include "model/Root.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"
#include "texts/Language.h"

namespace kr6 {
namespace {

// The cylinder groups Z1-Z3, then the prism groups P1-P6.
constexpr std::string_view SpecialCodes[] = {"Z1", "Z2", "Z3", "P1", "P2", "P3", "P4", "P5", "P6"};
constexpr TMaterialSet SpecialMaterials = {Tdex6Material::Silikat, Tdex6Material::Kunststoff,
                                           Tdex6Material::Polycarbonat, Tdex6Material::Trivex};
constexpr std::uint32_t MaterialBits = 0x1F;
constexpr std::uint32_t KindBits = 0x0F;

// KR4 element suffixes of the materials 1 to 3.
struct TKr4Tag {
    std::string_view EDV;
    std::string_view Bez;
    Tdex6Material Material;
};
constexpr TKr4Tag Kr4Tags[] = {
    {"KR4EDVSil", "KR4BezSil", Tdex6Material::Silikat},
    {"KR4EDVKun", "KR4BezKun", Tdex6Material::Kunststoff},
    {"KR4EDVPol", "KR4BezPol", Tdex6Material::Polycarbonat},
};

using B = Tdex6DataBeschichtung;
// The plain fields in the order of the element form, between the descriptions and the sort
// number. A coating is made of several materials: one "MAT" element each.
constexpr TField<B> CoatingFields[] = {
    DateField<&B::LA>("LA"),
    DateField<&B::LB>("LB"),
    CodeField<&B::ME, Tdex6BrandLine{}>("ME"),
    {"MAT",
     [](TXmlStream& Stream, std::string_view Tag, const B& Coating) {
         for (int I = 0; I < B::MaterialCount; ++I) {
             const auto Material = static_cast<Tdex6Material>(I);
             if (Coating.MAT.Contains(Material))
                 WriteIntElement(Stream, Tag, Code(Material));
         }
     },
     [](B& Coating, std::string_view Content) {
         Coating.MAT.Include(FromCode<Tdex6Material>(TextToInt(Content)));
     },
     [](B& Coating) {
         Coating.MAT = {};
     }},
    CodeField<&B::ET, Tdex6AntiReflection{}>("ET"),
    CodeField<&B::FA, Tdex6Tint{}>("FA"),
    FlagField<&B::PH>("PH"),
    FlagField<&B::HA>("HA"),
    FlagField<&B::CL>("CL"),
    FlagField<&B::UV>("UV"),
    FlagField<&B::VS>("VS"),
    CodeField<&B::ER, Tdex6EdgeFinish{}>("ER"),
    CodeField<&B::ADU, Tdex6DiameterChange{}>("ADU"),
    CodeField<&B::AD, Tdex6ThicknessChange{}>("AD"),
    FlagField<&B::ADB>("ADB"),
    FlagField<&B::AAD>("AAD"),
    CodeField<&B::AF, Tdex6FormChange{}>("AF"),
    FlagField<&B::WAL>("WAL"),
    FlagField<&B::DEZ>("DEZ"),
    FlagField<&B::PRH>("PRH"),
    FlagField<&B::MATT>("MATT"),
    FlagField<&B::BENT>("BENT"),
    FlagField<&B::BTOR>("BTOR"),
    FlagField<&B::ATOR>("ATOR"),
    CodeField<&B::BF, Tdex6Bonus{}>("BF"),
    FlagTextField<&B::Vers>("Vers"),
    CodeField<&B::Stvo, Tdex6RoadTraffic{}>("Stvo"),
    IntField<&B::FK>("FK"),
    IntField<&B::FKB>("FKB"),
    FloatField<&B::UVK>("UVK"),
    FloatField<&B::UVA>("UVA"),
    FloatField<&B::UVB>("UVB"),
    FloatField<&B::SphVon, -9999>("SphVon"),
    FloatField<&B::SphBis, 9999>("SphBis"),
    IntField<&B::DMVon>("DMVon"),
    IntField<&B::DMBis, 99>("DMBis"),
    FlagField<&B::OLB>("OLB"),
};

std::size_t MaterialIndex(Tdex6Material Material) {
    return static_cast<std::size_t>(Material);
}

} // namespace

// --- Tdex6DataBeschichtung ---

Tdex6DataBeschichtung::Tdex6DataBeschichtung(Tdex6Dataobject* Root, Tdex6Node* Parent,
                                             bool /*NewOID*/)
    : TCodedObject(Root, Parent, true) {
    FOrderOptions = std::make_unique<Tdex6DataOrderOptions>(Root, this, true);
    FFormelZuweisung = std::make_unique<Tdex6DataFormelZuweisung>(Root, this, false);
    FFarbListe = std::make_unique<Tdex6DataFarbListe>(Root, this);
    FPreisListe = std::make_unique<Tdex6DataBeschichtungspreisListe>(Root, this);
    FInfo = std::make_unique<Tdex6DataInfo>(Root, this, true);
    FSpecialPrices = std::make_unique<Tdex6DataStrings>(Root, this, true);
    FSpecialPrices->SetElementName("SOPR");
    FSpecialPrices->SetItemTag("EDV");
}

std::span<const TField<Tdex6DataBeschichtung>> Tdex6DataBeschichtung::Fields() {
    return CoatingFields;
}

Tdex6DataBeschichtung::~Tdex6DataBeschichtung() {
    LeaveList();
}

bool Tdex6DataBeschichtung::IsSpecial() const {
    return IsGroupCode(FEDV);
}

std::string Tdex6DataBeschichtung::SpecialDescription() const {
    if (Root() == nullptr)
        return {};
    const Tdex6DataPrismenCylinder& Groups = *Root()->PrismenCylinder();
    const auto Prism = [](std::uint16_t Text, std::int32_t Value) {
        return GetText(Text) + " " + std::to_string(Value) + " cm/m";
    };
    const auto Cylinder = [](std::uint16_t Text, std::int32_t Value) {
        return GetText(Text) + " " + std::to_string(Value) + " dpt";
    };
    const std::int32_t PrismGroups[] = {Groups.PG1, Groups.PG2, Groups.PG3, Groups.PG4, Groups.PG5};
    for (std::size_t I = 0; I < std::size(PrismGroups); ++I) {
        if (SameText(FEDV, SpecialCodes[3 + I]))
            return Prism(376, PrismGroups[I]);
    }
    if (SameText(FEDV, "P6"))
        return Prism(377, Groups.PG5);
    if (SameText(FEDV, "Z1"))
        return Cylinder(378, Groups.ZG1);
    if (SameText(FEDV, "Z2"))
        return Cylinder(378, Groups.ZG2);
    if (SameText(FEDV, "Z3"))
        return Cylinder(379, Groups.ZG2);
    return {};
}

std::string Tdex6DataBeschichtung::GetB(int Index) const {
    return IsSpecial() ? SpecialDescription() : FBTexts.Get(Index);
}

void Tdex6DataBeschichtung::SetB(int Index, std::string_view Text) {
    if (!IsSpecial())
        FBTexts.Set(Index, Text);
}

std::string Tdex6DataBeschichtung::GetKrEDV(Tdex6Material Material) const {
    return MaterialIndex(Material) < MaterialCount ? FKrEDV[MaterialIndex(Material)]
                                                   : std::string();
}

void Tdex6DataBeschichtung::SetKrEDV(Tdex6Material Material, std::string_view Text) {
    if (MaterialIndex(Material) < MaterialCount)
        FKrEDV[MaterialIndex(Material)] = Text;
}

std::string Tdex6DataBeschichtung::GetKrBez(Tdex6Material Material) const {
    return MaterialIndex(Material) < MaterialCount ? FKrBez[MaterialIndex(Material)]
                                                   : std::string();
}

void Tdex6DataBeschichtung::SetKrBez(Tdex6Material Material, std::string_view Text) {
    if (MaterialIndex(Material) < MaterialCount)
        FKrBez[MaterialIndex(Material)] = Text;
}

void Tdex6DataBeschichtung::SetEDV(std::string_view Code) {
    if (!FEDV.empty() && !SameText(FEDV, Code) && Root() != nullptr) {
        Root()->KombinationsListe()->RenameCoating(FEDV, Code);
        Root()->Produktgruppenliste()->RenameCoating(FEDV, Code);
    }
    StoreEDV(Code);
}

bool Tdex6DataBeschichtung::IsValidAt(TDateTime Date) const {
    return IsDateInRange(Date, LA, LB);
}

TCoatingKindSet Tdex6DataBeschichtung::Kinds() const {
    TCoatingKindSet Result;
    if (ET != Tdex6AntiReflection::Keine)
        Result.Include(Tdex6CoatingKind::AntiReflection);
    if (FA != Tdex6Tint::Keine)
        Result.Include(Tdex6CoatingKind::Tint);
    if (IsSpecial())
        Result.Include(Tdex6CoatingKind::Special);
    else if (Result.Empty())
        Result.Include(Tdex6CoatingKind::Other);
    return Result;
}

TStringList& Tdex6DataBeschichtung::SpecialPriceCodes() const {
    return FSpecialPrices->Lines();
}

Tdex6DataBeschichtungsliste* Tdex6DataBeschichtung::Beschichtungsliste() const {
    return dynamic_cast<Tdex6DataBeschichtungsliste*>(Parent());
}

void Tdex6DataBeschichtung::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    WriteStrElement(Writer, "EDV", FEDV);
    FBTexts.Write(Writer, "B", [this](int I) { return GetB(I); });
    FKBTexts.Write(Writer, "KB");
    WriteFields<B>(Writer, *this, Fields());
    WriteIntElement(Writer, "CSNR", CSNR());
    WriteBoolElement(Writer, "EMEG", FEMEG);
    WriteBoolElement(Writer, "STEG", FSTEG);
    for (const TKr4Tag& Tag : Kr4Tags) {
        WriteStrElement(Writer, Tag.EDV, GetKrEDV(Tag.Material));
        WriteStrElement(Writer, Tag.Bez, GetKrBez(Tag.Material));
    }
    FSpecialPrices->WriteXml(Writer);
    FFarbListe->WriteXml(Writer);
    FInfo->WriteXml(Writer);
    FPreisListe->WriteXml(Writer);
    FFormelZuweisung->WriteXml(Writer);
    FOrderOptions->WriteXml(Writer);
}

void Tdex6DataBeschichtung::ReadTag(TElementReader& Reader, TPartType PartType,
                                    std::string_view Name, std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (PartType == TPartType::StartTag)
        ReadChild(Reader, this, Name, FSpecialPrices.get(), FFarbListe.get(), FInfo.get(),
                  FPreisListe.get(), FFormelZuweisung.get(), FOrderOptions.get());
    else if (IsContent(PartType))
        ReadContent(Name, Content);
}

void Tdex6DataBeschichtung::ReadContent(std::string_view Name, std::string_view Content) {
    if (const int I = FBTexts.IndexOf("B", Name); I > 0)
        return SetB(I, Content);
    if (const int I = FKBTexts.IndexOf("KB", Name); I > 0)
        return SetKB(I, Content);
    for (const TKr4Tag& Tag : Kr4Tags) {
        if (SameText(Name, Tag.EDV)) {
            SetKrEDV(Tag.Material, Content);
            return;
        }
        if (SameText(Name, Tag.Bez)) {
            SetKrBez(Tag.Material, Content);
            return;
        }
    }
    if (SameText(Name, "EDV"))
        SetEDV(Content);
    else if (SameText(Name, "CSNR"))
        SetCSNR(TextToInt(Content));
    else if (SameText(Name, "EMEG"))
        FEMEG = TextToInt(Content) >= 1;
    else if (SameText(Name, "STEG"))
        FSTEG = TextToInt(Content) >= 1;
    else
        ReadField<B>(*this, Fields(), Name, Content);
}

std::string Tdex6DataBeschichtung::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(311)) + FEDV + " " + GetB(1);
}

void Tdex6DataBeschichtung::Clear(bool WithDefaults) {
    TCustomdex6Object::Clear(WithDefaults);
    ResetFields<B>(*this, Fields());
    FBTexts.Clear();
    FKBTexts.Clear();
    StoreEDV("");
    FKrEDV = {};
    FKrBez = {};
    FSTEG = true;
    FEMEG = true;
    StoreCSNR(0);
    FFarbListe->Reset(false);
    FPreisListe->Reset(false);
    FInfo->Clear(false);
    FSpecialPrices->Clear(false);
    FFormelZuweisung->Clear(false);
    FOrderOptions->Clear(false);
}

std::uint32_t CompatibilityFeatures(const Tdex6DataBeschichtung& Coating) {
    using C = Tdex6DataBeschichtung;
    std::uint32_t Features = Coating.ET != Tdex6AntiReflection::Keine ? 1U : 0U;
    std::uint32_t Bit = 2;
    for (bool C::*Flag : {&C::PH, &C::HA, &C::CL, &C::UV, &C::VS, &C::ADB, &C::AAD, &C::WAL,
                          &C::DEZ, &C::PRH, &C::MATT, &C::BENT, &C::BTOR, &C::ATOR}) {
        if (Coating.*Flag)
            Features |= Bit;
        Bit <<= 1;
    }
    return Features;
}

// --- Tdex6DataBeschichtungsliste ---

Tdex6DataBeschichtung* Tdex6DataBeschichtungsliste::FindByEDV(std::string_view Code) const {
    return Code.empty() ? nullptr : FindCode(Code);
}

std::string Tdex6DataBeschichtungsliste::GetDescription(std::string_view Code) const {
    const Tdex6DataBeschichtung* Coating = FindByEDV(Code);
    return Coating != nullptr ? Coating->GetB(1) : std::string();
}

void Tdex6DataBeschichtungsliste::AttachObjects(TStringList& Strings) const {
    for (int I = 0; I < Strings.Count(); ++I)
        Strings.SetObject(I, FindByEDV(Strings[I]));
}

void Tdex6DataBeschichtungsliste::GetCodes(TStringList& Strings, bool AddEmpty, TMaterialSet MATSet,
                                           TCoatingKindSet KindSet, TDateTime Date) const {
    const auto Materials = TMaterialSet::FromBits(MATSet.Bits() & MaterialBits);
    const auto Kinds = TCoatingKindSet::FromBits(KindSet.Bits() & KindBits);
    CollectCodes(Strings, AddEmpty, [&](const Tdex6DataBeschichtung& Coating) {
        return Coating.MAT.Intersects(Materials) && Coating.Kinds().Intersects(Kinds) &&
               Coating.IsValidAt(Date);
    });
}

bool Tdex6DataBeschichtungsliste::Remove(Tdex6DataBeschichtung* Item) {
    if (IndexOf(Item) < 0)
        return false;
    if (Root() != nullptr) {
        const std::string& Code = Item->EDV();
        Root()->KombinationsListe()->DeleteCoating(Code);
        Root()->Produktgruppenliste()->RenameCoating(Code, "");
    }
    return Tdex6ObjectList::Remove(Item);
}

void Tdex6DataBeschichtungsliste::Reset(bool WithDefaults) {
    TCodedList::Reset(WithDefaults);
    if (!WithDefaults)
        return;
    for (std::string_view Code : SpecialCodes) {
        if (Tdex6DataBeschichtung* Existing = FindByEDV(Code))
            Remove(Existing);
        Tdex6DataBeschichtung* Coating = NewItem();
        Coating->SetEDV(Code);
        Coating->MAT = SpecialMaterials;
    }
}

void Tdex6DataBeschichtungsliste::Renumber() {
    if (Tdex6DataBeschichtung* First = Items(0))
        First->SetCSNR(First->CSNR());
}

TCustomdex6Object* Tdex6DataBeschichtungsliste::AddReadItem() {
    Tdex6DataBeschichtung* Coating = NewItem();
    Coating->SetSTEG(false);
    Coating->SetEMEG(false);
    return Coating;
}

const TStringList& TCoatingCodeCache::Codes(TMaterialSet Materials, TCoatingKindSet Kinds) const {
    const std::lock_guard<std::mutex> Lock(FMutex);
    const auto [Entry, Added] =
        FCodes.try_emplace({Materials.Bits(), Kinds.Bits()}, TStringList(true));
    if (Added)
        FCoatings.GetCodes(Entry->second, false, Materials, Kinds, 0);
    return Entry->second;
}

} // namespace kr6
