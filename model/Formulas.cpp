#include "model/Formulas.h"

#include "model/Coatings.h"
#include "model/ElementReader.h"
#include "model/GlassParts.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"
#include "texts/Language.h"

#include <algorithm>

namespace kr6 {
namespace {

constexpr std::array<char, Tdex6DataFormelGruppe::GlassTypeCount> GlassTypeLetters = {'E', 'B', 'T',
                                                                                      'G', 'O'};
constexpr std::array<char, Tdex6DataFormelGruppe::CoatingTypeCount> CoatingTypeLetters = {'E', 'F',
                                                                                          'S', 'P'};
// Index 0 (any material) has no letter and so no flag.
constexpr std::array<char, Tdex6DataFormelGruppe::MaterialCount + 1> MaterialLetters = {
    '\0', 'S', 'K', 'P', 'T'};

std::string FlagTagName(std::string_view Prefix, char TypeLetter, int Material) {
    std::string Tag(Prefix);
    Tag += TypeLetter;
    if (Material >= 1 && Material <= Tdex6DataFormelGruppe::MaterialCount)
        Tag += MaterialLetters[static_cast<std::size_t>(Material)];
    return Tag;
}

bool InMatrix(int Type, int TypeCount, int Material) {
    return Type >= 0 && Type < TypeCount && Material >= 1 &&
           Material <= Tdex6DataFormelGruppe::MaterialCount;
}

} // namespace

// --- Tdex6DataFormelCalc ---

Tdex6DataFormelCalc::Tdex6DataFormelCalc(Tdex6Dataobject* Root, Tdex6Node* Parent, bool /*NewOID*/)
    : TFieldObject(Root, Parent, true) {}

Tdex6DataFormelCalc::Tdex6DataFormelCalc(Tdex6Dataobject* Root, Tdex6Node* Parent, std::int32_t OID)
    : TFieldObject(Root, Parent, false) {
    SetOID(OID);
}

std::string Tdex6DataFormelCalc::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(320) + " ");
}

std::span<const TField<Tdex6DataFormelCalc>> Tdex6DataFormelCalc::Fields() {
    using C = Tdex6DataFormelCalc;
    using K = Tdex6FormulaKind11;
    // Each step's kind, variable and value, step by step.
    static constexpr TField<C> Table[] = {
        CodeField<&C::FI1, K::Value0>("FI1"), IntField<&C::VAR1>("VAR1"),
        FloatField<&C::VAL1>("VAL1"),         CodeField<&C::FI2, K::Value0>("FI2"),
        IntField<&C::VAR2>("VAR2"),           FloatField<&C::VAL2>("VAL2"),
        CodeField<&C::FI3, K::Value0>("FI3"), IntField<&C::VAR3>("VAR3"),
        FloatField<&C::VAL3>("VAL3"),         CodeField<&C::FI4, K::Value0>("FI4"),
        IntField<&C::VAR4>("VAR4"),           FloatField<&C::VAL4>("VAL4"),
        CodeField<&C::FI5, K::Value0>("FI5"), IntField<&C::VAR5>("VAR5"),
        FloatField<&C::VAL5>("VAL5"),         CodeField<&C::FRT, Tdex6FormulaKind7::Value0>("FRT"),
    };
    return Table;
}

// --- Tdex6DataFormelBereich ---

Tdex6DataFormelBereich::Tdex6DataFormelBereich(Tdex6Dataobject* Root, Tdex6Node* Parent,
                                               bool /*NewOID*/)
    : TCalcOwner(Root, Parent, true, true) {
    Tdex6DataFormelBereich::Clear(false);
}

std::span<const TField<Tdex6DataFormelBereich>> Tdex6DataFormelBereich::Fields() {
    using B = Tdex6DataFormelBereich;
    static constexpr TField<B> Table[] = {
        FloatField<&B::QPRV>("QPRV"), FloatField<&B::QPRB, 1000000>("QPRB"),
        FloatField<&B::SphV>("SphV"), FloatField<&B::SphB, 5000>("SphB"),
        FloatField<&B::CylV>("CylV"), FloatField<&B::CylB, 2500>("CylB"),
        IntField<&B::DMV>("DMV"),     IntField<&B::DMB, 99>("DMB"),
        IntField<&B::EL>("EL"),
    };
    return Table;
}

std::string Tdex6DataFormelBereich::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(328) + " ");
}

// --- Tdex6DataFormelGruppe ---

Tdex6DataFormelGruppe::Tdex6DataFormelGruppe(Tdex6Dataobject* Root, Tdex6Node* Parent,
                                             bool /*NewOID*/)
    : TFieldObject(Root, Parent, true),
      FBereiche(std::make_unique<Tdex6DataFormelBereichListe>(Root, this)) {
    Tdex6DataFormelGruppe::Clear(false);
}

