#include "support/Conversions.h"

#include "support/StringList.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace kr6 {

bool TextToBool(std::string_view S) {
    return !S.empty() && S.front() == '1';
}

char BoolToChar(bool B) {
    return B ? '1' : '0';
}

std::optional<std::int32_t> TryTextToInt(std::string_view S) {
    constexpr std::size_t SafeDigits = 9;
    if (S.size() <= SafeDigits)
        if (const auto Digits = DigitsValue(S))
            return static_cast<std::int32_t>(*Digits);
    S = TrimRightBlanks(S);
    while (!S.empty() && S.front() == ' ')
        S.remove_prefix(1);
    bool Negative = false;
    if (!S.empty() && (S.front() == '+' || S.front() == '-')) {
        Negative = S.front() == '-';
        S.remove_prefix(1);
    }
    if (S.empty() || S.front() < '0' || S.front() > '9')
        return std::nullopt;
    // Parsed as the magnitude so that the lowest int32 value stays reachable.
    std::uint32_t Magnitude = 0;
    const auto [End, Error] = std::from_chars(S.data(), S.data() + S.size(), Magnitude);
    if (Error != std::errc() || End != S.data() + S.size())
        return std::nullopt;
    constexpr auto Max = static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
    if (Magnitude > Max + (Negative ? 1u : 0u))
        return std::nullopt;
    const auto Value = static_cast<std::int64_t>(Magnitude);
    return static_cast<std::int32_t>(Negative ? -Value : Value);
}

double TextToFloat(std::string_view S) {
    return TryTextToFloat(S).value_or(0);
}

std::optional<double> TryTextToFloat(std::string_view S) {
    // Up to 15 digits the value is exact, as from_chars would give it, and needs no copy of
    // the text.
    if (const auto Digits = DigitsValue(S))
        return static_cast<double>(*Digits);
    std::string T = RemoveBlanks(S);
    // Either separator is accepted, so "1,5" and "1.5" read the same anywhere; a text
    // with both ("1.000,5") is left with two points and fails.
    if (const auto Comma = T.find(','); Comma != std::string::npos)
        T[Comma] = '.';
    bool Negative = false;
    std::string_view V = T;
    if (!V.empty() && (V.front() == '+' || V.front() == '-')) {
        Negative = V.front() == '-';
        V.remove_prefix(1);
    }
    // from_chars would also take "inf", "nan" and a second sign.
    if (V.empty() || !(V.front() == '.' || (V.front() >= '0' && V.front() <= '9')))
        return std::nullopt;
    double Value = 0;
    const auto [End, Error] = std::from_chars(V.data(), V.data() + V.size(), Value);
    if (Error != std::errc() || End != V.data() + V.size())
        return std::nullopt;
    return Negative ? -Value : Value;
}

bool IsZero(double X) {
    return std::fabs(X) <= 1e-11;
}

std::string FloatToText(double X, bool EmptyIfZero) {
    if (EmptyIfZero && IsZero(X))
        return {};
    if (std::isnan(X))
        return "NAN";
    if (std::isinf(X))
        return X < 0 ? "-INF" : "INF";
    if (X == 0)
        return "0";

    // Rounding to 15 significant digits first decides the exponent (9.999...e14 may
    // become 1e15).
    char Buffer[32];
    const auto Sci =
        std::to_chars(Buffer, Buffer + sizeof Buffer, X, std::chars_format::scientific, 14);
    const std::string_view All(Buffer, static_cast<std::size_t>(Sci.ptr - Buffer));
    const std::size_t EPos = All.find('e');
    int Exponent = 0;
    std::from_chars(All.data() + EPos + 1 + (All[EPos + 1] == '+' ? 1 : 0), All.data() + All.size(),
                    Exponent);

    std::string_view Mantissa = All.substr(0, EPos);
    const bool Negative = Mantissa.front() == '-';
    if (Negative)
        Mantissa.remove_prefix(1);
    std::string Digits;
    for (const char C : Mantissa) {
        if (C != '.')
            Digits += C;
    }
    Digits.erase(Digits.find_last_not_of('0') + 1);

    std::string Result = Negative ? "-" : "";
    if (Exponent < -5 || Exponent >= 15) {
        Result += Digits.front();
        if (Digits.size() > 1) {
            Result += '.';
            Result.append(Digits, 1);
        }
        Result += 'E';
        Result += std::to_string(Exponent);
    } else if (Exponent < 0) {
        Result += "0.";
        Result.append(static_cast<std::size_t>(-Exponent - 1), '0');
        Result += Digits;
    } else {
        const auto IntDigits = static_cast<std::size_t>(Exponent) + 1;
        if (Digits.size() <= IntDigits) {
            Result += Digits;
            Result.append(IntDigits - Digits.size(), '0');
        } else {
            Result.append(Digits, 0, IntDigits);
            Result += '.';
            Result.append(Digits, IntDigits);
        }
    }
    return Result;
}

