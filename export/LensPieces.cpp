#include "export/LensPieces.h"

#include <algorithm>

namespace kr6 {

void AddLensPieces(std::size_t Lens, const TLensShape& Shape, std::int64_t PieceKeys,
                   std::vector<TLensPiece>& Pieces) {
    const std::int64_t KeysPerGroup = Shape.Groups > 0 ? Shape.KeyCount / Shape.Groups : 0;
    if (!Shape.Divisible || Shape.KeyCount <= PieceKeys || KeysPerGroup == 0) {
        Pieces.push_back({Lens, 0, Shape.Groups, 1, true});
        return;
    }
    const std::int64_t GroupsPerPiece = std::max<std::int64_t>(1, PieceKeys / KeysPerGroup);
    const auto Count =
        static_cast<std::size_t>((Shape.Groups + GroupsPerPiece - 1) / GroupsPerPiece);
    for (std::int64_t First = 0; First < Shape.Groups; First += GroupsPerPiece) {
        const std::int64_t End = std::min(Shape.Groups, First + GroupsPerPiece);
        Pieces.push_back({Lens, First, End, Count, End == Shape.Groups});
    }
}

TSharedLensPlans::TPlan TSharedLensPlans::Plan(const TLensPiece& Piece,
                                               const std::function<TPlan()>& Build) {
    std::promise<TPlan> Promise;
    std::shared_future<TPlan> Plan;
    bool Builds = false;
    {
        const std::lock_guard Lock(FMutex);
        auto [Entry, New] = FEntries.try_emplace(Piece.Lens);
        if (New) {
            Entry->second.Plan = Promise.get_future().share();
            Entry->second.PiecesToAsk = Piece.LensPieces;
            Builds = true;
        }
        Plan = Entry->second.Plan;
        if (--Entry->second.PiecesToAsk == 0)
            FEntries.erase(Entry);
    }
    if (Builds) {
        try {
            Promise.set_value(Build());
        } catch (...) {
            Promise.set_exception(std::current_exception());
        }
    }
    return Plan.get();
}

} // namespace kr6