void Tdex6DataFormelGruppe::SetID(std::int32_t Value) {
    FID = Value;
    if (Value == 0)
        AssignID();
    if (const auto* List = dynamic_cast<const Tdex6DataFormelGruppeListe*>(Parent())) {
        const Tdex6DataFormelGruppe* Holder = List->FindByID(FID);
        if (Holder != nullptr && Holder != this)
            FID = List->NextID();
    }
}

void Tdex6DataFormelGruppe::AssignID() {
    if (FID != 0)
        return;
    if (const auto* List = dynamic_cast<const Tdex6DataFormelGruppeListe*>(Parent()))
        FID = List->NextID();
}

bool Tdex6DataFormelGruppe::GetAZG(int Type, int Material) const {
    return FAZG.at(static_cast<std::size_t>(Type)).at(static_cast<std::size_t>(Material - 1));
}

void Tdex6DataFormelGruppe::SetAZG(int Type, int Material, bool Value) {
    if (InMatrix(Type, GlassTypeCount, Material))
        FAZG[static_cast<std::size_t>(Type)][static_cast<std::size_t>(Material - 1)] = Value;
}

bool Tdex6DataFormelGruppe::GetAZB(int Type, int Material) const {
    return FAZB.at(static_cast<std::size_t>(Type)).at(static_cast<std::size_t>(Material - 1));
}

void Tdex6DataFormelGruppe::SetAZB(int Type, int Material, bool Value) {
    if (InMatrix(Type, CoatingTypeCount, Material))
        FAZB[static_cast<std::size_t>(Type)][static_cast<std::size_t>(Material - 1)] = Value;
}

std::string Tdex6DataFormelGruppe::AZGTagName(int Type, int Material) {
    return FlagTagName("AZG", GlassTypeLetters.at(static_cast<std::size_t>(Type)), Material);
}

std::string Tdex6DataFormelGruppe::AZBTagName(int Type, int Material) {
    return FlagTagName("AZB", CoatingTypeLetters.at(static_cast<std::size_t>(Type)), Material);
}

void Tdex6DataFormelGruppe::WriteTags(TXmlStream& Writer) const {
    TFieldObject::WriteTags(Writer);
    for (int Material = 1; Material <= MaterialCount; ++Material) {
        for (int Type = 0; Type < GlassTypeCount; ++Type)
            WriteBoolElement(Writer, AZGTagName(Type, Material), GetAZG(Type, Material));
        for (int Type = 0; Type < CoatingTypeCount; ++Type)
            WriteBoolElement(Writer, AZBTagName(Type, Material), GetAZB(Type, Material));
    }
    FBereiche->WriteXml(Writer);
}

void Tdex6DataFormelGruppe::ReadFlag(std::string_view Name, std::string_view Content) {
    for (int Material = 1; Material <= MaterialCount; ++Material) {
        for (int Type = 0; Type < GlassTypeCount; ++Type) {
            if (SameText(Name, AZGTagName(Type, Material))) {
                SetAZG(Type, Material, TextToBool(Content));
                return;
            }
        }
        for (int Type = 0; Type < CoatingTypeCount; ++Type) {
            if (SameText(Name, AZBTagName(Type, Material))) {
                SetAZB(Type, Material, TextToBool(Content));
                return;
            }
        }
    }
}

void Tdex6DataFormelGruppe::ReadTag(TElementReader& Reader, TPartType PartType,
                                    std::string_view Name, std::string_view Content) {
    TFieldObject::ReadTag(Reader, PartType, Name, Content);
    if (PartType == TPartType::StartTag && SameText(Name, FBereiche->TagName()))
        FBereiche->BeginRead(Reader, this);
    else if (IsContent(PartType))
        ReadFlag(Name, Content);
}

std::span<const TField<Tdex6DataFormelGruppe>> Tdex6DataFormelGruppe::Fields() {
    using G = Tdex6DataFormelGruppe;
    static constexpr TField<G> Table[] = {
        SetterField<&G::FID, &G::SetID, 0>("ID"),
        TextField<&G::KB>("KB"),
        IntField<&G::QPBID>("QPBID"),
        IntField<&G::AZPBID>("AZPBID"),
    };
    return Table;
}

std::string Tdex6DataFormelGruppe::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(320)) + KB;
}

void Tdex6DataFormelGruppe::Clear(bool WithDefaults) {
    TFieldObject::Clear(WithDefaults);
    FBereiche->Reset(false);
    FAZG = {};
    FAZB = {};
}

// --- Tdex6DataFormelGruppeListe ---

Tdex6DataFormelGruppe* Tdex6DataFormelGruppeListe::FindByID(std::int32_t ID) const {
    for (const auto& Group : *this) {
        if (Group->ID() == ID)
            return Group.get();
    }
    return nullptr;
}

std::int32_t Tdex6DataFormelGruppeListe::NextID() const {
    std::int32_t Largest = 0;
    for (const auto& Group : *this)
        Largest = std::max(Largest, Group->ID());
    return Largest + 1;
}

// --- Tdex6DataFormelLokalGlas ---

