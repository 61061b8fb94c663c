#pragma once

#include "import/Kr6Columns.h"
#include "model/CodeTables.h"
#include "support/DateTimeText.h"

#include <bit>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace kr6::test {

// Fills records column by column from their layouts so that no two fields hold the same
// value and none holds its default: a field the import reads into another member's place
// shows where it lands. Numbers of one width count up, skipping multiples of ten, so that
// no two of them read alike through their divisors either; a column of one digit has only
// nine and repeats them after nine fields. Codes are members of their tables other than
// the first, each table's in turn.
//
// A flag has two values, so one line cannot tell flags apart: flag column K (counted
// from 0 within its layout) holds bit Line of K + 1, and over FlagLines<Layout> lines each
// flag is set somewhere and no two flags are alike in all.
class TDistinctValues {
public:
    template <class Layout, class Record> void Fill(Record& Rec, int Line) {
        FillAll<Record>(Rec, Line, static_cast<Layout*>(nullptr));
    }

private:
    template <class Record, int Length, class... Columns>
    void FillAll(Record& Rec, int Line, TKr6Layout<Length, Columns...>*) {
        int Flag = 0;
        (FillColumn<Columns>(Rec, Line, Flag), ...);
    }

    template <class Column, class Record> void FillColumn(Record& Rec, int Line, int& Flag) {
        using Array = kr6_columns::TArrayOf<kr6_columns::ValueOf<Column>>;
        auto& Target = Rec.*Column::Member;
        if constexpr (Array::IsArray) {
            for (auto& Element : Target)
                Element = Next<Column, typename Array::Element>(Line, Flag);
        } else {
            Target = Next<Column, typename Array::Element>(Line, Flag);
        }
    }

    template <class Column, class Value> Value Next(int Line, int& Flag) {
        constexpr int W = Column::Width;
        constexpr TKr6Kind K = Column::Kind;
        if constexpr (K == TKr6Kind::TextTrimRight || K == TKr6Kind::TextTrimmed ||
                      K == TKr6Kind::RawText) {
            const std::string Text = "t" + std::to_string(++FTexts);
            if (Text.size() > static_cast<std::size_t>(W))
                throw std::out_of_range("no more distinct texts of " + std::to_string(W));
            return Text;
        } else if constexpr (K == TKr6Kind::Integer) {
            return static_cast<Value>(NextNumber(W));
        } else if constexpr (K == TKr6Kind::Decimal) {
            return static_cast<Value>(NextNumber(W)) / Column::Divisor;
        } else if constexpr (K == TKr6Kind::Flag) {
            return ((++Flag >> Line) & 1) != 0;
        } else if constexpr (K == TKr6Kind::Date) {
            ++FDates;
            return EncodeDateTime(2030 + FDates, 1 + FDates % 12, 1 + FDates % 28);
        } else if constexpr (K == TKr6Kind::Diameter) {
            ++FDiameters;
            return MakeDiameter(50 + FDiameters, 70 + FDiameters, true);
        } else if constexpr (K == TKr6Kind::MaterialSet) {
            // The four real materials are bits 1 to 4 of a set.
            return TMaterialSet::FromBits(static_cast<std::uint32_t>(++FMaterials % 15 + 1) << 1);
        } else if constexpr (K == TKr6Kind::Colour) {
            const int C = 3 * ++FColours;
            return C + 256 * (C + 1) + 65536 * (C + 2);
        } else {
            static_assert(K == TKr6Kind::Code);
            const std::vector<int>& Codes = CodesOf<Value, W>();
            // Each table starts at its own place, so that tables of one size do not
            // give the same codes side by side.
            int& Used = FCodes.try_emplace(&Codes, static_cast<int>(FCodes.size())).first->second;
            return FromCode<Value>(Codes[static_cast<std::size_t>(Used++) % Codes.size()]);
        }
    }

    // The codes of the members other than the first that fit in Width digits.
    template <class E, int Width> static const std::vector<int>& CodesOf() {
        static const std::vector<int> Codes = [] {
            std::vector<int> Result;
            for (int Code = 0; Code < Power(Width); ++Code)
                if (IsCodeOf<E>(Code) && FromCode<E>(Code) != E{})
                    Result.push_back(Code);
            return Result;
        }();
        return Codes;
    }

    static int Power(int Width) {
        int P = 1;
        for (int I = 0; I < Width; ++I)
            P *= 10;
        return P;
    }

    // 1 to 9 for one digit, 11 to 99 for two, 101 to 999 for three, ...
    int NextNumber(int Width) {
        const int First = Power(Width - 1) + (Width > 1 ? 1 : 0);
        int& Last = FNumbers.try_emplace(Width, First - 1).first->second;
        do
            Last = Last + 1 < Power(Width) ? Last + 1 : First;
        while (Last % 10 == 0);
        return Last;
    }

    int FTexts = 0;
    int FDates = 0;
    int FDiameters = 0;
    int FMaterials = 0;
    int FColours = 0;
    // How many fields took a code of each table, by the table's list of codes.
    std::map<const std::vector<int>*, int> FCodes;
    std::map<int, int> FNumbers;
};

// How many lines of a layout tell all its flags apart, at least one.
template <class Layout> struct TFlagLines;
template <int Length, class... Columns> struct TFlagLines<TKr6Layout<Length, Columns...>> {
    static constexpr int Flags = (0 + ... + (Columns::Kind == TKr6Kind::Flag ? 1 : 0));
    static constexpr int Value = Flags == 0 ? 1 : std::bit_width(static_cast<unsigned>(Flags));
};
template <class Layout> inline constexpr int FlagLines = TFlagLines<Layout>::Value;

} // namespace kr6::test
