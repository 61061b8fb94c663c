#pragma once

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kr6 {

// One line of a fixed-column KR6 record file, filled field by field at 1-based positions;
// unfilled columns stay blank. A field that does not fit its columns is a fault of the
// generator, not of its input, and throws.
class TKr6Line {
public:
    explicit TKr6Line(int Length) : FLine(static_cast<std::size_t>(Length), ' ') {}

    // Left-aligned, cut to Width.
    TKr6Line& Text(int Pos, int Width, std::string_view Value) {
        Check(Pos, Width);
        FLine.replace(static_cast<std::size_t>(Pos - 1), std::min<std::size_t>(Value.size(), Width),
                      Value.substr(0, static_cast<std::size_t>(Width)));
        return *this;
    }

    // Right-aligned with leading zeros; a negative number puts its sign first, so -150 in
    // five columns is "-0150".
    TKr6Line& Number(int Pos, int Width, long long Value) {
        Check(Pos, Width);
        const std::string Digits = std::to_string(std::llabs(Value));
        const std::size_t Sign = Value < 0 ? 1 : 0;
        if (Digits.size() + Sign > static_cast<std::size_t>(Width))
            throw std::out_of_range(std::to_string(Value) + " does not fit in " +
                                    std::to_string(Width) + " columns at " + std::to_string(Pos));
        std::string Field(static_cast<std::size_t>(Width) - Digits.size(), '0');
        if (Sign != 0)
            Field[0] = '-';
        Field += Digits;
        FLine.replace(static_cast<std::size_t>(Pos - 1), Field.size(), Field);
        return *this;
    }

    TKr6Line& Flag(int Pos, bool Value) { return Number(Pos, 1, Value ? 1 : 0); }

    const std::string& Line() const { return FLine; }

private:
    void Check(int Pos, int Width) const {
        if (Pos < 1 || Width < 1 || static_cast<std::size_t>(Pos - 1 + Width) > FLine.size())
            throw std::out_of_range("field at " + std::to_string(Pos) + " width " +
                                    std::to_string(Width) + " lies outside a line of " +
                                    std::to_string(FLine.size()));
    }

    std::string FLine;
};

} // namespace kr6
