#include "model/CodeTables.h"

#include "support/Conversions.h"
#include "support/TextCompare.h"
#include "texts/Language.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace kr6 {

namespace {

// Per enumeration: its codes in member order, the member a foreign code reads as, the
// code of a member outside the table, and the text number of member 0's label (0 when
// the members have no labels).
template <class E> struct TTable;

template <class E, E DefaultMember, int OutsideCode, std::uint16_t FirstText, int... CodeList>
struct TTableOf {
    static constexpr std::array<int, sizeof...(CodeList)> Codes{CodeList...};
    static constexpr E Default = DefaultMember;
    static constexpr int Outside = OutsideCode;
    static constexpr std::uint16_t FirstTextNumber = FirstText;
};

template <>
struct TTable<Tdex6LensKind>
    : TTableOf<Tdex6LensKind, Tdex6LensKind::Einstaerken, 0, 138, 0, 1, 2, 3, 4> {};
template <>
struct TTable<Tdex6Material>
    : TTableOf<Tdex6Material, Tdex6Material::Silikat, 0, 128, 0, 1, 2, 3, 4> {};
template <>
struct TTable<Tdex6BrandLine>
    : TTableOf<Tdex6BrandLine, Tdex6BrandLine::Standard, 0, 143, 0, 1, 2> {};
template <>
struct TTable<Tdex6AntiReflection>
    : TTableOf<Tdex6AntiReflection, Tdex6AntiReflection::Keine, 0, 151, 0, 2, 5, 8, 9> {};
template <>
struct TTable<Tdex6Tint> : TTableOf<Tdex6Tint, Tdex6Tint::Keine, 0, 156, 0, 1, 2, 4, 5, 6> {};
template <> struct TTable<Tdex6KDM> : TTableOf<Tdex6KDM, Tdex6KDM::NichtInkl, 0, 162, 0, 1, 2> {};
template <>
struct TTable<Tdex6ViewDirection>
    : TTableOf<Tdex6ViewDirection, Tdex6ViewDirection::Nullblickrichtung, 0, 168, 0, 1> {};
template <>
struct TTable<Tdex6RoadTraffic>
    : TTableOf<Tdex6RoadTraffic, Tdex6RoadTraffic::KeineAngabe, 0, 170, 0, 1, 2, 3, 4, 5> {};
template <>
struct TTable<Tdex6EGB> : TTableOf<Tdex6EGB, Tdex6EGB::NichtMoeglich, 0, 176, 0, 1, 2> {};
template <>
struct TTable<Tdex6AdditionStep>
    : TTableOf<Tdex6AdditionStep, Tdex6AdditionStep::Stufe1_0, 1, 179, 1, 2, 4, 8> {};
template <> struct TTable<Tdex6NTT> : TTableOf<Tdex6NTT, Tdex6NTT::C, 0, 183, 0, 1, 2, 3, 4> {};
template <>
struct TTable<Tdex6EdgeFinish> : TTableOf<Tdex6EdgeFinish, Tdex6EdgeFinish::Nein, 0, 188, 0, 1, 2> {
};
template <>
struct TTable<Tdex6DiameterChange>
    : TTableOf<Tdex6DiameterChange, Tdex6DiameterChange::Nein, 0, 191, 0, 1, 2, 3> {};
template <>
struct TTable<Tdex6ThicknessChange>
    : TTableOf<Tdex6ThicknessChange, Tdex6ThicknessChange::Nein, 0, 195, 0, 1, 2> {};
template <>
struct TTable<Tdex6FormChange>
    : TTableOf<Tdex6FormChange, Tdex6FormChange::Nein, 0, 198, 0, 1, 2, 3> {};
template <> struct TTable<Tdex6Bonus> : TTableOf<Tdex6Bonus, Tdex6Bonus::Nein, 0, 202, 0, 1, 2> {};
template <>
struct TTable<Tdex6SphTor> : TTableOf<Tdex6SphTor, Tdex6SphTor::Egal, 0, 205, 0, 1, 2> {};
template <>
struct TTable<Tdex6SingleMulti>
    : TTableOf<Tdex6SingleMulti, Tdex6SingleMulti::Egal, 0, 208, 0, 1, 2> {};
template <>
struct TTable<Tdex6PriceField> : TTableOf<Tdex6PriceField, Tdex6PriceField::NichtGefuellt, 0, 0, 0,
                                          10, 20, 21, 25, 26, 40, 50, 51, 55, 56, 52, 90, 91> {};
template <>
struct TTable<Tdex6OrderOption>
    : TTableOf<Tdex6OrderOption, Tdex6OrderOption::NichtGefuellt, 0, 214, 0, 10, 20, 21, 22, 30, 31,
               32, 40, 50, 51, 52, 53, 60, 65, 70, 80, 81, 82, 100, 110, 120, 121, 130> {};
template <>
struct TTable<Tdex6InfoKind> : TTableOf<Tdex6InfoKind, Tdex6InfoKind::TechnischeProduktbeschreibung,
                                        0, 239, 2, 3, 5, 6, 7, 9, 40, 42, 43, 45, 46, 47, 49> {};
template <>
struct TTable<Tdex6Delivery> : TTableOf<Tdex6Delivery, Tdex6Delivery::Lieferbar, 0, 211, 0, 1, 2> {
};
template <>
struct TTable<Tdex6SubstAction>
    : TTableOf<Tdex6SubstAction, Tdex6SubstAction::CodeErsetzen, 1, 266, 1, 2> {};
template <>
struct TTable<Tdex6PriceSource>
    : TTableOf<Tdex6PriceSource, Tdex6PriceSource::Value0, 0, 0, 0, 1, 2> {};
template <>
struct TTable<Tdex6FormulaKind7>
    : TTableOf<Tdex6FormulaKind7, Tdex6FormulaKind7::Value0, 0, 0, 0, 1, 2, 3, 4, 5, 6> {};
template <>
struct TTable<Tdex6FormulaKind11> : TTableOf<Tdex6FormulaKind11, Tdex6FormulaKind11::Value0, 0, 0,
                                             0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10> {};

template <class E> int CodeOf(E Member) {
    const auto I = static_cast<std::size_t>(Member);
    return I < TTable<E>::Codes.size() ? TTable<E>::Codes[I] : TTable<E>::Outside;
}

template <class E> E MemberOf(int Code) {
    E Result = TTable<E>::Default;
    for (std::size_t I = 0; I < TTable<E>::Codes.size(); ++I)
        if (TTable<E>::Codes[I] == Code)
            Result = static_cast<E>(I);
    return Result;
}

template <class E> std::string TextOf(E Member) {
    static_assert(TTable<E>::FirstTextNumber != 0);
    auto I = static_cast<std::size_t>(Member);
    if (I >= TTable<E>::Codes.size())
        I = 0;
    return GetText(static_cast<std::uint16_t>(TTable<E>::FirstTextNumber + I));
}

// Price fields are labelled out of code order.
constexpr std::array<std::uint16_t, 14> PriceFieldTexts = {252, 253, 254, 255, 256, 257, 258,
                                                           259, 260, 262, 263, 261, 264, 265};

constexpr std::array<std::string_view, 13> InfoKindTags = {"TEC",  "MTG",  "BSI",  "LIH",  "LBE",
                                                           "MPG",  "UIMG", "UTEC", "UMTG", "UBSI",
                                                           "ULIH", "ULBE", "UMPG"};

constexpr std::array<std::string_view, 9> GroupCodes = {"Z1", "Z2", "Z3", "P1", "P2",
                                                        "P3", "P4", "P5", "P6"};

constexpr std::size_t CodeLength = 6;

} // namespace

