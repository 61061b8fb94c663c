#pragma once

// The checks of a line's fields, the same table as the parse (Kr6Columns.h) walked a
// second time when someone asks what the parse read differently than written. The parse
// itself stays as fast as it is without anyone asking.

#include "import/Kr6Columns.h"
#include "import/Kr6LineReport.h"
#include "model/CodeTables.h"
#include "support/Conversions.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kr6 {

// An integer field (a flag, a target) that is not blank and does not convert.
void CheckKr6Number(const TKr6LineReport& Report, std::string_view Line, int Pos, int Width);
// A scaled decimal that is not blank and does not convert.
void CheckKr6Decimal(const TKr6LineReport& Report, std::string_view Line, int Pos, int Width);
// An eight-character date that is neither blank, nor zeros, nor a day of the calendar.
void CheckKr6Date(const TKr6LineReport& Report, std::string_view Line, int Pos);
// A code field whose number its table does not know, Default being the code it reads as.
void ReportKr6UnknownCode(const TKr6LineReport& Report, std::string_view Line, int Pos, int Width,
                          int Default);
// Characters other than blanks after the record's full length.
void CheckKr6Length(const TKr6LineReport& Report, std::string_view Line, int FullLength);

namespace kr6_columns {

template <class Column, class Element>
void CheckOne(const TKr6LineReport& Report, std::string_view Line, int Pos) {
    constexpr int W = Column::Width;
    constexpr TKr6Kind K = Column::Kind;
    if constexpr (K == TKr6Kind::Integer || K == TKr6Kind::Flag) {
        CheckKr6Number(Report, Line, Pos, W);
    } else if constexpr (K == TKr6Kind::Decimal) {
        CheckKr6Decimal(Report, Line, Pos, W);
    } else if constexpr (K == TKr6Kind::Date) {
        CheckKr6Date(Report, Line, Pos);
    } else if constexpr (K == TKr6Kind::Diameter) {
        // Two two-digit numbers; the elliptical mark is no number.
        CheckKr6Number(Report, Line, Pos, 2);
        CheckKr6Number(Report, Line, Pos + 2, 2);
    } else if constexpr (K == TKr6Kind::Colour) {
        for (int Part = 0; Part < 3; ++Part)
            CheckKr6Number(Report, Line, Pos + 3 * Part, 3);
    } else if constexpr (K == TKr6Kind::Code) {
        const std::string_view Field = Kr6Field(Line, Pos, W);
        if (TrimBlanks(Field).empty())
            return;
        const std::optional<std::int32_t> Number = TryTextToInt(Field);
        if (!Number)
            CheckKr6Number(Report, Line, Pos, W);
        else if (!IsCodeOf<Element>(*Number))
            ReportKr6UnknownCode(Report, Line, Pos, W, Code(FromCode<Element>(*Number)));
    }
}

template <class Column> void Check(const TKr6LineReport& Report, std::string_view Line) {
    using Array = TArrayOf<ValueOf<Column>>;
    for (std::size_t K = 0; K < Array::Count; ++K)
        CheckOne<Column, typename Array::Element>(
            Report, Line, Column::First + static_cast<int>(K) * Column::Width);
}

template <class Column> constexpr int EndOf() {
    return Column::First + Column::Width * static_cast<int>(TArrayOf<ValueOf<Column>>::Count) - 1;
}

template <class Layout> struct TCheck;
template <int Length, class... Columns> struct TCheck<TKr6Layout<Length, Columns...>> {
    static constexpr int FullLength = std::max({EndOf<Columns>()...});
    static void Run(const TKr6LineReport& Report, std::string_view Line) {
        (Check<Columns>(Report, Line), ...);
        CheckKr6Length(Report, Line, FullLength);
    }
};

} // namespace kr6_columns

// The last position of the layout's last field.
template <class Layout>
inline constexpr int Kr6FullLength = kr6_columns::TCheck<Layout>::FullLength;

// Reports the field findings of a line that is not empty: numbers that do not convert,
// dates that do not exist, codes the tables do not know, text past the full length.
template <class Layout> void CheckKr6Fields(const TKr6LineReport& Report, std::string_view Line) {
    kr6_columns::TCheck<Layout>::Run(Report, Line);
}

// The findings of a record line before its lens or coating is looked for; false for an
// empty line, which gets no other.
template <class Layout> bool CheckKr6Line(TKr6LineReport& Report, std::string_view Line) {
    Report.Next(Line);
    if (IsEmptyLine(Line)) {
        Report.Add(TKr6FindingCode::EmptyLine, 0, "empty line");
        return false;
    }
    CheckKr6Fields<Layout>(Report, Line);
    return true;
}

// The price columns (five of Width from FirstColumn) that hold an amount other than zero
// for a price field the header does not name.
void CheckKr6UnnamedPrices(const TKr6LineReport& Report, std::string_view Line,
                           const std::array<double, 5>& Amounts, const std::array<bool, 5>& Filled,
                           int FirstColumn, int Width);

// A line about a lens or coating the list does not hold; What says what the line holds.
void ReportKr6UnknownLens(const TKr6LineReport& Report, std::string_view What,
                          std::string_view Code);
void ReportKr6UnknownCoating(const TKr6LineReport& Report, std::string_view What,
                             std::string_view Code);
// A code (not blank) of a lens or coating that an earlier line had, as the lookup by code
// compares them; FirstLines holds the first line of each code seen.
void ReportKr6RepeatedCode(const TKr6LineReport& Report,
                           std::unordered_map<std::string, int>& FirstLines, std::string_view Code,
                           TKr6FindingCode Finding, std::string_view What);

// A target other than 0 (lens) and 1 (coating).
void ReportKr6UnknownTarget(const TKr6LineReport& Report, std::int32_t Target,
                            std::string_view Done = "the line is ignored");

} // namespace kr6
