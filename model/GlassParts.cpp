#include "model/GlassParts.h"

#include "model/Addresses.h"
#include "model/DeliveryRanges.h"
#include "model/ElementReader.h"
#include "model/FieldTable.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"
#include "texts/Language.h"

#include <array>
#include <utility>

namespace kr6 {
namespace {

// "code description" of the owning glass; empty without one.
std::string CodeAndDescription(const Tdex6DataGlas* Glas) {
    return Glas != nullptr ? Glas->EDV() + " " + Glas->GetB(1) : std::string();
}

using W = Tdex6DataGlasWirkung;
// The power range's fields in the order of the element form.
constexpr TField<W> PowerRangeFields[] = {
    DiameterField<&W::DM>("DM"),
    FloatField<&W::SphV>("SphV"),
    FloatField<&W::SphB>("SphB"),
    FloatField<&W::cylV>("cylV"),
    FloatField<&W::CylB>("CylB"),
    IntField<&W::cylWV>("cylWV"),
    IntField<&W::CylWB>("CylWB"),
    FloatField<&W::PV>("PV"),
    FloatField<&W::AddV>("AddV"),
    FloatField<&W::AddB>("AddB"),
    CodeField<&W::AddS, Tdex6AdditionStep::Stufe0_25>("AddS"),
    TextField<&W::BEDV1>("BEDV1"),
    TextField<&W::BEDV2>("BEDV2"),
    TextField<&W::BEDV3>("BEDV3"),
    TextField<&W::BEDV4>("BEDV4"),
    TextField<&W::BEDV5>("BEDV5"),
    FlagField<&W::SIP>("SIP"),
    DateField<&W::LA>("LA"),
    DateField<&W::LB>("LB"),
    FlagField<&W::Lag>("Lag"),
    FlagField<&W::ELief>("ELief"),
    FlagField<&W::BF>("BF"),
    FlagField<&W::DFUR>("DFUR"),
    FlagField<&W::OLB>("OLB"),
    IntField<&W::LBI>("LBI"),
    IntField<&W::LZ>("LZ"),
};

using Geo = Tdex6DataGlasGeometrie;
// The geometry's fields in the order of the element form.
constexpr TField<Geo> GeometryFields[] = {
    DiameterField<&Geo::Dm>("Dm"),
    FlagField<&Geo::WK>("WK"),
    FloatField<&Geo::WSV>("WSV"),
    FloatField<&Geo::WSB>("WSB"),
    FloatField<&Geo::DM1H>("DM1H"),
    FloatField<&Geo::DM2H>("DM2H"),
    FloatField<&Geo::VAFB>("VAFB"),
    FloatField<&Geo::HAFB>("HAFB"),
    CodeField<&Geo::NTT, Tdex6NTT::C>("NTT"),
    FloatField<&Geo::VAT>("VAT"),
    FloatField<&Geo::HAT>("HAT"),
    FloatField<&Geo::VAMN>("VAMN"),
    FloatField<&Geo::URN>("URN"),
    FloatField<&Geo::ORN>("ORN"),
    FloatField<&Geo::BN>("BN"),
    FloatField<&Geo::HN>("HN"),
    FloatField<&Geo::HZ>("HZ"),
    FloatField<&Geo::VAZK>("VAZK"),
    CodeField<&Geo::BLR, Tdex6ViewDirection::Nullblickrichtung>("BLR"),
    FloatField<&Geo::MVANB>("MVANB"),
    FloatField<&Geo::VANB>("VANB"),
    FloatField<&Geo::MHANP>("MHANP"),
    FloatField<&Geo::HANP>("HANP"),
};

} // namespace

// Power range

Tdex6DataGlasWirkung::Tdex6DataGlasWirkung(Tdex6Dataobject* Root, Tdex6Node* Parent,
                                           bool /*NewOID*/)
    : TFieldObject(Root, Parent, true) {
    Tdex6DataGlasWirkung::Clear(false);
}

std::span<const TField<Tdex6DataGlasWirkung>> Tdex6DataGlasWirkung::Fields() {
    return PowerRangeFields;
}

void Tdex6DataGlasWirkung::SetSph(double From, double To) {
    SphV = From;
    SphB = To;
}

void Tdex6DataGlasWirkung::SetCyl(double A, double B) {
    if (A < B) {
        cylV = A;
        CylB = B;
    } else {
        cylV = B;
        CylB = A;
    }
}

void Tdex6DataGlasWirkung::SetAdd(double A, double B) {
    if (A < B) {
        AddV = A;
        AddB = B;
    } else {
        AddV = B;
        AddB = A;
    }
}

Tdex6DataGlas* Tdex6DataGlasWirkung::Glas() const {
    return OwnerOf<Tdex6DataGlas, Tdex6DataGlasWirkungsListe>(Parent());
}

std::string Tdex6DataGlasWirkung::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(303)) + CodeAndDescription(Glas());
}

