#pragma once

// Records of the lens files of a KR6 archive, one per line. The parsers set every field,
// never fail, and accept lines shorter or longer than the layout.

#include "model/CodeTables.h"
#include "support/DateTimeText.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kr6 {

// "LensType.Dat": one glass.
struct TKr6DataLensType {
    std::string Code;
    std::string Name;
    TDateTime ValidFrom = 0;
    TDateTime ValidUntil = 0;
    Tdex6LensKind LensKind{};
    bool AG = false;
    std::int32_t AGKG = 0;
    std::int32_t AGKB = 0;
    Tdex6BrandLine BrandLine{};
    Tdex6Material Material{};
    double RefractiveIndex = 0;
    double Density = 0;
    double AbbeNumber = 0;
    bool AS = false;
    bool ST = false;
    Tdex6AntiReflection AntiReflection{};
    Tdex6Tint Tint{};
    bool Photochromic = false;
    bool HardCoat = false;
    bool CleanCoat = false;
    bool UVCoat = false;
    bool Mirror = false;
    bool MDM = false;
    Tdex6KDM KDM{};
    bool AD = false;
    bool Insurance = false;
    bool Pri = false;
    std::int32_t FilterCategory = 0;
    Tdex6RoadTraffic RoadTraffic{};
    double UVEdge = 0;
    double UVA = 0;
    double UVB = 0;
    bool EG = false;
    Tdex6EGB EGB{};
    bool TS = false;
    std::int32_t SortNumber = 0;
    std::string ShortName;
    std::int32_t KMDM = 0;
    std::int32_t KDMA = 0;
    std::int32_t FKB = 0;
    friend bool operator==(const TKr6DataLensType&, const TKr6DataLensType&) = default;
};

// "LensRange.Dat": one power range of a glass.
struct TKr6DataLensRange {
    std::string Code;
    TDiameter Diameter;
    double SphereFrom = 0;
    double SphereTo = 0;
    double Cylinder1 = 0;
    double Cylinder2 = 0;
    std::int32_t FromAxis = 0;
    std::int32_t ToAxis = 0;
    double Prism = 0;
    double Addition1 = 0;
    double Addition2 = 0;
    Tdex6AdditionStep AdditionStep{};
    std::string BEDV1;
    std::string BEDV2;
    std::string BEDV3;
    std::string BEDV4;
    std::string BEDV5;
    bool SIP = false;
    TDateTime ValidFrom = 0;
    TDateTime ValidUntil = 0;
    bool Stock = false;
    std::int32_t DeliveryTime = 0;
    bool ELief = false;
    bool BF = false;
    bool DFUR = false;
    bool OLB = false;
    std::int32_t DeliveryRangeId = 0;
    friend bool operator==(const TKr6DataLensRange&, const TKr6DataLensRange&) = default;
};

// "LensGeo.Dat": geometry of a glass for one diameter and power range.
struct TKr6DataLensGeo {
    std::string Code;
    // 0: for Diameter; 1: for all centred diameters; 2: for all decentred diameters.
    std::int32_t GeometryKind = 0;
    TDiameter Diameter;
    bool AllPowers = false;
    double SphereFrom = 0;
    double SphereTo = 0;
    double DM1H = 0;
    double DM2H = 0;
    Tdex6NTT NTT{};
    double VAFB = 0;
    double HAFB = 0;
    double VAT = 0;
    double HAT = 0;
    double VAMN = 0;
    double URN = 0;
    double ORN = 0;
    double BN = 0;
    double HN = 0;
    double HZ = 0;
    double VAZK = 0;
    Tdex6ViewDirection ViewDirection{};
    double MVANB = 0;
    double VANB = 0;
    double MHANP = 0;
    double HANP = 0;
    friend bool operator==(const TKr6DataLensGeo&, const TKr6DataLensGeo&) = default;
};

// "LensPrice.Dat": up to five prices of a glass.
struct TKr6DataLensPrice {
    std::string Code;
    TDiameter Diameter;
    std::int32_t SphereGroup = 0;
    std::int32_t CylinderGroup = 0;
    std::int32_t DeliveryRangeId = 0;
    std::array<double, 5> Price{};
    friend bool operator==(const TKr6DataLensPrice&, const TKr6DataLensPrice&) = default;
};

// From this version on a price line carries the five-character diameter.
inline constexpr std::int32_t Kr6LongPriceDiameterVersion = 6009000;

void ParseKr6LensType(TKr6DataLensType& Rec, std::string_view Line);
void ParseKr6LensRange(TKr6DataLensRange& Rec, std::string_view Line);
void ParseKr6LensGeo(TKr6DataLensGeo& Rec, std::string_view Line);
// Version is the header's Kr6VersionNumber.
void ParseKr6LensPrice(TKr6DataLensPrice& Rec, std::string_view Line, std::int32_t Version);

} // namespace kr6
