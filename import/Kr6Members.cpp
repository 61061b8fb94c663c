#include "import/Kr6Members.h"

#include "support/TextCompare.h"

#include <algorithm>

namespace kr6 {

std::size_t Kr6MemberRank(std::string_view Name) {
    const auto Found =
        std::find_if(Kr6MemberNames.begin(), Kr6MemberNames.end(),
                     [&](std::string_view Member) { return SameText(Member, Name); });
    return static_cast<std::size_t>(Found - Kr6MemberNames.begin());
}

} // namespace kr6
