#pragma once

#include <string_view>

namespace kr6 {

// The release of kr6csv this library belongs to, "MAJOR.MINOR.PATCH": the one number that
// the programs, their manual pages and the packages show.
std::string_view Kr6Version();

} // namespace kr6
