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

using TCalc = Tdex6DataFormelCalc;

// The five steps of a calculation, so that writing and reading can loop over them.
constexpr std::array<Tdex6FormulaKind11 TCalc::*, 5> CalcFI = {
    &TCalc::FI1, &TCalc::FI2, &TCalc::FI3, &TCalc::FI4, &TCalc::FI5};
constexpr std::array<std::uint16_t TCalc::*, 5> CalcVAR = {&TCalc::VAR1, &TCalc::VAR2, &TCalc::VAR3,
                                                           &TCalc::VAR4, &TCalc::VAR5};
constexpr std::array<double TCalc::*, 5> CalcVAL = {&TCalc::VAL1, &TCalc::VAL2, &TCalc::VAL3,
                                                    &TCalc::VAL4, &TCalc::VAL5};

std::string StepTag(std::string_view Prefix, std::size_t Step) {
    return std::string(Prefix) + std::to_string(Step + 1);
}

std::uint16_t ToUInt16(std::string_view Content) {
    return static_cast<std::uint16_t>(TextToInt(Content));
}

std::int8_t ToInt8(std::string_view Content) {
    return static_cast<std::int8_t>(TextToInt(Content));
}

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
    : TCustomdex6Object(Root, Parent, true) {}

Tdex6DataFormelCalc::Tdex6DataFormelCalc(Tdex6Dataobject* Root, Tdex6Node* Parent, std::int32_t OID)
    : TCustomdex6Object(Root, Parent, false) {
    SetOID(OID);
}

void Tdex6DataFormelCalc::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    for (std::size_t Step = 0; Step < CalcFI.size(); ++Step) {
        WriteIntElement(Writer, StepTag("FI", Step), Code(this->*CalcFI[Step]));
        WriteIntElement(Writer, StepTag("VAR", Step), this->*CalcVAR[Step]);
        WriteFloatElement(Writer, StepTag("VAL", Step), this->*CalcVAL[Step]);
    }
    WriteIntElement(Writer, "FRT", Code(FRT));
}

void Tdex6DataFormelCalc::ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                                  std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (!IsContent(PartType))
        return;
    if (SameText(Name, "FRT")) {
        FRT = FromCode<Tdex6FormulaKind7>(TextToInt(Content));
        return;
    }
    for (std::size_t Step = 0; Step < CalcFI.size(); ++Step) {
        if (SameText(Name, StepTag("FI", Step)))
            this->*CalcFI[Step] = FromCode<Tdex6FormulaKind11>(TextToInt(Content));
        else if (SameText(Name, StepTag("VAR", Step)))
            this->*CalcVAR[Step] = ToUInt16(Content);
        else if (SameText(Name, StepTag("VAL", Step)))
            this->*CalcVAL[Step] = TextToFloat(Content);
        else
            continue;
        return;
    }
}

std::string Tdex6DataFormelCalc::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(320) + " ");
}

void Tdex6DataFormelCalc::Clear(bool /*WithDefaults*/) {
    for (std::size_t Step = 0; Step < CalcFI.size(); ++Step) {
        this->*CalcFI[Step] = Tdex6FormulaKind11::Value0;
        this->*CalcVAR[Step] = 0;
        this->*CalcVAL[Step] = 0;
    }
    FRT = Tdex6FormulaKind7::Value0;
}

// --- Tdex6DataFormelBereich ---

Tdex6DataFormelBereich::Tdex6DataFormelBereich(Tdex6Dataobject* Root, Tdex6Node* Parent,
                                               bool /*NewOID*/)
    : TCustomdex6Object(Root, Parent, true),
      FCalc(std::make_unique<Tdex6DataFormelCalc>(Root, this, true)) {
    Tdex6DataFormelBereich::Clear(false);
}

void Tdex6DataFormelBereich::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    WriteFloatElement(Writer, "QPRV", QPRV);
    WriteFloatElement(Writer, "QPRB", QPRB);
    WriteFloatElement(Writer, "SphV", SphV);
    WriteFloatElement(Writer, "SphB", SphB);
    WriteFloatElement(Writer, "CylV", CylV);
    WriteFloatElement(Writer, "CylB", CylB);
    WriteIntElement(Writer, "DMV", DMV);
    WriteIntElement(Writer, "DMB", DMB);
    WriteIntElement(Writer, "EL", EL);
    FCalc->WriteXml(Writer);
}

