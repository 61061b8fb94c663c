#pragma once

#include <string_view>
#include <vector>

namespace kr6 {

class Tdex6DataBeschichtung;

struct TFeatureName {
    std::string_view Element; // "HA"
    std::string_view Meaning; // "hard coat"
};

// The features that keep A and B apart: the anti-reflection type ("ET") and the
// exclusive flags both of them carry.
std::vector<TFeatureName> SharedFeatures(const Tdex6DataBeschichtung& A,
                                         const Tdex6DataBeschichtung& B);

} // namespace kr6
