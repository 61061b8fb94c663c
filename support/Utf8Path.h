#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kr6 {

// Paths travel through the program as UTF-8 text, as the command line gives them (on Windows
// it is read in UTF-16 and converted). A std::filesystem::path made straight from such text
// would read it in the ANSI code page on Windows, so that "Härtel" names another folder.
std::filesystem::path PathFromUtf8(std::string_view Text);
std::string Utf8FromPath(const std::filesystem::path& Path);

} // namespace kr6
