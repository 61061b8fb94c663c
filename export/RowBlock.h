#pragma once

#include "export/Row.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace kr6 {

// Rows kept back to back in pages, their fields one after the other, each row with a number (the
// evaluation's: the position of its key among the lens's keys). A lens may have millions of rows:
// one string each would cost an allocation per row, and one growing buffer would copy them again
// and again and leave the allocator holes of every size. Pages are all alike instead, and a block
// grows without moving what it holds.
class TRowBlock {
    struct TPage {
        std::string Text;
        // Where each field of each row ends in Text.
        std::vector<std::array<std::uint32_t, 5>> Ends;
        std::vector<std::int64_t> Positions;

        TRow Row(std::size_t Index) const {
            TRow Fields;
            std::size_t Begin = Index == 0 ? 0 : Ends[Index - 1].back();
            for (std::size_t F = 0; F < Fields.size(); ++F) {
                Fields[F] = std::string_view(Text).substr(Begin, Ends[Index][F] - Begin);
                Begin = Ends[Index][F];
            }
            return Fields;
        }
    };

public:
    static constexpr std::size_t PageBytes = std::size_t{64} << 10;

    // Pages that blocks give back and take again, shared by the threads of an evaluation:
    // a page taken again is still present and mostly still in the caches, where a new
    // one would come cold from the allocator, page fault by page fault. The pool must
    // outlive the blocks that use it.
    class TPagePool {
    public:
        // Keeps pages given back up to this many bytes of rows and frees the rest.
        explicit TPagePool(std::size_t KeptBytes) : FKeptPages(KeptBytes / PageBytes) {}
        TPagePool(const TPagePool&) = delete;
        TPagePool& operator=(const TPagePool&) = delete;

    private:
        friend class TRowBlock;

        std::mutex FMutex;
        std::vector<TPage> FPages;
        std::size_t FKeptPages;
    };

    class TIterator {
    public:
        using value_type = TRow;
        using difference_type = std::ptrdiff_t;

        TIterator() = default;
        TIterator(const std::vector<TPage>* Pages, std::size_t Page, std::size_t Row)
            : FPages(Pages), FPage(Page), FRow(Row) {}
        TRow operator*() const { return (*FPages)[FPage].Row(FRow); }
        std::int64_t Position() const { return (*FPages)[FPage].Positions[FRow]; }
        TIterator& operator++() {
            if (++FRow == (*FPages)[FPage].Ends.size()) {
                ++FPage;
                FRow = 0;
            }
            return *this;
        }
        TIterator operator++(int) {
            TIterator Old = *this;
            ++*this;
            return Old;
        }
        bool operator==(const TIterator& Other) const {
            return FPage == Other.FPage && FRow == Other.FRow;
        }

    private:
        const std::vector<TPage>* FPages = nullptr;
        std::size_t FPage = 0;
        std::size_t FRow = 0;
    };

    // Pages come from Pool and go back to it, if there is one.
    explicit TRowBlock(TPagePool* Pool = nullptr) : FPool(Pool) {}
    ~TRowBlock() { GiveBack(); }
    TRowBlock(const TRowBlock&) = delete;
    TRowBlock& operator=(const TRowBlock&) = delete;
    TRowBlock(TRowBlock&& Other) noexcept;
    TRowBlock& operator=(TRowBlock&& Other) noexcept;

    std::size_t Count() const { return FCount; }
    bool IsEmpty() const { return FCount == 0; }
    // Bytes of the fields of all rows.
    std::size_t Bytes() const { return FBytes; }
    // Walks the pages: for the odd lookup, not for going through the rows.
    TRow operator[](std::size_t Index) const;

    TIterator begin() const { return {&FPages, 0, 0}; }
    TIterator end() const { return {&FPages, FUsed, 0}; }

    // Keeps the pages for the next rows.
    void Clear();
    // Gives the pages back to the pool, or frees them.
    void Release();
    void Add(const TRow& Row, std::int64_t Position = 0);

private:
    void GiveBack() noexcept;
    TPage NewPage();

    TPagePool* FPool = nullptr;
    std::vector<TPage> FPages;
    std::size_t FUsed = 0; // pages holding rows
    std::size_t FCount = 0;
    std::size_t FBytes = 0;
};

} // namespace kr6
