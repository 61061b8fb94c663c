#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

namespace kr6 {

// The lines of a text, taken apart as they are walked: CR, LF or CR LF end a line, a last
// line without an end is a line, and a zero byte ends the text. TStringList::SetText takes
// a text apart the same way; this walks a large text without copying every line.
class TTextLines {
public:
    class TIterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;

        TIterator() = default;
        std::string_view operator*() const { return FLine; }
        TIterator& operator++() {
            Take(FNext);
            return *this;
        }
        bool operator==(const TIterator& Other) const { return FStart == Other.FStart; }

    private:
        friend class TTextLines;
        TIterator(std::string_view Text, std::size_t Start) : FText(Text) { Take(Start); }
        void Take(std::size_t Start);

        std::string_view FText;
        std::size_t FStart = 0;
        std::size_t FNext = 0;
        // Where the first LF from FStart on stands (the end without one); to be searched
        // again when below FStart.
        static constexpr std::size_t Unknown = std::string_view::npos;
        std::size_t FFeed = Unknown;
        std::string_view FLine;
    };

    explicit TTextLines(std::string_view Text) : FText(Text.substr(0, Text.find('\0'))) {}

    TIterator begin() const { return {FText, 0}; }
    TIterator end() const { return {FText, FText.size()}; }
    // Counted without taking the lines apart.
    std::size_t Count() const;

private:
    std::string_view FText;
};

} // namespace kr6
