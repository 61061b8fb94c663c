#include "support/DateTimeText.h"

#include "support/Conversions.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <stdexcept>

namespace kr6 {
namespace {

using namespace std::chrono;

constexpr sys_days DayZero = sys_days{year{1899} / December / 30};
constexpr std::int64_t MSecsPerDay = 86'400'000;
constexpr std::int64_t FirstDay = (sys_days{year{1} / January / 1} - DayZero).count();
constexpr std::int64_t LastDay = (sys_days{year{9999} / December / 31} - DayZero).count();

// Before day zero the value runs backwards while its fraction still counts forwards from
// midnight (-1.25 is 29 December, 06:00), so the time is subtracted there.
TDateTime Combine(TDateTime Date, TDateTime Time) {
    return Date < 0 ? Date - Time : Date + Time;
}

struct TSplit {
    int Year, Month, Day, Hour, Minute, Second;
};

TSplit Split(TDateTime D) {
    if (!std::isfinite(D) || D <= static_cast<double>(FirstDay - 1) ||
        D >= static_cast<double>(LastDay + 1))
        throw std::invalid_argument("date-time value out of range");
    std::int64_t Days = static_cast<std::int64_t>(std::trunc(D));
    std::int64_t MSecs = std::llround(std::fabs(D - static_cast<double>(Days)) * MSecsPerDay);
    if (MSecs >= MSecsPerDay) {
        MSecs -= MSecsPerDay;
        Days += D < 0 ? -1 : 1;
    }
    if (Days < FirstDay || Days > LastDay)
        throw std::invalid_argument("date-time value out of range");
    const year_month_day Date{DayZero + days{Days}};
    const auto Seconds = static_cast<int>(MSecs / 1000);
    return {static_cast<int>(Date.year()),
            static_cast<int>(static_cast<unsigned>(Date.month())),
            static_cast<int>(static_cast<unsigned>(Date.day())),
            Seconds / 3600,
            Seconds / 60 % 60,
            Seconds % 60};
}

bool IsEmptyDate(bool EmptyIfZero, TDateTime D) {
    return EmptyIfZero && D <= HalfSecond;
}

int DigitsAt(std::string_view S, std::size_t Pos, std::size_t Count) {
    return Pos < S.size() ? TextToInt(S.substr(Pos, Count)) : 0;
}

} // namespace

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Result) {
    // Checked before the chrono types see them: day and month keep only a byte.
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > 31)
        return false;
    const year_month_day Date{year{Year}, month{static_cast<unsigned>(Month)},
                              day{static_cast<unsigned>(Day)}};
    if (!Date.ok())
        return false;
    Result = static_cast<TDateTime>((sys_days{Date} - DayZero).count());
    return true;
}

bool TryEncodeTime(int Hour, int Minute, int Second, TDateTime& Result) {
    if (Hour < 0 || Hour > 23 || Minute < 0 || Minute > 59 || Second < 0 || Second > 59)
        return false;
    Result = (Hour * 3600 + Minute * 60 + Second) / 86400.0;
    return true;
}

TDateTime EncodeDateTime(int Year, int Month, int Day, int Hour, int Minute, int Second) {
    TDateTime Date = 0;
    TDateTime Time = 0;
    if (!TryEncodeDate(Year, Month, Day, Date))
        throw std::invalid_argument("invalid date");
    if (!TryEncodeTime(Hour, Minute, Second, Time))
        throw std::invalid_argument("invalid time");
    return Combine(Date, Time);
}

void DecodeDateTime(TDateTime D, int& Year, int& Month, int& Day, int& Hour, int& Minute,
                    int& Second) {
    const TSplit S = Split(D);
    Year = S.Year;
    Month = S.Month;
    Day = S.Day;
    Hour = S.Hour;
    Minute = S.Minute;
    Second = S.Second;
}

namespace {

// The reentrant local-time call has its arguments the other way round on Windows.
std::tm LocalTime(std::time_t Seconds) {
    std::tm Local{};
#ifdef _WIN32
    localtime_s(&Local, &Seconds);
#else
    localtime_r(&Seconds, &Local);
#endif
    return Local;
}

} // namespace

TDateTime Now() {
    const auto Clock = system_clock::now();
    const std::time_t Seconds = system_clock::to_time_t(Clock);
    const auto MSecs = duration_cast<milliseconds>(Clock.time_since_epoch()).count() % 1000;
    const std::tm Local = LocalTime(Seconds);
    // A leap second (tm_sec 60) counts as the last regular second.
    const TDateTime Whole =
        EncodeDateTime(Local.tm_year + 1900, Local.tm_mon + 1, Local.tm_mday, Local.tm_hour,
                       Local.tm_min, Local.tm_sec > 59 ? 59 : Local.tm_sec);
    return Combine(Whole, static_cast<double>(MSecs) / MSecsPerDay);
}

std::string DateToText(bool EmptyIfZero, TDateTime D) {
    if (IsEmptyDate(EmptyIfZero, D))
        return {};
    const TSplit S = Split(D);
    char Buffer[16];
    std::snprintf(Buffer, sizeof Buffer, "%04d%02d%02d", S.Year, S.Month, S.Day);
    return Buffer;
}

std::string DateTimeToText12(bool EmptyIfZero, TDateTime D) {
    if (IsEmptyDate(EmptyIfZero, D))
        return {};
    const TSplit S = Split(D);
    char Buffer[24];
    std::snprintf(Buffer, sizeof Buffer, "%04d%02d%02d%02d%02d", S.Year, S.Month, S.Day, S.Hour,
                  S.Minute);
    return Buffer;
}

std::string DateTimeToText14(bool EmptyIfZero, TDateTime D) {
    if (IsEmptyDate(EmptyIfZero, D))
        return {};
    const TSplit S = Split(D);
    char Buffer[24];
    std::snprintf(Buffer, sizeof Buffer, "%04d%02d%02d%02d%02d%02d", S.Year, S.Month, S.Day, S.Hour,
                  S.Minute, S.Second);
    return Buffer;
}

TDateTime TextToDateTime(std::string_view S) {
    TDateTime Date = 0;
    TDateTime Time = 0;
    if (!TryEncodeDate(DigitsAt(S, 0, 4), DigitsAt(S, 4, 2), DigitsAt(S, 6, 2), Date))
        Date = 0;
    if (!TryEncodeTime(DigitsAt(S, 8, 2), DigitsAt(S, 10, 2), DigitsAt(S, 12, 2), Time))
        Time = 0;
    return Combine(Date, Time);
}

TDateTime TextToDateTime12(std::string_view S) {
    return EncodeDateTime(DigitsAt(S, 0, 4), DigitsAt(S, 4, 2), DigitsAt(S, 6, 2),
                          DigitsAt(S, 8, 2), DigitsAt(S, 10, 2), 0);
}

bool IsDateInRange(TDateTime Date, TDateTime From, TDateTime Until) {
    if (IsZero(Date))
        return true;
    if (From > Date && From != 0)
        return false;
    return Until >= Date || Until == 0;
}

} // namespace kr6