Tdex6DataFormelLokalGlas::TOIDs Tdex6DataFormelLokalGlas::ReserveOIDs(Tdex6Dataobject* Root) {
    if (Root == nullptr)
        return {};
    const std::int32_t Formula = Root->NewOID();
    return {Formula, Root->NewOID()};
}

Tdex6DataFormelLokalGlas::Tdex6DataFormelLokalGlas(Tdex6Dataobject* Root, Tdex6Node* Parent,
                                                   bool /*NewOID*/)
    : Tdex6DataFormelLokalGlas(Root, Parent, ReserveOIDs(Root)) {}

Tdex6DataFormelLokalGlas::Tdex6DataFormelLokalGlas(Tdex6Dataobject* Root, Tdex6Node* Parent,
                                                   TOIDs OIDs)
    : TCalcOwner(Root, Parent, false, OIDs.Calc) {
    SetOID(OIDs.Formula);
    Tdex6DataFormelLokalGlas::Clear(false);
}

std::string Tdex6DataFormelLokalGlas::SourceName() const {
    return QGEdv.empty() ? OwnerGlassCode() : QGEdv;
}

std::string Tdex6DataFormelLokalGlas::OwnerGlassCode() const {
    const auto* Price = dynamic_cast<const Tdex6DataGlasPreis*>(Parent());
    const Tdex6DataGlas* Glas = Price != nullptr ? Price->Glas() : nullptr;
    return Glas != nullptr ? Glas->EDV() : std::string();
}

std::span<const TField<Tdex6DataFormelLokalGlas>> Tdex6DataFormelLokalGlas::Fields() {
    using L = Tdex6DataFormelLokalGlas;
    static constexpr TField<L> Table[] = {
        TextField<&L::QGEdv>("QGEdv"),  IntField<&L::QSph, -1>("QSph"),
        IntField<&L::QCyl, -1>("QCyl"), IntField<&L::QPBID, -1>("QPBID"),
        IntField<&L::QLBI, -1>("QLBI"), DiameterField<&L::QDM>("QDM"),
    };
    return Table;
}

std::string Tdex6DataFormelLokalGlas::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(319) + " ") + SourceName();
}

void Tdex6DataFormelLokalGlas::Clear(bool WithDefaults) {
    TCalcOwner::Clear(WithDefaults);
    FCalc->Clear(false);
}

// --- Tdex6DataFormelLokalBeschichtung ---

Tdex6DataFormelLokalBeschichtung::Tdex6DataFormelLokalBeschichtung(Tdex6Dataobject* Root,
                                                                   Tdex6Node* Parent,
                                                                   bool /*NewOID*/)
    : TCalcOwner(Root, Parent, true, true) {}

std::string Tdex6DataFormelLokalBeschichtung::SourceName() const {
    return QEdv.empty() ? OwnerCoatingCode() : QEdv;
}

std::string Tdex6DataFormelLokalBeschichtung::OwnerCoatingCode() const {
    const auto* Price = dynamic_cast<const Tdex6DataBeschichtungspreis*>(Parent());
    const Tdex6DataBeschichtung* Coating = Price != nullptr ? Price->Beschichtung() : nullptr;
    return Coating != nullptr ? Coating->EDV() : std::string();
}

std::span<const TField<Tdex6DataFormelLokalBeschichtung>>
Tdex6DataFormelLokalBeschichtung::Fields() {
    using L = Tdex6DataFormelLokalBeschichtung;
    static constexpr TField<L> Table[] = {
        TextField<&L::QEdv>("QEdv"), IntField<&L::QSphTor>("QSphTor"), IntField<&L::QEM>("QEM"),
        IntField<&L::QMat>("QMat"),  IntField<&L::QPBID>("QPBID"),     TextField<&L::QSP>("QSP"),
    };
    return Table;
}

std::string Tdex6DataFormelLokalBeschichtung::ProtocolPrefix(int Action,
                                                             std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(322) + " ") + SourceName();
}

void Tdex6DataFormelLokalBeschichtung::Clear(bool WithDefaults) {
    FCalc->Clear(false);
    TCalcOwner::Clear(WithDefaults);
}

// --- Tdex6DataFormelZuweisung ---

Tdex6DataFormelZuweisung::Tdex6DataFormelZuweisung(Tdex6Dataobject* Root, Tdex6Node* Parent,
                                                   bool NewOID)
    : TCustomdex6Object(Root, Parent, NewOID) {
    Tdex6DataFormelZuweisung::Clear(false);
}

void Tdex6DataFormelZuweisung::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    for (const auto& Line : Lines)
        WriteStrElement(Writer, "FZUE", Line.Text);
}

void Tdex6DataFormelZuweisung::ReadTag(TElementReader& Reader, TPartType PartType,
                                       std::string_view Name, std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (IsContent(PartType) && SameText(Name, "FZUE"))
        Lines.Add(Content);
}

std::string Tdex6DataFormelZuweisung::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(341) + " ");
}

void Tdex6DataFormelZuweisung::Clear(bool /*WithDefaults*/) {
    Lines.Clear();
}

} // namespace kr6
