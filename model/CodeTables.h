#pragma once

// The small enumerations of the price-list model. In memory a field holds the member;
// the KR6 files and the element form hold a code number, which is not always the
// member's index. A code that no member carries reads as the table's default member.

#include "support/Conversions.h"
#include "support/SmallSet.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kr6 {

enum class Tdex6LensKind : std::uint8_t { Einstaerken, Bifo, Trifo, Gleitsicht, Office };
enum class Tdex6Material : std::uint8_t { Egal, Silikat, Kunststoff, Polycarbonat, Trivex };
enum class Tdex6BrandLine : std::uint8_t { Standard, Marke, ECO };
enum class Tdex6AntiReflection : std::uint8_t {
    Keine,
    EinfachET,
    MehrfachET,
    SuperET,
    RueckseitigeET
};
enum class Tdex6Tint : std::uint8_t {
    Keine,
    FilterUnter15,
    Farbig,
    EinfachVerlauf,
    ZweifachVerlauf,
    DreifachVerlauf
};
enum class Tdex6KDM : std::uint8_t { NichtInkl, Inklusive, ImPlusbereich };
enum class Tdex6ViewDirection : std::uint8_t { Nullblickrichtung, Hauptblickrichtung };
enum class Tdex6RoadTraffic : std::uint8_t {
    KeineAngabe,
    KeineEinschraenkung,
    NichtVerkehrstauglich,
    NichtNachtfahrtauglich,
    NichtKFZTauglich,
    AbhaengigVonMittendickeUndVeredelung
};
enum class Tdex6EGB : std::uint8_t { NichtMoeglich, Moeglich, MitFiktivemGegenglas };
enum class Tdex6AdditionStep : std::uint8_t { Stufe1_0, Stufe0_5, Stufe0_25, Stufe0_125 };
enum class Tdex6NTT : std::uint8_t { C, S, Panto, Rund, Executiv };
enum class Tdex6EdgeFinish : std::uint8_t { Nein, MitGetracterForm, InGegebeneFassung };
enum class Tdex6DiameterChange : std::uint8_t {
    Nein,
    KleinererDurchmesser,
    GroessererDurchmesser,
    OptimierterDurchmesser
};
enum class Tdex6ThicknessChange : std::uint8_t { Nein, AbweichendeDicke, Dickenreduktion };
enum class Tdex6FormChange : std::uint8_t { Nein, OvalStattRund, RundStattOval, Abgeschnitten };
enum class Tdex6Bonus : std::uint8_t { Nein, Ja, AbhaengigVomGlas };
enum class Tdex6SphTor : std::uint8_t { Egal, Sphaerisch, Torisch };
enum class Tdex6SingleMulti : std::uint8_t { Egal, Einst, Mehrst };
enum class Tdex6PriceField : std::uint8_t {
    NichtGefuellt,
    ListenEK,
    EmpfVK,
    EmpfVKInklVers,
    EmpfVKLevel1CH,
    EmpfVKLevel2CH,
    BonusEK,
    KalkulierterVK,
    KalkulierterMaterialpreis,
    KalkVKLevel1CH,
    KalkVKLevel2CH,
    Handwerksleistung,
    SonstigesEK,
    SonstigesVK
};
enum class Tdex6OrderOption : std::uint8_t {
    NichtGefuellt,
    HSA,
    NormalPD,
    EinschleifPD,
    EinzelPD,
    FassungsvorneigungGradMm,
    FassungsvorneigungGrad,
    FassungsvorneigungMm,
    Fassungsscheibenwinkel,
    Boxbreite,
    Boxhoehe,
    AZG,
    Einschleifhoehe,
    Objektabstand,
    Inset,
    Kopfneigung,
    VornameKunde,
    NachnameKunde,
    Initialien,
    Praeferenz,
    Progressionslaenge,
    HeadEyeMoverQuotient,
    StabilitaetsKoeffizient,
    Additionsmessverfahren
};
enum class Tdex6InfoKind : std::uint8_t {
    TechnischeProduktbeschreibung,
    MarketingBeschreibung,
    Bestellinformationen,
    Lieferhinweise,
    Lieferbereichsergaenzungen,
    MPGHinweise,
    UrlImage,
    UrlTechnischeProduktbeschreibung,
    UrlMarketingBeschreibung,
    UrlBestellinformationen,
    UrlLieferhinweise,
    UrlLieferbereichsergaenzungen,
    UrlMPGHinweise
};
enum class Tdex6Delivery : std::uint8_t { NichtLieferbar, Lieferbar, NurLieferbar };
enum class Tdex6SubstAction : std::uint8_t { CodeErsetzen, Produktvorschlag };
enum class Tdex6PriceSource : std::uint8_t { Value0, Value1, Value2 };
enum class Tdex6FormulaKind7 : std::uint8_t {
    Value0,
    Value1,
    Value2,
    Value3,
    Value4,
    Value5,
    Value6
};
enum class Tdex6FormulaKind11 : std::uint8_t {
    Value0,
    Value1,
    Value2,
    Value3,
    Value4,
    Value5,
    Value6,
    Value7,
    Value8,
    Value9,
    Value10
};

