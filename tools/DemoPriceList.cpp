#include "tools/DemoPriceList.h"

#include "import/Kr6LensRecords.h"
#include "import/Kr6OptionRecords.h"
#include "tools/SplitMix.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>
#include <unordered_set>

namespace kr6 {

namespace {

constexpr std::string_view AnyCode = "******";
constexpr int NotDeliverable = 0;
constexpr int Deliverable = 1;
constexpr int OnlyDeliverable = 2;

// Families whose material offers more coating combinations than this get a rule that
// clears the allowed coatings, and each lens names its own coatings again.
constexpr long long OpenFamilyKeyLimit = 150;

constexpr int SphereGroups = 51;
constexpr int CylinderGroups = 11;

std::string Base36(int Value, int Width) {
    static constexpr std::string_view Digits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string Text(static_cast<std::size_t>(Width), '0');
    for (int I = Width - 1; I >= 0; --I) {
        Text[static_cast<std::size_t>(I)] = Digits[static_cast<std::size_t>(Value % 36)];
        Value /= 36;
    }
    return Text;
}

// Hundredths, rounded to Step hundredths.
long long RoundTo(double Value, int Step) {
    return static_cast<long long>(Value / Step + 0.5) * Step;
}

const char* const MaterialNames[] = {"egal", "Silikat", "Kunststoff", "Polycarbonat", "Trivex"};

struct TMaterialIndex {
    char Letter;
    std::string_view Digits; // code columns 3-4
    std::string_view IndexText;
    int Material;             // Tdex6Material code
    int Index;                // /10000
    int Density;              // /100
    int Abbe;                 // /100
    int SphereMin, SphereMax; // hundredths
    int PricePercent;
    int UVEdge;
};

constexpr TMaterialIndex MaterialIndices[] = {
    {'S', "52", "1.525", 1, 15230, 254, 5860, -1200, 800, 100, 0},
    {'S', "60", "1.6", 1, 16040, 262, 4070, -1600, 1000, 135, 0},
    {'S', "70", "1.7", 1, 17010, 299, 4120, -2000, 1200, 170, 0},
    {'K', "50", "1.5", 2, 15000, 132, 5800, -1000, 800, 100, 360},
    {'K', "60", "1.6", 2, 16000, 130, 4200, -1400, 1000, 140, 400},
    {'K', "67", "1.67", 2, 16700, 135, 3200, -1800, 1200, 185, 400},
    {'K', "74", "1.74", 2, 17400, 147, 3300, -2200, 1200, 240, 400},
    {'P', "59", "1.59", 3, 15900, 120, 3000, -1200, 800, 130, 400},
    {'T', "53", "1.53", 4, 15300, 111, 4500, -1000, 800, 150, 400},
};

struct TLensLine {
    char Kind; // code column 1
    int LensKind;
    std::string_view Name;
    std::string_view Short;
    int BrandLine;
    bool Aspheric;
    int Price; // list purchase price in hundredths at the lowest index
    int AdditionFrom, AdditionTo, AdditionStep;
    std::string_view ProductGroup;
};

constexpr TLensLine LensLines[] = {
    {'E', 0, "Einst\xE4rken sph\xE4risch", "ES SPH", 0, false, 1450, 0, 0, 1,
     "Einst\xE4rkengl\xE4ser"},
    {'E', 0, "Einst\xE4rken asph\xE4risch", "ES ASPH", 1, true, 2890, 0, 0, 1,
     "Einst\xE4rkengl\xE4ser"},
    {'B', 1, "Bifokal 28 mm", "BI 28", 0, false, 3950, 100, 300, 2, "Bifokalgl\xE4ser"},
    {'G', 3, "Gleitsicht Basis", "GL BASIS", 2, false, 6900, 75, 350, 4, "Gleitsichtgl\xE4ser"},
    {'G', 3, "Gleitsicht Komfort", "GL KOMF", 0, true, 9800, 75, 350, 4, "Gleitsichtgl\xE4ser"},
    {'G', 3, "Gleitsicht Individual", "GL INDIV", 1, true, 14900, 75, 350, 4,
     "Gleitsichtgl\xE4ser"},
    {'O', 4, "Office Raum", "OF RAUM", 0, false, 7400, 75, 250, 4, "Arbeitsplatzgl\xE4ser"},
    {'O', 4, "Office Nah", "OF NAH", 0, false, 5900, 50, 200, 4, "Arbeitsplatzgl\xE4ser"},
};

constexpr std::array<char, 4> LensKindLetters = {'E', 'B', 'G', 'O'};

enum class TCoatingKind { AntiReflection, Tint, Further };

struct TCoatingType {
    std::string_view Prefix; // code columns 1-4
    std::string_view Name;
    std::string_view Short;
    TCoatingKind Kind;
    int AntiReflection; // Tdex6AntiReflection code
    int Tint;           // Tdex6Tint code
    bool Photochromic, Hard, Clean, UV, Mirror;
    std::string_view Materials; // Silikat, Kunststoff, Polycarbonat, Trivex
    int RoadTraffic;
    int FilterCategory;
    int Price; // hundredths
    std::string_view ProductGroup;
};

// One of each in the default list; larger lists repeat the sequence, so the kinds keep
// their shares.
constexpr TCoatingType CoatingTypes[] = {
    {"ARMF", "Mehrfachentspiegelung", "MEHRF ET", TCoatingKind::AntiReflection, 5, 0, false, false,
     false, false, false, "1111", 1, 0, 1800, "Entspiegelungen"},
    {"ARSP", "Super-Entspiegelung mit Hartschicht", "SUPER ET", TCoatingKind::AntiReflection, 8, 0,
     false, true, true, false, false, "0111", 1, 0, 3400, "Entspiegelungen"},
    {"TNFA", "F\xE4rbung einfarbig", "FARBE", TCoatingKind::Tint, 0, 2, false, false, false, false,
     false, "0111", 3, 2, 1500, "T\xF6nungen"},
    {"HCST", "Hartschicht", "HARTSCHICHT", TCoatingKind::Further, 0, 0, false, true, false, false,
     false, "0111", 1, 0, 1200, "Veredelungen"},
    {"CLCT", "Clean-Coat", "CLEAN", TCoatingKind::Further, 0, 0, false, false, true, false, false,
     "1111", 1, 0, 900, "Veredelungen"},
    {"AREF", "Einfachentspiegelung", "EINF ET", TCoatingKind::AntiReflection, 2, 0, false, false,
     false, false, false, "1111", 1, 0, 900, "Entspiegelungen"},
    {"PHGR", "Phototrop grau", "PHOTO GRAU", TCoatingKind::Further, 0, 0, true, false, false, false,
     false, "0100", 4, 3, 3900, "Veredelungen"},
    {"TNVL", "Verlaufsf\xE4rbung", "VERLAUF", TCoatingKind::Tint, 0, 4, false, false, false, false,
     false, "0101", 3, 2, 1900, "T\xF6nungen"},
    {"UVSC", "UV-Schutz 400", "UV 400", TCoatingKind::Further, 0, 0, false, false, false, true,
     false, "0100", 1, 0, 800, "Veredelungen"},
    {"ARBL", "Blaulichtfilter-Entspiegelung", "BLAU ET", TCoatingKind::AntiReflection, 5, 0, false,
     false, true, false, false, "0111", 1, 0, 2900, "Entspiegelungen"},
    {"VSSI", "Verspiegelung silber", "SPIEGEL SI", TCoatingKind::Further, 0, 0, false, false, false,
     false, true, "1111", 3, 3, 2200, "Veredelungen"},
    {"TNFI", "Filterf\xE4rbung unter 15 %", "FILTER", TCoatingKind::Tint, 0, 1, false, false, false,
     false, false, "1111", 1, 0, 1100, "T\xF6nungen"},
    {"ARRS",
     "R\xFC"
     "ckseitenentspiegelung",
     "RUECKS ET", TCoatingKind::AntiReflection, 9, 0, false, false, false, false, false, "1111", 1,
     0, 1400, "Entspiegelungen"},
    {"PLFI", "Polarisationsfilter grau", "POLAR GRAU", TCoatingKind::Further, 0, 0, false, false,
     false, false, false, "0100", 3, 3, 3500, ""},
};

struct TColour {
    char Letter1, Letter2;
    std::string_view Name;
    int Red, Green, Blue;
};

constexpr TColour Colours[] = {
    {'B', 'R', "Braun", 139, 90, 43},
    {'G', 'R', "Grau", 105, 105, 105},
    {'G', 'N', "Gr\xFCn", 85, 107, 47},
    {'B', 'L', "Blau", 70, 90, 140},
};

struct TLens {
    std::string Code;
    const TLensLine* Line;
    const TMaterialIndex* Mat;
    int Family;
    int Serial;
    std::vector<std::string> Diameters;
};

struct TCoating {
    std::string Code;
    const TCoatingType* Type;
    int Serial;
    std::string Name;
};

struct TFamily {
    char Kind = 'E';
    const TMaterialIndex* Mat = nullptr;
    std::string Pattern;
    bool Cleared = false;
    int Count = 0;
    // A pair that the family forbids and its first lens allows again.
    std::string PairAntiReflection, PairFurther;
};

struct TRule {
    std::string Lens;
    int Delivery;
    std::string Slot1, Slot2, Slot3;
};

// What the pattern rules of FamilyRules take away from a family.
bool ExcludedByPattern(char LensKind, char MaterialLetter, const TCoatingType& Type) {
    return (LensKind == 'B' && Type.Prefix == "TNVL") ||
           (LensKind == 'O' && Type.Prefix == "ARRS") ||
           (MaterialLetter == 'S' && Type.Prefix.substr(0, 2) == "VS");
}

int KindIndex(TCoatingKind Kind) {
    return static_cast<int>(Kind);
}

// The features of the pairwise test that the generated coatings carry.
unsigned Features(const TCoatingType& Type) {
    return (Type.AntiReflection != 0 ? 1u : 0u) | (Type.Photochromic ? 2u : 0u) |
           (Type.Hard ? 4u : 0u) | (Type.Clean ? 8u : 0u) | (Type.UV ? 16u : 0u) |
           (Type.Mirror ? 32u : 0u);
}

bool HasMaterial(const TCoatingType& Type, int Material) {
    return Material >= 1 && Material <= 4 &&
           Type.Materials[static_cast<std::size_t>(Material - 1)] == '1';
}

const TDateTime ValidFrom = EncodeDateTime(2025, 1, 1);

// Four characters "0" or "1": Silikat, Kunststoff, Polycarbonat, Trivex.
TMaterialSet MaterialsOf(std::string_view Flags) {
    return MaterialSet(Flags[0] == '1', Flags[1] == '1', Flags[2] == '1', Flags[3] == '1');
}

// The key fills columns 1 to 30, the value follows.
std::string HeadLine(std::string_view Key, std::string_view Value) {
    std::string Line(Key);
    if (!Value.empty()) {
        Line.resize(30, ' ');
        Line += Value;
    }
    return Line;
}

class TDemoGenerator {
public:
    explicit TDemoGenerator(const TDemoSize& Size) : FSize(Size), FRandom(Size.Seed) {
        if (Size.Lenses < 1 || Size.Coatings < 1 || Size.Rules < 0 || Size.PriceLines < 0)
            throw std::invalid_argument("sizes must be positive");
        MakeFamilies();
        MakeLenses();
        MakeCoatings();
        MarkClearedFamilies();
    }

