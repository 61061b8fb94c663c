#include "tools/DemoGenerator.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <unordered_set>

// The product range of a made-up list: its lens families, lenses and coatings.

namespace kr6::demo {

std::vector<TKr6Member> TDemoGenerator::Build() {
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

void TDemoGenerator::MakeFamilies() {
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
void TDemoGenerator::MakeLenses() {
    const int FamilyCount = static_cast<int>(FFamilies.size());
    if (FSize.Lenses > FamilyCount * 1295)
        throw std::invalid_argument("at most " + std::to_string(FamilyCount * 1295) +
                                    " lenses have distinct codes");
    // The fourth family holds plastic single-vision lenses, whose material takes every
    // kind of coating.
    const int FirstFamily = FSize.Mix == TDemoMix::OneLens ? 3 : 0;
    for (int I = 0; I < FSize.Lenses; ++I) {
        const int FamilyIndex = (I * 13 + FirstFamily) % FamilyCount;
        TFamily& Family = FFamilies[static_cast<std::size_t>(FamilyIndex)];
        const int Serial = ++Family.Count;
        std::vector<const TLensLine*> Lines;
        for (const TLensLine& Line : LensLines)
            if (Line.Kind == Family.Kind)
                Lines.push_back(&Line);
        const TLensLine* Line = Lines[static_cast<std::size_t>((Serial - 1 + FamilyIndex) %
                                                               static_cast<int>(Lines.size()))];
        TLens Lens{std::string{Family.Kind} + Family.Mat->Letter + std::string(Family.Mat->Digits) +
                       Base36(Serial, 2),
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

void TDemoGenerator::MakeCoatings() {
    const std::size_t TypeCount = std::size(CoatingTypes);
    std::array<std::vector<std::size_t>, 3> TypesOfKind;
    for (std::size_t T = 0; T < TypeCount; ++T)
        TypesOfKind[static_cast<std::size_t>(KindIndex(CoatingTypes[T].Kind))].push_back(T);
    // Codes end in two base-36 digits counting the coatings of a type.
    const std::size_t Limit =
        (FSize.Mix == TDemoMix::Standard ? TypeCount : TypesOfKind[2].size()) * 1295;
    if (static_cast<std::size_t>(FSize.Coatings) > Limit)
        throw std::invalid_argument("at most " + std::to_string(Limit) +
                                    " coatings have distinct codes");
    const auto TypeOf = [&](int I) {
        if (FSize.Mix == TDemoMix::Standard)
            return static_cast<std::size_t>(I) % TypeCount;
        constexpr int Few = 10;
        const std::size_t Kind = I < Few ? 0 : I < 2 * Few ? 1 : 2;
        const std::vector<std::size_t>& Types = TypesOfKind[Kind];
        return Types[static_cast<std::size_t>(I) % Types.size()];
    };
    std::vector<int> Serials(TypeCount, 0);
    for (int I = 0; I < FSize.Coatings; ++I) {
        const std::size_t TypeIndex = TypeOf(I);
        const TCoatingType& Type = CoatingTypes[TypeIndex];
        const int Serial = ++Serials[TypeIndex];
        std::string Name(Type.Name);
        if (Serial > 1)
            Name += " Nr. " + std::to_string(Serial);
        FCoatings.push_back({std::string(Type.Prefix) + Base36(Serial, 2), &Type, Serial, Name});
    }
    for (int Material = 1; Material <= 4; ++Material)
        for (std::size_t C = 0; C < FCoatings.size(); ++C)
            if (HasMaterial(*FCoatings[C].Type, Material))
                FCandidates[static_cast<std::size_t>(Material)]
                           [static_cast<std::size_t>(KindIndex(FCoatings[C].Type->Kind))]
                               .push_back(static_cast<int>(C));
}

const std::vector<int>& TDemoGenerator::Candidates(const TLens& Lens, TCoatingKind Kind) const {
    return FCandidates[static_cast<std::size_t>(Lens.Mat->Material)]
                      [static_cast<std::size_t>(KindIndex(Kind))];
}

void TDemoGenerator::MarkClearedFamilies() {
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
void TDemoGenerator::ChoosePair(TFamily& Family, std::size_t Turn) {
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

} // namespace kr6::demo

namespace kr6 {

std::vector<TKr6Member> MakeDemoPriceList(const TDemoSize& Size) {
    return demo::TDemoGenerator(Size).Build();
}

} // namespace kr6
