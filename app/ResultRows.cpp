#include "app/ResultRows.h"

#include <algorithm>
#include <cstring>

namespace kr6 {

void TResultRows::Add(std::string_view Row) {
    const std::size_t Size = Row.size() + 2;
    if (FPages.empty() || FPages.back().Text.size() + Size > FPages.back().Text.capacity()) {
        TPage Page;
        Page.Text.reserve(std::max(PageBytes, Size));
        Page.FirstRow = FCount;
        FPages.push_back(std::move(Page));
    }
    TPage& Page = FPages.back();
    if ((FCount - Page.FirstRow) % MarkEvery == 0)
        Page.Marks.push_back(static_cast<std::uint32_t>(Page.Text.size()));
    Page.Text.append(Row).append("\r\n");
    ++FCount;
    FBytes += Size;
}

void TResultRows::Clear() {
    FPages.clear();
    FCount = 0;
    FBytes = 0;
}

std::string_view TResultRows::Row(std::size_t Index) const {
    if (Index >= FCount)
        return {};
    const auto Page = std::prev(std::upper_bound(
        FPages.begin(), FPages.end(), Index,
        [](std::size_t Wanted, const TPage& Each) { return Wanted < Each.FirstRow; }));
    const std::size_t InPage = Index - Page->FirstRow;
    const char* Text = Page->Text.data();
    const char* End = Text + Page->Text.size();
    const char* Start = Text + Page->Marks[InPage / MarkEvery];
    for (std::size_t Skip = InPage % MarkEvery; Skip > 0; --Skip)
        Start = static_cast<const char*>(std::memchr(Start, '\n', End - Start)) + 1;
    const char* LineEnd = static_cast<const char*>(std::memchr(Start, '\n', End - Start));
    // The carriage return before the line feed is no part of the row.
    return std::string_view(Start, LineEnd - Start - 1);
}

std::string TResultRows::Text() const {
    std::string Whole;
    Whole.reserve(FBytes);
    ForEachPiece([&](std::string_view Piece) { Whole.append(Piece); });
    return Whole;
}

} // namespace kr6