std::string IntToZeroPadded(std::int64_t Value, int Width) {
    // The magnitude is taken unsigned: the lowest int64 has no positive counterpart.
    const std::uint64_t Magnitude =
        Value < 0 ? 0 - static_cast<std::uint64_t>(Value) : static_cast<std::uint64_t>(Value);
    const std::string Number = std::to_string(Magnitude);
    std::string Result;
    if (Width > 40) {
        Result = std::string(30, '0') + Number;
    } else if (Width > 0) {
        const auto W = static_cast<std::size_t>(Width);
        Result = Number.size() >= W ? Number.substr(Number.size() - W)
                                    : std::string(W - Number.size(), '0') + Number;
    }
    if (Value < 0 && !Result.empty())
        Result.front() = '-';
    return Result;
}

std::string PrefixIfNotEmpty(std::string_view Prefix, std::string_view S) {
    if (S.empty())
        return {};
    std::string Result(Prefix);
    Result += S;
    return Result;
}

std::string_view TrimRightChar(std::string_view S, char C) {
    while (!S.empty() && S.back() == C)
        S.remove_suffix(1);
    return S;
}

std::string_view TrimRightBlanks(std::string_view S) {
    return TrimRightChar(S, ' ');
}

std::string_view TrimBlanks(std::string_view S) {
    S = TrimRightBlanks(S);
    while (!S.empty() && S.front() == ' ')
        S.remove_prefix(1);
    return S;
}

std::string RemoveBlanks(std::string_view S) {
    std::string Result;
    Result.reserve(S.size());
    for (const char C : S) {
        if (C != ' ')
            Result += C;
    }
    return Result;
}

std::string PadRight(std::string_view S, std::size_t N) {
    std::string Result(S.substr(0, N));
    Result.resize(N, ' ');
    return Result;
}

void SwapTexts(std::string& A, std::string& B) {
    A.swap(B);
}

std::string_view GetField(std::string_view S, std::string_view Separator, int Index) {
    std::string_view Rest = S;
    for (int I = 1; I <= Index && !Rest.empty(); ++I) {
        // An empty separator is never found, so the whole text is the only field.
        const std::size_t Pos = Separator.empty() ? std::string_view::npos : Rest.find(Separator);
        std::string_view Field = Rest;
        if (Pos == std::string_view::npos) {
            Rest = {};
        } else {
            Field = Rest.substr(0, Pos);
            Rest.remove_prefix(Pos + Separator.size());
        }
        if (I == Index)
            return Field;
    }
    return {};
}

void KeepListed(TStringList& List, const TStringList& Allowed) {
    for (int I = List.Count() - 1; I >= 0; --I) {
        if (!Allowed.Contains(List[I]))
            List.Delete(I);
    }
}

void RemoveListed(TStringList& List, const TStringList& Unwanted) {
    if (List.IsEmpty() || Unwanted.IsEmpty())
        return;
    TStringList Copy(true, TStringList::TDuplicates::Ignore);
    Copy.AddStrings(List);
    for (const auto& Entry : Unwanted)
        Copy.Remove(Entry.Text);
    List.Assign(Copy);
}

} // namespace kr6
