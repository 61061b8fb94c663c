#pragma once

#include "model/ArenaObject.h"
#include "model/CodeTables.h"
#include "model/FieldTable.h"
#include "model/ObjectList.h"
#include "support/StringList.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace kr6 {

// Up to five calculation steps of a formula and its rounding code.
class Tdex6DataFormelCalc final : public TFieldObject<Tdex6DataFormelCalc>,
                                  public TArenaObject<Tdex6DataFormelCalc> {
public:
    // Always takes a new identifier.
    Tdex6DataFormelCalc(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    // Takes OID, handed out before.
    Tdex6DataFormelCalc(Tdex6Dataobject* Root, Tdex6Node* Parent, std::int32_t OID);
    static std::span<const TField<Tdex6DataFormelCalc>> Fields();

    Tdex6FormulaKind11 FI1{}, FI2{}, FI3{}, FI4{}, FI5{};
    Tdex6FormulaKind7 FRT{};
    // Ids of the variables the steps use.
    std::uint16_t VAR1 = 0, VAR2 = 0, VAR3 = 0, VAR4 = 0, VAR5 = 0;
    double VAL1 = 0, VAL2 = 0, VAL3 = 0, VAL4 = 0, VAL5 = 0;

    std::string_view TagName() const override { return "DFOC"; }
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
};

// A formula part whose step list is written after its own fields.
template <class T> class TCalcOwner : public TFieldObject<T> {
public:
    template <class TCalcArg>
    TCalcOwner(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID, TCalcArg CalcArg)
        : TFieldObject<T>(Root, Parent, NewOID),
          FCalc(new (Root) Tdex6DataFormelCalc(Root, this, CalcArg)) {}

    Tdex6DataFormelCalc* Calc() const { return FCalc.get(); }

    void WriteTags(TXmlStream& Writer) const override {
        TFieldObject<T>::WriteTags(Writer);
        FCalc->WriteXml(Writer);
    }
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override {
        TFieldObject<T>::ReadTag(Reader, PartType, Name, Content);
        if (PartType == TPartType::StartTag && SameText(Name, FCalc->TagName()))
            FCalc->BeginRead(Reader, this);
    }

protected:
    std::unique_ptr<Tdex6DataFormelCalc> FCalc;
};

// One range of application of a formula group.
class Tdex6DataFormelBereich : public TCalcOwner<Tdex6DataFormelBereich> {
public:
    // Always takes a new identifier.
    Tdex6DataFormelBereich(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    static std::span<const TField<Tdex6DataFormelBereich>> Fields();

    double QPRV = 0;
    double QPRB = 10000;
    double SphV = 0;
    double SphB = 50;
    std::int32_t DMV = 0;
    std::int32_t DMB = 99;
    std::int32_t EL = 0;
    double CylV = 0;
    double CylB = 25;

    std::string_view TagName() const override { return "DFOB"; }
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
};

class Tdex6DataFormelBereichListe : public Tdex6ObjectList<Tdex6DataFormelBereich> {
public:
    using Tdex6ObjectList::Tdex6ObjectList;

    std::string_view TagName() const override { return "DFC"; }
    std::string_view ItemTag() const override { return "DFOB"; }
};

// A named formula with its price source, its ranges and the matrix of automatic
// assignments to kinds of glasses and coatings.
class Tdex6DataFormelGruppe : public TFieldObject<Tdex6DataFormelGruppe> {
public:
    static constexpr int GlassTypeCount = 5;   // Tdex6LensKind 0..4
    static constexpr int CoatingTypeCount = 4; // ET, Farben, Sonstiges, Prismen
    static constexpr int MaterialCount = 4;    // Tdex6Material 1..4

    // Always takes a new identifier.
    Tdex6DataFormelGruppe(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    static std::span<const TField<Tdex6DataFormelGruppe>> Fields();

    std::string KB;
    std::uint16_t QPBID = 0;
    std::uint16_t AZPBID = 0;

    Tdex6DataFormelBereichListe* Bereiche() const { return FBereiche.get(); }

    std::int32_t ID() const { return FID; }
    // 0, or an ID another group of the list already has, gives the list's NextID.
    void SetID(std::int32_t Value);
    // A group without ID inside a group list takes the list's NextID.
    void AssignID();

    // Type and Material are matrix indexes: glass type 0..4, coating type 0..3,
    // material 1..4. Setters ignore indexes outside the matrix.
    bool GetAZG(int Type, int Material) const;
    void SetAZG(int Type, int Material, bool Value);
    bool GetAZB(int Type, int Material) const;
    void SetAZB(int Type, int Material, bool Value);
    // "AZG"/"AZB" + type letter + material letter; Material 0 has no letter.
    static std::string AZGTagName(int Type, int Material);
    static std::string AZBTagName(int Type, int Material);

    std::string_view TagName() const override { return "DFGG"; }
    void WriteTags(TXmlStream& Writer) const override;
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override;
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
    void Clear(bool WithDefaults) override;

private:
    // Tags without a material letter match no flag and are dropped.
    void ReadFlag(std::string_view Name, std::string_view Content);

    std::unique_ptr<Tdex6DataFormelBereichListe> FBereiche;
    std::array<std::array<bool, MaterialCount>, GlassTypeCount> FAZG{};
    std::array<std::array<bool, MaterialCount>, CoatingTypeCount> FAZB{};
    std::int32_t FID = 0;
};

class Tdex6DataFormelGruppeListe : public Tdex6ObjectList<Tdex6DataFormelGruppe> {
public:
    using Tdex6ObjectList::Tdex6ObjectList;

    // The first group with this ID, or none.
    Tdex6DataFormelGruppe* FindByID(std::int32_t ID) const;
    // One above the largest ID, at least 1.
    std::int32_t NextID() const;

    std::string_view TagName() const override { return "DFLG"; }
    std::string_view ItemTag() const override { return "DFGG"; }
};

// Local formula of one glass price: the source price of another glass and the steps.
class Tdex6DataFormelLokalGlas : public TCalcOwner<Tdex6DataFormelLokalGlas> {
public:
    // The identifiers of a formula and its step list, taken before the formula is made.
    struct TOIDs {
        std::int32_t Formula = 0;
        std::int32_t Calc = 0;
    };
    // The identifiers a new formula would take from Root now; none without a root.
    static TOIDs ReserveOIDs(Tdex6Dataobject* Root);

    // Always takes a new identifier.
    Tdex6DataFormelLokalGlas(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    Tdex6DataFormelLokalGlas(Tdex6Dataobject* Root, Tdex6Node* Parent, TOIDs OIDs);
    static std::span<const TField<Tdex6DataFormelLokalGlas>> Fields();

    std::int8_t QCyl = -1;
    std::int8_t QSph = -1;
    std::string QGEdv;
    std::int32_t QPBID = -1;
    std::int32_t QLBI = -1;
    TDiameter QDM;

    // QGEdv, or when it is empty the code of the glass that owns the price.
    std::string SourceName() const;

    static constexpr std::string_view Tag = "DFGL";
    std::string_view TagName() const override { return Tag; }
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
    void Clear(bool WithDefaults) override;

private:
    std::string OwnerGlassCode() const;
};

// Local formula of one coating price. A new one has -1 in its keys; the owning price
// clears it right away, which sets them to 0.
class Tdex6DataFormelLokalBeschichtung final
    : public TCalcOwner<Tdex6DataFormelLokalBeschichtung>,
      public TArenaObject<Tdex6DataFormelLokalBeschichtung> {
public:
    // Always takes a new identifier.
    Tdex6DataFormelLokalBeschichtung(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    static std::span<const TField<Tdex6DataFormelLokalBeschichtung>> Fields();

    std::string QSP;
    std::int32_t QSphTor = -1;
    std::int32_t QEM = -1;
    std::int32_t QMat = -1;
    std::string QEdv;
    std::int32_t QPBID = -1;

    // QEdv, or when it is empty the code of the coating that owns the price.
    std::string SourceName() const;

    std::string_view TagName() const override { return "DFBL"; }
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
    void Clear(bool WithDefaults) override;

private:
    std::string OwnerCoatingCode() const;
};

// The formulas assigned to one glass or coating, one text each, in order.
class Tdex6DataFormelZuweisung final : public TCustomdex6Object,
                                       public TArenaObject<Tdex6DataFormelZuweisung> {
public:
    Tdex6DataFormelZuweisung(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);

    TStringList Lines;

    std::string_view TagName() const override { return "FZU"; }
    void WriteTags(TXmlStream& Writer) const override;
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override;
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
    void Clear(bool WithDefaults) override;
};

} // namespace kr6