int Code(Tdex6LensKind Member) {
    return CodeOf(Member);
}
int Code(Tdex6Material Member) {
    return CodeOf(Member);
}
int Code(Tdex6BrandLine Member) {
    return CodeOf(Member);
}
int Code(Tdex6AntiReflection Member) {
    return CodeOf(Member);
}
int Code(Tdex6Tint Member) {
    return CodeOf(Member);
}
int Code(Tdex6KDM Member) {
    return CodeOf(Member);
}
int Code(Tdex6ViewDirection Member) {
    return CodeOf(Member);
}
int Code(Tdex6RoadTraffic Member) {
    return CodeOf(Member);
}
int Code(Tdex6EGB Member) {
    return CodeOf(Member);
}
int Code(Tdex6AdditionStep Member) {
    return CodeOf(Member);
}
int Code(Tdex6NTT Member) {
    return CodeOf(Member);
}
int Code(Tdex6EdgeFinish Member) {
    return CodeOf(Member);
}
int Code(Tdex6DiameterChange Member) {
    return CodeOf(Member);
}
int Code(Tdex6ThicknessChange Member) {
    return CodeOf(Member);
}
int Code(Tdex6FormChange Member) {
    return CodeOf(Member);
}
int Code(Tdex6Bonus Member) {
    return CodeOf(Member);
}
int Code(Tdex6SphTor Member) {
    return CodeOf(Member);
}
int Code(Tdex6SingleMulti Member) {
    return CodeOf(Member);
}
int Code(Tdex6PriceField Member) {
    return CodeOf(Member);
}
int Code(Tdex6OrderOption Member) {
    return CodeOf(Member);
}
int Code(Tdex6InfoKind Member) {
    return CodeOf(Member);
}
int Code(Tdex6Delivery Member) {
    return CodeOf(Member);
}
int Code(Tdex6SubstAction Member) {
    return CodeOf(Member);
}
int Code(Tdex6PriceSource Member) {
    return CodeOf(Member);
}
int Code(Tdex6FormulaKind7 Member) {
    return CodeOf(Member);
}
int Code(Tdex6FormulaKind11 Member) {
    return CodeOf(Member);
}