// Price

Tdex6DataGlasPreis::Tdex6DataGlasPreis(Tdex6Dataobject* Root, Tdex6Node* Parent, bool /*NewOID*/)
    : TCustomdex6Object(Root, Parent, true),
      FFormelOIDs(Tdex6DataFormelLokalGlas::ReserveOIDs(Root)) {
    Tdex6DataGlasPreis::Clear(false);
}

Tdex6DataFormelLokalGlas* Tdex6DataGlasPreis::Formel() {
    if (!FFormelMade) {
        FFormel = new Tdex6DataFormelLokalGlas(Root(), this, FFormelOIDs);
        FFormelMade = true;
    }
    return FFormel;
}

void* Tdex6DataGlasPreis::operator new(std::size_t Size, Tdex6Dataobject* Root) {
    return Root != nullptr ? Root->GlassPricePool().Allocate() : ::operator new(Size);
}

void Tdex6DataGlasPreis::operator delete(void* Place, Tdex6Dataobject* Root) noexcept {
    if (Root != nullptr)
        Root->GlassPricePool().Free(Place);
    else
        ::operator delete(Place);
}

// The model is read before the price is gone: it says where the memory goes back to.
void Tdex6DataGlasPreis::operator delete(Tdex6DataGlasPreis* Price,
                                         std::destroying_delete_t) noexcept {
    Tdex6Dataobject* const Root = Price->Root();
    Price->~Tdex6DataGlasPreis();
    operator delete(static_cast<void*>(Price), Root);
}

template <>
std::unique_ptr<Tdex6DataGlasPreis> MakeListItem<Tdex6DataGlasPreis>(Tdex6Dataobject* Root,
                                                                     Tdex6Node* Parent) {
    return std::unique_ptr<Tdex6DataGlasPreis>(new (Root) Tdex6DataGlasPreis(Root, Parent, true));
}

Tdex6DataGlasPreis::~Tdex6DataGlasPreis() {
    ReportKeysChanged();
    if (FFormelMade)
        delete FFormel;
}

void Tdex6DataGlasPreis::ReportKeysChanged() const {
    if (auto* List = dynamic_cast<Tdex6DataGlasPreisListe*>(Parent()))
        List->KeysChanged();
}

void Tdex6DataGlasPreis::SetPR(double Amount) {
    FPR = Amount;
    PQ = Tdex6PriceSource::Value1;
}

Tdex6DataGlas* Tdex6DataGlasPreis::Glas() const {
    return OwnerOf<Tdex6DataGlas, Tdex6DataGlasPreisListe>(Parent());
}

void Tdex6DataGlasPreis::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    WriteFields<Tdex6DataGlasPreis>(Writer, *this, Fields());
    if (FFormelMade) {
        FFormel->WriteXml(Writer);
    } else {
        // The formula that would be made, written without keeping it.
        const Tdex6DataFormelLokalGlas Default(nullptr, nullptr, FFormelOIDs);
        Default.WriteXml(Writer);
    }
}

void Tdex6DataGlasPreis::ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                                 std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (PartType == TPartType::StartTag) {
        if (SameText(Name, Tdex6DataFormelLokalGlas::Tag))
            Formel()->BeginRead(Reader, this);
        return;
    }
    if (!IsContent(PartType))
        return;
    if (ReadField<Tdex6DataGlasPreis>(*this, Fields().first(KeyFieldCount), Name, Content))
        ReportKeysChanged();
    else
        ReadField<Tdex6DataGlasPreis>(*this, Fields().subspan(KeyFieldCount), Name, Content);
}

std::span<const TField<Tdex6DataGlasPreis>> Tdex6DataGlasPreis::Fields() {
    using P = Tdex6DataGlasPreis;
    static constexpr TField<P> Table[] = {
        IntField<&P::GSph>("GSph"),
        IntField<&P::GCyl>("GCyl"),
        DiameterField<&P::GDM>("GDM"),
        IntField<&P::LBI>("LBI"),
        IntField<&P::PBID>("PBID"),
        FloatField<&P::FPR>("PR"),
        CodeField<&P::PQ, Tdex6PriceSource::Value0>("PQ"),
    };
    return Table;
}

