#include "export/RowBlock.h"

#include <algorithm>

namespace kr6 {

std::size_t TRowBlock::Capacity() const {
    std::size_t Bytes = 0;
    for (const TPage& Page : FPages)
        Bytes += Page.Text.capacity() + Page.Ends.capacity() * sizeof(std::uint32_t) +
                 Page.Positions.capacity() * sizeof(std::int64_t);
    return Bytes;
}

std::string_view TRowBlock::operator[](std::size_t Index) const {
    for (std::size_t P = 0; P < FUsed; ++P) {
        if (Index < FPages[P].Ends.size())
            return FPages[P].Row(Index);
        Index -= FPages[P].Ends.size();
    }
    return {};
}

void TRowBlock::Clear() {
    for (std::size_t P = 0; P < FUsed; ++P) {
        FPages[P].Text.clear();
        FPages[P].Ends.clear();
        FPages[P].Positions.clear();
    }
    FUsed = 0;
    FCount = 0;
    FBytes = 0;
}

void TRowBlock::Add(std::string_view Head, std::string_view Middle, std::string_view Tail,
                    std::int64_t Position) {
    const std::size_t Size = Head.size() + Middle.size() + Tail.size();
    // A row goes into the last page while it fits; a row larger than a page gets a page
    // of its own.
    if (FUsed == 0 || FPages[FUsed - 1].Text.size() + Size > PageBytes) {
        if (FUsed == FPages.size())
            FPages.emplace_back();
        TPage& Fresh = FPages[FUsed++];
        Fresh.Text.reserve(std::max(PageBytes, Size));
        // Rows are some dozens of bytes.
        Fresh.Ends.reserve(PageBytes / 40);
        Fresh.Positions.reserve(PageBytes / 40);
    }
    TPage& Page = FPages[FUsed - 1];
    Page.Text.append(Head).append(Middle).append(Tail);
    Page.Ends.push_back(static_cast<std::uint32_t>(Page.Text.size()));
    Page.Positions.push_back(Position);
    ++FCount;
    FBytes += Size;
}

} // namespace kr6
