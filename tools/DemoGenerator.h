#pragma once

// The generator behind MakeDemoPriceList, shared by the files that write its members: the
// invented product range, and the generator's state.

#include "tools/DemoPriceList.h"

#include "import/Kr6LensRecords.h"
#include "import/Kr6OptionRecords.h"
#include "tools/SplitMix.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kr6::demo {

constexpr std::string_view AnyCode = "******";
constexpr int NotDeliverable = 0;
constexpr int Deliverable = 1;
constexpr int OnlyDeliverable = 2;

// Families whose material offers more coating combinations than this get a rule that
// clears the allowed coatings, and each lens names its own coatings again.
constexpr long long OpenFamilyKeyLimit = 150;

constexpr int SphereGroups = 51;
constexpr int CylinderGroups = 11;

inline std::string Base36(int Value, int Width) {
    static constexpr std::string_view Digits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string Text(static_cast<std::size_t>(Width), '0');
    for (int I = Width - 1; I >= 0; --I) {
        Text[static_cast<std::size_t>(I)] = Digits[static_cast<std::size_t>(Value % 36)];
        Value /= 36;
    }
    return Text;
}

// Hundredths, rounded to Step hundredths.
inline long long RoundTo(double Value, int Step) {
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
inline bool ExcludedByPattern(char LensKind, char MaterialLetter, const TCoatingType& Type) {
    return (LensKind == 'B' && Type.Prefix == "TNVL") ||
           (LensKind == 'O' && Type.Prefix == "ARRS") ||
           (MaterialLetter == 'S' && Type.Prefix.substr(0, 2) == "VS");
}

inline int KindIndex(TCoatingKind Kind) {
    return static_cast<int>(Kind);
}

// The features of the pairwise test that the generated coatings carry.
inline unsigned Features(const TCoatingType& Type) {
    return (Type.AntiReflection != 0 ? 1u : 0u) | (Type.Photochromic ? 2u : 0u) |
           (Type.Hard ? 4u : 0u) | (Type.Clean ? 8u : 0u) | (Type.UV ? 16u : 0u) |
           (Type.Mirror ? 32u : 0u);
}

inline bool HasMaterial(const TCoatingType& Type, int Material) {
    return Material >= 1 && Material <= 4 &&
           Type.Materials[static_cast<std::size_t>(Material - 1)] == '1';
}

const TDateTime ValidFrom = EncodeDateTime(2025, 1, 1);

// Four characters "0" or "1": Silikat, Kunststoff, Polycarbonat, Trivex.
inline TMaterialSet MaterialsOf(std::string_view Flags) {
    return MaterialSet(Flags[0] == '1', Flags[1] == '1', Flags[2] == '1', Flags[3] == '1');
}

// The key fills columns 1 to 30, the value follows.
inline std::string HeadLine(std::string_view Key, std::string_view Value) {
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

    std::vector<TKr6Member> Build();

private:
    void MakeFamilies();

    // Lenses walk the families in a fixed stride, so that a short list still covers every
    // kind and material; within a family the product lines of its kind take turns.
    void MakeLenses();

    void MakeCoatings();

    const std::vector<int>& Candidates(const TLens& Lens, TCoatingKind Kind) const;

    void MarkClearedFamilies();

    // The family's forbidden pair: an anti-reflection coating that is no back-side
    // coating and a further coating without a shared feature, both left to the family by the
    // pattern rules; where the search starts turns from family to family.
    void ChoosePair(TFamily& Family, std::size_t Turn);

    std::vector<std::string> Head() const;

    // The five prices of one cell: list purchase price, recommended retail price, the
    // same with insurance, bonus purchase price and the edging charge.
    static std::array<double, 5> Prices(long long Purchase, long long Edging);

    static long long LensBasePrice(const TLens& Lens);

    std::vector<std::string> LensTypes() const;

    // Larger diameters are made in narrower sphere ranges.
    static std::pair<int, int> SphereRange(const TLens& Lens, std::size_t Diameter);

    std::vector<std::string> LensRanges() const;

    std::vector<std::string> LensGeometries() const;

    // Price cells of a lens in order: cylinder group fastest, then sphere group, then
    // diameter; the groups used grow with the number of cells asked for.
    std::vector<std::string> LensPrices() const;

    std::vector<std::string> Options() const;

    // Tints come in colours: a plain tint in three, a gradient in two with a lighter
    // bottom, a light filter in all four.
    std::vector<std::string> OptionColours() const;

    // General prices for single-vision and multifocal lenses, tints also by sphere or
    // toric lens; special prices for every eighth lens on its first anti-reflection
    // coating.
    std::vector<std::string> OptionPrices();

    // Rules of the whole list: photochromic coatings never with a tint, mirrors and
    // back-side coatings never alone.
    void GlobalRules(std::vector<TRule>& Rules) const;

    // Rules by lens pattern: kinds of lenses that exclude a kind of coating, the clearing
    // rules, UV protection for every progressive family (ignored where the material has
    // none; it sorts after the family's clearing rule) and the forbidden pair of each
    // family.
    void FamilyRules(std::vector<TRule>& Rules) const;

    // What the pattern rules of FamilyRules take away from a lens.

    // A lens's own coatings: anti-reflection coatings (the first never a back-side one,
    // since it may be the one the lens is only deliverable with), tints and further
    // coatings, each drawn from what its material allows.
    struct TLensPicks {
        std::vector<std::string> AntiReflection, Tint, Further, Other;
        // The family's forbidden pair when this lens allows it again, else empty.
        std::string LiftAntiReflection, LiftFurther;
    };

    TLensPicks Pick(const TLens& Lens);

    // The rules of one lens, most important first: its anti-reflection coating (every
    // seventh lens is deliverable only with it), a further coating and a tint (every
    // fifth lens names the tint with blank slots, for the tint alone). Then, in an order
    // that turns from lens to lens, the other kinds of rule, and at last more coatings.
    std::vector<TRule> LensRules(const TLens& Lens, std::size_t Index,
                                 const TLensPicks& Picks) const;

    std::vector<std::string> Combinations();

    static void AddText(std::vector<std::string>& Lines, int Target, std::string_view Code,
                        int Kind, const std::vector<std::string>& Texts);

    std::vector<std::string> Information() const;

    std::vector<std::string> OrderOptions() const;

    std::vector<std::string> ProductGroups() const;

    // Old codes carry an X in the third column, which no current code has.
    std::vector<std::string> CodeSubstitutions() const;

    TDemoSize FSize;
    TRandom FRandom;
    std::vector<TFamily> FFamilies;
    std::vector<TLens> FLenses;
    std::vector<TCoating> FCoatings;
    // By material (1 to 4) and coating kind.
    std::array<std::array<std::vector<int>, 3>, 5> FCandidates;
};

} // namespace kr6::demo
