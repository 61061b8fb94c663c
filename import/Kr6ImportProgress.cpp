#include "import/Kr6ImportProgress.h"

#include <algorithm>

namespace kr6 {
namespace {

// Often enough that a member of a million lines moves the fraction visibly, rarely enough
// that the hook's cost vanishes beside the lines' own.
constexpr std::size_t StepsPerReport = 4096;

} // namespace

TImportProgressMeter::TImportProgressMeter(const TImportProgressFn& Progress, double Total)
    : FProgress(Progress), FTotal(Total) {}

void TImportProgressMeter::Begin(std::string Stage, double Weight, std::size_t Steps) {
    if (!FProgress)
        return;
    FStageStart += FStageWeight;
    FStageWeight = Weight;
    FSteps = Steps;
    FDone = 0;
    FNextReport = Steps == 0 ? Never : std::min(StepsPerReport, Steps);
    FStage = std::move(Stage);
    Send(FStageStart / FTotal);
}

void TImportProgressMeter::Report() {
    FNextReport = FDone + std::min(StepsPerReport, FSteps - FDone);
    if (FDone == FSteps)
        FNextReport = Never;
    Send((FStageStart + FStageWeight * static_cast<double>(FDone) / static_cast<double>(FSteps)) /
         FTotal);
}

void TImportProgressMeter::Finish() {
    if (!FProgress)
        return;
    FStage = "done";
    Send(1);
}

void TImportProgressMeter::Send(double Fraction) {
    // Rounding may not take back what was reported, nor a total of zero weight divide
    // its way outside the range.
    if (!(Fraction >= FLastSent))
        Fraction = FLastSent;
    FLastSent = std::min(Fraction, 1.0);
    FProgress({FStage, FLastSent});
}

} // namespace kr6
