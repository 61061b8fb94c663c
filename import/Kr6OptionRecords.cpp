#include "import/Kr6OptionRecords.h"

#include "import/Kr6Fields.h"

namespace kr6 {

void ParseKr6Options(TKr6Dataoptions& Rec, std::string_view L) {
    Rec.Code = Kr6Trim(L, 1, 6);
    Rec.Name = Kr6Trim(L, 7, 40);
    Rec.ValidFrom = Kr6Date(L, 47);
    Rec.ValidUntil = Kr6Date(L, 55);
    Rec.BrandLine = Kr6Code<Tdex6BrandLine>(L, 63);
    Rec.Materials = Kr6MaterialSet(L, 64);
    Rec.AntiReflection = Kr6Code<Tdex6AntiReflection>(L, 68);
    Rec.Tint = Kr6Code<Tdex6Tint>(L, 69);
    Rec.Photochromic = Kr6Flag(L, 70);
    Rec.HardCoat = Kr6Flag(L, 71);
    Rec.CleanCoat = Kr6Flag(L, 72);
    Rec.UVCoat = Kr6Flag(L, 73);
    Rec.Mirror = Kr6Flag(L, 74);
    Rec.EdgeFinish = Kr6Code<Tdex6EdgeFinish>(L, 75);
    Rec.DiameterChange = Kr6Code<Tdex6DiameterChange>(L, 76);
    Rec.ThicknessChange = Kr6Code<Tdex6ThicknessChange>(L, 77);
    Rec.ADB = Kr6Flag(L, 78);
    Rec.AAD = Kr6Flag(L, 79);
    Rec.FormChange = Kr6Code<Tdex6FormChange>(L, 80);
    Rec.WAL = Kr6Flag(L, 81);
    Rec.Decentration = Kr6Flag(L, 82);
    Rec.PRH = Kr6Flag(L, 83);
    Rec.Matting = Kr6Flag(L, 84);
    Rec.RemoveCoating = Kr6Flag(L, 85);
    Rec.BTOR = Kr6Flag(L, 86);
    Rec.ATOR = Kr6Flag(L, 87);
    Rec.Bonus = Kr6Code<Tdex6Bonus>(L, 88);
    Rec.Insurance = Kr6Flag(L, 89);
    Rec.RoadTraffic = Kr6Code<Tdex6RoadTraffic>(L, 90);
    Rec.FilterCategory = Kr6Integer(L, 91, 1);
    Rec.UVEdge = Kr6Decimal(L, 92, 3);
    Rec.UVA = Kr6Decimal(L, 95, 4, 10);
    Rec.UVB = Kr6Decimal(L, 99, 4, 10);
    Rec.SphereFrom = Kr6Decimal(L, 103, 5, 100);
    Rec.SphereTo = Kr6Decimal(L, 108, 5, 100);
    Rec.DiameterFrom = Kr6Integer(L, 113, 2);
    Rec.DiameterTo = Kr6Integer(L, 115, 2);
    Rec.SortNumber = Kr6Integer(L, 117, 2);
    Rec.ShortName = Kr6Raw(L, 119, 15);
    // Position 134 is not part of any field.
    Rec.FKB = Kr6Integer(L, 135, 1);
    Rec.OLB = Kr6Flag(L, 136);
}

void ParseKr6OptionsColor(TKr6DataoptionsColor& Rec, std::string_view L) {
    Rec.ColorCode = Kr6TrimRight(L, 1, 3);
    Rec.OptionCode = Kr6TrimRight(L, 4, 6);
    Rec.Name = Kr6TrimRight(L, 10, 40);
    Rec.AbO = Kr6Integer(L, 50, 2);
    Rec.AbV = Kr6Integer(L, 52, 2);
    Rec.RgbTop = Kr6Colour(L, 54);
    Rec.RgbMiddle = Kr6Colour(L, 63);
    Rec.RgbBottom = Kr6Colour(L, 72);
    Rec.RoadTraffic = Kr6Code<Tdex6RoadTraffic>(L, 81);
    Rec.FilterCategory = Kr6Integer(L, 82, 1);
    Rec.UVEdge = Kr6Decimal(L, 83, 3);
    Rec.UVA = Kr6Decimal(L, 86, 4, 10);
    Rec.UVB = Kr6Decimal(L, 90, 4, 10);
}

void ParseKr6OptionsPrice(TKr6DataoptionsPrice& Rec, std::string_view L) {
    Rec.OptionCode = Kr6TrimRight(L, 1, 6);
    Rec.LensCode = Kr6TrimRight(L, 7, 6);
    Rec.SphTor = Kr6Code<Tdex6SphTor>(L, 13);
    Rec.SingleMulti = Kr6Code<Tdex6SingleMulti>(L, 14);
    Rec.Materials = Kr6MaterialSet(L, 15);
    for (int K = 0; K < 5; ++K)
        Rec.Price[K] = Kr6Decimal(L, 19 + 7 * K, 7, 100);
}

void ParseKr6Combination(TKr6DataCombination& Rec, std::string_view L) {
    Rec.LensCode = Kr6TrimRight(L, 1, 6);
    Rec.Delivery = Kr6Code<Tdex6Delivery>(L, 7);
    Rec.OptionCode1 = Kr6TrimRight(L, 8, 6);
    Rec.OptionCode2 = Kr6TrimRight(L, 14, 6);
    Rec.OptionCode3 = Kr6TrimRight(L, 20, 6);
}

void ParseKr6Information(TKr6DataInformation& Rec, std::string_view L) {
    Rec.Target = Kr6Integer(L, 1, 1);
    Rec.Code = Kr6TrimRight(L, 2, 6);
    Rec.InfoKind = Kr6Code<Tdex6InfoKind>(L, 8, 2);
    Rec.LineNo = Kr6Integer(L, 10, 3);
    Rec.Text = Kr6TrimRight(L, 13, 250);
}

void ParseKr6OrderOptions(TKr6DataOrderOptions& Rec, std::string_view L) {
    Rec.Target = Kr6Integer(L, 1, 1);
    Rec.Code = Kr6TrimRight(L, 2, 6);
    Rec.OrderOption = Kr6Code<Tdex6OrderOption>(L, 8, 4);
    Rec.Usage = Kr6Integer(L, 12, 1);
}

void ParseKr6Productgroup(TKr6DataProductgroup& Rec, std::string_view L) {
    Rec.Target = Kr6Integer(L, 1, 1);
    Rec.Code = Kr6TrimRight(L, 2, 6);
    Rec.GroupName = Kr6TrimRight(L, 8, 30);
}

void ParseKr6CodeSubst(TKr6DataCodeSubst& Rec, std::string_view L) {
    Rec.Target = Kr6Integer(L, 1, 1);
    Rec.OldCode = Kr6TrimRight(L, 2, 6);
    Rec.Action = Kr6Code<Tdex6SubstAction>(L, 8);
    Rec.NewCode1 = Kr6TrimRight(L, 9, 6);
    Rec.NewCode2 = Kr6TrimRight(L, 15, 6);
    Rec.NewCode3 = Kr6TrimRight(L, 21, 6);
}

} // namespace kr6
