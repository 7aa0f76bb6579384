// Local time from the Windows time-zone rules: the zone the user chose, with the rules that
// the system holds for the year of the date itself (its dynamic summer-time data).
#include "platform/localtime.h"

#include "wide.h"

#include <windows.h>

namespace platform {
namespace {

std::optional<SystemTime> convert(const DYNAMIC_TIME_ZONE_INFORMATION& zone,
                                  const SystemTime& utc) {
    SYSTEMTIME in = toSystemTimeStruct(utc);
    // The zone's rules for this year, then the conversion with them: what
    // SystemTimeToTzSpecificLocalTimeEx does, which Wine does not provide.
    TIME_ZONE_INFORMATION rules{};
    SYSTEMTIME out{};
    DYNAMIC_TIME_ZONE_INFORMATION copy = zone;
    if (!GetTimeZoneInformationForYear(in.wYear, &copy, &rules) ||
        !SystemTimeToTzSpecificLocalTime(&rules, &in, &out))
        return std::nullopt;
    return fromSystemTimeStruct(out);
}

} // namespace

std::optional<SystemTime> utcToLocal(const SystemTime& utc) {
    if (utc.year < 1 || utc.year > 30827) return std::nullopt;
    DYNAMIC_TIME_ZONE_INFORMATION zone{};
    if (GetDynamicTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) return std::nullopt;
    if (utc.year >= 1601)
        if (auto local = convert(zone, utc)) return local;
    // The system converts from 1601 on, and not where the local time would fall before 1601
    // (the first hours of 1601 west of Greenwich) or after 30827. Such dates are converted
    // 400 years (or a multiple of that) away, where the calendar repeats day for day; before
    // 1601 that applies the zone's earliest rules, which are all the system knows of then.
    constexpr int Cycle = 400;
    int shift = 0;
    if (utc.year <= 2000) {
        shift = Cycle;
        while (utc.year + shift < 1601)
            shift += Cycle;
    } else if (utc.year > 30827 - Cycle) {
        shift = -Cycle;
    } else {
        return std::nullopt;
    }
    SystemTime moved = utc;
    moved.year += shift;
    auto local = convert(zone, moved);
    if (!local) return std::nullopt;
    local->year -= shift;
    return local;
}

} // namespace platform
