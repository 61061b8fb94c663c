#pragma once

#include <string>
#include <system_error>

namespace kr6 {

// The system's words for an error, in the letter case of the messages they end:
// "permission denied", "no space left on device".
std::string SystemReason(int Error);
std::string SystemReason(const std::error_code& Error);
// Text in the system's words, its first letter made lower case.
std::string LowerFirstLetter(std::string Text);

} // namespace kr6
