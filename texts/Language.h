#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kr6 {

// 0 none, 1 German, 2 English, 3 French, 4 Italian, 5 Hungarian, 6 Spanish, 7 Dutch;
// any other value behaves like 0.
using TLanguage = std::uint8_t;

// The process-wide language of GetText; German until changed.
TLanguage CurrentLanguage();
void SetCurrentLanguage(TLanguage Language);

// Text Number (0 to 1361) in the current language. An empty text falls back to the
// German one between stars when Fallback is set; "#13" becomes CR LF when
// ConvertLineBreaks is set. Result in Windows-1252.
std::string GetText(std::uint16_t Number, bool Fallback = true, bool ConvertLineBreaks = true);
std::string GetTextLang(TLanguage Language, std::uint16_t Number, bool Fallback = true,
                        bool ConvertLineBreaks = true);

// The raw table of each language: empty for an empty entry or a number above 1361.
std::string_view TextDe(std::uint16_t Number);
std::string_view TextEn(std::uint16_t Number);
std::string_view TextFr(std::uint16_t Number);
std::string_view TextIt(std::uint16_t Number);
std::string_view TextHu(std::uint16_t Number);
std::string_view TextSp(std::uint16_t Number);
std::string_view TextNl(std::uint16_t Number);

} // namespace kr6
