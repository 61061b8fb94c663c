#include "model/CoatingParts.h"

#include "model/Addresses.h"
#include "model/Coatings.h"
#include "model/CodeIndex.h"
#include "model/ElementReader.h"
#include "model/FieldTable.h"
#include "model/Formulas.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"
#include "texts/Language.h"

#include <array>
#include <string>

namespace kr6 {
namespace {

int ComponentOf(TColorValue Color, int Component) {
    return static_cast<int>(Color >> (8 * Component) & 0xFFU);
}

TColorValue WithComponent(TColorValue Color, int Component, std::int32_t Value) {
    const unsigned Shift = 8U * static_cast<unsigned>(Component);
    return (Color & ~(0xFFU << Shift)) | (static_cast<TColorValue>(Value) & 0xFFU) << Shift;
}

using F = Tdex6DataFarbe;

// One of the red, green and blue bytes of a colour, as an element of its own.
template <TColorValue F::*Colour, int Component>
constexpr TField<F> ComponentField(std::string_view Tag) {
    return {Tag,
            [](TXmlStream& S, std::string_view N, const F& O) {
                WriteIntElement(S, N, ComponentOf(O.*Colour, Component));
            },
            [](F& O, std::string_view V) {
                O.*Colour = WithComponent(O.*Colour, Component, TextToInt(V));
            },
            [](F& O) {
                O.*Colour = 0;
            }};
}

// The colour's fields after its descriptions, in the order of the element form.
constexpr TField<F> ColourFields[] = {
    IntField<&F::AbV>("AbV"),
    IntField<&F::AbO>("AbO"),
    ComponentField<&F::RGBOben, 0>("rgbro"),
    ComponentField<&F::RGBOben, 1>("rgbgo"),
    ComponentField<&F::RGBOben, 2>("rgbbo"),
    ComponentField<&F::RGBMitte, 0>("rgbrm"),
    ComponentField<&F::RGBMitte, 1>("rgbgm"),
    ComponentField<&F::RGBMitte, 2>("rgbbm"),
    ComponentField<&F::RGBUnten, 0>("rgbru"),
    ComponentField<&F::RGBUnten, 1>("rgbgu"),
    ComponentField<&F::RGBUnten, 2>("rgbbu"),
    CodeField<&F::Stvo, Tdex6RoadTraffic{}>("Stvo"),
    IntField<&F::FK>("FK"),
    FloatField<&F::UVK>("UVK"),
    FloatField<&F::UVA>("UVA"),
    FloatField<&F::UVB>("UVB"),
};

using BP = Tdex6DataBeschichtungspreis;
// A key field of a coating price written as the price applies: a special price with its
// glass's material and for every lens type.
template <auto Effective> constexpr TField<BP> WrittenAs(TField<BP> Field) {
    Field.Write = [](TXmlStream& S, std::string_view N, const BP& O) {
        WriteIntElement(S, N, Code((O.*Effective)()));
    };
    return Field;
}

} // namespace

// --- Tdex6DataFarbe ---

Tdex6DataFarbe::Tdex6DataFarbe(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID)
    : TCustomdex6Object(Root, Parent, NewOID) {}

std::span<const TField<Tdex6DataFarbe>> Tdex6DataFarbe::Fields() {
    return ColourFields;
}

Tdex6DataBeschichtung* Tdex6DataFarbe::Beschichtung() const {
    return OwnerOf<Tdex6DataBeschichtung, Tdex6DataFarbListe>(Parent());
}

void Tdex6DataFarbe::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    WriteStrElement(Writer, "EDV", EDV);
    FB.Write(Writer, "B");
    WriteFields<F>(Writer, *this, Fields());
}

void Tdex6DataFarbe::ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                             std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (!IsContent(PartType))
        return;
    if (SameText(Name, "EDV")) {
        EDV = Content;
        return;
    }
    if (const int I = FB.IndexOf("B", Name); I > 0)
        return SetB(I, Content);
    ReadField<F>(*this, Fields(), Name, Content);
}

