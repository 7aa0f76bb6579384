// The program's date-time value: a calendar date (years 100 to 9999, proleptic Gregorian)
// and a time of day in whole seconds, with the no-date marker and the date builder.
// Standard C++ only, so that it builds wherever the platform layer does.
#pragma once

#include "platform/files.h"
#include "platform/localtime.h"

#include <cstdint>
#include <optional>

namespace chronodex {

struct DateTime {
    int year = 1752, month = 9, day = 4, hour = 0, minute = 0, second = 0;
    bool operator==(const DateTime&) const = default;
};

inline constexpr int MinYear = 100;
inline constexpr int MaxYear = 9999;

// The no-date marker: any date-time on 4 September 1752. Readers leave 00:00:00 in a stamp
// they did not read; builders that fail give 01:00:00.
constexpr DateTime NoDate(int hour = 0) {
    return DateTime{1752, 9, 4, hour, 0, 0};
}

// True when the two values fall on the same calendar day; the times are ignored.
constexpr bool IsSameDay(const DateTime& a, const DateTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

// The value of a system time, or nothing when its year lies outside 100 to 9999.
std::optional<DateTime> fromSystemTime(const platform::SystemTime& t);
platform::SystemTime toSystemTime(const DateTime& d);

// The system keeps stamps in UTC; the window shows and takes local time. The local value of
// a stamp, or nothing when it cannot be shown (its local year outside 100 to 9999, or a time
// the system cannot convert).
std::optional<DateTime> localFromUtc(const platform::SystemTime& utc);
// The stamp to write for a local value: nothing, with `skipped` set, for a local time that
// does not exist (the hour skipped when clocks go forward); the first of two for a local
// time that occurs twice.
platform::LocalToUtc utcFromLocal(const DateTime& local);
// The same for a stamp kept exactly: its local value (the fraction of a second dropped), and
// a local value's stamp (nothing for a skipped local time, the first of a repeated one).
std::optional<DateTime> localFromInstant(const platform::Instant& utc);
std::optional<platform::Instant> instantFromLocal(const DateTime& local);

// A date at midnight from year, month and day with the calendar's carry (month 13 is
// January of the next year, day 0 the last day of the previous month); nothing when the
// resulting year lies outside 100 to 9999.
std::optional<DateTime> dateWithCarry(int year, int month, int day);

// The value moved by a number of seconds (either way); nothing outside 100 to 9999.
std::optional<DateTime> addSeconds(const DateTime& d, std::int64_t seconds);

// The date-time of the six fields: the time must be a real time of day (hour 0 to 23,
// minute and second 0 to 59), the date carries as dateWithCarry does. A value that cannot
// be built is NoDate(1).
DateTime BuildDate(std::int16_t year, std::int16_t month, std::int16_t day, std::int16_t hour,
                   std::int16_t minute, std::int16_t second);

} // namespace chronodex
