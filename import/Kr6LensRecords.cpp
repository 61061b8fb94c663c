#include "import/Kr6LensRecords.h"

#include "import/Kr6Fields.h"
#include "support/TextCompare.h"

namespace kr6 {

void ParseKr6LensType(TKr6DataLensType& Rec, std::string_view L) {
    Rec.Code = Kr6TrimRight(L, 1, 6);
    Rec.Name = Kr6TrimRight(L, 7, 40);
    Rec.ValidFrom = Kr6Date(L, 47);
    Rec.ValidUntil = Kr6Date(L, 55);
    Rec.LensKind = Kr6Code<Tdex6LensKind>(L, 63);
    Rec.AG = Kr6Flag(L, 64);
    Rec.AGKG = Kr6Integer(L, 65, 3);
    Rec.AGKB = Kr6Integer(L, 68, 3);
    Rec.BrandLine = Kr6Code<Tdex6BrandLine>(L, 71);
    Rec.Material = Kr6Code<Tdex6Material>(L, 72);
    Rec.RefractiveIndex = Kr6Decimal(L, 73, 5, 10000);
    Rec.Density = Kr6Decimal(L, 78, 3, 100);
    Rec.AbbeNumber = Kr6Decimal(L, 81, 4, 100);
    Rec.AS = Kr6Flag(L, 85);
    Rec.ST = Kr6Flag(L, 86);
    Rec.AntiReflection = Kr6Code<Tdex6AntiReflection>(L, 87);
    Rec.Tint = Kr6Code<Tdex6Tint>(L, 88);
    Rec.Photochromic = Kr6Flag(L, 89);
    Rec.HardCoat = Kr6Flag(L, 90);
    Rec.CleanCoat = Kr6Flag(L, 91);
    Rec.UVCoat = Kr6Flag(L, 92);
    Rec.Mirror = Kr6Flag(L, 93);
    Rec.MDM = Kr6Flag(L, 94);
    Rec.KDM = Kr6Code<Tdex6KDM>(L, 95);
    Rec.AD = Kr6Flag(L, 96);
    Rec.Insurance = Kr6Flag(L, 97);
    Rec.Pri = Kr6Flag(L, 98);
    Rec.FilterCategory = Kr6Integer(L, 99, 1);
    Rec.RoadTraffic = Kr6Code<Tdex6RoadTraffic>(L, 100);
    Rec.UVEdge = Kr6Decimal(L, 101, 3);
    Rec.UVA = Kr6Decimal(L, 104, 4, 100);
    Rec.UVB = Kr6Decimal(L, 108, 4, 100);
    Rec.EG = Kr6Flag(L, 112);
    Rec.EGB = Kr6Code<Tdex6EGB>(L, 113);
    Rec.TS = Kr6Flag(L, 114);
    Rec.SortNumber = Kr6Integer(L, 115, 3);
    Rec.ShortName = Kr6Raw(L, 118, 15);
    Rec.KMDM = Kr6Integer(L, 133, 2);
    Rec.KDMA = Kr6Integer(L, 135, 2);
    Rec.FKB = Kr6Integer(L, 137, 2);
}

void ParseKr6LensRange(TKr6DataLensRange& Rec, std::string_view L) {
    Rec.Code = Kr6TrimRight(L, 1, 6);
    Rec.Diameter = Kr6Diameter(L, 7);
    Rec.SphereFrom = Kr6Decimal(L, 12, 5, 100);
    Rec.SphereTo = Kr6Decimal(L, 17, 5, 100);
    Rec.Cylinder1 = Kr6Decimal(L, 22, 4, 100);
    Rec.Cylinder2 = Kr6Decimal(L, 26, 4, 100);
    Rec.FromAxis = Kr6Integer(L, 30, 3);
    Rec.ToAxis = Kr6Integer(L, 33, 3);
    Rec.Prism = Kr6Decimal(L, 36, 4, 100);
    Rec.Addition1 = Kr6Decimal(L, 40, 4, 100);
    Rec.Addition2 = Kr6Decimal(L, 44, 4, 100);
    Rec.AdditionStep = Kr6Code<Tdex6AdditionStep>(L, 48);
    Rec.BEDV1 = Kr6Trim(L, 49, 6);
    Rec.BEDV2 = Kr6Trim(L, 55, 6);
    Rec.BEDV3 = Kr6Trim(L, 61, 6);
    Rec.BEDV4 = Kr6Trim(L, 67, 6);
    Rec.BEDV5 = Kr6Trim(L, 73, 6);
    Rec.SIP = Kr6Flag(L, 79);
    Rec.ValidFrom = Kr6Date(L, 80);
    Rec.ValidUntil = Kr6Date(L, 88);
    Rec.Stock = Kr6Flag(L, 96);
    Rec.DeliveryTime = Kr6Integer(L, 97, 3);
    Rec.ELief = Kr6Flag(L, 100);
    Rec.BF = Kr6Flag(L, 101);
    Rec.DFUR = Kr6Flag(L, 102);
    Rec.OLB = Kr6Flag(L, 103);
    Rec.DeliveryRangeId = Kr6Integer(L, 104, 3);
}

void ParseKr6LensGeo(TKr6DataLensGeo& Rec, std::string_view L) {
    Rec.Code = Kr6TrimRight(L, 1, 6);
    const std::string Kind = Kr6TrimRight(L, 7, 4);
    Rec.GeometryKind = SameText(Kind, "00") ? 1 : SameText(Kind, "0000") ? 2 : 0;
    const bool ForDiameter = Rec.GeometryKind == 0;
    Rec.Diameter = ForDiameter ? Kr6Diameter(L, 7) : TDiameter{};
    Rec.AllPowers = Kr6TrimRight(L, 12, 10).empty();
    Rec.SphereFrom = Kr6Decimal(L, 12, 5, 100);
    Rec.SphereTo = Kr6Decimal(L, 17, 5, 100);
    Rec.DM1H = ForDiameter ? Kr6Decimal(L, 22, 4, 100) : 0;
    Rec.DM2H = ForDiameter ? Kr6Decimal(L, 26, 4, 100) : 0;
    Rec.NTT = Kr6Code<Tdex6NTT>(L, 30);
    Rec.VAFB = Kr6Decimal(L, 31, 5, 100);
    Rec.HAFB = Kr6Decimal(L, 36, 5, 100);
    Rec.VAT = Kr6Decimal(L, 41, 5, 100);
    Rec.HAT = Kr6Decimal(L, 46, 5, 100);
    Rec.VAMN = Kr6Decimal(L, 51, 5, 100);
    Rec.URN = Kr6Decimal(L, 56, 4, 100);
    Rec.ORN = Kr6Decimal(L, 60, 4, 100);
    Rec.BN = Kr6Decimal(L, 64, 4, 100);
    Rec.HN = Kr6Decimal(L, 68, 4, 100);
    Rec.HZ = Kr6Decimal(L, 72, 4, 100);
    Rec.VAZK = Kr6Decimal(L, 76, 4, 100);
    Rec.ViewDirection = Kr6Code<Tdex6ViewDirection>(L, 80);
    Rec.VANB = Kr6Decimal(L, 81, 4, 100);
    Rec.MVANB = Kr6Decimal(L, 85, 4, 100);
    Rec.HANP = Kr6Decimal(L, 89, 4, 100);
    Rec.MHANP = Kr6Decimal(L, 93, 4, 100);
}

void ParseKr6LensPrice(TKr6DataLensPrice& Rec, std::string_view L, std::int32_t Version) {
    // Older lists have a four-character diameter, shifting every later field left by one.
    const bool LongDiameter = Version >= Kr6LongPriceDiameterVersion;
    const int Shift = LongDiameter ? 0 : -1;
    Rec.Code = Kr6TrimRight(L, 1, 6);
    Rec.Diameter = Kr6Diameter(L, 7, LongDiameter ? 5 : 4);
    Rec.SphereGroup = Kr6Integer(L, 12 + Shift, 2);
    Rec.CylinderGroup = Kr6Integer(L, 14 + Shift, 2);
    Rec.DeliveryRangeId = Kr6Integer(L, 16 + Shift, 3);
    for (int K = 0; K < 5; ++K)
        Rec.Price[K] = Kr6Decimal(L, 19 + Shift + 7 * K, 7, 100);
}

} // namespace kr6
