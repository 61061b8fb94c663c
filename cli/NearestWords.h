#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kr6 {

// Letters to change, add or remove to turn one word into the other.
std::size_t EditDistance(std::string_view From, std::string_view To);

// The candidates closest to a mistyped Word, in their order, at most Count of them; none when
// no candidate is close (within half the word's letters). Letter case of A-Z is ignored
// when IgnoreCase, as code lookups ignore it.
std::vector<std::string> NearestWords(std::string_view Word,
                                      const std::vector<std::string>& Candidates,
                                      std::size_t Count = 1, bool IgnoreCase = false);

} // namespace kr6
