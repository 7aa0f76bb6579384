// Local time, as the user's clock and every file manager show it. The system keeps file
// stamps in UTC; the window shows and takes them in the user's time zone. Each conversion
// uses the rules in force on the date itself (summer time and the zone's history), not
// today's offset.
#pragma once

#include "platform/files.h"

#include <optional>

namespace platform {

// The local date-time of a UTC instant; empty when the system cannot convert it.
std::optional<SystemTime> utcToLocal(const SystemTime& utc);

// The UTC instant of a local date-time. A local time that occurs twice (clocks go back)
// means the first of the two; one that does not occur at all (the hour skipped when clocks
// go forward) gives nothing, with `skipped` set.
struct LocalToUtc {
    std::optional<SystemTime> utc;
    bool skipped = false;
    // The local time occurs twice (the hour repeated when clocks go back): `utc` is the first.
    bool repeated = false;
};
LocalToUtc localToUtc(const SystemTime& local);

} // namespace platform
