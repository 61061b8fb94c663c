#include "tools/DemoGenerator.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_set>

// The coating members of a made-up list, and its information texts, order options,
// product groups and code substitutions.

namespace kr6::demo {

std::vector<std::string> TDemoGenerator::Options() const {
    std::vector<std::string> Lines;
    for (std::size_t I = 0; I < FCoatings.size(); ++I) {
        const TCoating& Coating = FCoatings[I];
        const TCoatingType& Type = *Coating.Type;
        std::string Short(Type.Short);
        if (Coating.Serial > 1)
            Short = Short.substr(0, 11) + " " + std::to_string(Coating.Serial);
        using O = TKr6Dataoptions;
        TKr6LineWriter<kr6_layouts::Options> Line;
        Line.Set<&O::Code>(Coating.Code)
            .Set<&O::Name>(Coating.Name)
            .Set<&O::ValidFrom>(ValidFrom)
            .Set<&O::BrandLine>(0)
            .Set<&O::Materials>(MaterialsOf(Type.Materials))
            .Set<&O::AntiReflection>(Type.AntiReflection)
            .Set<&O::Tint>(Type.Tint)
            .Set<&O::Photochromic>(Type.Photochromic)
            .Set<&O::HardCoat>(Type.Hard)
            .Set<&O::CleanCoat>(Type.Clean)
            .Set<&O::UVCoat>(Type.UV)
            .Set<&O::Mirror>(Type.Mirror)
            .Set<&O::EdgeFinish>(0)
            .Set<&O::DiameterChange>(0)
            .Set<&O::ThicknessChange>(0)
            .Set<&O::ADB>(false)
            .Set<&O::AAD>(false)
            .Set<&O::FormChange>(0)
            .Set<&O::WAL>(false)
            .Set<&O::Decentration>(false)
            .Set<&O::PRH>(false)
            .Set<&O::Matting>(false)
            .Set<&O::RemoveCoating>(false)
            .Set<&O::BTOR>(false)
            .Set<&O::ATOR>(false)
            .Set<&O::Bonus>(Type.Kind == TCoatingKind::AntiReflection ? 1 : 0)
            .Set<&O::Insurance>(Type.Kind != TCoatingKind::Tint)
            .Set<&O::RoadTraffic>(Type.RoadTraffic)
            .Set<&O::FilterCategory>(Type.FilterCategory)
            .Set<&O::UVEdge>(Type.UV || Type.Photochromic ? 400 : 0)
            .Set<&O::SphereFrom>(-20.0)
            .Set<&O::SphereTo>(20.0)
            .Set<&O::DiameterFrom>(50)
            .Set<&O::DiameterTo>(80)
            .Set<&O::SortNumber>(static_cast<int>(I % 99) + 1)
            .Set<&O::ShortName>(Short)
            .Set<&O::FKB>(0)
            .Set<&O::OLB>(false);
        Lines.push_back(Line.Line());
    }
    return Lines;
}

// Tints come in colours: a plain tint in three, a gradient in two with a lighter
// bottom, a light filter in all four.
std::vector<std::string> TDemoGenerator::OptionColours() const {
    std::vector<std::string> Lines;
    for (const TCoating& Coating : FCoatings) {
        const TCoatingType& Type = *Coating.Type;
        if (Type.Kind != TCoatingKind::Tint)
            continue;
        const bool Gradient = Type.Tint >= 4;
        const bool Light = Type.Tint == 1;
        const int Count = Light ? 4 : Gradient ? 2 : 3;
        const int Top = Light ? 10 : 75 + 5 * ((Coating.Serial - 1) % 3);
        const int Bottom = Gradient ? 25 : Top;
        for (int K = 0; K < Count; ++K) {
            const TColour& Colour =
                Colours[(static_cast<std::size_t>(K) + Coating.Serial - 1) % std::size(Colours)];
            const auto Shade = [&](int Value, int Absorption) {
                return 255 - (255 - Value) * Absorption / 85;
            };
            std::string Code{Colour.Letter1, Colour.Letter2};
            Code += static_cast<char>('0' + Top / 10 % 10);
            const auto Rgb = [&](int Absorption) {
                return Shade(Colour.Red, Absorption) + 256 * Shade(Colour.Green, Absorption) +
                       65536 * Shade(Colour.Blue, Absorption);
            };
            // Built in place: GCC 12 warns of an overlap that is not there when the
            // gradient's part is concatenated.
            std::string Name = std::string(Colour.Name) + " " + std::to_string(Top);
            if (Gradient)
                Name.append(1, '-').append(std::to_string(Bottom));
            Name += " %";
            using C = TKr6DataoptionsColor;
            TKr6LineWriter<kr6_layouts::OptionsColor> Line;
            Line.Set<&C::ColorCode>(Code)
                .Set<&C::OptionCode>(Coating.Code)
                .Set<&C::Name>(Name)
                .Set<&C::AbO>(Top)
                .Set<&C::AbV>(Bottom)
                .Set<&C::RgbTop>(Rgb(Top))
                .Set<&C::RgbMiddle>(Rgb((Top + Bottom) / 2))
                .Set<&C::RgbBottom>(Rgb(Bottom))
                .Set<&C::RoadTraffic>(Type.RoadTraffic)
                .Set<&C::FilterCategory>(Type.FilterCategory)
                .Set<&C::UVEdge>(400)
                .Set<&C::UVA>(100.0)
                .Set<&C::UVB>(100.0);
            Lines.push_back(Line.Line());
        }
    }
    return Lines;
}

// General prices for single-vision and multifocal lenses, tints also by sphere or
// toric lens; special prices for every eighth lens on its first anti-reflection
// coating.
std::vector<std::string> TDemoGenerator::OptionPrices() {
    std::vector<std::string> Lines;
    for (const TCoating& Coating : FCoatings) {
        const TCoatingType& Type = *Coating.Type;
        const long long Base = Type.Price + 50 * ((Coating.Serial - 1) % 7);
        const int SphTors = Type.Kind == TCoatingKind::Tint ? 2 : 0;
        for (int SingleMulti = 1; SingleMulti <= 2; ++SingleMulti)
            for (int SphTor = SphTors == 0 ? 0 : 1; SphTor <= SphTors; ++SphTor) {
                using P = TKr6DataoptionsPrice;
                TKr6LineWriter<kr6_layouts::OptionsPrice> Line;
                Line.Set<&P::OptionCode>(Coating.Code)
                    .Set<&P::SphTor>(SphTor)
                    .Set<&P::SingleMulti>(SingleMulti)
                    .Set<&P::Materials>(MaterialsOf(Type.Materials))
                    .Set<&P::Price>(Prices(
                        Base * (SingleMulti == 2 ? 120 : 100) / 100 + (SphTor == 2 ? 300 : 0), 0));
                Lines.push_back(Line.Line());
            }
    }
    for (std::size_t I = 0; I < FLenses.size(); I += 8) {
        const TLens& Lens = FLenses[I];
        const std::vector<int>& AntiReflection = Candidates(Lens, TCoatingKind::AntiReflection);
        if (AntiReflection.empty())
            continue;
        const TCoating& Coating =
            FCoatings[static_cast<std::size_t>(AntiReflection[I % AntiReflection.size()])];
        std::string Materials = "0000";
        Materials[static_cast<std::size_t>(Lens.Mat->Material - 1)] = '1';
        using P = TKr6DataoptionsPrice;
        TKr6LineWriter<kr6_layouts::OptionsPrice> Line;
        Line.Set<&P::OptionCode>(Coating.Code)
            .Set<&P::LensCode>(Lens.Code)
            .Set<&P::SphTor>(0)
            .Set<&P::SingleMulti>(0)
            .Set<&P::Materials>(MaterialsOf(Materials))
            .Set<&P::Price>(Prices(Coating.Type->Price * 80 / 100, 0));
        Lines.push_back(Line.Line());
    }
    return Lines;
}

void TDemoGenerator::AddText(std::vector<std::string>& Lines, int Target, std::string_view Code,
                             int Kind, const std::vector<std::string>& Texts) {
    for (std::size_t K = 0; K < Texts.size(); ++K) {
        using I = TKr6DataInformation;
        TKr6LineWriter<kr6_layouts::Information> Line;
        Line.Set<&I::Target>(Target)
            .Set<&I::Code>(Code)
            .Set<&I::InfoKind>(Kind)
            .Set<&I::LineNo>(static_cast<int>(K) + 1)
            .Set<&I::Text>(Texts[K]);
        Lines.push_back(Line.Line());
    }
}

std::vector<std::string> TDemoGenerator::Information() const {
    static constexpr std::string_view KindTexts[] = {
        "Einst\xE4rkenglas f\xFCr Fern- oder Nahsicht.",
        "Bifokalglas mit Nahteil 28 mm, Nahteil oben gerade.",
        "Gleitsichtglas f\xFCr alle Entfernungen, Progressionsl\xE4nge w\xE4hlbar.",
        "Arbeitsplatzglas f\xFCr Bildschirm und Nahbereich.",
    };
    std::vector<std::string> Lines;
    for (std::size_t I = 0; I < FLenses.size(); ++I) {
        const TLens& Lens = FLenses[I];
        const TMaterialIndex& Mat = *Lens.Mat;
        const auto Kind = static_cast<std::size_t>(
            std::find(LensKindLetters.begin(), LensKindLetters.end(), Lens.Line->Kind) -
            LensKindLetters.begin());
        std::string Diameters;
        for (const std::string& D : Lens.Diameters)
            Diameters += (Diameters.empty() ? "" : ", ") + D;
        AddText(Lines, 0, Lens.Code, 2,
                {std::string(KindTexts[Kind]),
                 std::string("Material ") + MaterialNames[Mat.Material] + ", Brechungsindex " +
                     std::string(Mat.IndexText) + ", Abbe-Zahl " + std::to_string(Mat.Abbe / 100) +
                     ", Dichte " + std::to_string(Mat.Density / 100) + "," +
                     std::to_string(Mat.Density % 100 / 10) + std::to_string(Mat.Density % 10) +
                     " g/cm\xB3.",
                 "Durchmesser " + Diameters + " mm."});
        if (I % 3 == 0)
            AddText(Lines, 0, Lens.Code, 3,
                    {std::string(Lens.Line->Name) + " aus dem Sortiment des Beispielherstellers.",
                     "Frei erfundener Beispieltext ohne Bezug zu einem echten Produkt."});
    }
    for (const TCoating& Coating : FCoatings) {
        std::string Materials;
        for (int M = 1; M <= 4; ++M)
            if (HasMaterial(*Coating.Type, M))
                Materials += (Materials.empty() ? "" : ", ") + std::string(MaterialNames[M]);
        AddText(Lines, 1, Coating.Code, 2,
                {Coating.Name + " f\xFCr " + Materials + ".",
                 "Kombinationen laut Kombinationstabelle."});
    }
    return Lines;
}

std::vector<std::string> TDemoGenerator::OrderOptions() const {
    std::vector<std::string> Lines;
    const auto Add = [&](int Target, std::string_view Code, int Option, int Usage) {
        using O = TKr6DataOrderOptions;
        Lines.push_back(TKr6LineWriter<kr6_layouts::OrderOptions>()
                            .Set<&O::Target>(Target)
                            .Set<&O::Code>(Code)
                            .Set<&O::OrderOption>(Option)
                            .Set<&O::Usage>(Usage)
                            .Line());
    };
    for (const TLens& Lens : FLenses) {
        Add(0, Lens.Code, 20, 1);
        switch (Lens.Line->Kind) {
        case 'G':
            Add(0, Lens.Code, 53, 1);
            Add(0, Lens.Code, 10, 5);
            Add(0, Lens.Code, 30, 5);
            Add(0, Lens.Code, 40, 5);
            Add(0, Lens.Code, 110, 6);
            break;
        case 'B':
            Add(0, Lens.Code, 53, 1);
            break;
        case 'O':
            Add(0, Lens.Code, 60, 1);
            Add(0, Lens.Code, 52, 6);
            break;
        default:
            break;
        }
    }
    for (const TCoating& Coating : FCoatings)
        if (Coating.Type->Tint >= 4)
            Add(1, Coating.Code, 53, 1);
    return Lines;
}

std::vector<std::string> TDemoGenerator::ProductGroups() const {
    std::vector<std::string> Lines;
    const auto Add = [&](int Target, std::string_view Code, std::string_view Group) {
        using G = TKr6DataProductgroup;
        Lines.push_back(TKr6LineWriter<kr6_layouts::Productgroup>()
                            .Set<&G::Target>(Target)
                            .Set<&G::Code>(Code)
                            .Set<&G::GroupName>(Group)
                            .Line());
    };
    for (const TLens& Lens : FLenses)
        Add(0, Lens.Code, Lens.Line->ProductGroup);
    for (const TCoating& Coating : FCoatings)
        Add(1, Coating.Code, Coating.Type->ProductGroup);
    return Lines;
}

// Old codes carry an X in the third column, which no current code has.
std::vector<std::string> TDemoGenerator::CodeSubstitutions() const {
    std::vector<std::string> Lines;
    const auto Add = [&](int Target, std::string_view Old, int Action, std::string_view New1,
                         std::string_view New2, std::string_view New3) {
        using S = TKr6DataCodeSubst;
        Lines.push_back(TKr6LineWriter<kr6_layouts::CodeSubst>()
                            .Set<&S::Target>(Target)
                            .Set<&S::OldCode>(Old)
                            .Set<&S::Action>(Action)
                            .Set<&S::NewCode1>(New1)
                            .Set<&S::NewCode2>(New2)
                            .Set<&S::NewCode3>(New3)
                            .Line());
    };
    int Old = 0;
    for (std::size_t I = 0; I < FLenses.size(); I += 6) {
        const TLens& Lens = FLenses[I];
        Add(0, Lens.Code.substr(0, 2) + "X" + Base36(++Old, 3), I % 12 == 0 ? 1 : 2, Lens.Code, "",
            "");
    }
    for (std::size_t I = 0; I < FCoatings.size(); I += 7) {
        const TCoating& Coating = FCoatings[I];
        Add(1, Coating.Code.substr(0, 2) + "X" + Base36(++Old, 3), 1, Coating.Code, "", "");
    }
    // A former combined coating now ordered as an anti-reflection coating plus its
    // companions.
    std::vector<std::string> Parts;
    for (const TCoating& Coating : FCoatings)
        if (Parts.size() < 3 &&
            (Parts.empty() ? Coating.Type->Kind == TCoatingKind::AntiReflection
                           : Coating.Type->Kind == TCoatingKind::Further && !Coating.Type->Hard))
            Parts.push_back(Coating.Code);
    if (!Parts.empty()) {
        Parts.resize(3);
        Add(1, "ARX" + Base36(++Old, 3), 2, Parts[0], Parts[1], Parts[2]);
    }
    return Lines;
}

} // namespace kr6::demo
