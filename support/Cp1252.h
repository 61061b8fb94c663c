#pragma once

#include <string>
#include <string_view>

namespace kr6 {

// Windows-1252 <-> UTF-8, used only where text leaves or enters the program.

// Characters without a Windows-1252 form, and bytes that are not valid UTF-8, become '?'.
std::string Utf8ToCp1252(std::string_view Utf8);
// Bytes 0x80-0x9F give their Windows-1252 characters; the five undefined ones
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) give the code point of the same number.
std::string Cp1252ToUtf8(std::string_view Cp1252);

} // namespace kr6
