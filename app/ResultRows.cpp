#include "app/ResultRows.h"

#include <algorithm>
#include <cstring>

namespace kr6 {

void TResultRows::Add(const TRow& Row, char Change) {
    std::size_t Size = Row.size() + 1 + (Change != 0 ? 2 : 0);
    bool Tabbed = false;
    for (const std::string_view Field : Row) {
        Size += Field.size();
        Tabbed = Tabbed || Field.find('\t') != std::string_view::npos;
    }
    if (FPages.empty() || FPages.back().Text.size() + Size > FPages.back().Text.capacity()) {
        TPage Page;
        Page.Text.reserve(std::max(PageBytes, Size));
        Page.FirstRow = FCount;
        FPages.push_back(std::move(Page));
    }
    TPage& Page = FPages.back();
    if ((FCount - Page.FirstRow) % MarkEvery == 0)
        Page.Marks.push_back(static_cast<std::uint32_t>(Page.Text.size()));
    if (Change != 0) {
        FChanges = true;
        Page.Text.append(1, Change).append(1, '\t');
    }
    AppendRowText(Page.Text, Row);
    Page.Text.append("\r\n");
    if (Tabbed) {
        TTabbedRow& Noted = FTabbedRows.emplace_back();
        Noted.Index = FCount;
        for (std::size_t F = 0; F < Noted.Lengths.size(); ++F)
            Noted.Lengths[F] = Row[F].size();
    }
    ++FCount;
    FBytes += Size;
}

void TResultRows::Clear() {
    FPages.clear();
    FTabbedRows.clear();
    FChanges = false;
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

TRow TResultRows::Fields(std::size_t Index, std::string_view Text) const {
    if (FChanges)
        Text.remove_prefix(std::min<std::size_t>(2, Text.size()));
    TRow Fields;
    const auto Noted = std::lower_bound(
        FTabbedRows.begin(), FTabbedRows.end(), Index,
        [](const TTabbedRow& Row, std::size_t Wanted) { return Row.Index < Wanted; });
    const bool Tabbed = Noted != FTabbedRows.end() && Noted->Index == Index;
    for (std::size_t F = 0; F + 1 < Fields.size(); ++F) {
        const std::size_t End = std::min(Tabbed ? Noted->Lengths[F] : Text.find('\t'), Text.size());
        Fields[F] = Text.substr(0, End);
        Text.remove_prefix(std::min(End + 1, Text.size()));
    }
    Fields.back() = Text;
    return Fields;
}

} // namespace kr6