    std::vector<TKr6Member> Build() {
        std::vector<TKr6Member> Members;
        Members.push_back({"Head.dat", Head()});
        Members.push_back({"LensType.Dat", LensTypes()});
        Members.push_back({"LensGeo.Dat", LensGeometries()});
        Members.push_back({"LensPrice.Dat", LensPrices()});
        Members.push_back({"Options.Dat", Options()});
        Members.push_back({"OptionsColor.Dat", OptionColours()});
        Members.push_back({"OptionsPrice.Dat", OptionPrices()});
        Members.push_back({"Combination.Dat", Combinations()});
        Members.push_back({"LensRange.Dat", LensRanges()});
        Members.push_back({"Information.Dat", Information()});
        Members.push_back({"OrderOptions.Dat", OrderOptions()});
        Members.push_back({"Productgroup.Dat", ProductGroups()});
        Members.push_back({"CodeSubstitution.Dat", CodeSubstitutions()});
        return Members;
    }

private:
    void MakeFamilies() {
        for (char Kind : LensKindLetters)
            for (const TMaterialIndex& Mat : MaterialIndices) {
                TFamily Family;
                Family.Kind = Kind;
                Family.Mat = &Mat;
                Family.Pattern = std::string{Kind} + Mat.Letter + std::string(Mat.Digits) + "**";
                FFamilies.push_back(std::move(Family));
            }
    }

