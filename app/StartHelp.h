#pragma once

#include <optional>
#include <string>

namespace kr6 {

// What "kr6csv-gui --help" (or -h) and "kr6csv-gui --version" print instead of showing the
// window. They need no display, so that the manual page can be made from them while
// building. Nothing for every other command line.
std::optional<std::string> StartInformation(int argc, char** argv);

} // namespace kr6