template <class E> bool IsCodeOf(int Code) {
    return std::find(TTable<E>::Codes.begin(), TTable<E>::Codes.end(), Code) !=
           TTable<E>::Codes.end();
}
template bool IsCodeOf<Tdex6LensKind>(int Code);
template bool IsCodeOf<Tdex6Material>(int Code);
template bool IsCodeOf<Tdex6BrandLine>(int Code);
template bool IsCodeOf<Tdex6AntiReflection>(int Code);
template bool IsCodeOf<Tdex6Tint>(int Code);
template bool IsCodeOf<Tdex6KDM>(int Code);
template bool IsCodeOf<Tdex6ViewDirection>(int Code);
template bool IsCodeOf<Tdex6RoadTraffic>(int Code);
template bool IsCodeOf<Tdex6EGB>(int Code);
template bool IsCodeOf<Tdex6AdditionStep>(int Code);
template bool IsCodeOf<Tdex6NTT>(int Code);
template bool IsCodeOf<Tdex6EdgeFinish>(int Code);
template bool IsCodeOf<Tdex6DiameterChange>(int Code);
template bool IsCodeOf<Tdex6ThicknessChange>(int Code);
template bool IsCodeOf<Tdex6FormChange>(int Code);
template bool IsCodeOf<Tdex6Bonus>(int Code);
template bool IsCodeOf<Tdex6SphTor>(int Code);
template bool IsCodeOf<Tdex6SingleMulti>(int Code);
template bool IsCodeOf<Tdex6PriceField>(int Code);
template bool IsCodeOf<Tdex6OrderOption>(int Code);
template bool IsCodeOf<Tdex6InfoKind>(int Code);
template bool IsCodeOf<Tdex6Delivery>(int Code);
template bool IsCodeOf<Tdex6SubstAction>(int Code);
template bool IsCodeOf<Tdex6PriceSource>(int Code);
template bool IsCodeOf<Tdex6FormulaKind7>(int Code);
template bool IsCodeOf<Tdex6FormulaKind11>(int Code);

