#pragma once

#include "support/StringList.h"

#include <cstdint>
#include <vector>

namespace kr6 {

class Tdex6Dataobject;

// What testing one lens gives: its number of keys, its deliverable rows in key order and,
// for each row, the 1-based position of its key among the lens's keys.
struct TLensOutcome {
    std::int64_t KeyCount = 0;
    TStringList Rows;
    std::vector<std::int64_t> Positions;

    void Clear() {
        KeyCount = 0;
        Rows.Clear();
        Positions.clear();
    }
};

// Reports the progress of the testing pass lens by lens, with exactly the calls a
// key-by-key report would make: one per deliverable key.
class TProgressReplay {
public:
    TProgressReplay(Tdex6Dataobject& Root, std::int64_t AllTotal)
        : FRoot(Root), FAllTotal(AllTotal) {}

    void Lens(std::string_view Glass, const TLensOutcome& Outcome);

    std::int64_t AllTested() const { return FAllTested; }
    std::int64_t AllDeliverable() const { return FAllDeliverable; }

private:
    Tdex6Dataobject& FRoot;
    std::int64_t FAllTotal;
    std::int64_t FAllTested = 0;
    std::int64_t FAllDeliverable = 0;
};

} // namespace kr6
