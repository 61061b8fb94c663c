#pragma once

#include "export/FastEvaluation.h"
#include "export/LensPlan.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace kr6 {

// A stretch of one lens's keys: its groups First to End - 1.
struct TLensPiece {
    std::size_t Lens = 0;
    std::int64_t FirstGroup = 0;
    std::int64_t EndGroup = 0;
    // Pieces of the lens in all; 1 means the whole lens, planned by itself.
    std::size_t LensPieces = 1;
    bool LastOfLens = true;
};

// Cuts a lens into pieces of whole groups with about PieceKeys keys each (at least one
// group) and appends them. Lenses with many keys are then shared out among the threads,
// and the rows that wait for their turn are never more than a few pieces' worth.
void AddLensPieces(std::size_t Lens, const TLensShape& Shape, std::int64_t PieceKeys,
                   std::vector<TLensPiece>& Pieces);

// The plan of the lens each thread works on, kept for the next piece the thread takes.
// Threads do not share plans: a plan built on one core and read on another travels
// between the cores' caches with every piece, which costs more than building it again.
class TThreadLensPlans {
public:
    using TPlan = std::unique_ptr<const TLensPlan>;

    // The calling thread's plan of Lens, made by Build unless the thread's last piece was
    // of the same lens. Valid until the thread asks for another lens.
    const TLensPlan& Plan(std::size_t Lens, const std::function<TPlan()>& Build);

private:
    struct TEntry {
        std::size_t Lens = 0;
        TPlan Plan;
    };

    std::mutex FMutex;
    std::map<std::thread::id, TEntry> FEntries;
};

} // namespace kr6
