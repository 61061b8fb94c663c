#pragma once

#include "model/ArenaObject.h"
#include "model/CodeTables.h"
#include "model/FieldTable.h"
#include "model/Formulas.h"
#include "model/GlassPrices.h"
#include "model/ObjectList.h"

#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <string_view>

namespace kr6 {

class Tdex6DataGlas;

// A range of sphere, cylinder and addition in which a glass can be delivered.
class Tdex6DataGlasWirkung final : public TFieldObject<Tdex6DataGlasWirkung>,
                                   public TArenaObject<Tdex6DataGlasWirkung> {
public:
    // Always takes a new identifier.
    Tdex6DataGlasWirkung(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    static std::span<const TField<Tdex6DataGlasWirkung>> Fields();

    double PV = 0;
    double SphV = 0;
    double SphB = 0;
    double AddB = 0;
    double cylV = 0;
    double AddV = 0;
    double CylB = 0;
    Tdex6AdditionStep AddS = Tdex6AdditionStep::Stufe0_25;
    bool Lag = false;
    bool ELief = false;
    bool BF = false;
    TDateTime LB = 0;
    TDateTime LA = 0;
    // Codes of coatings contained in this range.
    std::string BEDV1;
    std::string BEDV2;
    std::string BEDV3;
    std::string BEDV4;
    std::string BEDV5;
    std::int32_t LBI = 0;
    std::int32_t LZ = 0;
    TDiameter DM;
    std::int32_t cylWV = 0;
    std::int32_t CylWB = 0;
    bool SIP = false;
    bool DFUR = false;
    bool OLB = false;

    // Stored as given, without ordering the bounds.
    void SetSph(double From, double To);
    // The smaller value goes to cylV, the larger to CylB; equal values put A in CylB.
    void SetCyl(double A, double B);
    // The smaller value goes to AddV, the larger to AddB; equal values put A in AddB.
    void SetAdd(double A, double B);

    // The glass owning the power list; none outside a glass.
    Tdex6DataGlas* Glas() const;

    std::string_view TagName() const override { return "GW"; }
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
};

class Tdex6DataGlasWirkungsListe final : public Tdex6ObjectList<Tdex6DataGlasWirkung>,
                                         public TArenaObject<Tdex6DataGlasWirkungsListe> {
public:
    using Tdex6ObjectList::Tdex6ObjectList;

    std::string_view TagName() const override { return "GWL"; }
    std::string_view ItemTag() const override { return "GW"; }
};

// For which diameters a geometry holds; set by the KR6 import, not part of the element
// form.
enum class Tdex6GeometryKind : std::uint8_t {
    AngegebenerDurchmesser, // the diameter given in Dm
    AlleZentrischenDurchmesser,
    AlleDezentriertenDurchmesser
};

// The layout figures of a lens for a diameter and power range.
class Tdex6DataGlasGeometrie final : public TFieldObject<Tdex6DataGlasGeometrie>,
                                     public TArenaObject<Tdex6DataGlasGeometrie> {
public:
    // Always takes a new identifier.
    Tdex6DataGlasGeometrie(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    static std::span<const TField<Tdex6DataGlasGeometrie>> Fields();

    double BN = 0;
    double HAFB = 0;
    double WSV = 0;
    double WSB = 0;
    double ORN = 0;
    double VANB = 0;
    double URN = 0;
    double HN = 0;
    double VAFB = 0;
    double HZ = 0;
    double VAZK = 0;
    Tdex6NTT NTT = Tdex6NTT::C;
    double MVANB = 0;
    double MHANP = 0;
    TDiameter Dm;
    // The geometry holds for the whole power range.
    bool WK = false;
    double DM1H = 0;
    double DM2H = 0;
    double VAMN = 0;
    double HAT = 0;
    double VAT = 0;
    Tdex6ViewDirection BLR = Tdex6ViewDirection::Nullblickrichtung;
    double HANP = 0;
    Tdex6GeometryKind GeometryKind = Tdex6GeometryKind::AngegebenerDurchmesser;

    Tdex6DataGlas* Glas() const;

    std::string_view TagName() const override { return "GG"; }
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
    void Clear(bool WithDefaults) override;
};

class Tdex6DataGlasGeometrieListe final : public Tdex6ObjectList<Tdex6DataGlasGeometrie>,
                                          public TArenaObject<Tdex6DataGlasGeometrieListe> {
public:
    using Tdex6ObjectList::Tdex6ObjectList;

    std::string_view TagName() const override { return "GGL"; }
    std::string_view ItemTag() const override { return "GG"; }
};

} // namespace kr6
