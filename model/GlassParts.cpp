#include "model/GlassParts.h"

#include "model/FieldTable.h"
#include "model/Glasses.h"
#include "texts/Language.h"

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
