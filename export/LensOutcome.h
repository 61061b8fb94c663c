#pragma once

#include "export/RowBlock.h"
#include "model/KombiCounts.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace kr6 {

class Tdex6Dataobject;

// What testing one lens gives: its number of keys, and its deliverable rows in key order,
// each numbered with the 1-based position of its key among the lens's keys.
struct TLensOutcome {
    std::int64_t KeyCount = 0;
    TRowBlock Rows;
    // Set by whoever runs the lens: may take the rows so far (and clear them) once they
    // fill HandOverBytes, so that a lens with a great many rows need not hold them all.
    // The evaluation calls it between keys, after KeyCount is set.
    std::function<void(TLensOutcome&)> HandOver;
    std::size_t HandOverBytes = 0;

    void Clear() {
        KeyCount = 0;
        Rows.Clear();
    }
    void OfferRows() {
        if (HandOver && Rows.Bytes() >= HandOverBytes)
            HandOver(*this);
    }
};

// Reports the progress of an evaluation to the root's progress hook: the counting pass
// lens by lens, then the testing pass lens by lens, with exactly the calls a key-by-key
// report would make: one per deliverable key.
class TProgressReplay {
public:
    explicit TProgressReplay(Tdex6Dataobject& Root) : FRoot(Root) {}

    // The lenses counted so far have Total keys.
    void Counted(std::int64_t Total);
    // The rows of Outcome are the next part of the lens's rows; LensDone marks its last.
    void Lens(std::string_view Glass, const TLensOutcome& Outcome, bool LensDone = true);

private:
    Tdex6Dataobject& FRoot;
    // All lenses before the current one.
    TKombiTally FAll;
    // Rows of the lens in parts before the current part.
    std::int64_t FLensDeliverable = 0;
};

} // namespace kr6
