#include "support/SystemReason.h"

#include <cstring>

namespace kr6 {

std::string LowerFirstLetter(std::string Text) {
    // Only a capital that starts a word of plain text; "EOF" or "I/O" stay as they are.
    if (Text.size() > 1 && Text[0] >= 'A' && Text[0] <= 'Z' && Text[1] >= 'a' && Text[1] <= 'z')
        Text[0] = static_cast<char>(Text[0] - 'A' + 'a');
    return Text;
}

std::string SystemReason(int Error) {
    return LowerFirstLetter(std::strerror(Error));
}

std::string SystemReason(const std::error_code& Error) {
    return LowerFirstLetter(Error.message());
}

} // namespace kr6
