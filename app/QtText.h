#pragma once

#include <QString>

#include <string_view>

namespace kr6 {

// A text of the library for the window: UTF-8 when it is valid UTF-8 (messages that
// carry a file name as the file system gave it), otherwise Windows-1252.
QString FromLibraryText(std::string_view Text);

// Model texts (Windows-1252) for the window.
QString FromCp1252(std::string_view Text);

} // namespace kr6
