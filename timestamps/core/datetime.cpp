#include "datetime.h"

#include "platform/civil.h"

namespace chronodex {
namespace {

bool yearInRange(int year) {
    return year >= MinYear && year <= MaxYear;
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

} // namespace

std::optional<DateTime> fromSystemTime(const platform::SystemTime& t) {
    if (!yearInRange(t.year)) return std::nullopt;
    return DateTime{t.year, t.month, t.day, t.hour, t.minute, t.second};
}

platform::SystemTime toSystemTime(const DateTime& d) {
    return platform::SystemTime{d.year, d.month, d.day, d.hour, d.minute, d.second};
}

std::optional<DateTime> localFromUtc(const platform::SystemTime& utc) {
    const auto local = platform::utcToLocal(utc);
    if (!local) return std::nullopt;
    return fromSystemTime(*local);
}

platform::LocalToUtc utcFromLocal(const DateTime& local) {
    return platform::localToUtc(toSystemTime(local));
}

std::optional<DateTime> localFromInstant(const platform::Instant& utc) {
    const auto t = platform::civilOf(utc);
    return t ? localFromUtc(*t) : std::nullopt;
}

std::optional<platform::Instant> instantFromLocal(const DateTime& local) {
    const auto utc = utcFromLocal(local).utc;
    if (!utc) return std::nullopt;
    return platform::instantOf(*utc);
}

std::optional<DateTime> dateWithCarry(int year, int month, int day) {
    const std::int64_t monthIndex = static_cast<std::int64_t>(month) - 1;
    const std::int64_t y = year + floorDiv(monthIndex, 12);
    const auto m = static_cast<int>(monthIndex - floorDiv(monthIndex, 12) * 12 + 1);
    if (y < 1 || y > 20000) // far outside what any carry of 16-bit fields can bring back
        return std::nullopt;
    const platform::SystemTime first{static_cast<int>(y), m, 1, 0, 0, 0};
    const std::int64_t seconds =
        platform::secondsFromCivil(first) + (static_cast<std::int64_t>(day) - 1) * 86400;
    const auto t = platform::civilFromSeconds(seconds);
    if (!t) return std::nullopt;
    return fromSystemTime(*t);
}

std::optional<DateTime> addSeconds(const DateTime& d, std::int64_t seconds) {
    const auto t =
        platform::civilFromSeconds(platform::secondsFromCivil(toSystemTime(d)) + seconds);
    if (!t) return std::nullopt;
    return fromSystemTime(*t);
}

DateTime BuildDate(std::int16_t year, std::int16_t month, std::int16_t day, std::int16_t hour,
                   std::int16_t minute, std::int16_t second) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return NoDate(1);
    auto date = dateWithCarry(year, month, day);
    if (!date) return NoDate(1);
    date->hour = hour;
    date->minute = minute;
    date->second = second;
    return *date;
}

} // namespace chronodex
