#pragma once

#include "export/RowSpool.h"
#include "model/KombiCounts.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kr6 {

class Tdex6Dataobject;

// Called before the first test with an empty Lens while the combinations are counted,
// then after each lens; on any of the evaluation's threads, one call at a time.
using TSpoolProgress = std::function<void(std::string_view Lens, const TKombiTally& All)>;

// Evaluates every lens of Root with the fast engine on Threads threads (0: one per core)
// and spools its deliverable rows, the rows `evaluate` writes, as a set: lenses in
// ascending byte order of their codes (a code listed twice is evaluated once), rows in
// the order of RowLess.
void SpoolRows(const Tdex6Dataobject& Root, TRowSpool& Spool, unsigned Threads,
               const TSpoolProgress& Progress = {});

// Receives one row of the difference: '+' for a row only in the new list, '-' for one
// only in the old.
using TRowChangeSink = std::function<void(char Change, const TRow& Row)>;

struct TRowChangeCount {
    std::int64_t Added = 0;
    std::int64_t Removed = 0;
};

// Hands Sink the rows that only one of the spools holds, ordered by lens code, then by
// row (in byte order of their codes and texts). Sink may be empty to count only.
TRowChangeCount CompareRows(const TRowSpool& Old, const TRowSpool& New, const TRowChangeSink& Sink);

// A lens of both lists whose number of deliverable rows differs, also when only one of the
// lists evaluates it.
struct TCountChange {
    std::string Lens;
    std::int64_t Old = 0;
    std::int64_t New = 0;
};

// The lenses of both lists (OldLenses and NewLenses, each in ascending byte order) whose
// counts differ, in that order; a lens that a spool does not hold has no rows there.
std::vector<TCountChange> CompareRowCounts(const TRowSpool& Old, const TRowSpool& New,
                                           const std::vector<std::string>& OldLenses,
                                           const std::vector<std::string>& NewLenses);

} // namespace kr6
