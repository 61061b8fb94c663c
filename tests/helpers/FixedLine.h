#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace kr6::test {

// A fixed-column record line built by placing texts at 1-based positions; the gaps are
// blanks.
class TFixedLine {
public:
    TFixedLine() = default;
    explicit TFixedLine(std::string Line) : FLine(std::move(Line)) {}

    TFixedLine& At(int Pos, std::string_view Text) {
        const auto Start = static_cast<std::size_t>(Pos - 1);
        if (FLine.size() < Start + Text.size())
            FLine.resize(Start + Text.size(), ' ');
        FLine.replace(Start, Text.size(), Text);
        return *this;
    }
    // Pads with blanks to Length.
    TFixedLine& Width(std::size_t Length) {
        if (FLine.size() < Length)
            FLine.resize(Length, ' ');
        return *this;
    }
    operator std::string_view() const { return FLine; }
    const std::string& Text() const { return FLine; }

private:
    std::string FLine;
};

// A line of texts placed at 1-based positions, ended by CR LF.
inline std::string LineOf(std::initializer_list<std::pair<int, std::string_view>> Fields) {
    TFixedLine Line;
    for (const auto& [Pos, Text] : Fields)
        Line.At(Pos, Text);
    return Line.Text() + "\r\n";
}

} // namespace kr6::test
