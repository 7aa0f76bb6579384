// Local time to UTC, for every system: only utcToLocal asks the system. A local time is
// tried against the offsets in force around it; an offset is right when converting the
// instant it gives back to local time returns the same fields.
#include "platform/localtime.h"

#include "platform/civil.h"

#include <algorithm>
#include <array>
#include <vector>

namespace platform {
namespace {

// The offset of local time from UTC at an instant, in seconds; empty when unknown.
std::optional<std::int64_t> offsetAt(std::int64_t utcSeconds) {
    const auto utc = civilFromSeconds(utcSeconds);
    if (!utc) return std::nullopt;
    const auto local = utcToLocal(*utc);
    if (!local) return std::nullopt;
    return secondsFromCivil(*local) - utcSeconds;
}

} // namespace

LocalToUtc localToUtc(const SystemTime& local) {
    const std::int64_t asIfUtc = secondsFromCivil(local);
    // Zones change their offset at most once in any two days, by less than a day: the
    // offsets two days either side and at the time itself cover every transition near it.
    constexpr std::int64_t TwoDays = 2 * 86400;
    std::vector<std::int64_t> candidates;
    for (const std::int64_t probe : {asIfUtc - TwoDays, asIfUtc, asIfUtc + TwoDays}) {
        if (const auto offset = offsetAt(probe)) {
            const std::int64_t utcSeconds = asIfUtc - *offset;
            const auto utc = civilFromSeconds(utcSeconds);
            if (!utc) continue;
            const auto back = utcToLocal(*utc);
            if (back && *back == local) candidates.push_back(utcSeconds);
        }
    }
    LocalToUtc result;
    if (candidates.empty()) {
        // No offset gives this local time back: either the clocks skipped it, or the system
        // cannot convert around it at all.
        result.skipped = offsetAt(asIfUtc).has_value();
        return result;
    }
    const auto [first, last] = std::minmax_element(candidates.begin(), candidates.end());
    result.utc = civilFromSeconds(*first);
    result.repeated = *first != *last;
    return result;
}

} // namespace platform
