#include "app/TimeText.h"

#include <cmath>
#include <cstdio>

namespace kr6 {

std::string TimeOfDayText(double Seconds) {
    constexpr double SecondsPerDay = 86400.0;
    const double Clamped = std::isfinite(Seconds) && Seconds > 0 ? Seconds : 0.0;
    const auto Whole = static_cast<int>(std::floor(std::fmod(Clamped, SecondsPerDay)));
    char Text[40];
    std::snprintf(Text, sizeof Text, "%02d:%02d:%02d", Whole / 3600, Whole / 60 % 60, Whole % 60);
    return Text;
}

} // namespace kr6
