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

const TLensPlan& TThreadLensPlans::Plan(std::size_t Lens, const std::function<TPlan()>& Build) {
    TEntry* Entry = nullptr;
    {
        const std::lock_guard Lock(FMutex);
        Entry = &FEntries[std::this_thread::get_id()];
    }
    // Only this thread touches its entry; the map's nodes stay where they are.
    if (!Entry->Plan || Entry->Lens != Lens) {
        Entry->Plan.reset();
        Entry->Plan = Build();
        Entry->Lens = Lens;
    }
    return *Entry->Plan;
}

} // namespace kr6
