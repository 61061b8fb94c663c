#include "export/LensOutcome.h"

#include "model/Root.h"

namespace kr6 {

void TProgressReplay::Lens(std::string_view Glass, const TLensOutcome& Outcome, bool LensDone) {
    if (const TKombiProgress& Progress = FRoot.OnKombiProgress()) {
        std::int64_t Deliverable = FLensDeliverable;
        for (auto Row = Outcome.Rows.begin(); Row != Outcome.Rows.end(); ++Row) {
            ++Deliverable;
            Progress(FRoot, {Glass, Outcome.KeyCount, Row.Position(), Deliverable, FAllTotal,
                             FAllTested + Row.Position(), FAllDeliverable + Deliverable});
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
