#pragma once

// Records of the lens files of a KR6 archive, one per line. The parsers set every field,
// never fail, and accept lines shorter or longer than the layout.

#include "import/Kr6Columns.h"
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

// The column tables. A geometry line's diameter field also tells the geometry kind, and
// the parser derives that kind, and what it blanks out, beside its table.
namespace kr6_layouts {
using K = TKr6Kind;
using T = TKr6DataLensType;
using LensType = TKr6Layout<
    138, TKr6Column<&T::Code, 1, 6, K::TextTrimRight>,
    TKr6Column<&T::Name, 7, 40, K::TextTrimRight>, TKr6Column<&T::ValidFrom, 47, 8, K::Date>,
    TKr6Column<&T::ValidUntil, 55, 8, K::Date>, TKr6Column<&T::LensKind, 63, 1, K::Code>,
    TKr6Column<&T::AG, 64, 1, K::Flag>, TKr6Column<&T::AGKG, 65, 3, K::Integer>,
    TKr6Column<&T::AGKB, 68, 3, K::Integer>, TKr6Column<&T::BrandLine, 71, 1, K::Code>,
    TKr6Column<&T::Material, 72, 1, K::Code>,
    TKr6Column<&T::RefractiveIndex, 73, 5, K::Decimal, 10000>,
    TKr6Column<&T::Density, 78, 3, K::Decimal, 100>,
    TKr6Column<&T::AbbeNumber, 81, 4, K::Decimal, 100>, TKr6Column<&T::AS, 85, 1, K::Flag>,
    TKr6Column<&T::ST, 86, 1, K::Flag>, TKr6Column<&T::AntiReflection, 87, 1, K::Code>,
    TKr6Column<&T::Tint, 88, 1, K::Code>, TKr6Column<&T::Photochromic, 89, 1, K::Flag>,
    TKr6Column<&T::HardCoat, 90, 1, K::Flag>, TKr6Column<&T::CleanCoat, 91, 1, K::Flag>,
    TKr6Column<&T::UVCoat, 92, 1, K::Flag>, TKr6Column<&T::Mirror, 93, 1, K::Flag>,
    TKr6Column<&T::MDM, 94, 1, K::Flag>, TKr6Column<&T::KDM, 95, 1, K::Code>,
    TKr6Column<&T::AD, 96, 1, K::Flag>, TKr6Column<&T::Insurance, 97, 1, K::Flag>,
    TKr6Column<&T::Pri, 98, 1, K::Flag>, TKr6Column<&T::FilterCategory, 99, 1, K::Integer>,
    TKr6Column<&T::RoadTraffic, 100, 1, K::Code>, TKr6Column<&T::UVEdge, 101, 3, K::Decimal>,
    TKr6Column<&T::UVA, 104, 4, K::Decimal, 100>, TKr6Column<&T::UVB, 108, 4, K::Decimal, 100>,
    TKr6Column<&T::EG, 112, 1, K::Flag>, TKr6Column<&T::EGB, 113, 1, K::Code>,
    TKr6Column<&T::TS, 114, 1, K::Flag>, TKr6Column<&T::SortNumber, 115, 3, K::Integer>,
    TKr6Column<&T::ShortName, 118, 15, K::RawText>, TKr6Column<&T::KMDM, 133, 2, K::Integer>,
    TKr6Column<&T::KDMA, 135, 2, K::Integer>, TKr6Column<&T::FKB, 137, 2, K::Integer>>;

using R = TKr6DataLensRange;
using LensRange = TKr6Layout<
    106, TKr6Column<&R::Code, 1, 6, K::TextTrimRight>, TKr6Column<&R::Diameter, 7, 5, K::Diameter>,
    TKr6Column<&R::SphereFrom, 12, 5, K::Decimal, 100>,
    TKr6Column<&R::SphereTo, 17, 5, K::Decimal, 100>,
    TKr6Column<&R::Cylinder1, 22, 4, K::Decimal, 100>,
    TKr6Column<&R::Cylinder2, 26, 4, K::Decimal, 100>, TKr6Column<&R::FromAxis, 30, 3, K::Integer>,
    TKr6Column<&R::ToAxis, 33, 3, K::Integer>, TKr6Column<&R::Prism, 36, 4, K::Decimal, 100>,
    TKr6Column<&R::Addition1, 40, 4, K::Decimal, 100>,
    TKr6Column<&R::Addition2, 44, 4, K::Decimal, 100>, TKr6Column<&R::AdditionStep, 48, 1, K::Code>,
    TKr6Column<&R::BEDV1, 49, 6, K::TextTrimmed>, TKr6Column<&R::BEDV2, 55, 6, K::TextTrimmed>,
    TKr6Column<&R::BEDV3, 61, 6, K::TextTrimmed>, TKr6Column<&R::BEDV4, 67, 6, K::TextTrimmed>,
    TKr6Column<&R::BEDV5, 73, 6, K::TextTrimmed>, TKr6Column<&R::SIP, 79, 1, K::Flag>,
    TKr6Column<&R::ValidFrom, 80, 8, K::Date>, TKr6Column<&R::ValidUntil, 88, 8, K::Date>,
    TKr6Column<&R::Stock, 96, 1, K::Flag>, TKr6Column<&R::DeliveryTime, 97, 3, K::Integer>,
    TKr6Column<&R::ELief, 100, 1, K::Flag>, TKr6Column<&R::BF, 101, 1, K::Flag>,
    TKr6Column<&R::DFUR, 102, 1, K::Flag>, TKr6Column<&R::OLB, 103, 1, K::Flag>,
    TKr6Column<&R::DeliveryRangeId, 104, 3, K::Integer>>;

using G = TKr6DataLensGeo;
using LensGeo = TKr6Layout<
    96, TKr6Column<&G::Code, 1, 6, K::TextTrimRight>, TKr6Column<&G::Diameter, 7, 5, K::Diameter>,
    TKr6Column<&G::SphereFrom, 12, 5, K::Decimal, 100>,
    TKr6Column<&G::SphereTo, 17, 5, K::Decimal, 100>, TKr6Column<&G::DM1H, 22, 4, K::Decimal, 100>,
    TKr6Column<&G::DM2H, 26, 4, K::Decimal, 100>, TKr6Column<&G::NTT, 30, 1, K::Code>,
    TKr6Column<&G::VAFB, 31, 5, K::Decimal, 100>, TKr6Column<&G::HAFB, 36, 5, K::Decimal, 100>,
    TKr6Column<&G::VAT, 41, 5, K::Decimal, 100>, TKr6Column<&G::HAT, 46, 5, K::Decimal, 100>,
    TKr6Column<&G::VAMN, 51, 5, K::Decimal, 100>, TKr6Column<&G::URN, 56, 4, K::Decimal, 100>,
    TKr6Column<&G::ORN, 60, 4, K::Decimal, 100>, TKr6Column<&G::BN, 64, 4, K::Decimal, 100>,
    TKr6Column<&G::HN, 68, 4, K::Decimal, 100>, TKr6Column<&G::HZ, 72, 4, K::Decimal, 100>,
    TKr6Column<&G::VAZK, 76, 4, K::Decimal, 100>, TKr6Column<&G::ViewDirection, 80, 1, K::Code>,
    TKr6Column<&G::VANB, 81, 4, K::Decimal, 100>, TKr6Column<&G::MVANB, 85, 4, K::Decimal, 100>,
    TKr6Column<&G::HANP, 89, 4, K::Decimal, 100>, TKr6Column<&G::MHANP, 93, 4, K::Decimal, 100>>;

using P = TKr6DataLensPrice;
using LensPrice = TKr6Layout<53, TKr6Column<&P::Code, 1, 6, K::TextTrimRight>,
                             TKr6Column<&P::Diameter, 7, 5, K::Diameter>,
                             TKr6Column<&P::SphereGroup, 12, 2, K::Integer>,
                             TKr6Column<&P::CylinderGroup, 14, 2, K::Integer>,
                             TKr6Column<&P::DeliveryRangeId, 16, 3, K::Integer>,
                             TKr6Column<&P::Price, 19, 7, K::Decimal, 100>>;
// Before Kr6LongPriceDiameterVersion the diameter had four characters and every later
// field stood one column further left.
using OldLensPrice = TKr6Layout<52, TKr6Column<&P::Code, 1, 6, K::TextTrimRight>,
                                TKr6Column<&P::Diameter, 7, 4, K::Diameter>,
                                TKr6Column<&P::SphereGroup, 11, 2, K::Integer>,
                                TKr6Column<&P::CylinderGroup, 13, 2, K::Integer>,
                                TKr6Column<&P::DeliveryRangeId, 15, 3, K::Integer>,
                                TKr6Column<&P::Price, 18, 7, K::Decimal, 100>>;
} // namespace kr6_layouts

void ParseKr6LensType(TKr6DataLensType& Rec, std::string_view Line);
void ParseKr6LensRange(TKr6DataLensRange& Rec, std::string_view Line);
void ParseKr6LensGeo(TKr6DataLensGeo& Rec, std::string_view Line);
// Version is the header's Kr6VersionNumber.
void ParseKr6LensPrice(TKr6DataLensPrice& Rec, std::string_view Line, std::int32_t Version);

} // namespace kr6
