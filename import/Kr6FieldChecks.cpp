#include "import/Kr6FieldChecks.h"

#include "model/CodeIndex.h"
#include "support/DateTimeText.h"

#include <algorithm>
#include <array>

namespace kr6 {
namespace {

// Nearly every numeric field of a price list is digits only, which always convert: they
// are let through without the conversion.
bool IsShortDigitRun(std::string_view Field) {
    return !Field.empty() && Field.size() <= 9 &&
           std::all_of(Field.begin(), Field.end(), [](char C) { return C >= '0' && C <= '9'; });
}

} // namespace

bool IsEmptyLine(std::string_view Line) {
    return TrimRightBlanks(Line).empty();
}

void CheckKr6Number(const TKr6LineReport& Report, std::string_view Line, int Pos, int Width) {
    const std::string_view Field = Kr6Field(Line, Pos, Width);
    if (IsShortDigitRun(Field) || TrimBlanks(Field).empty() || TryTextToInt(Field))
        return;
    Report.Add(TKr6FindingCode::InvalidNumber, Pos,
               Quoted(Field) + " is not a whole number (of at most 32 bits): read as 0");
}

void CheckKr6Decimal(const TKr6LineReport& Report, std::string_view Line, int Pos, int Width) {
    const std::string_view Field = Kr6Field(Line, Pos, Width);
    if (IsShortDigitRun(Field) || TrimBlanks(Field).empty() || TryTextToFloat(Field))
        return;
    Report.Add(TKr6FindingCode::InvalidNumber, Pos, Quoted(Field) + " is not a number: read as 0");
}

void CheckKr6Date(const TKr6LineReport& Report, std::string_view Line, int Pos) {
    const std::string_view Field = Kr6Field(Line, Pos, 8);
    const std::string_view Written = TrimRightBlanks(Field);
    if (Written.find_first_not_of('0') == std::string_view::npos)
        return;
    const auto Part = [&](int Offset, int Width) {
        return TextToInt(Kr6Field(Field, Offset + 1, Width));
    };
    TDateTime Date = 0;
    if (TryEncodeDate(Part(0, 4), Part(4, 2), Part(6, 2), Date))
        return;
    Report.Add(TKr6FindingCode::InvalidDate, Pos,
               Quoted(Field) + " is not a date (yyyymmdd): read as no date");
}

void ReportKr6UnknownCode(const TKr6LineReport& Report, std::string_view Line, int Pos, int Width,
                          int Default) {
    Report.Add(TKr6FindingCode::UnknownCode, Pos,
               "code " + Quoted(TrimBlanks(Kr6Field(Line, Pos, Width))) +
                   " is not one of this field's codes: read as " + std::to_string(Default));
}

void CheckKr6Length(const TKr6LineReport& Report, std::string_view Line, int FullLength) {
    const auto Full = static_cast<std::size_t>(FullLength);
    if (Line.size() <= Full)
        return;
    const std::string_view Beyond = TrimRightBlanks(Line.substr(Full));
    if (Beyond.empty())
        return;
    Report.Add(TKr6FindingCode::LongLine, FullLength + 1,
               "the line is longer than its " + std::to_string(FullLength) +
                   " characters: " + Quoted(Beyond) + " is not read");
}

// The price columns that hold an amount for a price field the header does not name.
void CheckKr6UnnamedPrices(const TKr6LineReport& Report, std::string_view Line,
                           const std::array<double, 5>& Amounts, const std::array<bool, 5>& Filled,
                           int FirstColumn, int Width) {
    for (int K = 0; K < 5; ++K) {
        if (Filled[K] || Amounts[K] == 0)
            continue;
        const int Column = FirstColumn + K * Width;
        Report.Add(TKr6FindingCode::PriceColumnUnnamed, Column,
                   "price " + std::to_string(K + 1) + " holds " +
                       Quoted(TrimBlanks(Kr6Field(Line, Column, Width))) +
                       ", but the header names no price field " + std::to_string(K + 1) +
                       " (pricefield-0" + std::to_string(K + 1) + "): not imported");
    }
}

void ReportKr6UnknownLens(const TKr6LineReport& Report, std::string_view What,
                          std::string_view Code) {
    Report.Add(TKr6FindingCode::UnknownLens, 0,
               std::string(What) + " for lens " + Quoted(Code) +
                   ", which the list does not hold: not imported");
}

void ReportKr6UnknownCoating(const TKr6LineReport& Report, std::string_view What,
                             std::string_view Code) {
    Report.Add(TKr6FindingCode::UnknownCoating, 0,
               std::string(What) + " for coating " + Quoted(Code) +
                   ", which the list does not hold: not imported");
}

void ReportKr6RepeatedCode(const TKr6LineReport& Report,
                           std::unordered_map<std::string, int>& FirstLines, std::string_view Code,
                           TKr6FindingCode Finding, std::string_view What) {
    const auto [First, New] = FirstLines.try_emplace(SameTextKey(Code), Report.Line());
    if (New)
        return;
    const std::string Kind(What);
    Report.Add(Finding, 0,
               Kind + " code " + Quoted(Code) + " was on line " + std::to_string(First->second) +
                   " already: a second " + Kind +
                   " of this code, which every later line of the code attaches to");
}

void ReportKr6UnknownTarget(const TKr6LineReport& Report, std::int32_t Target,
                            std::string_view Done) {
    Report.Add(TKr6FindingCode::UnknownTarget, 0,
               "target " + std::to_string(Target) +
                   " is neither 0 (lens) nor 1 (coating): " + std::string(Done));
}

} // namespace kr6
