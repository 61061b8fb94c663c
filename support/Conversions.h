#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kr6 {

class TStringList;

// Conversions never fail: text that does not convert gives a zero value.

// True exactly when the first character is "1".
bool TextToBool(std::string_view S);
char BoolToChar(bool B);
// The same as TextToInt below, telling text that does not convert (blank text included)
// from a 0.
std::optional<std::int32_t> TryTextToInt(std::string_view S);
// Blanks removed; the first "," and the first "." are decimal separators; an exponent
// is allowed; invalid text gives 0.
double TextToFloat(std::string_view S);
std::optional<double> TryTextToFloat(std::string_view S);
// The value of S when it is 1 to 15 digits and nothing else, as the conversions above read
// it; none for any other text. Nearly every number field of a price list is of this form,
// and the lens price file has millions of them.
inline std::optional<std::uint64_t> DigitsValue(std::string_view S) {
    if (S.empty() || S.size() > 15)
        return std::nullopt;
    std::uint64_t Value = 0;
    for (const char C : S) {
        const unsigned Digit = static_cast<unsigned char>(C) - unsigned{'0'};
        if (Digit > 9)
            return std::nullopt;
        Value = Value * 10 + Digit;
    }
    return Value;
}
// Trailing blanks removed; leading blanks and a sign allowed; anything else invalid gives 0.
// Digits alone and blanks alone, nearly every field, are read here.
inline std::int32_t TextToInt(std::string_view S) {
    constexpr std::size_t SafeDigits = 9;
    if (S.size() <= SafeDigits)
        if (const auto Digits = DigitsValue(S))
            return static_cast<std::int32_t>(*Digits);
    if (S.find_first_not_of(' ') == std::string_view::npos)
        return 0;
    return TryTextToInt(S).value_or(0);
}
bool IsZero(double X);
// General format, 15 significant digits, "." as decimal separator; exponent form
// ("1E-12", "1.5E20") outside 1e-5 <= |X| < 1e15.
std::string FloatToText(double X, bool EmptyIfZero);
// The last Width digits of |Value| padded with zeros; a negative value gets "-" as its
// first character.
std::string IntToZeroPadded(std::int64_t Value, int Width);
std::string PrefixIfNotEmpty(std::string_view Prefix, std::string_view S);
std::string_view TrimRightChar(std::string_view S, char C);
std::string_view TrimRightBlanks(std::string_view S);
std::string_view TrimBlanks(std::string_view S);
std::string RemoveBlanks(std::string_view S);
// S followed by blanks, cut to exactly N characters.
std::string PadRight(std::string_view S, std::size_t N);
void SwapTexts(std::string& A, std::string& B);
// Field Index (from 1) of S split at Separator; empty when there is no such field.
std::string_view GetField(std::string_view S, std::string_view Separator, int Index);
// Removes from List every line that Allowed does not hold; List keeps its order.
void KeepListed(TStringList& List, const TStringList& Allowed);
// List ends sorted, without duplicates and without the lines of Unwanted; unchanged when
// either list is empty.
void RemoveListed(TStringList& List, const TStringList& Unwanted);

} // namespace kr6
