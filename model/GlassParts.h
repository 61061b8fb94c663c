#pragma once

#include "model/ArenaObject.h"
#include "model/CodeTables.h"
#include "model/FieldTable.h"
#include "model/Formulas.h"
#include "model/GlassPriceKey.h"
#include "model/LastMatchIndex.h"
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

// One amount of a glass for a sphere group, cylinder group, diameter, price
// description and delivery range.
class Tdex6DataGlasPreis final : public TCustomdex6Object {
public:
    // Always takes a new identifier.
    Tdex6DataGlasPreis(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    ~Tdex6DataGlasPreis() override;
    // The keys first, KeyFieldCount of them.
    static std::span<const TField<Tdex6DataGlasPreis>> Fields();
    static constexpr std::size_t KeyFieldCount = 5;

    // A large price list holds millions of prices: they live in their model's pool, or
    // with the general allocator when they have no model. A price is made only as
    // new (Root) Tdex6DataGlasPreis(Root, ...), as MakeListItem does it.
    static void* operator new(std::size_t Size, Tdex6Dataobject* Root);
    static void operator delete(void* Place, Tdex6Dataobject* Root) noexcept;
    static void operator delete(Tdex6DataGlasPreis* Price, std::destroying_delete_t) noexcept;

    // The keys of FindPrice. Its index takes a price's keys when it first meets the
    // price; a change after that must be reported with the list's KeysChanged.
    std::int32_t GCyl = 0;
    std::int32_t GSph = 0;
    // ID of the price description this amount fills.
    std::int32_t PBID = 0;
    std::int32_t LBI = 0;
    TDiameter GDM;
    // Where the amount came from; an amount set through SetPR is value 1.
    Tdex6PriceSource PQ = Tdex6PriceSource::Value0;

    TGlassPriceKey Key() const { return {GSph, GCyl, GDM, PBID, LBI}; }
    double PR() const { return FPR; }
    // Stores the amount and marks it as set (PQ value 1).
    void SetPR(double Amount);
    void SetGDM(const TDiameter& Diameter) { GDM = Diameter; }
    void SetLBI(std::int32_t Index) { LBI = Index; }

    // Made when first asked for: a price list holds millions of prices, and nearly all
    // keep the default formula. Its identifiers are taken with the price's, so they are
    // the ones an eagerly made formula would have had.
    Tdex6DataFormelLokalGlas* Formel();
    // The glass owning the price list; none outside a glass.
    Tdex6DataGlas* Glas() const;

    std::string_view TagName() const override { return "GP"; }
    void WriteTags(TXmlStream& Writer) const override;
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override;
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
    void Clear(bool WithDefaults) override;

private:
    void ReportKeysChanged() const;

    // First, to fill the room the keys leave before the amount.
    bool FFormelMade = false;
    double FPR = 0;
    // A price needs its formula's identifiers only until the formula is made, which then
    // holds them: the two share their room, which for millions of prices is worth it.
    union {
        Tdex6DataFormelLokalGlas::TOIDs FFormelOIDs;
        // Owned.
        Tdex6DataFormelLokalGlas* FFormel;
    };
};

template <>
std::unique_ptr<Tdex6DataGlasPreis> MakeListItem<Tdex6DataGlasPreis>(Tdex6Dataobject* Root,
                                                                     Tdex6Node* Parent);

class Tdex6DataGlasPreisListe final : public Tdex6ObjectList<Tdex6DataGlasPreis>,
                                      public TArenaObject<Tdex6DataGlasPreisListe> {
public:
    using Tdex6ObjectList::Tdex6ObjectList;
    // The price list of Owner, which is asked for every price that is added.
    Tdex6DataGlasPreisListe(Tdex6Dataobject* Root, Tdex6DataGlas& Owner);
    ~Tdex6DataGlasPreisListe() override;

    // The last price with exactly these keys. Without one, and with Create, a price is
    // added only when the owning glass uses both price groups and the root knows the
    // delivery range and the price description; otherwise none.
    Tdex6DataGlasPreis* FindPrice(std::int32_t GSph, std::int32_t GCyl, const TDiameter& GDM,
                                  std::int32_t PBID, std::int32_t LBI, bool Create);
    // FindPrice with Create for a caller that knows that no price has these keys: the
    // price is added under the same conditions, without looking for one.
    Tdex6DataGlasPreis* AddPrice(std::int32_t GSph, std::int32_t GCyl, const TDiameter& GDM,
                                 std::int32_t PBID, std::int32_t LBI);
    // Deletes every price of this price description.
    void DeleteByPBID(std::int32_t ID) { DeleteAll(&Tdex6DataGlasPreis::PBID, ID); }
    // The keys of prices already in the list were changed by assigning their fields.
    void KeysChanged() { FIndex.Invalidate(); }
    Tdex6DataGlas* Glas() const;

    std::string_view TagName() const override { return "DEX"; }
    std::string_view ItemTag() const override { return "GP"; }

private:
    TLastMatchIndex<TGlassPriceKey, Tdex6DataGlasPreis, TGlassPriceKeyHash> FIndex;
    Tdex6DataGlas* FOwner = nullptr;
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