template <> Tdex6LensKind FromCode<Tdex6LensKind>(int Code) {
    return MemberOf<Tdex6LensKind>(Code);
}
template <> Tdex6Material FromCode<Tdex6Material>(int Code) {
    return MemberOf<Tdex6Material>(Code);
}
template <> Tdex6BrandLine FromCode<Tdex6BrandLine>(int Code) {
    return MemberOf<Tdex6BrandLine>(Code);
}
template <> Tdex6AntiReflection FromCode<Tdex6AntiReflection>(int Code) {
    return MemberOf<Tdex6AntiReflection>(Code);
}
template <> Tdex6Tint FromCode<Tdex6Tint>(int Code) {
    return MemberOf<Tdex6Tint>(Code);
}
template <> Tdex6KDM FromCode<Tdex6KDM>(int Code) {
    return MemberOf<Tdex6KDM>(Code);
}
template <> Tdex6ViewDirection FromCode<Tdex6ViewDirection>(int Code) {
    return MemberOf<Tdex6ViewDirection>(Code);
}
template <> Tdex6RoadTraffic FromCode<Tdex6RoadTraffic>(int Code) {
    return MemberOf<Tdex6RoadTraffic>(Code);
}
template <> Tdex6EGB FromCode<Tdex6EGB>(int Code) {
    return MemberOf<Tdex6EGB>(Code);
}
template <> Tdex6AdditionStep FromCode<Tdex6AdditionStep>(int Code) {
    return MemberOf<Tdex6AdditionStep>(Code);
}
template <> Tdex6NTT FromCode<Tdex6NTT>(int Code) {
    return MemberOf<Tdex6NTT>(Code);
}
template <> Tdex6EdgeFinish FromCode<Tdex6EdgeFinish>(int Code) {
    return MemberOf<Tdex6EdgeFinish>(Code);
}
template <> Tdex6DiameterChange FromCode<Tdex6DiameterChange>(int Code) {
    return MemberOf<Tdex6DiameterChange>(Code);
}
template <> Tdex6ThicknessChange FromCode<Tdex6ThicknessChange>(int Code) {
    return MemberOf<Tdex6ThicknessChange>(Code);
}
template <> Tdex6FormChange FromCode<Tdex6FormChange>(int Code) {
    return MemberOf<Tdex6FormChange>(Code);
}
template <> Tdex6Bonus FromCode<Tdex6Bonus>(int Code) {
    return MemberOf<Tdex6Bonus>(Code);
}
template <> Tdex6SphTor FromCode<Tdex6SphTor>(int Code) {
    return MemberOf<Tdex6SphTor>(Code);
}
template <> Tdex6SingleMulti FromCode<Tdex6SingleMulti>(int Code) {
    return MemberOf<Tdex6SingleMulti>(Code);
}
template <> Tdex6PriceField FromCode<Tdex6PriceField>(int Code) {
    return MemberOf<Tdex6PriceField>(Code);
}
template <> Tdex6OrderOption FromCode<Tdex6OrderOption>(int Code) {
    return MemberOf<Tdex6OrderOption>(Code);
}
template <> Tdex6InfoKind FromCode<Tdex6InfoKind>(int Code) {
    return MemberOf<Tdex6InfoKind>(Code);
}
template <> Tdex6Delivery FromCode<Tdex6Delivery>(int Code) {
    return MemberOf<Tdex6Delivery>(Code);
}
template <> Tdex6SubstAction FromCode<Tdex6SubstAction>(int Code) {
    return MemberOf<Tdex6SubstAction>(Code);
}
template <> Tdex6PriceSource FromCode<Tdex6PriceSource>(int Code) {
    return MemberOf<Tdex6PriceSource>(Code);
}
template <> Tdex6FormulaKind7 FromCode<Tdex6FormulaKind7>(int Code) {
    return MemberOf<Tdex6FormulaKind7>(Code);
}
template <> Tdex6FormulaKind11 FromCode<Tdex6FormulaKind11>(int Code) {
    return MemberOf<Tdex6FormulaKind11>(Code);
}

std::string MemberText(Tdex6LensKind Member) {
    return TextOf(Member);
}
std::string MemberText(Tdex6Material Member) {
    return TextOf(Member);
}
std::string MemberText(Tdex6BrandLine Member) {
    return TextOf(Member);
}
std::string MemberText(Tdex6AntiReflection Member) {
    return TextOf(Member);
}
std::string MemberText(Tdex6Tint Member) {
    return TextOf(Member);
}
std::string MemberText(Tdex6KDM Member) {
    return TextOf(Member);
}
std::string MemberText(Tdex6ViewDirection Member) {
    return TextOf(Member);
}
std::string MemberText(Tdex6RoadTraffic Member) {
    return TextOf(Member);
}
std::string MemberText(Tdex6EGB Member) {
    return TextOf(Member);
}
std::string MemberText(Tdex6AdditionStep Member) {
    return TextOf(Member);
}
std::string MemberText(Tdex6NTT Member) {
    return TextOf(Member);
}
std::string MemberText(Tdex6EdgeFinish Member) {
    return TextOf(Member);
}
std::string MemberText(Tdex6DiameterChange Member) {
    return TextOf(Member);
}
std::string MemberText(Tdex6ThicknessChange Member) {
    return TextOf(Member);
}
std::string MemberText(Tdex6FormChange Member) {
    return TextOf(Member);
}
std::string MemberText(Tdex6Bonus Member) {
    return TextOf(Member);
}
std::string MemberText(Tdex6SphTor Member) {
    return TextOf(Member);
}
std::string MemberText(Tdex6SingleMulti Member) {
    return TextOf(Member);
}
std::string MemberText(Tdex6PriceField Member) {
    return PriceFieldText(Member);
}
std::string MemberText(Tdex6OrderOption Member) {
    return TextOf(Member);
}
std::string MemberText(Tdex6InfoKind Member) {
    return TextOf(Member);
}
std::string MemberText(Tdex6Delivery Member) {
    return TextOf(Member);
}
std::string MemberText(Tdex6SubstAction Member) {
    return TextOf(Member);
}

