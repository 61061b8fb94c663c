#ifdef _WIN32

#include "app/DisplayCheck.h"

namespace kr6 {

// A Windows session always has its desktop; DISPLAY means nothing there.
std::string MissingDisplay(int, char**) {
    return {};
}

} // namespace kr6

#endif
