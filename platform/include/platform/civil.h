// Conversions between a calendar date-time and a count of seconds since 1970-01-01 00:00:00
// in the proleptic Gregorian calendar, for every year the system can hand over.
#pragma once

#include "platform/files.h"

#include <cstdint>
#include <optional>

namespace platform {

// Seconds since the epoch of a calendar date-time (no validation of the fields).
std::int64_t secondsFromCivil(const SystemTime& t);

// The calendar date-time of a count of seconds since the epoch (fractions already
// dropped); empty beyond the years 1 to 30827, which no system time can hold.
std::optional<SystemTime> civilFromSeconds(std::int64_t seconds);

// The same for a stamp, its fraction of a second dropped; and a date-time's stamp.
inline std::optional<SystemTime> civilOf(const Instant& t) {
    return civilFromSeconds(t.seconds);
}
inline Instant instantOf(const SystemTime& t) {
    return Instant{secondsFromCivil(t), 0};
}

} // namespace platform
