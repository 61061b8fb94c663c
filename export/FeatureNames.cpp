#include "export/FeatureNames.h"

#include "model/Coatings.h"

#include <array>
#include <cstdint>

namespace kr6 {
namespace {

// One name per bit of CompatibilityFeatures, lowest bit first.
constexpr std::array<TFeatureName, 15> FeatureNames{{
    {"ET", "anti-reflection"},
    {"PH", "photochromic"},
    {"HA", "hard coat"},
    {"CL", "clean coat"},
    {"UV", "UV layer"},
    {"VS", "mirror coating"},
    {"ADB", "deviating base curve"},
    {"AAD", "deviating addition"},
    {"WAL", "power outside the delivery range"},
    {"DEZ", "decentration"},
    {"PRH", "prismatic height compensation"},
    {"MATT", "matting"},
    {"BENT", "removal of a coating"},
    {"BTOR", "bi-toric"},
    {"ATOR", "outside-toric"},
}};

} // namespace

std::vector<TFeatureName> SharedFeatures(const Tdex6DataBeschichtung& A,
                                         const Tdex6DataBeschichtung& B) {
    const std::uint32_t Shared = CompatibilityFeatures(A) & CompatibilityFeatures(B);
    std::vector<TFeatureName> Names;
    for (std::size_t Bit = 0; Bit < FeatureNames.size(); ++Bit) {
        if ((Shared >> Bit & 1U) != 0)
            Names.push_back(FeatureNames[Bit]);
    }
    return Names;
}

} // namespace kr6
