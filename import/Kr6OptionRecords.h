#pragma once

// Records of the option, combination and other files of a KR6 archive, one per line.
// The parsers set every field, never fail, and accept lines shorter or longer than the
// layout.

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

void ParseKr6Options(TKr6Dataoptions& Rec, std::string_view Line);
void ParseKr6OptionsColor(TKr6DataoptionsColor& Rec, std::string_view Line);
void ParseKr6OptionsPrice(TKr6DataoptionsPrice& Rec, std::string_view Line);
void ParseKr6Combination(TKr6DataCombination& Rec, std::string_view Line);
void ParseKr6Information(TKr6DataInformation& Rec, std::string_view Line);
void ParseKr6OrderOptions(TKr6DataOrderOptions& Rec, std::string_view Line);
void ParseKr6Productgroup(TKr6DataProductgroup& Rec, std::string_view Line);
void ParseKr6CodeSubst(TKr6DataCodeSubst& Rec, std::string_view Line);

} // namespace kr6