std::string MaterialShortText(Tdex6Material Member) {
    const auto I = static_cast<std::size_t>(Member);
    if (I < 1 || I > 4)
        return {};
    return GetText(static_cast<std::uint16_t>(133 + I));
}

std::string PriceFieldText(Tdex6PriceField Member) {
    const auto I = static_cast<std::size_t>(Member);
    return GetText(I < PriceFieldTexts.size() ? PriceFieldTexts[I] : PriceFieldTexts[0]);
}

std::string InfoKindTag(Tdex6InfoKind Member) {
    const auto I = static_cast<std::size_t>(Member);
    return std::string(I < InfoKindTags.size() ? InfoKindTags[I] : InfoKindTags[0]);
}

std::string DeliveryText(Tdex6Delivery Member) {
    return TextOf(Member);
}

TMaterialSet MaterialSet(bool Silikat, bool Kunststoff, bool Polycarbonat, bool Trivex) {
    TMaterialSet Result;
    if (Silikat)
        Result.Include(Tdex6Material::Silikat);
    if (Kunststoff)
        Result.Include(Tdex6Material::Kunststoff);
    if (Polycarbonat)
        Result.Include(Tdex6Material::Polycarbonat);
    if (Trivex)
        Result.Include(Tdex6Material::Trivex);
    if (Result.Empty())
        Result.Include(Tdex6Material::Egal);
    return Result;
}

TDiameter MakeDiameter(std::int32_t First, std::int32_t Second, bool Elliptical) {
    return TDiameter{First, Second, Elliptical};
}

bool DiametersDiffer(const TDiameter& A, const TDiameter& B) {
    return !(A == B);
}

std::string DiameterToText(const TDiameter& D) {
    if (D.First == 0)
        return {};
    std::string Result = std::to_string(D.First);
    if (D.Second > 0)
        Result += '/' + std::to_string(D.Second);
    if (D.Elliptical)
        Result += 'E';
    return Result;
}

TDiameter DiameterFromText(std::string_view Text) {
    TDiameter Result;
    const std::string_view Head = Text.substr(0, 2);
    Result.First = TextToInt(Head.substr(0, Head.find('/')));
    if (const auto Slash = Text.find('/'); Slash != std::string_view::npos) {
        const std::string_view Rest = Text.substr(Slash + 1);
        Result.Second = TextToInt(Rest.substr(0, Rest.find('E')));
    }
    Result.Elliptical = Text.find('E') != std::string_view::npos;
    return Result;
}

std::string CoatingCodeText(std::string_view Code, std::string_view Name, bool ShowCode) {
    const std::string_view Trimmed = TrimRightBlanks(Code);
    if (Trimmed.empty())
        return GetText(147);
    if (Trimmed == "******")
        return GetText(148);
    if (Trimmed.find('*') != std::string_view::npos) {
        std::string Result = GetText(146);
        if (ShowCode) {
            Result += " (";
            Result += Trimmed;
            Result += ')';
        }
        return Result;
    }
    return std::string(Name);
}

int MatchCodes(std::string_view A, std::string_view B, char Wildcard) {
    for (std::size_t I = 0; I < CodeLength; ++I) {
        const char CA = I < A.size() ? AnsiUpperChar(A[I]) : ' ';
        const char CB = I < B.size() ? AnsiUpperChar(B[I]) : ' ';
        if (CA != CB && CA != Wildcard && CB != Wildcard)
            return static_cast<int>(I) + 1;
    }
    return 0;
}

bool IsGroupCode(std::string_view Code) {
    for (std::string_view G : GroupCodes)
        if (SameText(Code, G))
            return true;
    return false;
}

} // namespace kr6
