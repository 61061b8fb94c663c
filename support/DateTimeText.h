#pragma once

#include <string>
#include <string_view>

namespace kr6 {

// Days since 1899-12-30 00:00, the time of day as the fraction; 0 means no date.
using TDateTime = double;

// Half a second: values at most this large count as "no date" when written.
inline constexpr TDateTime HalfSecond = 1.0 / 172800.0;

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Result);
bool TryEncodeTime(int Hour, int Minute, int Second, TDateTime& Result);
// Throws std::invalid_argument on an invalid date or time. Before 1899-12-30 the time
// is subtracted, so that the fraction still counts from midnight.
TDateTime EncodeDateTime(int Year, int Month, int Day, int Hour = 0, int Minute = 0,
                         int Second = 0);
// Rounds to the millisecond; a negative value's date is its truncated day count and its
// time the absolute fraction. Throws std::invalid_argument outside the years 1 to 9999.
void DecodeDateTime(TDateTime D, int& Year, int& Month, int& Day, int& Hour, int& Minute,
                    int& Second);
// The current local date and time.
TDateTime Now();

// "yyyymmdd"; empty when EmptyIfZero and D is at most half a second. The writers throw
// as DecodeDateTime does.
std::string DateToText(bool EmptyIfZero, TDateTime D);
// "yyyymmddhhnn".
std::string DateTimeToText12(bool EmptyIfZero, TDateTime D);
// "yyyymmddhhnnss".
std::string DateTimeToText14(bool EmptyIfZero, TDateTime D);
// Reads "yyyymmddhhnnss"; an invalid date gives 0, an invalid time adds nothing.
TDateTime TextToDateTime(std::string_view S);
// Reads "yyyymmddhhnn"; throws std::invalid_argument on an invalid date or time.
TDateTime TextToDateTime12(std::string_view S);
// A zero date is in every range; zero bounds are open; both bounds inclusive.
bool IsDateInRange(TDateTime Date, TDateTime From, TDateTime Until);

} // namespace kr6
