#ifdef _WIN32

#include "support/WindowsText.h"

#include "support/SystemReason.h"

#include <windows.h>

namespace kr6 {
namespace {

std::wstring Widen(unsigned CodePage, std::string_view Text) {
    if (Text.empty())
        return {};
    const int Size = static_cast<int>(Text.size());
    const int Length = MultiByteToWideChar(CodePage, 0, Text.data(), Size, nullptr, 0);
    std::wstring Wide(static_cast<std::size_t>(Length), L'\0');
    MultiByteToWideChar(CodePage, 0, Text.data(), Size, Wide.data(), Length);
    return Wide;
}

} // namespace

std::wstring WideFromUtf8(std::string_view Text) {
    return Widen(CP_UTF8, Text);
}

std::wstring WideFromCp1252(std::string_view Text) {
    return Widen(1252, Text);
}

std::string Utf8FromWide(std::wstring_view Text) {
    if (Text.empty())
        return {};
    const int Size = static_cast<int>(Text.size());
    const int Length =
        WideCharToMultiByte(CP_UTF8, 0, Text.data(), Size, nullptr, 0, nullptr, nullptr);
    std::string Narrow(static_cast<std::size_t>(Length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, Text.data(), Size, Narrow.data(), Length, nullptr, nullptr);
    return Narrow;
}

std::string SystemErrorText(unsigned long Code) {
    wchar_t* Buffer = nullptr;
    const DWORD Length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, Code, 0, reinterpret_cast<wchar_t*>(&Buffer), 0, nullptr);
    if (Length == 0)
        return "error " + std::to_string(Code);
    std::wstring Text(Buffer, Length);
    LocalFree(Buffer);
    while (!Text.empty() && (Text.back() == L'\n' || Text.back() == L'\r' || Text.back() == L' ' ||
                             Text.back() == L'.'))
        Text.pop_back();
    return LowerFirstLetter(Utf8FromWide(Text));
}

} // namespace kr6

#endif