    // Lenses walk the families in a fixed stride, so that a short list still covers every
    // kind and material; within a family the product lines of its kind take turns.
    void MakeLenses() {
        const int FamilyCount = static_cast<int>(FFamilies.size());
        if (FSize.Lenses > FamilyCount * 1295)
            throw std::invalid_argument("at most " + std::to_string(FamilyCount * 1295) +
                                        " lenses have distinct codes");
        for (int I = 0; I < FSize.Lenses; ++I) {
            const int FamilyIndex = (I * 13) % FamilyCount;
            TFamily& Family = FFamilies[static_cast<std::size_t>(FamilyIndex)];
            const int Serial = ++Family.Count;
            std::vector<const TLensLine*> Lines;
            for (const TLensLine& Line : LensLines)
                if (Line.Kind == Family.Kind)
                    Lines.push_back(&Line);
            const TLensLine* Line = Lines[static_cast<std::size_t>((Serial - 1 + FamilyIndex) %
                                                                   static_cast<int>(Lines.size()))];
            TLens Lens{std::string{Family.Kind} + Family.Mat->Letter +
                           std::string(Family.Mat->Digits) + Base36(Serial, 2),
                       Line,
                       Family.Mat,
                       FamilyIndex,
                       Serial,
                       {}};
            if (Line->Kind == 'E')
                Lens.Diameters = {"60", "65", "70"};
            else if (Line->Aspheric)
                Lens.Diameters = {"65", "70", "7065E"};
            else
                Lens.Diameters = {"65", "70"};
            FLenses.push_back(std::move(Lens));
        }
    }

