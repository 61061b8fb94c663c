#include "tools/DemoGenerator.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_set>

// The header and lens members of a made-up list.

namespace kr6::demo {

std::vector<std::string> TDemoGenerator::Head() const {
    static constexpr std::pair<std::string_view, std::string_view> Keys[] = {
        {"version", "6.9.0"},
        {"Software-id", "make-demo-kr6"},
        {"comment", "Erfundene Beispiel-Preisliste ohne reale Produkte"},
        {"uid-manufacturer", ""},
        {"uid-postedit", ""},
        {"Valid-from", "20250101"},
        {"Valid-until", "20251231"},
        {"country", "DE"},
        {"language", "DE"},
        {"manufacturer-code", "BSP"},
        {"manufacturer-subcode", ""},
        {"manufacturer-name", "Beispielhersteller"},
        {"street", ""},
        {"zip-code", ""},
        {"city", ""},
        {"po-box-zip-code", ""},
        {"po-box-text", ""},
        {"phone", ""},
        {"fax", ""},
        {"phone-order", ""},
        {"fax-order", ""},
        {"mail", ""},
        {"Url", ""},
        {"pricedefinition-cylinder", "1"},
        {"cylindergroup-base", "2"},
        {"cylindergroup-1", "4"},
        {"cylindergroup-2", "6"},
        {"prismgroup-1", "2"},
        {"prismgroup-2", "4"},
        {"prismgroup-3", "6"},
        {"prismgroup-4", "8"},
        {"prismgroup-5", "10"},
        {"currencydescription", "EUR"},
        {"currencydescription-decimals", "Cent"},
        {"pricefield-01", "10"},
        {"pricefield-02", "20"},
        {"pricefield-03", "21"},
        {"pricefield-04", "40"},
        {"pricefield-05", "90"},
        {"pricefield-description-05", "Randbearbeitung"},
        {"characterset", "1252"},
    };
    std::vector<std::string> Lines;
    for (const auto& [Key, Value] : Keys)
        Lines.push_back(HeadLine(Key, Value));
    return Lines;
}

// The five prices of one cell: list purchase price, recommended retail price, the
// same with insurance, bonus purchase price and the edging charge.
std::array<double, 5> TDemoGenerator::Prices(long long Purchase, long long Edging) {
    const long long Retail = RoundTo(Purchase * 2.5, 50);
    const long long Cents[5] = {Purchase, Retail, RoundTo(Retail * 1.08, 10),
                                RoundTo(Purchase * 0.92, 1), Edging};
    std::array<double, 5> Result{};
    for (std::size_t K = 0; K < Result.size(); ++K)
        Result[K] = static_cast<double>(Cents[K]) / 100;
    return Result;
}

long long TDemoGenerator::LensBasePrice(const TLens& Lens) {
    return static_cast<long long>(Lens.Line->Price) * Lens.Mat->PricePercent / 100;
}

std::vector<std::string> TDemoGenerator::LensTypes() const {
    std::vector<std::string> Lines;
    for (std::size_t I = 0; I < FLenses.size(); ++I) {
        const TLens& Lens = FLenses[I];
        const TMaterialIndex& Mat = *Lens.Mat;
        const bool Polymer = Mat.Material != 1;
        const std::string Name = std::string(Lens.Line->Name) + " " + std::string(Mat.IndexText) +
                                 " " + MaterialNames[Mat.Material];
        const std::string Short = std::string(Lens.Line->Short) + " " + std::string(Mat.IndexText);
        using T = TKr6DataLensType;
        TKr6LineWriter<kr6_layouts::LensType> Line;
        Line.Set<&T::Code>(Lens.Code)
            .Set<&T::Name>(Name)
            .Set<&T::ValidFrom>(ValidFrom)
            .Set<&T::LensKind>(Lens.Line->LensKind)
            .Set<&T::AG>(false)
            .Set<&T::AGKG>(0)
            .Set<&T::AGKB>(0)
            .Set<&T::BrandLine>(Lens.Line->BrandLine)
            .Set<&T::Material>(Mat.Material)
            .Set<&T::RefractiveIndex>(Mat.Index / 10000.0)
            .Set<&T::Density>(Mat.Density / 100.0)
            .Set<&T::AbbeNumber>(Mat.Abbe / 100.0)
            .Set<&T::AS>(Lens.Line->Aspheric)
            .Set<&T::ST>(false)
            .Set<&T::AntiReflection>(0)
            .Set<&T::Tint>(0)
            .Set<&T::Photochromic>(false)
            .Set<&T::HardCoat>(false)
            .Set<&T::CleanCoat>(false)
            .Set<&T::UVCoat>(Mat.Material >= 3)
            .Set<&T::Mirror>(false)
            .Set<&T::MDM>(false)
            .Set<&T::KDM>(0)
            .Set<&T::AD>(false)
            .Set<&T::Insurance>(Lens.Line->BrandLine != 1)
            .Set<&T::Pri>(false)
            .Set<&T::FilterCategory>(0)
            .Set<&T::RoadTraffic>(1)
            .Set<&T::EG>(false)
            .Set<&T::EGB>(0)
            .Set<&T::TS>(false)
            .Set<&T::SortNumber>(static_cast<int>(I % 999) + 1)
            .Set<&T::ShortName>(Short);
        if (Polymer)
            Line.Set<&T::UVEdge>(Mat.UVEdge);
        Lines.push_back(Line.Line());
    }
    return Lines;
}

// Larger diameters are made in narrower sphere ranges.
std::pair<int, int> TDemoGenerator::SphereRange(const TLens& Lens, std::size_t Diameter) {
    const int Step = static_cast<int>(Diameter);
    return {Lens.Mat->SphereMin + 200 * Step, Lens.Mat->SphereMax - 100 * Step};
}

std::vector<std::string> TDemoGenerator::LensRanges() const {
    std::vector<std::string> Lines;
    for (const TLens& Lens : FLenses) {
        const bool Stock = Lens.Line->Kind == 'E' && !Lens.Line->Aspheric;
        for (std::size_t D = 0; D < Lens.Diameters.size(); ++D) {
            const auto [From, To] = SphereRange(Lens, D);
            using R = TKr6DataLensRange;
            TKr6LineWriter<kr6_layouts::LensRange> Line;
            Line.Set<&R::Code>(Lens.Code)
                .Set<&R::Diameter>(DiameterFromKr6(Lens.Diameters[D]))
                .Set<&R::SphereFrom>(From / 100.0)
                .Set<&R::SphereTo>(To / 100.0)
                .Set<&R::Cylinder1>(Stock ? -2.0 : -4.0)
                .Set<&R::Cylinder2>(0.0)
                .Set<&R::FromAxis>(0)
                .Set<&R::ToAxis>(180)
                .Set<&R::Prism>(Lens.Line->Kind == 'E' ? 5.0 : 3.0)
                .Set<&R::Addition1>(Lens.Line->AdditionFrom / 100.0)
                .Set<&R::Addition2>(Lens.Line->AdditionTo / 100.0)
                .Set<&R::AdditionStep>(Lens.Line->AdditionStep)
                .Set<&R::SIP>(false)
                .Set<&R::ValidFrom>(ValidFrom)
                .Set<&R::Stock>(Stock)
                .Set<&R::DeliveryTime>(Stock ? 2 : 5 + 2 * static_cast<int>(D))
                .Set<&R::ELief>(false)
                .Set<&R::BF>(false)
                .Set<&R::DFUR>(false)
                .Set<&R::OLB>(false)
                .Set<&R::DeliveryRangeId>(0);
            Lines.push_back(Line.Line());
        }
    }
    return Lines;
}

std::vector<std::string> TDemoGenerator::LensGeometries() const {
    std::vector<std::string> Lines;
    const auto Geometry = [&](const TLens& Lens, std::string_view Kind, int From, int To,
                              int Centre, int Edge, bool AllPowers) {
        const int Base = 400 + (Lens.Mat->Index - 15000) / 10;
        using G = TKr6DataLensGeo;
        const bool Single = Lens.Line->Kind == 'E';
        TKr6LineWriter<kr6_layouts::LensGeo> Line;
        // The diameter column also carries the "all diameters" kinds, so it goes in as text.
        Line.Set<&G::Code>(Lens.Code).Put<&G::Diameter>(Kind);
        if (!AllPowers)
            Line.Set<&G::SphereFrom>(From / 100.0).Set<&G::SphereTo>(To / 100.0);
        if (Centre > 0)
            Line.Set<&G::DM1H>(Centre / 100.0).Set<&G::DM2H>(Edge / 100.0);
        Line.Set<&G::NTT>(Single ? 1 : 2)
            .Set<&G::VAFB>(Base / 100.0)
            .Set<&G::HAFB>((Base - 50) / 100.0)
            .Set<&G::VAT>(12.0)
            .Set<&G::HAT>(13.5)
            .Set<&G::VAMN>(3.0)
            .Set<&G::URN>(Single ? 0.0 : 14.0)
            .Set<&G::ORN>(Single ? 0.0 : 18.0)
            .Set<&G::BN>(8.5)
            .Set<&G::HN>(3.0)
            .Set<&G::HZ>(15.0)
            .Set<&G::VAZK>(0.0)
            .Set<&G::ViewDirection>(Single ? 0 : 1)
            .Set<&G::VANB>(8.0)
            .Set<&G::MVANB>(6.0)
            .Set<&G::HANP>(0.0)
            .Set<&G::MHANP>(0.0);
        Lines.push_back(Line.Line());
    };
    for (const TLens& Lens : FLenses) {
        Geometry(Lens, "00", 0, 0, 0, 0, true);
        if (Lens.Line->Kind == 'G')
            Geometry(Lens, "0000", 0, 0, 0, 0, true);
        for (std::size_t D = 0; D < Lens.Diameters.size(); ++D) {
            if (Lens.Diameters[D].size() > 2)
                continue;
            const auto [From, To] = SphereRange(Lens, D);
            Geometry(Lens, Lens.Diameters[D], From, 0, 180 + 20 * static_cast<int>(D), 120, false);
            Geometry(Lens, Lens.Diameters[D], 25, To, 220 + 30 * static_cast<int>(D), 80, false);
        }
    }
    return Lines;
}

// Price cells of a lens in order: cylinder group fastest, then sphere group, then
// diameter; the groups used grow with the number of cells asked for.
std::vector<std::string> TDemoGenerator::LensPrices() const {
    const long long LensCount = static_cast<long long>(FLenses.size());
    std::vector<std::string> Lines;
    Lines.reserve(static_cast<std::size_t>(FSize.PriceLines));
    for (long long I = 0; I < LensCount; ++I) {
        const TLens& Lens = FLenses[static_cast<std::size_t>(I)];
        const long long Cells =
            FSize.PriceLines / LensCount + (I < FSize.PriceLines % LensCount ? 1 : 0);
        const long long DiameterCount = static_cast<long long>(Lens.Diameters.size());
        if (Cells > DiameterCount * SphereGroups * CylinderGroups)
            throw std::invalid_argument(std::to_string(FSize.PriceLines) +
                                        " price lines are more than the lenses have cells");
        long long Cylinders = 3;
        long long Spheres = std::max<long long>(1, (Cells + Cylinders * DiameterCount - 1) /
                                                       (Cylinders * DiameterCount));
        if (Spheres > SphereGroups) {
            Spheres = SphereGroups;
            Cylinders = (Cells + Spheres * DiameterCount - 1) / (Spheres * DiameterCount);
        }
        const long long Base = LensBasePrice(Lens);
        for (long long J = 0; J < Cells; ++J) {
            const long long Cylinder = J % Cylinders;
            const long long Sphere = (J / Cylinders) % Spheres;
            const long long Diameter = J / (Cylinders * Spheres);
            using P = TKr6DataLensPrice;
            TKr6LineWriter<kr6_layouts::LensPrice> Line;
            Line.Set<&P::Code>(Lens.Code)
                .Set<&P::Diameter>(
                    DiameterFromKr6(Lens.Diameters[static_cast<std::size_t>(Diameter)]))
                .Set<&P::SphereGroup>(Sphere)
                .Set<&P::CylinderGroup>(Cylinder)
                .Set<&P::DeliveryRangeId>(0)
                .Set<&P::Price>(Prices(Base + 350 * Sphere + 450 * Cylinder + 200 * Diameter,
                                       Lens.Line->Kind == 'E' ? 450 : 650));
            Lines.push_back(Line.Line());
        }
    }
    return Lines;
}

} // namespace kr6::demo
