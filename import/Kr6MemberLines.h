#pragma once

#include "support/StringList.h"
#include "support/TextLines.h"

#include <cstddef>
#include <iterator>
#include <string_view>

namespace kr6 {

// The lines of one member as the building steps walk them: the text of an archive member,
// taken apart as it is walked, or the entries of a string list. Neither is copied.
class TKr6MemberLines {
public:
    class TIterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;

        TIterator() = default;
        std::string_view operator*() const {
            return FList != nullptr ? std::string_view((*FList)[FIndex]) : *FText;
        }
        TIterator& operator++() {
            ++FIndex;
            if (FList == nullptr)
                ++FText;
            return *this;
        }
        bool operator==(const TIterator& Other) const {
            return FList != nullptr ? FIndex == Other.FIndex : FText == Other.FText;
        }

    private:
        friend class TKr6MemberLines;
        TIterator(const TStringList* List, TTextLines::TIterator Text, int Index)
            : FList(List), FText(Text), FIndex(Index) {}

        const TStringList* FList = nullptr;
        TTextLines::TIterator FText;
        int FIndex = 0;
    };

    TKr6MemberLines() = default;
    // Count is the number of lines of Text.
    TKr6MemberLines(std::string_view Text, std::size_t Count)
        : FText(Text), FCount(static_cast<int>(Count)) {}
    // Lines of Text not counted, as they are read: Count gives 0.
    explicit TKr6MemberLines(std::string_view Text) : FText(Text) {}
    explicit TKr6MemberLines(const TStringList& List) : FList(&List), FCount(List.Count()) {}

    int Count() const { return FCount; }
    TIterator begin() const { return {FList, FText.begin(), 0}; }
    TIterator end() const { return {FList, FText.end(), FCount}; }

private:
    const TStringList* FList = nullptr;
    TTextLines FText{{}};
    int FCount = 0;
};

} // namespace kr6
