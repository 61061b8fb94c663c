#pragma once

#include "export/EvaluateCombinations.h"

#include <vector>

namespace kr6 {

class Tdex6DataBeschichtung;
class Tdex6DataGlas;
class Tdex6Dataobject;

// What the evaluation never delivers: the lenses it tests without any deliverable
// combination, not even without coatings, and the coatings in none of its rows.
struct TDeliveryGaps {
    std::vector<const Tdex6DataGlas*> Lenses;
    std::vector<const Tdex6DataBeschichtung*> Coatings;
};

// Runs the whole evaluation, rows discarded.
TDeliveryGaps FindDeliveryGaps(Tdex6Dataobject& Root, const TEvaluationOptions& Options = {});

} // namespace kr6
