#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace kr6 {

// The members of a KR6 archive as the format spells them, in the order the import reads
// them.
inline constexpr std::array<std::string_view, 14> Kr6MemberNames = {"Head.dat",
                                                                    "LensType.Dat",
                                                                    "LensGeo.Dat",
                                                                    "LensPrice.Dat",
                                                                    "Options.Dat",
                                                                    "OptionsColor.Dat",
                                                                    "OptionsPrice.Dat",
                                                                    "Combination.Dat",
                                                                    "LensRange.Dat",
                                                                    "Information.Dat",
                                                                    "OrderOptions.Dat",
                                                                    "Productgroup.Dat",
                                                                    "CodeSubstitution.Dat",
                                                                    "OeCodes.Dat"};

// The place of Name in that order, letter case ignored; Kr6MemberNames.size() for a name
// that is none of them.
std::size_t Kr6MemberRank(std::string_view Name);

} // namespace kr6
