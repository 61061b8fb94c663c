#include "texts/Language.h"

#include <atomic>

namespace kr6 {

namespace {

std::atomic<TLanguage> Current{1};

std::string_view TableText(TLanguage Language, std::uint16_t Number) {
    switch (Language) {
    case 1:
        return TextDe(Number);
    case 2:
        return TextEn(Number);
    case 3:
        return TextFr(Number);
    case 4:
        return TextIt(Number);
    case 5:
        return TextHu(Number);
    case 6:
        return TextSp(Number);
    case 7:
        return TextNl(Number);
    default:
        return {};
    }
}

void ReplaceLineBreakMarkers(std::string& S) {
    constexpr std::string_view Marker = "#13";
    for (std::size_t Pos = S.find(Marker); Pos != std::string::npos; Pos = S.find(Marker, Pos + 2))
        S.replace(Pos, Marker.size(), "\r\n");
}

} // namespace

TLanguage CurrentLanguage() {
    return Current.load(std::memory_order_relaxed);
}

void SetCurrentLanguage(TLanguage Language) {
    Current.store(Language, std::memory_order_relaxed);
}

std::string GetText(std::uint16_t Number, bool Fallback, bool ConvertLineBreaks) {
    return GetTextLang(CurrentLanguage(), Number, Fallback, ConvertLineBreaks);
}

std::string GetTextLang(TLanguage Language, std::uint16_t Number, bool Fallback,
                        bool ConvertLineBreaks) {
    std::string Result(TableText(Language, Number));
    if (Result.empty() && Fallback) {
        Result = '*';
        Result += TextDe(Number);
        Result += '*';
    }
    if (ConvertLineBreaks)
        ReplaceLineBreakMarkers(Result);
    return Result;
}

} // namespace kr6