std::string Tdex6DataGlasPreis::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    std::string Result = TCustomdex6Object::ProtocolPrefix(
        Action, GetText(308) + " " + std::to_string(GSph) + "/" + std::to_string(GCyl));
    if (const Tdex6DataGlas* Owner = Glas())
        Result += "  " + Owner->GetB(1) + "(" + Owner->EDV() + ")";
    return Result;
}

void Tdex6DataGlasPreis::Clear(bool WithDefaults) {
    const bool KeyWasSet = Key() != TGlassPriceKey{};
    ResetFields<Tdex6DataGlasPreis>(*this, Fields());
    if (KeyWasSet)
        ReportKeysChanged();
    if (FFormelMade)
        FFormel->Clear(WithDefaults);
}

Tdex6DataGlasPreis* Tdex6DataGlasPreisListe::FindPrice(std::int32_t GSph, std::int32_t GCyl,
                                                       const TDiameter& GDM, std::int32_t PBID,
                                                       std::int32_t LBI, bool Create) {
    Tdex6DataGlasPreis* Found =
        FIndex.Find(FItems, {GSph, GCyl, GDM, PBID, LBI}, [](const Tdex6DataGlasPreis& Price) {
            return std::optional<TGlassPriceKey>(Price.Key());
        });
    if (Found != nullptr || !Create)
        return Found;
    return AddPrice(GSph, GCyl, GDM, PBID, LBI);
}

Tdex6DataGlasPreis* Tdex6DataGlasPreisListe::AddPrice(std::int32_t GSph, std::int32_t GCyl,
                                                      const TDiameter& GDM, std::int32_t PBID,
                                                      std::int32_t LBI) {
    const Tdex6DataGlas* Owner = Glas();
    if (Owner == nullptr || Root() == nullptr)
        return nullptr;
    if (!Owner->Preisgruppen()->GetS(GSph) || !Owner->Preisgruppen()->GetC(GCyl))
        return nullptr;
    if (Root()->Lieferbereichsbezeichnungsliste()->FindByID(LBI) == nullptr ||
        Root()->Preisbezeichnungsliste()->FindByID(PBID) == nullptr)
        return nullptr;
    Tdex6DataGlasPreis* Price = NewItem();
    Price->GSph = GSph;
    Price->GCyl = GCyl;
    Price->GDM = GDM;
    Price->PBID = PBID;
    Price->LBI = LBI;
    return Price;
}

Tdex6DataGlasPreisListe::Tdex6DataGlasPreisListe(Tdex6Dataobject* Root, Tdex6DataGlas& Owner)
    : Tdex6ObjectList(Root, &Owner, ArenaOf(Root)), FOwner(&Owner) {}

Tdex6DataGlasPreisListe::~Tdex6DataGlasPreisListe() {
    // The prices report their going to this list, so they go before it does.
    FItems.clear();
}

std::size_t TGlassPriceKeyHash::operator()(const TGlassPriceKey& Key) const noexcept {
    std::size_t Hash = 0;
    for (const std::int32_t Part : {Key.GSph, Key.GCyl, Key.GDM.First, Key.GDM.Second,
                                    std::int32_t{Key.GDM.Elliptical}, Key.PBID, Key.LBI})
        Hash = Hash * 1000003U ^ static_cast<std::uint32_t>(Part);
    return Hash;
}

Tdex6DataGlas* Tdex6DataGlasPreisListe::Glas() const {
    return FOwner != nullptr ? FOwner : dynamic_cast<Tdex6DataGlas*>(Parent());
}

// Geometry

Tdex6DataGlasGeometrie::Tdex6DataGlasGeometrie(Tdex6Dataobject* Root, Tdex6Node* Parent,
                                               bool /*NewOID*/)
    : TFieldObject(Root, Parent, true) {
    Tdex6DataGlasGeometrie::Clear(false);
}

std::span<const TField<Tdex6DataGlasGeometrie>> Tdex6DataGlasGeometrie::Fields() {
    return GeometryFields;
}

Tdex6DataGlas* Tdex6DataGlasGeometrie::Glas() const {
    return OwnerOf<Tdex6DataGlas, Tdex6DataGlasGeometrieListe>(Parent());
}

std::string Tdex6DataGlasGeometrie::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(309)) + CodeAndDescription(Glas());
}

void Tdex6DataGlasGeometrie::Clear(bool WithDefaults) {
    TFieldObject::Clear(WithDefaults);
    GeometryKind = Tdex6GeometryKind::AngegebenerDurchmesser;
}

} // namespace kr6
