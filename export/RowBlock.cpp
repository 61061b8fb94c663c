#include "export/RowBlock.h"

#include <utility>

namespace kr6 {

TRow TRowBlock::operator[](std::size_t Index) const {
    for (std::size_t P = 0; P < FUsed; ++P) {
        if (Index < FPages[P].Ends.size())
            return FPages[P].Row(Index);
        Index -= FPages[P].Ends.size();
    }
    return {};
}

TRowBlock::TRowBlock(TRowBlock&& Other) noexcept {
    *this = std::move(Other);
}

TRowBlock& TRowBlock::operator=(TRowBlock&& Other) noexcept {
    if (this != &Other) {
        GiveBack();
        FPool = Other.FPool;
        FPages = std::exchange(Other.FPages, {});
        FUsed = std::exchange(Other.FUsed, 0);
        FCount = std::exchange(Other.FCount, 0);
        FBytes = std::exchange(Other.FBytes, 0);
    }
    return *this;
}

void TRowBlock::Release() {
    GiveBack();
    FUsed = 0;
    FCount = 0;
    FBytes = 0;
}

void TRowBlock::GiveBack() noexcept {
    if (FPool != nullptr && !FPages.empty()) {
        const std::lock_guard Lock(FPool->FMutex);
        for (TPage& Page : FPages) {
            if (FPool->FPages.size() >= FPool->FKeptPages)
                break;
            Page.Text.clear();
            Page.Ends.clear();
            Page.Positions.clear();
            FPool->FPages.push_back(std::move(Page));
        }
    }
    FPages.clear();
}

TRowBlock::TPage TRowBlock::NewPage() {
    if (FPool != nullptr) {
        const std::lock_guard Lock(FPool->FMutex);
        if (!FPool->FPages.empty()) {
            TPage Page = std::move(FPool->FPages.back());
            FPool->FPages.pop_back();
            return Page;
        }
    }
    TPage Page;
    Page.Text.reserve(PageBytes);
    // Rows are some dozens of bytes.
    Page.Ends.reserve(PageBytes / 32);
    Page.Positions.reserve(PageBytes / 32);
    return Page;
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

void TRowBlock::Add(const TRow& Row, std::int64_t Position) {
    std::size_t Size = 0;
    for (const std::string_view Field : Row)
        Size += Field.size();
    // A row goes into the last page while it fits; a row larger than a page gets a page
    // of its own.
    if (FUsed == 0 || FPages[FUsed - 1].Text.size() + Size > PageBytes) {
        if (FUsed == FPages.size())
            FPages.push_back(NewPage());
        FPages[FUsed++].Text.reserve(Size);
    }
    TPage& Page = FPages[FUsed - 1];
    std::size_t At = Page.Text.size();
    Page.Text.resize(At + Size);
    std::array<std::uint32_t, 5> Ends;
    for (std::size_t F = 0; F < Row.size(); ++F) {
        At += Row[F].copy(Page.Text.data() + At, Row[F].size());
        Ends[F] = static_cast<std::uint32_t>(At);
    }
    Page.Ends.push_back(Ends);
    Page.Positions.push_back(Position);
    ++FCount;
    FBytes += Size;
}

} // namespace kr6
