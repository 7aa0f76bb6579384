// Local time from the TZ rules of the C library (the zone of TZ, or /etc/localtime), which
// hold the zone's whole history and work for any year a 64-bit time_t holds.
#include "platform/localtime.h"

#include "platform/civil.h"

#include <algorithm>
#include <ctime>

namespace platform {

std::optional<SystemTime> utcToLocal(const SystemTime& utc) {
    const auto seconds = static_cast<std::time_t>(secondsFromCivil(utc));
    std::tm tm{};
    if (::localtime_r(&seconds, &tm) == nullptr) return std::nullopt;
    SystemTime local;
    local.year = tm.tm_year + 1900;
    local.month = tm.tm_mon + 1;
    local.day = tm.tm_mday;
    local.hour = tm.tm_hour;
    local.minute = tm.tm_min;
    local.second = std::min(tm.tm_sec, 59); // a leap second shows as :59
    return local;
}

} // namespace platform