    void MakeCoatings() {
        const std::size_t TypeCount = std::size(CoatingTypes);
        if (static_cast<std::size_t>(FSize.Coatings) > TypeCount * 1295)
            throw std::invalid_argument("at most " + std::to_string(TypeCount * 1295) +
                                        " coatings have distinct codes");
        for (int I = 0; I < FSize.Coatings; ++I) {
            const TCoatingType& Type = CoatingTypes[static_cast<std::size_t>(I) % TypeCount];
            const int Serial = I / static_cast<int>(TypeCount) + 1;
            std::string Name(Type.Name);
            if (Serial > 1)
                Name += " Nr. " + std::to_string(Serial);
            FCoatings.push_back(
                {std::string(Type.Prefix) + Base36(Serial, 2), &Type, Serial, Name});
        }
        for (int Material = 1; Material <= 4; ++Material)
            for (std::size_t C = 0; C < FCoatings.size(); ++C)
                if (HasMaterial(*FCoatings[C].Type, Material))
                    FCandidates[static_cast<std::size_t>(Material)]
                               [static_cast<std::size_t>(KindIndex(FCoatings[C].Type->Kind))]
                                   .push_back(static_cast<int>(C));
    }

    const std::vector<int>& Candidates(const TLens& Lens, TCoatingKind Kind) const {
        return FCandidates[static_cast<std::size_t>(Lens.Mat->Material)]
                          [static_cast<std::size_t>(KindIndex(Kind))];
    }

    void MarkClearedFamilies() {
        for (TFamily& Family : FFamilies) {
            const auto& Kinds = FCandidates[static_cast<std::size_t>(Family.Mat->Material)];
            const long long A = static_cast<long long>(Kinds[0].size());
            const long long T = static_cast<long long>(Kinds[1].size());
            const long long F = static_cast<long long>(Kinds[2].size());
            Family.Cleared = (1 + A) * (1 + T) * (1 + F + F * (F - 1) / 2) > OpenFamilyKeyLimit;
            ChoosePair(Family, static_cast<std::size_t>(&Family - FFamilies.data()));
        }
    }

