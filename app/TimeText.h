#pragma once

#include <string>

namespace kr6 {

// The time-of-day part of a duration as "hh:mm:ss": whole seconds, modulo 24 hours.
// Negative or not finite durations read as "00:00:00".
std::string TimeOfDayText(double Seconds);

} // namespace kr6
