#pragma once

#ifdef _WIN32

#include <string>
#include <string_view>

namespace kr6 {

// Windows takes and gives text as UTF-16; inside, paths are UTF-8 and model texts
// Windows-1252.
std::wstring WideFromUtf8(std::string_view Text);
std::wstring WideFromCp1252(std::string_view Text);
std::string Utf8FromWide(std::wstring_view Text);

// The system's text for an error code of GetLastError(), without the closing full stop and
// starting in lower case like the message it ends.
std::string SystemErrorText(unsigned long Code);

} // namespace kr6

#endif
