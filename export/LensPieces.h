#pragma once

#include "export/FastEvaluation.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace kr6 {

class TLensPlan;

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

// The plans of lenses cut into pieces, built once by the first piece to ask while the
// others wait, and kept only until the lens's last piece has asked.
class TSharedLensPlans {
public:
    using TPlan = std::shared_ptr<const TLensPlan>;

    TPlan Plan(const TLensPiece& Piece, const std::function<TPlan()>& Build);

private:
    struct TEntry {
        std::shared_future<TPlan> Plan;
        std::size_t PiecesToAsk = 0;
    };

    std::mutex FMutex;
    std::map<std::size_t, TEntry> FEntries;
};

} // namespace kr6
