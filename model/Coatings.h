#pragma once

#include "model/CoatingParts.h"
#include "model/CodeTables.h"
#include "model/CodedList.h"
#include "model/FieldTable.h"
#include "support/DateTimeText.h"
#include "support/SmallSet.h"
#include "support/StringList.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>

namespace kr6 {

class Tdex6DataOrderOptions;
class Tdex6DataFormelZuweisung;
class Tdex6DataInfo;
class Tdex6DataStrings;
class Tdex6DataBeschichtungsliste;

enum class Tdex6CoatingKind : std::uint8_t { AntiReflection, Tint, Other, Special };
using TCoatingKindSet = TSmallSet<Tdex6CoatingKind>;

// An option ordered with a glass: anti-reflection coating, tint, hard coat, prism or
// cylinder surcharge and the like. The codes Z1-Z3 and P1-P6 are the surcharge groups;
// their descriptions follow the root's prism and cylinder groups.
class Tdex6DataBeschichtung : public TCodedObject<Tdex6DataBeschichtung> {
public:
    static constexpr int MaterialCount = 5;

    // Always takes a new identifier.
    Tdex6DataBeschichtung(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    // The plain fields, written between the descriptions and the sort number.
    static std::span<const TField<Tdex6DataBeschichtung>> Fields();
    ~Tdex6DataBeschichtung() override;

    bool ATOR = false;
    bool BTOR = false;
    bool UV = false;
    bool PH = false;
    Tdex6Bonus BF{};
    Tdex6ThicknessChange AD{};
    Tdex6FormChange AF{};
    bool DEZ = false;
    bool HA = false;
    Tdex6AntiReflection ET{};
    Tdex6EdgeFinish ER{};
    bool BENT = false;
    bool PRH = false;
    bool MATT = false;
    Tdex6RoadTraffic Stvo{};
    Tdex6DiameterChange ADU{};
    std::uint8_t FK = 0;
    bool WAL = false;
    Tdex6Tint FA{};
    bool VS = false;
    bool ADB = false;
    bool CL = false;
    double UVB = 0;
    double UVK = 0;
    double UVA = 0;
    TDateTime LB = 0;
    TDateTime LA = 0;
    bool AAD = false;
    TMaterialSet MAT;
    Tdex6BrandLine ME{};
    bool Vers = false;
    double SphVon = -99.99;
    double SphBis = 99.99;
    std::int32_t DMVon = 0;
    std::int32_t DMBis = 99;
    std::int32_t FKB = 0;
    bool OLB = false;

    // Special coatings compute their description for every index; outside 1 to 10 the
    // others give the empty text.
    std::string GetB(int Index) const;
    // Ignored for special coatings and outside 1 to 10.
    void SetB(int Index, std::string_view Text);
    // KR4 code and description per material; other values give the empty text.
    std::string GetKrEDV(Tdex6Material Material) const;
    void SetKrEDV(Tdex6Material Material, std::string_view Text);
    std::string GetKrBez(Tdex6Material Material) const;
    void SetKrBez(Tdex6Material Material, std::string_view Text);

    // A change of a non-empty code renames it in the combination rules and product groups.
    void SetEDV(std::string_view Code);
    bool STEG() const { return FSTEG; }
    void SetSTEG(bool Flag) { FSTEG = Flag; }
    bool EMEG() const { return FEMEG; }
    void SetEMEG(bool Flag) { FEMEG = Flag; }

    bool IsSpecial() const;
    // Date 0 is valid always; the bounds LA and LB are inclusive, 0 meaning open.
    bool IsValidAt(TDateTime Date) const;
    TCoatingKindSet Kinds() const;

    Tdex6DataOrderOptions* OrderOptions() const { return FOrderOptions.get(); }
    Tdex6DataFormelZuweisung* FormelZuweisung() const { return FFormelZuweisung.get(); }
    Tdex6DataFarbListe* FarbListe() const { return FFarbListe.get(); }
    Tdex6DataBeschichtungspreisListe* PreisListe() const { return FPreisListe.get(); }
    Tdex6DataInfo* Info() const { return FInfo.get(); }
    Tdex6DataStrings* SpecialPrices() const { return FSpecialPrices.get(); }
    // Codes of the glasses that have special prices.
    TStringList& SpecialPriceCodes() const;
    Tdex6DataBeschichtungsliste* Beschichtungsliste() const;

    std::string_view TagName() const override { return "BESCH"; }
    void WriteTags(TXmlStream& Writer) const override;
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override;
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
    void Clear(bool WithDefaults) override;

private:
    std::string SpecialDescription() const;
    void ReadContent(std::string_view Name, std::string_view Content);

    std::array<std::string, MaterialCount> FKrEDV;
    std::array<std::string, MaterialCount> FKrBez;
    bool FSTEG = true;
    bool FEMEG = true;

    std::unique_ptr<Tdex6DataOrderOptions> FOrderOptions;
    std::unique_ptr<Tdex6DataFormelZuweisung> FFormelZuweisung;
    std::unique_ptr<Tdex6DataFarbListe> FFarbListe;
    std::unique_ptr<Tdex6DataBeschichtungspreisListe> FPreisListe;
    std::unique_ptr<Tdex6DataInfo> FInfo;
    std::unique_ptr<Tdex6DataStrings> FSpecialPrices;
};

// One bit for an anti-reflection type and one for each exclusive feature flag; two
// coatings that share a bit cannot be combined.
std::uint32_t CompatibilityFeatures(const Tdex6DataBeschichtung& Coating);

// False when both carry an anti-reflection type or both carry one of the exclusive
// feature flags; colour and the option values never conflict.
inline bool IsCompatible(const Tdex6DataBeschichtung& A, const Tdex6DataBeschichtung& B) {
    return (CompatibilityFeatures(A) & CompatibilityFeatures(B)) == 0;
}

// All coatings of a root, with a sort number per coating kept 0 to Count - 1.
class Tdex6DataBeschichtungsliste : public TCodedList<Tdex6DataBeschichtung> {
public:
    using TCodedList::TCodedList;