// Code of a member; a member outside the table gives 0 (1 for AdditionStep and
// SubstAction).
int Code(Tdex6LensKind Member);
int Code(Tdex6Material Member);
int Code(Tdex6BrandLine Member);
int Code(Tdex6AntiReflection Member);
int Code(Tdex6Tint Member);
int Code(Tdex6KDM Member);
int Code(Tdex6ViewDirection Member);
int Code(Tdex6RoadTraffic Member);
int Code(Tdex6EGB Member);
int Code(Tdex6AdditionStep Member);
int Code(Tdex6NTT Member);
int Code(Tdex6EdgeFinish Member);
int Code(Tdex6DiameterChange Member);
int Code(Tdex6ThicknessChange Member);
int Code(Tdex6FormChange Member);
int Code(Tdex6Bonus Member);
int Code(Tdex6SphTor Member);
int Code(Tdex6SingleMulti Member);
int Code(Tdex6PriceField Member);
int Code(Tdex6OrderOption Member);
int Code(Tdex6InfoKind Member);
int Code(Tdex6Delivery Member);
int Code(Tdex6SubstAction Member);
int Code(Tdex6PriceSource Member);
int Code(Tdex6FormulaKind7 Member);
int Code(Tdex6FormulaKind11 Member);

// Member of a code: the last member carrying it, else the table's default member.
template <class E> E FromCode(int Code);
// Some member carries the code, so FromCode does not fall back on the default.
template <class E> bool IsCodeOf(int Code);
template <> Tdex6LensKind FromCode<Tdex6LensKind>(int Code);
template <> Tdex6Material FromCode<Tdex6Material>(int Code); // default Silikat
template <> Tdex6BrandLine FromCode<Tdex6BrandLine>(int Code);
template <> Tdex6AntiReflection FromCode<Tdex6AntiReflection>(int Code);
template <> Tdex6Tint FromCode<Tdex6Tint>(int Code);
template <> Tdex6KDM FromCode<Tdex6KDM>(int Code);
template <> Tdex6ViewDirection FromCode<Tdex6ViewDirection>(int Code);
template <> Tdex6RoadTraffic FromCode<Tdex6RoadTraffic>(int Code);
template <> Tdex6EGB FromCode<Tdex6EGB>(int Code);
template <> Tdex6AdditionStep FromCode<Tdex6AdditionStep>(int Code);
template <> Tdex6NTT FromCode<Tdex6NTT>(int Code);
template <> Tdex6EdgeFinish FromCode<Tdex6EdgeFinish>(int Code);
template <> Tdex6DiameterChange FromCode<Tdex6DiameterChange>(int Code);
template <> Tdex6ThicknessChange FromCode<Tdex6ThicknessChange>(int Code);
template <> Tdex6FormChange FromCode<Tdex6FormChange>(int Code);
template <> Tdex6Bonus FromCode<Tdex6Bonus>(int Code);
template <> Tdex6SphTor FromCode<Tdex6SphTor>(int Code);
template <> Tdex6SingleMulti FromCode<Tdex6SingleMulti>(int Code);
template <> Tdex6PriceField FromCode<Tdex6PriceField>(int Code);
template <> Tdex6OrderOption FromCode<Tdex6OrderOption>(int Code);
template <> Tdex6InfoKind FromCode<Tdex6InfoKind>(int Code);
template <> Tdex6Delivery FromCode<Tdex6Delivery>(int Code); // default Lieferbar
template <> Tdex6SubstAction FromCode<Tdex6SubstAction>(int Code);
template <> Tdex6PriceSource FromCode<Tdex6PriceSource>(int Code);
template <> Tdex6FormulaKind7 FromCode<Tdex6FormulaKind7>(int Code);
template <> Tdex6FormulaKind11 FromCode<Tdex6FormulaKind11>(int Code);

