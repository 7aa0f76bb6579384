// How dates and sizes are shown, with the default locale's separators and grouping.
#pragma once

#include "core/datetime.h"

#include <QString>

namespace chronodex {

// "d/mm/yyyy, h:mm:ssam/pm" with the locale's date and time separators:
// 3 March 2024 14:05:09 shows as 3/03/2024, 2:05:09pm; 0:30:00 as 12:30:00am.
QString formatDateTime(const DateTime& value);

// After a stamp in the hour the clocks repeat (when they go back), which of the two it is:
// " (UTC+2)" for the first in Berlin, " (UTC+1)" for the second; empty for every other time.
QString repeatedHourMark(const platform::Instant& utc);

// A size in bytes with digit grouping, at least one digit: "4,096".
QString formatSize(qint64 bytes);

} // namespace chronodex