    // The last coating whose code equals Code ignoring case; none for an empty code.
    Tdex6DataBeschichtung* FindByEDV(std::string_view Code) const;
    // Description 1 of the coating with that code, or the empty text.
    std::string GetDescription(std::string_view Code) const;
    // Attaches to every entry the coating of its code (none when there is no such one).
    void AttachObjects(TStringList& Strings) const;
    // The codes, in list order, of the coatings that share a material with MATSet and a
    // kind with KindSet and are valid at Date; an empty entry first when AddEmpty.
    void GetCodes(TStringList& Strings, bool AddEmpty, TMaterialSet MATSet, TCoatingKindSet KindSet,
                  TDateTime Date) const;
    // Also drops the coating's combination rules and its code from the product groups.
    bool Remove(Tdex6DataBeschichtung* Item) override;
    // With defaults the list is left holding the nine surcharge groups Z1-Z3, P1-P6.
    void Reset(bool WithDefaults) override;
    // Renumbers only while AutoSort is on.
    void Renumber();

    std::string_view TagName() const override { return "DBL"; }
    std::string_view ItemTag() const override { return "BESCH"; }

protected:
    // A coating read from the element form has the flags it names only.
    TCustomdex6Object* AddReadItem() override;
};

// What the coating list's GetCodes gives for date 0 without the empty entry, in a sorted
// list, kept for every material and kind set once asked for. For callers that ask again
// and again while the coatings do not change; safe to use from several threads at once.
class TCoatingCodeCache {
public:
    explicit TCoatingCodeCache(const Tdex6DataBeschichtungsliste& Coatings) : FCoatings(Coatings) {}

    const TStringList& Codes(TMaterialSet Materials, TCoatingKindSet Kinds) const;

private:
    const Tdex6DataBeschichtungsliste& FCoatings;
    mutable std::mutex FMutex;
    mutable std::map<std::pair<std::uint32_t, std::uint32_t>, TStringList> FCodes;
};

} // namespace kr6
