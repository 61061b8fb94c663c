#pragma once

#include "import/Kr6Import.h"

#include <cstddef>
#include <limits>
#include <string>

namespace kr6 {

// Turns the import's stages into one fraction that never decreases. Every stage gets its
// share of the whole before the import starts, so that a large member moves the fraction
// as far as it takes time; within a stage the fraction follows the steps done. Without a
// hook a step costs one increment and one comparison.
class TImportProgressMeter {
public:
    // Total is the sum of the weights of all stages that will begin.
    TImportProgressMeter(const TImportProgressFn& Progress, double Total);

    // Starts a stage of the given weight, done in Steps steps; reports its start.
    void Begin(std::string Stage, double Weight, std::size_t Steps = 0);
    void Step() {
        if (++FDone == FNextReport)
            Report();
    }
    // Reports the whole import as done.
    void Finish();

private:
    static constexpr std::size_t Never = std::numeric_limits<std::size_t>::max();

    void Report();
    void Send(double Fraction);

    const TImportProgressFn& FProgress;
    double FTotal;
    double FStageStart = 0;
    double FStageWeight = 0;
    std::size_t FSteps = 0;
    std::size_t FDone = 0;
    std::size_t FNextReport = Never;
    double FLastSent = 0;
    std::string FStage;
};

} // namespace kr6
