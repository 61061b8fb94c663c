#pragma once

// Records of the option, combination and other files of a KR6 archive, one per line.
// The parsers set every field, never fail, and accept lines shorter or longer than the
// layout.

#include "import/Kr6Columns.h"
#include "model/CodeTables.h"
#include "support/DateTimeText.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kr6 {

// "Options.Dat": one coating.
struct TKr6Dataoptions {
    std::string Code;
    std::string Name;
    TDateTime ValidFrom = 0;
    TDateTime ValidUntil = 0;
    Tdex6BrandLine BrandLine{};
    TMaterialSet Materials;
    Tdex6AntiReflection AntiReflection{};
    Tdex6Tint Tint{};
    bool Photochromic = false;
    bool HardCoat = false;
    bool CleanCoat = false;
    bool UVCoat = false;
    bool Mirror = false;
    Tdex6EdgeFinish EdgeFinish{};
    Tdex6DiameterChange DiameterChange{};
    Tdex6ThicknessChange ThicknessChange{};
    bool ADB = false;
    bool AAD = false;
    Tdex6FormChange FormChange{};
    bool WAL = false;
    bool Decentration = false;
    bool PRH = false;
    bool Matting = false;
    bool RemoveCoating = false;
    bool BTOR = false;
    bool ATOR = false;
    Tdex6Bonus Bonus{};
    bool Insurance = false;
    Tdex6RoadTraffic RoadTraffic{};
    std::int32_t FilterCategory = 0;
    double UVEdge = 0;
    double UVA = 0;
    double UVB = 0;
    double SphereFrom = 0;
    double SphereTo = 0;
    std::int32_t DiameterFrom = 0;
    std::int32_t DiameterTo = 0;
    std::int32_t SortNumber = 0;
    std::string ShortName;
    std::int32_t FKB = 0;
    bool OLB = false;
    friend bool operator==(const TKr6Dataoptions&, const TKr6Dataoptions&) = default;
};

// "OptionsColor.Dat": one colour of a coating. Colours are red + 256 green + 65536 blue.
struct TKr6DataoptionsColor {
    std::string ColorCode;
    std::string OptionCode;
    std::string Name;
    std::int32_t AbO = 0;
    std::int32_t AbV = 0;
    std::int32_t RgbTop = 0;
    std::int32_t RgbMiddle = 0;
    std::int32_t RgbBottom = 0;
    Tdex6RoadTraffic RoadTraffic{};
    std::int32_t FilterCategory = 0;
    double UVEdge = 0;
    double UVA = 0;
    double UVB = 0;
    friend bool operator==(const TKr6DataoptionsColor&, const TKr6DataoptionsColor&) = default;
};

// "OptionsPrice.Dat": up to five prices of a coating, general or for one glass.
struct TKr6DataoptionsPrice {
    std::string OptionCode;
    std::string LensCode;
    Tdex6SphTor SphTor{};
    Tdex6SingleMulti SingleMulti{};
    TMaterialSet Materials;
    std::array<double, 5> Price{};
    friend bool operator==(const TKr6DataoptionsPrice&, const TKr6DataoptionsPrice&) = default;
};

// "Combination.Dat": one combination rule.
struct TKr6DataCombination {
    std::string LensCode;
    Tdex6Delivery Delivery{};
    std::string OptionCode1;
    std::string OptionCode2;
    std::string OptionCode3;
    friend bool operator==(const TKr6DataCombination&, const TKr6DataCombination&) = default;
};

// "Information.Dat": one line of a product information text. Target 0 is a glass,
// 1 a coating.
struct TKr6DataInformation {
    std::int32_t Target = 0;
    std::string Code;
    Tdex6InfoKind InfoKind{};
    std::int32_t LineNo = 0;
    std::string Text;
    friend bool operator==(const TKr6DataInformation&, const TKr6DataInformation&) = default;
};

// "OrderOptions.Dat".
struct TKr6DataOrderOptions {
    std::int32_t Target = 0;
    std::string Code;
    Tdex6OrderOption OrderOption{};
    std::int32_t Usage = 0;
    friend bool operator==(const TKr6DataOrderOptions&, const TKr6DataOrderOptions&) = default;
};

// "Productgroup.Dat".
struct TKr6DataProductgroup {
    std::int32_t Target = 0;
    std::string Code;
    std::string GroupName;
    friend bool operator==(const TKr6DataProductgroup&, const TKr6DataProductgroup&) = default;
};

