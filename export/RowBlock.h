#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kr6 {

// Rows kept back to back in one buffer: a lens may have millions of them, and one string
// each would cost an allocation per row.
class TRowBlock {
public:
    class TIterator {
    public:
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;

        TIterator() = default;
        TIterator(const TRowBlock* Block, std::size_t Index) : FBlock(Block), FIndex(Index) {}
        std::string_view operator*() const { return (*FBlock)[FIndex]; }
        TIterator& operator++() {
            ++FIndex;
            return *this;
        }
        TIterator operator++(int) {
            TIterator Old = *this;
            ++FIndex;
            return Old;
        }
        bool operator==(const TIterator& Other) const { return FIndex == Other.FIndex; }

    private:
        const TRowBlock* FBlock = nullptr;
        std::size_t FIndex = 0;
    };

    std::size_t Count() const { return FEnds.size(); }
    bool IsEmpty() const { return FEnds.empty(); }
    // Bytes of all rows.
    std::size_t Bytes() const { return FText.size(); }
    std::size_t Capacity() const { return FText.capacity(); }
    std::string_view operator[](std::size_t Index) const {
        const std::size_t Begin = Index == 0 ? 0 : FEnds[Index - 1];
        return std::string_view(FText).substr(Begin, FEnds[Index] - Begin);
    }
    TIterator begin() const { return {this, 0}; }
    TIterator end() const { return {this, FEnds.size()}; }

    void Clear() {
        FText.clear();
        FEnds.clear();
    }
    void Add(std::string_view Row) {
        FText.append(Row);
        FEnds.push_back(FText.size());
    }
    // Adds the row made of the three parts.
    void Add(std::string_view Head, std::string_view Middle, std::string_view Tail) {
        FText.append(Head).append(Middle).append(Tail);
        FEnds.push_back(FText.size());
    }

private:
    std::string FText;
    std::vector<std::size_t> FEnds;
};

} // namespace kr6