    // The family's forbidden pair: an anti-reflection coating that is no back-side
    // coating and a further coating without a shared feature, both left to the family by the
    // pattern rules; where the search starts turns from family to family.
    void ChoosePair(TFamily& Family, std::size_t Turn) {
        const auto& Kinds = FCandidates[static_cast<std::size_t>(Family.Mat->Material)];
        const auto Usable = [&](int C) {
            const TCoatingType& Type = *FCoatings[static_cast<std::size_t>(C)].Type;
            return Type.AntiReflection != 9 &&
                   !ExcludedByPattern(Family.Kind, Family.Mat->Letter, Type);
        };
        const std::size_t ARCount = Kinds[0].size();
        const std::size_t FurtherCount = Kinds[2].size();
        for (std::size_t I = 0; I < ARCount; ++I) {
            const int C = Kinds[0][(Turn * 3 + I) % ARCount];
            if (!Usable(C))
                continue;
            for (std::size_t J = 0; J < FurtherCount; ++J) {
                const int D = Kinds[2][(Turn * 5 + J) % FurtherCount];
                if (Usable(D) && (Features(*FCoatings[static_cast<std::size_t>(C)].Type) &
                                  Features(*FCoatings[static_cast<std::size_t>(D)].Type)) == 0) {
                    Family.PairAntiReflection = FCoatings[static_cast<std::size_t>(C)].Code;
                    Family.PairFurther = FCoatings[static_cast<std::size_t>(D)].Code;
                    return;
                }
            }
        }
    }