void Tdex6DataFormelBereich::ReadTag(TElementReader& Reader, TPartType PartType,
                                     std::string_view Name, std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (PartType == TPartType::StartTag) {
        if (SameText(Name, FCalc->TagName()))
            FCalc->BeginRead(Reader, this);
        return;
    }
    if (!IsContent(PartType))
        return;
    if (SameText(Name, "QPRV"))
        QPRV = TextToFloat(Content);
    else if (SameText(Name, "QPRB"))
        QPRB = TextToFloat(Content);
    else if (SameText(Name, "SphV"))
        SphV = TextToFloat(Content);
    else if (SameText(Name, "SphB"))
        SphB = TextToFloat(Content);
    else if (SameText(Name, "CylV"))
        CylV = TextToFloat(Content);
    else if (SameText(Name, "CylB"))
        CylB = TextToFloat(Content);
    else if (SameText(Name, "DMV"))
        DMV = TextToInt(Content);
    else if (SameText(Name, "DMB"))
        DMB = TextToInt(Content);
    else if (SameText(Name, "EL"))
        EL = TextToInt(Content);
}

std::string Tdex6DataFormelBereich::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(328) + " ");
}

void Tdex6DataFormelBereich::Clear(bool /*WithDefaults*/) {
    QPRV = 0;
    QPRB = 10000;
    SphV = 0;
    SphB = 50;
    DMV = 0;
    DMB = 99;
    EL = 0;
    CylV = 0;
    CylB = 25;
}

// --- Tdex6DataFormelBereichListe ---

void Tdex6DataFormelBereichListe::ReadTag(TElementReader& Reader, TPartType PartType,
                                          std::string_view Name, std::string_view Content) {
    Tdex6ObjectList::ReadTag(Reader, PartType, Name, Content);
    if (PartType == TPartType::StartTag && SameText(Name, "DFOB"))
        AddNew()->BeginRead(Reader, this);
}

// --- Tdex6DataFormelGruppe ---

Tdex6DataFormelGruppe::Tdex6DataFormelGruppe(Tdex6Dataobject* Root, Tdex6Node* Parent,
                                             bool /*NewOID*/)
    : TCustomdex6Object(Root, Parent, true),
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
    TCustomdex6Object::WriteTags(Writer);
    WriteIntElement(Writer, "ID", FID);
    WriteStrElement(Writer, "KB", KB);
    WriteIntElement(Writer, "QPBID", QPBID);
    WriteIntElement(Writer, "AZPBID", AZPBID);
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
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (PartType == TPartType::StartTag) {
        if (SameText(Name, FBereiche->TagName()))
            FBereiche->BeginRead(Reader, this);
        return;
    }
    if (!IsContent(PartType))
        return;
    if (SameText(Name, "ID"))
        SetID(TextToInt(Content));
    else if (SameText(Name, "KB"))
        KB = Content;
    else if (SameText(Name, "QPBID"))
        QPBID = ToUInt16(Content);
    else if (SameText(Name, "AZPBID"))
        AZPBID = ToUInt16(Content);
    else
        ReadFlag(Name, Content);
}

std::string Tdex6DataFormelGruppe::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(320)) + KB;
}