std::string Tdex6DataFarbe::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    std::string Result =
        TCustomdex6Object::ProtocolPrefix(Action, GetText(312) + " " + GetB(1) + "(" + EDV + ")");
    if (const Tdex6DataBeschichtung* Coating = Beschichtung())
        Result += "   " + Coating->GetB(1) + "(" + Coating->EDV() + ")";
    return Result;
}

void Tdex6DataFarbe::Clear(bool WithDefaults) {
    TCustomdex6Object::Clear(WithDefaults);
    FB = {};
    EDV.clear();
    ResetFields<F>(*this, Fields());
}

// --- Tdex6DataBeschichtungspreis ---

Tdex6DataBeschichtungspreis::Tdex6DataBeschichtungspreis(Tdex6Dataobject* Root, Tdex6Node* Parent,
                                                         bool /*NewOID*/)
    : TCustomdex6Object(Root, Parent, true),
      FFormelLokal(new (Root) Tdex6DataFormelLokalBeschichtung(Root, this, true)) {
    Clear(false);
}

Tdex6DataBeschichtungspreis::~Tdex6DataBeschichtungspreis() {
    ReportKeysChanged();
}

void Tdex6DataBeschichtungspreis::ReportKeysChanged() const {
    if (auto* List = dynamic_cast<Tdex6DataBeschichtungspreisListe*>(Parent()))
        List->KeysChanged();
}

void Tdex6DataBeschichtungspreis::SetPR(double Amount) {
    FPR = Amount;
    PQ = Tdex6PriceSource::Value1;
}

Tdex6DataBeschichtung* Tdex6DataBeschichtungspreis::Beschichtung() const {
    return OwnerOf<Tdex6DataBeschichtung, Tdex6DataBeschichtungspreisListe>(Parent());
}

Tdex6Material Tdex6DataBeschichtungspreis::EffectiveMAT() const {
    if (Edv.empty() || Root() == nullptr)
        return MAT;
    const Tdex6DataGlas* Glass = Root()->Glasliste()->FindByEDV(Edv);
    return Glass != nullptr ? Glass->MAT : MAT;
}

Tdex6SingleMulti Tdex6DataBeschichtungspreis::EffectiveEM() const {
    return Edv.empty() ? EM : Tdex6SingleMulti::Egal;
}

void Tdex6DataBeschichtungspreis::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    WriteFields<Tdex6DataBeschichtungspreis>(Writer, *this, Fields());
    FFormelLokal->WriteXml(Writer);
}

void Tdex6DataBeschichtungspreis::ReadTag(TElementReader& Reader, TPartType PartType,
                                          std::string_view Name, std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (PartType == TPartType::StartTag) {
        if (SameText(Name, FFormelLokal->TagName()))
            FFormelLokal->BeginRead(Reader, this);
        return;
    }
    if (!IsContent(PartType))
        return;
    const auto Table = Fields();
    if (ReadField<Tdex6DataBeschichtungspreis>(*this, Table.first(KeyFieldCount), Name, Content))
        ReportKeysChanged();
    else
        ReadField<Tdex6DataBeschichtungspreis>(*this, Table.subspan(KeyFieldCount), Name, Content);
}

std::span<const TField<Tdex6DataBeschichtungspreis>> Tdex6DataBeschichtungspreis::Fields() {
    using P = Tdex6DataBeschichtungspreis;
    static constexpr TField<P> Table[] = {
        TextField<&P::Edv>("Edv"),
        CodeField<&P::ST, Tdex6SphTor{}>("ST"),
        WrittenAs<&P::EffectiveMAT>(CodeField<&P::MAT, Tdex6Material{}>("MAT")),
        WrittenAs<&P::EffectiveEM>(CodeField<&P::EM, Tdex6SingleMulti{}>("EM")),
        IntField<&P::PBID>("PBID"),
        CodeField<&P::PQ, Tdex6PriceSource{}>("PQ"),
        FloatField<&P::FPR>("PR"),
    };
    return Table;
}