    std::vector<std::string> Head() const {
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
    static std::array<double, 5> Prices(long long Purchase, long long Edging) {
        const long long Retail = RoundTo(Purchase * 2.5, 50);
        const long long Cents[5] = {Purchase, Retail, RoundTo(Retail * 1.08, 10),
                                    RoundTo(Purchase * 0.92, 1), Edging};
        std::array<double, 5> Result{};
        for (std::size_t K = 0; K < Result.size(); ++K)
            Result[K] = static_cast<double>(Cents[K]) / 100;
        return Result;
    }

    static long long LensBasePrice(const TLens& Lens) {
        return static_cast<long long>(Lens.Line->Price) * Lens.Mat->PricePercent / 100;
    }

    std::vector<std::string> LensTypes() const {
        std::vector<std::string> Lines;
        for (std::size_t I = 0; I < FLenses.size(); ++I) {
            const TLens& Lens = FLenses[I];
            const TMaterialIndex& Mat = *Lens.Mat;
            const bool Polymer = Mat.Material != 1;
            const std::string Name = std::string(Lens.Line->Name) + " " +
                                     std::string(Mat.IndexText) + " " + MaterialNames[Mat.Material];
            const std::string Short =
                std::string(Lens.Line->Short) + " " + std::string(Mat.IndexText);
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
    static std::pair<int, int> SphereRange(const TLens& Lens, std::size_t Diameter) {
        const int Step = static_cast<int>(Diameter);
        return {Lens.Mat->SphereMin + 200 * Step, Lens.Mat->SphereMax - 100 * Step};
    }

    std::vector<std::string> LensRanges() const {
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

    std::vector<std::string> LensGeometries() const {
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
                Geometry(Lens, Lens.Diameters[D], From, 0, 180 + 20 * static_cast<int>(D), 120,
                         false);
                Geometry(Lens, Lens.Diameters[D], 25, To, 220 + 30 * static_cast<int>(D), 80,
                         false);
            }
        }
        return Lines;
    }

    // Price cells of a lens in order: cylinder group fastest, then sphere group, then
    // diameter; the groups used grow with the number of cells asked for.
    std::vector<std::string> LensPrices() const {
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

    std::vector<std::string> Options() const {
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
    std::vector<std::string> OptionColours() const {
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
                const TColour& Colour = Colours[(static_cast<std::size_t>(K) + Coating.Serial - 1) %
                                                std::size(Colours)];
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
    std::vector<std::string> OptionPrices() {
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
                        .Set<&P::Price>(Prices(Base * (SingleMulti == 2 ? 120 : 100) / 100 +
                                                   (SphTor == 2 ? 300 : 0),
                                               0));
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

    // Rules of the whole list: photochromic coatings never with a tint, mirrors and
    // back-side coatings never alone.
    void GlobalRules(std::vector<TRule>& Rules) const {
        const std::string Any(AnyCode);
        for (const TCoating& Coating : FCoatings) {
            const TCoatingType& Type = *Coating.Type;
            if (Type.Photochromic)
                Rules.push_back({Any, NotDeliverable, Coating.Code, "TN****", Any});
            else if (Type.Mirror || Type.AntiReflection == 9)
                Rules.push_back({Any, NotDeliverable, Coating.Code, "", ""});
        }
    }

    // Rules by lens pattern: kinds of lenses that exclude a kind of coating, the clearing
    // rules, UV protection for every progressive family (ignored where the material has
    // none; it sorts after the family's clearing rule) and the forbidden pair of each
    // family.
    void FamilyRules(std::vector<TRule>& Rules) const {
        const std::string Any(AnyCode);
        Rules.push_back({"B*****", NotDeliverable, "TNVL**", Any, Any});
        Rules.push_back({"O*****", NotDeliverable, "ARRS**", Any, Any});
        Rules.push_back({"*S****", NotDeliverable, "VS****", Any, Any});
        const auto UV = std::find_if(FCoatings.begin(), FCoatings.end(),
                                     [](const TCoating& Coating) { return Coating.Type->UV; });
        for (const TFamily& Family : FFamilies) {
            if (Family.Count == 0)
                continue;
            if (Family.Cleared)
                Rules.push_back({Family.Pattern, NotDeliverable, Any, Any, Any});
            if (Family.Kind == 'G' && UV != FCoatings.end())
                Rules.push_back({Family.Pattern, Deliverable, UV->Code, Any, Any});
            if (!Family.PairAntiReflection.empty())
                Rules.push_back({Family.Pattern, NotDeliverable, Family.PairAntiReflection,
                                 Family.PairFurther, Any});
        }
    }

    // What the pattern rules of FamilyRules take away from a lens.

    // A lens's own coatings: anti-reflection coatings (the first never a back-side one,
    // since it may be the one the lens is only deliverable with), tints and further
    // coatings, each drawn from what its material allows.
    struct TLensPicks {
        std::vector<std::string> AntiReflection, Tint, Further, Other;
        // The family's forbidden pair when this lens allows it again, else empty.
        std::string LiftAntiReflection, LiftFurther;
    };

    TLensPicks Pick(const TLens& Lens) {
        TLensPicks Picks;
        std::unordered_set<int> Taken;
        const auto Draw = [&](TCoatingKind Kind, int Count, std::vector<std::string>& Into,
                              bool NoBackSide) {
            std::vector<int> Pool;
            for (int C : Candidates(Lens, Kind))
                if (const TCoatingType& Type = *FCoatings[static_cast<std::size_t>(C)].Type;
                    !Taken.count(C) &&
                    !ExcludedByPattern(Lens.Line->Kind, Lens.Mat->Letter, Type) &&
                    !(NoBackSide && Type.AntiReflection == 9))
                    Pool.push_back(C);
            for (int K = 0; K < Count && !Pool.empty(); ++K) {
                const auto At = Pool.begin() + FRandom.Below(Pool.size());
                Taken.insert(*At);
                Into.push_back(FCoatings[static_cast<std::size_t>(*At)].Code);
                Pool.erase(At);
                NoBackSide = false;
            }
        };
        const TFamily& Family = FFamilies[static_cast<std::size_t>(Lens.Family)];
        Draw(TCoatingKind::AntiReflection, 1, Picks.AntiReflection, true);
        const bool LiftsPair = Lens.Serial == 1 && !Family.PairAntiReflection.empty() &&
                               !Picks.AntiReflection.empty() &&
                               Picks.AntiReflection[0] != Family.PairAntiReflection;
        if (LiftsPair) {
            for (std::size_t C = 0; C < FCoatings.size(); ++C)
                if (FCoatings[C].Code == Family.PairAntiReflection ||
                    FCoatings[C].Code == Family.PairFurther)
                    Taken.insert(static_cast<int>(C));
            Picks.AntiReflection.push_back(Family.PairAntiReflection);
            Picks.LiftAntiReflection = Family.PairAntiReflection;
            Picks.LiftFurther = Family.PairFurther;
        }
        Draw(TCoatingKind::AntiReflection, LiftsPair ? 0 : 1, Picks.AntiReflection, false);
        Draw(TCoatingKind::Further, 1, Picks.Further, false);
        if (LiftsPair)
            Picks.Further.push_back(Family.PairFurther);
        Draw(TCoatingKind::Further, LiftsPair ? 1 : 2, Picks.Further, false);
        Draw(TCoatingKind::Tint, 2, Picks.Tint, false);
        for (TCoatingKind Kind :
             {TCoatingKind::AntiReflection, TCoatingKind::Tint, TCoatingKind::Further})
            Draw(Kind, static_cast<int>(FCoatings.size()), Picks.Other, false);
        // Random order for the rest, so that extra rules spread over all kinds.
        for (std::size_t K = Picks.Other.size(); K > 1; --K)
            std::swap(Picks.Other[K - 1], Picks.Other[static_cast<std::size_t>(FRandom.Below(K))]);
        return Picks;
    }

    // The rules of one lens, most important first: its anti-reflection coating (every
    // seventh lens is deliverable only with it), a further coating and a tint (every
    // fifth lens names the tint with blank slots, for the tint alone). Then, in an order
    // that turns from lens to lens, the other kinds of rule, and at last more coatings.
    std::vector<TRule> LensRules(const TLens& Lens, std::size_t Index,
                                 const TLensPicks& Picks) const {
        const std::string Any(AnyCode);
        const auto& A = Picks.AntiReflection;
        const auto& T = Picks.Tint;
        const auto& F = Picks.Further;
        std::vector<TRule> Essential;
        if (!A.empty()) {
            if (Index % 7 == 3)
                Essential.push_back(
                    {Lens.Code, OnlyDeliverable, A[0], Index % 14 == 3 ? "" : Any, Any});
            else
                Essential.push_back({Lens.Code, Deliverable, A[0], Any, Any});
        }
        if (!F.empty())
            Essential.push_back({Lens.Code, Deliverable, F[0], Any, Any});
        if (!T.empty()) {
            if (Index % 5 == 1)
                Essential.push_back({Lens.Code, Deliverable, T[0], "", ""});
            else
                Essential.push_back({Lens.Code, Deliverable, T[0], Any, Any});
        }
        if (A.size() > 1)
            Essential.push_back({Lens.Code, Deliverable, A[1], Any, Any});
        if (!Picks.LiftAntiReflection.empty())
            Essential.push_back(
                {Lens.Code, Deliverable, Picks.LiftAntiReflection, Picks.LiftFurther, Any});

        std::vector<std::vector<TRule>> Optional(8);
        if (!A.empty() && !T.empty())
            Optional[0].push_back({Lens.Code, NotDeliverable, A[0], T[0], Any});
        Optional[1].push_back({Lens.Code, NotDeliverable, "VS****", "AR****", Any});
        if (!Picks.Other.empty())
            Optional[2].push_back({Lens.Code, NotDeliverable, Picks.Other[0], Any, Any});
        if (A.size() > 1 && F.size() > 1 && Picks.LiftAntiReflection.empty())
            Optional[3].push_back({Lens.Code, Deliverable, A[1], F[1], Any});
        if (F.size() > 1)
            Optional[4].push_back({Lens.Code, NotDeliverable, F[0], F[1], ""});
        if (F.size() > 1)
            Optional[5].push_back({Lens.Code, Deliverable, F[1], Any, Any});
        if (T.size() > 1)
            Optional[6].push_back({Lens.Code, Deliverable, T[1], Any, Any});
        if (F.size() > 2)
            Optional[7].push_back({Lens.Code, Deliverable, F[2], Any, Any});

        std::vector<TRule> Rules = Essential;
        for (std::size_t K = 0; K < Optional.size(); ++K)
            for (const TRule& Rule : Optional[(Index + K) % Optional.size()])
                Rules.push_back(Rule);
        for (std::size_t K = 1; K < Picks.Other.size(); ++K)
            Rules.push_back({Lens.Code, Deliverable, Picks.Other[K], Any, Any});
        return Rules;
    }

    std::vector<std::string> Combinations() {
        std::vector<TRule> Rules;
        GlobalRules(Rules);
        FamilyRules(Rules);
        if (Rules.size() > static_cast<std::size_t>(FSize.Rules))
            Rules.resize(static_cast<std::size_t>(FSize.Rules));

        // The budget left is shared evenly; what a lens cannot use passes to the next.
        const long long LensCount = static_cast<long long>(FLenses.size());
        const long long Budget = FSize.Rules - static_cast<long long>(Rules.size());
        long long Carry = 0;
        for (long long I = 0; I < LensCount; ++I) {
            const TLens& Lens = FLenses[static_cast<std::size_t>(I)];
            const TLensPicks Picks = Pick(Lens);
            std::vector<TRule> Own = LensRules(Lens, static_cast<std::size_t>(I), Picks);
            const long long Share = Budget / LensCount + (I < Budget % LensCount ? 1 : 0) + Carry;
            const long long Used = std::min<long long>(Share, static_cast<long long>(Own.size()));
            Rules.insert(Rules.end(), Own.begin(), Own.begin() + Used);
            Carry = Share - Used;
        }

        std::vector<std::string> Lines;
        Lines.reserve(Rules.size());
        for (const TRule& Rule : Rules) {
            using R = TKr6DataCombination;
            TKr6LineWriter<kr6_layouts::Combination> Line;
            Line.Set<&R::LensCode>(Rule.Lens)
                .Set<&R::Delivery>(Rule.Delivery)
                .Set<&R::OptionCode1>(Rule.Slot1)
                .Set<&R::OptionCode2>(Rule.Slot2)
                .Set<&R::OptionCode3>(Rule.Slot3);
            Lines.push_back(Line.Line());
        }
        return Lines;
    }

    static void AddText(std::vector<std::string>& Lines, int Target, std::string_view Code,
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

    std::vector<std::string> Information() const {
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
                         std::string(Mat.IndexText) + ", Abbe-Zahl " +
                         std::to_string(Mat.Abbe / 100) + ", Dichte " +
                         std::to_string(Mat.Density / 100) + "," +
                         std::to_string(Mat.Density % 100 / 10) + std::to_string(Mat.Density % 10) +
                         " g/cm\xB3.",
                     "Durchmesser " + Diameters + " mm."});
            if (I % 3 == 0)
                AddText(
                    Lines, 0, Lens.Code, 3,
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

    std::vector<std::string> OrderOptions() const {
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

    std::vector<std::string> ProductGroups() const {
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
    std::vector<std::string> CodeSubstitutions() const {
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
            Add(0, Lens.Code.substr(0, 2) + "X" + Base36(++Old, 3), I % 12 == 0 ? 1 : 2, Lens.Code,
                "", "");
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
                (Parts.empty()
                     ? Coating.Type->Kind == TCoatingKind::AntiReflection
                     : Coating.Type->Kind == TCoatingKind::Further && !Coating.Type->Hard))
                Parts.push_back(Coating.Code);
        if (!Parts.empty()) {
            Parts.resize(3);
            Add(1, "ARX" + Base36(++Old, 3), 2, Parts[0], Parts[1], Parts[2]);
        }
        return Lines;
    }

    TDemoSize FSize;
    TRandom FRandom;
    std::vector<TFamily> FFamilies;
    std::vector<TLens> FLenses;
    std::vector<TCoating> FCoatings;
    // By material (1 to 4) and coating kind.
    std::array<std::array<std::vector<int>, 3>, 5> FCandidates;
};

} // namespace

std::vector<TKr6Member> MakeDemoPriceList(const TDemoSize& Size) {
    return TDemoGenerator(Size).Build();
}

} // namespace kr6
