#include "export/LensOutcome.h"

#include "model/Root.h"

namespace kr6 {

void TProgressReplay::Counted(std::int64_t Total) {
    FAll.Total = Total;
    if (const TKombiProgress& Progress = FRoot.OnKombiProgress()) {
        TKombiCounts Counting;
        Counting.All.Total = Total;
        Progress(FRoot, Counting);
    }
}

void TProgressReplay::Lens(std::string_view Glass, const TLensOutcome& Outcome, bool LensDone) {
    if (const TKombiProgress& Progress = FRoot.OnKombiProgress()) {
        std::int64_t Deliverable = FLensDeliverable;
        for (auto Row = Outcome.Rows.begin(); Row != Outcome.Rows.end(); ++Row) {
            ++Deliverable;
            const TKombiTally ThisLens{Outcome.KeyCount, Row.Position(), Deliverable};
            const TKombiTally All{FAll.Total, FAll.Tested + ThisLens.Tested,
                                  FAll.Deliverable + Deliverable};
            Progress(FRoot, {Glass, ThisLens, All});
        }
    }
    FLensDeliverable += static_cast<std::int64_t>(Outcome.Rows.Count());
    if (!LensDone)
        return;
    FAll.Tested += Outcome.KeyCount;
    FAll.Deliverable += FLensDeliverable;
    FLensDeliverable = 0;
}

} // namespace kr6
