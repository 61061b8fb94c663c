#include "export/LensOutcome.h"

#include "model/Root.h"

namespace kr6 {

void TProgressReplay::Lens(std::string_view Glass, const TLensOutcome& Outcome, bool LensDone) {
    if (const TKombiProgress& Progress = FRoot.OnKombiProgress()) {
        for (std::size_t I = 0; I < Outcome.Positions.size(); ++I) {
            const std::int64_t Deliverable = FLensDeliverable + static_cast<std::int64_t>(I) + 1;
            Progress(FRoot, {Glass, Outcome.KeyCount, Outcome.Positions[I], Deliverable, FAllTotal,
                             FAllTested + Outcome.Positions[I], FAllDeliverable + Deliverable});
        }
    }
    FLensDeliverable += static_cast<std::int64_t>(Outcome.Rows.Count());
    if (!LensDone)
        return;
    FAllTested += Outcome.KeyCount;
    FAllDeliverable += FLensDeliverable;
    FLensDeliverable = 0;
}

} // namespace kr6