void Tdex6DataFormelGruppe::Clear(bool /*WithDefaults*/) {
    KB.clear();
    QPBID = 0;
    FBereiche->Reset(false);
    AZPBID = 0;
    FAZG = {};
    FAZB = {};
    FID = 0;
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

void Tdex6DataFormelGruppeListe::ReadTag(TElementReader& Reader, TPartType PartType,
                                         std::string_view Name, std::string_view Content) {
    Tdex6ObjectList::ReadTag(Reader, PartType, Name, Content);
    if (PartType == TPartType::StartTag && SameText(Name, "DFGG"))
        AddNew()->BeginRead(Reader, this);
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
    : TCustomdex6Object(Root, Parent, false),
      FCalc(std::make_unique<Tdex6DataFormelCalc>(Root, this, OIDs.Calc)) {
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

void Tdex6DataFormelLokalGlas::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    WriteStrElement(Writer, "QGEdv", QGEdv);
    WriteIntElement(Writer, "QSph", QSph);
    WriteIntElement(Writer, "QCyl", QCyl);
    WriteIntElement(Writer, "QPBID", QPBID);
    WriteIntElement(Writer, "QLBI", QLBI);
    WriteStrElement(Writer, "QDM", DiameterToText(QDM));
    FCalc->WriteXml(Writer);
}

void Tdex6DataFormelLokalGlas::ReadTag(TElementReader& Reader, TPartType PartType,
                                       std::string_view Name, std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (PartType == TPartType::StartTag) {
        if (SameText(Name, FCalc->TagName()))
            FCalc->BeginRead(Reader, this);
        return;
    }
    if (!IsContent(PartType))
        return;
    if (SameText(Name, "QGEdv"))
        QGEdv = Content;
    else if (SameText(Name, "QSph"))
        QSph = ToInt8(Content);
    else if (SameText(Name, "QCyl"))
        QCyl = ToInt8(Content);
    else if (SameText(Name, "QPBID"))
        QPBID = TextToInt(Content);
    else if (SameText(Name, "QLBI"))
        QLBI = TextToInt(Content);
    else if (SameText(Name, "QDM"))
        QDM = DiameterFromText(Content);
}

std::string Tdex6DataFormelLokalGlas::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(319) + " ") + SourceName();
}

void Tdex6DataFormelLokalGlas::Clear(bool /*WithDefaults*/) {
    QCyl = -1;
    QSph = -1;
    QGEdv.clear();
    QPBID = -1;
    QLBI = -1;
    QDM = {};
    FCalc->Clear(false);
}

// --- Tdex6DataFormelLokalBeschichtung ---

Tdex6DataFormelLokalBeschichtung::Tdex6DataFormelLokalBeschichtung(Tdex6Dataobject* Root,
                                                                   Tdex6Node* Parent,
                                                                   bool /*NewOID*/)
    : TCustomdex6Object(Root, Parent, true),
      FCalc(std::make_unique<Tdex6DataFormelCalc>(Root, this, true)) {}

std::string Tdex6DataFormelLokalBeschichtung::SourceName() const {
    return QEdv.empty() ? OwnerCoatingCode() : QEdv;
}

std::string Tdex6DataFormelLokalBeschichtung::OwnerCoatingCode() const {
    const auto* Price = dynamic_cast<const Tdex6DataBeschichtungspreis*>(Parent());
    const Tdex6DataBeschichtung* Coating = Price != nullptr ? Price->Beschichtung() : nullptr;
    return Coating != nullptr ? Coating->EDV() : std::string();
}

void Tdex6DataFormelLokalBeschichtung::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    WriteStrElement(Writer, "QEdv", QEdv);
    WriteIntElement(Writer, "QSphTor", QSphTor);
    WriteIntElement(Writer, "QEM", QEM);
    WriteIntElement(Writer, "QMat", QMat);
    WriteIntElement(Writer, "QPBID", QPBID);
    WriteStrElement(Writer, "QSP", QSP);
    FCalc->WriteXml(Writer);
}

void Tdex6DataFormelLokalBeschichtung::ReadTag(TElementReader& Reader, TPartType PartType,
                                               std::string_view Name, std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (PartType == TPartType::StartTag) {
        if (SameText(Name, FCalc->TagName()))
            FCalc->BeginRead(Reader, this);
        return;
    }
    if (!IsContent(PartType))
        return;
    if (SameText(Name, "QEdv"))
        QEdv = Content;
    else if (SameText(Name, "QSphTor"))
        QSphTor = TextToInt(Content);
    else if (SameText(Name, "QEM"))
        QEM = TextToInt(Content);
    else if (SameText(Name, "QMat"))
        QMat = TextToInt(Content);
    else if (SameText(Name, "QPBID"))
        QPBID = TextToInt(Content);
    else if (SameText(Name, "QSP"))
        QSP = Content;
}

std::string Tdex6DataFormelLokalBeschichtung::ProtocolPrefix(int Action,
                                                             std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(322) + " ") + SourceName();
}

void Tdex6DataFormelLokalBeschichtung::Clear(bool /*WithDefaults*/) {
    FCalc->Clear(false);
    QSP.clear();
    QSphTor = 0;
    QEM = 0;
    QMat = 0;
    QEdv.clear();
    QPBID = 0;
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