std::string Tdex6DataBeschichtungspreis::ProtocolPrefix(int Action,
                                                        std::string_view /*Name*/) const {
    std::string Result = TCustomdex6Object::ProtocolPrefix(Action, GetText(313) + " ");
    if (const Tdex6DataBeschichtung* Coating = Beschichtung())
        Result += "  " + Coating->GetB(1) + "(" + Coating->EDV() + ")";
    return Result;
}

void Tdex6DataBeschichtungspreis::Clear(bool WithDefaults) {
    TCustomdex6Object::Clear(WithDefaults);
    const bool KeyWasSet = !Edv.empty() || ST != Tdex6SphTor{} || MAT != Tdex6Material{} ||
                           EM != Tdex6SingleMulti{} || PBID != 0;
    ResetFields<Tdex6DataBeschichtungspreis>(*this, Fields());
    if (KeyWasSet)
        ReportKeysChanged();
    FFormelLokal->Clear(false);
}

// --- Tdex6DataBeschichtungspreisListe ---

Tdex6DataBeschichtungspreis*
Tdex6DataBeschichtungspreisListe::FindPrice(Tdex6SphTor ST, Tdex6SingleMulti EM, bool Create,
                                            std::string_view GlassCode, std::int32_t PBID,
                                            Tdex6Material MAT) {
    if (MAT == Tdex6Material::Egal && GlassCode.empty())
        return nullptr;
    // A special price matches whatever ST, EM and MAT ask; a general one has no glass
    // code, so its material is its own.
    Tdex6DataBeschichtungspreis* Found =
        GlassCode.empty()
            ? FGeneralIndex.Find(FItems, {ST, MAT, EM, PBID},
                                 [](const Tdex6DataBeschichtungspreis& Price) {
                                     return Price.Edv.empty()
                                                ? std::optional<TGeneralPriceKey>(
                                                      {Price.ST, Price.MAT, Price.EM, Price.PBID})
                                                : std::nullopt;
                                 })
            : FSpecialIndex.Find(FItems, {SameTextKey(GlassCode), PBID},
                                 [](const Tdex6DataBeschichtungspreis& Price) {
                                     return Price.Edv.empty()
                                                ? std::nullopt
                                                : std::optional<TSpecialPriceKey>(
                                                      {SameTextKey(Price.Edv), Price.PBID});
                                 });
    if (Found != nullptr || !Create || Parent() == nullptr || Root() == nullptr ||
        Root()->Preisbezeichnungsliste()->FindByID(PBID) == nullptr)
        return Found;
    Tdex6DataBeschichtungspreis* Price = NewItem();
    Price->PBID = PBID;
    Price->ST = ST;
    Price->EM = EM;
    Price->MAT = MAT;
    Price->Edv = GlassCode;
    return Price;
}

Tdex6DataBeschichtungspreisListe::~Tdex6DataBeschichtungspreisListe() {
    // The prices report their going to this list, so they go before it does.
    FItems.clear();
}

void Tdex6DataBeschichtungspreisListe::KeysChanged() {
    FSpecialIndex.Invalidate();
    FGeneralIndex.Invalidate();
}

std::size_t TCoatingPriceKeyHash::operator()(const TSpecialPriceKey& Key) const noexcept {
    return std::hash<std::string>()(Key.Code) * 31U ^ static_cast<std::uint32_t>(Key.PBID);
}

std::size_t TCoatingPriceKeyHash::operator()(const TGeneralPriceKey& Key) const noexcept {
    return (static_cast<std::size_t>(Key.ST) << 16 | static_cast<std::size_t>(Key.MAT) << 8 |
            static_cast<std::size_t>(Key.EM)) *
               1000003U ^
           static_cast<std::uint32_t>(Key.PBID);
}

} // namespace kr6
