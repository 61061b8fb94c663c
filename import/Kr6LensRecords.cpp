#include "import/Kr6LensRecords.h"

#include "support/TextCompare.h"

namespace kr6 {

void ParseKr6LensType(TKr6DataLensType& Rec, std::string_view L) {
    ParseKr6Columns<kr6_layouts::LensType>(Rec, L);
}

void ParseKr6LensRange(TKr6DataLensRange& Rec, std::string_view L) {
    ParseKr6Columns<kr6_layouts::LensRange>(Rec, L);
}

void ParseKr6LensGeo(TKr6DataLensGeo& Rec, std::string_view L) {
    ParseKr6Columns<kr6_layouts::LensGeo>(Rec, L);
    // "00" in the diameter field means every centred diameter, "0000" every decentred one;
    // such a line has no diameter and no centre thicknesses of its own.
    const std::string Kind = Kr6TrimRight(L, 7, 4);
    Rec.GeometryKind = SameText(Kind, "00") ? 1 : SameText(Kind, "0000") ? 2 : 0;
    if (Rec.GeometryKind != 0) {
        Rec.Diameter = {};
        Rec.DM1H = 0;
        Rec.DM2H = 0;
    }
    Rec.AllPowers = Kr6TrimRight(L, 12, 10).empty();
}

void ParseKr6LensPrice(TKr6DataLensPrice& Rec, std::string_view L, std::int32_t Version) {
    if (Version >= Kr6LongPriceDiameterVersion)
        ParseKr6Columns<kr6_layouts::LensPrice>(Rec, L);
    else
        ParseKr6Columns<kr6_layouts::OldLensPrice>(Rec, L);
}

} // namespace kr6
