#pragma once

#include "model/ArenaObject.h"
#include "model/CodeTables.h"
#include "model/CodedList.h"
#include "model/DeliveryRanges.h"
#include "model/FieldTable.h"
#include "model/Formulas.h"
#include "model/GlassParts.h"
#include "model/Info.h"
#include "model/OrderOptions.h"
#include "support/StringList.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace kr6 {

class Tdex6DataGlasliste;

// One lens product of the price list.
class Tdex6DataGlas final : public TCodedObject<Tdex6DataGlas>, public TArenaObject<Tdex6DataGlas> {
public:
    // Always takes a new identifier.
    Tdex6DataGlas(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    // The plain fields, written between the descriptions and the sort number.
    static std::span<const TField<Tdex6DataGlas>> Fields();
    ~Tdex6DataGlas() override;

    double AB = 0;
    double BR = 0;
    double DI = 0;
    bool AS = false;
    Tdex6LensKind EM = Tdex6LensKind::Einstaerken;
    Tdex6BrandLine ME = Tdex6BrandLine::Standard;
    Tdex6Material MAT = Tdex6Material::Silikat;
    bool ST = false;
    bool AG = false;
    TDateTime LA = 0;
    TDateTime LB = 0;
    double UVK = 0;
    double UVB = 0;
    double UVA = 0;
    Tdex6EGB EGB = Tdex6EGB::NichtMoeglich;
    std::int32_t FK = 0;
    std::int32_t FKB = 0;
    Tdex6RoadTraffic STV = Tdex6RoadTraffic::KeineAngabe;
    bool UV = false;
    bool MDM = false;
    Tdex6AntiReflection ET = Tdex6AntiReflection::Keine;
    bool HA = false;
    bool VS = false;
    bool AD = false;
    Tdex6Tint FA = Tdex6Tint::Keine;
    bool CL = false;
    bool PH = false;
    Tdex6KDM KDM = Tdex6KDM::NichtInkl;
    // Compensation conditions in percent of the list price.
    std::int32_t AGKB = 100;
    std::int32_t AGKG = 100;
    bool Vers = false;
    bool Pri = false;
    bool EG = false;
    bool TS = false;
    std::int32_t EdDmA = 0;
    std::int32_t KDMA = 0;
    std::int32_t KMDM = 0;

    // A changed code is renamed in the combination rules and product groups first.
    void SetEDV(std::string_view Code);
    // Descriptions 1 to 10; empty outside, a set outside is ignored.
    const std::string& GetB(int Index) const { return FBTexts.Get(Index); }
    void SetB(int Index, std::string_view Text) { FBTexts.Set(Index, Text); }

    // Date 0 means any date; both bounds inclusive, a bound of 0 is open.
    bool IsValidAt(TDateTime Date) const;
    Tdex6DataGlasliste* GlasListe() const;

    Tdex6DataOrderOptions* OrderOptions() const { return FOrderOptions.get(); }
    Tdex6DataGlasWirkungsListe* GlasWirkungsListe() const { return FGlasWirkungsListe.get(); }
    Tdex6DataGlasGeometrieListe* GlasGeometrieListe() const { return FGlasGeometrieListe.get(); }
    Tdex6DataGlasPreisListe* GlasPreisListe() const { return FGlasPreisListe.get(); }
    Tdex6DataPreisgruppen* Preisgruppen() const { return FPreisgruppen.get(); }
    Tdex6DataInfo* Info() const { return FInfo.get(); }
    Tdex6DataFormelZuweisung* FormelZuweisung() const { return FFormelZuweisung.get(); }

    std::string_view TagName() const override { return "GL"; }
    void WriteTags(TXmlStream& Writer) const override;
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override;
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
    // Leaves the order options as they are.
    void Clear(bool WithDefaults) override;

private:
    std::unique_ptr<Tdex6DataOrderOptions> FOrderOptions;
    std::unique_ptr<Tdex6DataGlasWirkungsListe> FGlasWirkungsListe;
    std::unique_ptr<Tdex6DataGlasGeometrieListe> FGlasGeometrieListe;
    std::unique_ptr<Tdex6DataGlasPreisListe> FGlasPreisListe;
    std::unique_ptr<Tdex6DataPreisgruppen> FPreisgruppen;
    std::unique_ptr<Tdex6DataInfo> FInfo;
    std::unique_ptr<Tdex6DataFormelZuweisung> FFormelZuweisung;
};

// All glasses of a price list, in a stable order, each with its own sort number.
class Tdex6DataGlasliste : public TCodedList<Tdex6DataGlas> {
public:
    using TCodedList::TCodedList;

    // Trailing blanks of Code are ignored; the last glass with the code (ignoring the
    // case of A-Z), or none.
    Tdex6DataGlas* FindByEDV(std::string_view Code) const;
    // A new glass at the end of the list, with the highest sort number.
    Tdex6DataGlas* NewGlas();
    // The codes of the glasses whose material and kind are in the sets, whose code is
    // not a line of Exclude and which are valid at Date; in list order.
    void GetCodes(TStringList& Strings, bool AddEmpty, TSmallSet<Tdex6Material> MATSet,
                  TSmallSet<Tdex6LensKind> EMSet, std::string_view Exclude, TDateTime Date) const;
    // Sort numbers 0 to Count - 1, the first glass leading among its equals.
    void Renumber();

    std::string_view TagName() const override { return "GLL"; }
    std::string_view ItemTag() const override { return "GL"; }

protected:
    TCustomdex6Object* AddReadItem() override { return NewGlas(); }
};

} // namespace kr6