// "CodeSubstitution.Dat".
struct TKr6DataCodeSubst {
    std::int32_t Target = 0;
    std::string OldCode;
    Tdex6SubstAction Action{};
    std::string NewCode1;
    std::string NewCode2;
    std::string NewCode3;
    friend bool operator==(const TKr6DataCodeSubst&, const TKr6DataCodeSubst&) = default;
};

namespace kr6_layouts {
using K = TKr6Kind;
using O = TKr6Dataoptions;
// Column 134 belongs to no field.
using Options = TKr6Layout<
    136, TKr6Column<&O::Code, 1, 6, K::TextTrimmed>, TKr6Column<&O::Name, 7, 40, K::TextTrimmed>,
    TKr6Column<&O::ValidFrom, 47, 8, K::Date>, TKr6Column<&O::ValidUntil, 55, 8, K::Date>,
    TKr6Column<&O::BrandLine, 63, 1, K::Code>, TKr6Column<&O::Materials, 64, 4, K::MaterialSet>,
    TKr6Column<&O::AntiReflection, 68, 1, K::Code>, TKr6Column<&O::Tint, 69, 1, K::Code>,
    TKr6Column<&O::Photochromic, 70, 1, K::Flag>, TKr6Column<&O::HardCoat, 71, 1, K::Flag>,
    TKr6Column<&O::CleanCoat, 72, 1, K::Flag>, TKr6Column<&O::UVCoat, 73, 1, K::Flag>,
    TKr6Column<&O::Mirror, 74, 1, K::Flag>, TKr6Column<&O::EdgeFinish, 75, 1, K::Code>,
    TKr6Column<&O::DiameterChange, 76, 1, K::Code>, TKr6Column<&O::ThicknessChange, 77, 1, K::Code>,
    TKr6Column<&O::ADB, 78, 1, K::Flag>, TKr6Column<&O::AAD, 79, 1, K::Flag>,
    TKr6Column<&O::FormChange, 80, 1, K::Code>, TKr6Column<&O::WAL, 81, 1, K::Flag>,
    TKr6Column<&O::Decentration, 82, 1, K::Flag>, TKr6Column<&O::PRH, 83, 1, K::Flag>,
    TKr6Column<&O::Matting, 84, 1, K::Flag>, TKr6Column<&O::RemoveCoating, 85, 1, K::Flag>,
    TKr6Column<&O::BTOR, 86, 1, K::Flag>, TKr6Column<&O::ATOR, 87, 1, K::Flag>,
    TKr6Column<&O::Bonus, 88, 1, K::Code>, TKr6Column<&O::Insurance, 89, 1, K::Flag>,
    TKr6Column<&O::RoadTraffic, 90, 1, K::Code>, TKr6Column<&O::FilterCategory, 91, 1, K::Integer>,
    TKr6Column<&O::UVEdge, 92, 3, K::Decimal>, TKr6Column<&O::UVA, 95, 4, K::Decimal, 10>,
    TKr6Column<&O::UVB, 99, 4, K::Decimal, 10>, TKr6Column<&O::SphereFrom, 103, 5, K::Decimal, 100>,
    TKr6Column<&O::SphereTo, 108, 5, K::Decimal, 100>,
    TKr6Column<&O::DiameterFrom, 113, 2, K::Integer>,
    TKr6Column<&O::DiameterTo, 115, 2, K::Integer>, TKr6Column<&O::SortNumber, 117, 2, K::Integer>,
    TKr6Column<&O::ShortName, 119, 15, K::RawText>, TKr6Column<&O::FKB, 135, 1, K::Integer>,
    TKr6Column<&O::OLB, 136, 1, K::Flag>>;

using C = TKr6DataoptionsColor;
using OptionsColor = TKr6Layout<
    93, TKr6Column<&C::ColorCode, 1, 3, K::TextTrimRight>,
    TKr6Column<&C::OptionCode, 4, 6, K::TextTrimRight>,
    TKr6Column<&C::Name, 10, 40, K::TextTrimRight>, TKr6Column<&C::AbO, 50, 2, K::Integer>,
    TKr6Column<&C::AbV, 52, 2, K::Integer>, TKr6Column<&C::RgbTop, 54, 9, K::Colour>,
    TKr6Column<&C::RgbMiddle, 63, 9, K::Colour>, TKr6Column<&C::RgbBottom, 72, 9, K::Colour>,
    TKr6Column<&C::RoadTraffic, 81, 1, K::Code>, TKr6Column<&C::FilterCategory, 82, 1, K::Integer>,
    TKr6Column<&C::UVEdge, 83, 3, K::Decimal>, TKr6Column<&C::UVA, 86, 4, K::Decimal, 10>,
    TKr6Column<&C::UVB, 90, 4, K::Decimal, 10>>;

using OP = TKr6DataoptionsPrice;
using OptionsPrice = TKr6Layout<
    53, TKr6Column<&OP::OptionCode, 1, 6, K::TextTrimRight>,
    TKr6Column<&OP::LensCode, 7, 6, K::TextTrimRight>, TKr6Column<&OP::SphTor, 13, 1, K::Code>,
    TKr6Column<&OP::SingleMulti, 14, 1, K::Code>, TKr6Column<&OP::Materials, 15, 4, K::MaterialSet>,
    TKr6Column<&OP::Price, 19, 7, K::Decimal, 100>>;

using CR = TKr6DataCombination;
using Combination = TKr6Layout<25, TKr6Column<&CR::LensCode, 1, 6, K::TextTrimRight>,
                               TKr6Column<&CR::Delivery, 7, 1, K::Code>,
                               TKr6Column<&CR::OptionCode1, 8, 6, K::TextTrimRight>,
                               TKr6Column<&CR::OptionCode2, 14, 6, K::TextTrimRight>,
                               TKr6Column<&CR::OptionCode3, 20, 6, K::TextTrimRight>>;

// A text line is as long as its text.
using I = TKr6DataInformation;
using Information =
    TKr6Layout<12, TKr6Column<&I::Target, 1, 1, K::Integer>,
               TKr6Column<&I::Code, 2, 6, K::TextTrimRight>,
               TKr6Column<&I::InfoKind, 8, 2, K::Code>, TKr6Column<&I::LineNo, 10, 3, K::Integer>,
               TKr6Column<&I::Text, 13, 250, K::TextTrimRight>>;

using OO = TKr6DataOrderOptions;
using OrderOptions = TKr6Layout<
    12, TKr6Column<&OO::Target, 1, 1, K::Integer>, TKr6Column<&OO::Code, 2, 6, K::TextTrimRight>,
    TKr6Column<&OO::OrderOption, 8, 4, K::Code>, TKr6Column<&OO::Usage, 12, 1, K::Integer>>;

using PG = TKr6DataProductgroup;
using Productgroup = TKr6Layout<37, TKr6Column<&PG::Target, 1, 1, K::Integer>,
                                TKr6Column<&PG::Code, 2, 6, K::TextTrimRight>,
                                TKr6Column<&PG::GroupName, 8, 30, K::TextTrimRight>>;

using S = TKr6DataCodeSubst;
using CodeSubst = TKr6Layout<
    26, TKr6Column<&S::Target, 1, 1, K::Integer>, TKr6Column<&S::OldCode, 2, 6, K::TextTrimRight>,
    TKr6Column<&S::Action, 8, 1, K::Code>, TKr6Column<&S::NewCode1, 9, 6, K::TextTrimRight>,
    TKr6Column<&S::NewCode2, 15, 6, K::TextTrimRight>,
    TKr6Column<&S::NewCode3, 21, 6, K::TextTrimRight>>;
} // namespace kr6_layouts

void ParseKr6Options(TKr6Dataoptions& Rec, std::string_view Line);
void ParseKr6OptionsColor(TKr6DataoptionsColor& Rec, std::string_view Line);
void ParseKr6OptionsPrice(TKr6DataoptionsPrice& Rec, std::string_view Line);
void ParseKr6Combination(TKr6DataCombination& Rec, std::string_view Line);
void ParseKr6Information(TKr6DataInformation& Rec, std::string_view Line);
void ParseKr6OrderOptions(TKr6DataOrderOptions& Rec, std::string_view Line);
void ParseKr6Productgroup(TKr6DataProductgroup& Rec, std::string_view Line);
void ParseKr6CodeSubst(TKr6DataCodeSubst& Rec, std::string_view Line);

} // namespace kr6