// Label of a member in the current language; a member outside the table gives the
// label of member 0.
std::string MemberText(Tdex6LensKind Member);
std::string MemberText(Tdex6Material Member);
std::string MemberText(Tdex6BrandLine Member);
std::string MemberText(Tdex6AntiReflection Member);
std::string MemberText(Tdex6Tint Member);
std::string MemberText(Tdex6KDM Member);
std::string MemberText(Tdex6ViewDirection Member);
std::string MemberText(Tdex6RoadTraffic Member);
std::string MemberText(Tdex6EGB Member);
std::string MemberText(Tdex6AdditionStep Member);
std::string MemberText(Tdex6NTT Member);
std::string MemberText(Tdex6EdgeFinish Member);
std::string MemberText(Tdex6DiameterChange Member);
std::string MemberText(Tdex6ThicknessChange Member);
std::string MemberText(Tdex6FormChange Member);
std::string MemberText(Tdex6Bonus Member);
std::string MemberText(Tdex6SphTor Member);
std::string MemberText(Tdex6SingleMulti Member);
std::string MemberText(Tdex6PriceField Member);
std::string MemberText(Tdex6OrderOption Member);
std::string MemberText(Tdex6InfoKind Member);
std::string MemberText(Tdex6Delivery Member);
std::string MemberText(Tdex6SubstAction Member);

// One-letter form of a material ("S", "K", "P", "T"); empty for Egal.
std::string MaterialShortText(Tdex6Material Member);

// Name of a price description kind; a member outside the table gives that of member 0.
std::string PriceFieldText(Tdex6PriceField Member);
// Element tag of an information kind ("TEC", "MTG", ...); outside the table "TEC".
std::string InfoKindTag(Tdex6InfoKind Member);
// Label of a rule's deliverability; outside the table that of NichtLieferbar.
std::string DeliveryText(Tdex6Delivery Member);

using TMaterialSet = TSmallSet<Tdex6Material>;
// The materials whose flag is set; {Egal} when none is.
TMaterialSet MaterialSet(bool Silikat, bool Kunststoff, bool Polycarbonat, bool Trivex);

// Lens diameter in millimetres; Second is 0 for a round lens.
struct TDiameter {
    std::int32_t First = 0;
    std::int32_t Second = 0;
    bool Elliptical = false;

    friend bool operator==(const TDiameter&, const TDiameter&) = default;
};

TDiameter MakeDiameter(std::int32_t First, std::int32_t Second, bool Elliptical);
bool DiametersDiffer(const TDiameter& A, const TDiameter& B);
// "70/65E", "70"; empty when First is 0.
std::string DiameterToText(const TDiameter& D);
// Reads the element-form text written by DiameterToText.
TDiameter DiameterFromText(std::string_view Text);
// Reads the five-character KR6 field: two digits, two digits, "E" for elliptical. Every
// lens price line has one.
inline TDiameter DiameterFromKr6(std::string_view Text) {
    // A short field reads as if padded with blanks.
    const auto Part = [&](std::size_t Pos) {
        return Pos < Text.size() ? Text.substr(Pos, 2) : std::string_view();
    };
    const char Kind = Text.size() > 4 ? Text[4] : ' ';
    return TDiameter{TextToInt(Part(0)), TextToInt(Part(2)), Kind == 'E' || Kind == 'e'};
}

// How a rule shows a coating code: a label for blank, "******" and other wildcard
// codes, otherwise Name.
std::string CoatingCodeText(std::string_view Code, std::string_view Name, bool ShowCode);

// Compares the first six characters of two codes, upper-cased and blank-padded; a
// position matches when equal or when either holds Wildcard. Returns 0 on a match,
// otherwise the position (1 to 6) of the first mismatch.
int MatchCodes(std::string_view A, std::string_view B, char Wildcard);

// True for the cylinder (Z1-Z3) and prism (P1-P6) surcharge group codes.
bool IsGroupCode(std::string_view Code);

} // namespace kr6
