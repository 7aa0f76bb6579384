#include "readers.h"

#include "appinfo.h"
#include "fspath.h"
#include "messagebox.h"

#include "platform/files.h"

namespace chronodex {

namespace {

void reportUnshowable(bool early) {
    showStandardMessageBox(
        currentVersion().productName + QStringLiteral(" - Get file date error."),
        (early ? QStringLiteral("A time stamp of this file lies before the year 100")
               : QStringLiteral("A time stamp of this file lies after the year 9999")) +
            QStringLiteral(", which this program cannot show.\r\nError number: 6"));
}

// The stamps as the program's values; false, after the message, at the first one it
// cannot show.
bool convertStamps(const platform::FileTimes& times, FileDates& out) {
    // In the system's order: creation, last access, last write.
    const std::array<std::pair<const std::optional<platform::Instant>*, DateTime*>, 3> stamps{
        {{&times.created, &out.created},
         {&times.accessed, &out.accessed},
         {&times.modified, &out.modified}}};
    for (const auto& [raw, value] : stamps) {
        if (!*raw) continue;
        // Shown in local time: a stamp near the ends of the years shown can fall outside.
        const auto converted = localFromInstant(**raw);
        if (!converted) {
            reportUnshowable((*raw)->seconds < 0);
            return false;
        }
        *value = *converted;
    }
    out.exact = {times.created, times.modified, times.accessed};
    return times.read;
}

} // namespace

FileDates ReadFileDates(const QString& path) {
    FileDates dates;
    const platform::FileTimes times = platform::readFileTimes(toFsPath(path));
    dates.writable = times.writable;
    dates.unwritable = times.unwritable;
    dates.creationSettable = times.creationSettable;
    if (!times.read) return dates;
    dates.read = convertStamps(times, dates);
    return dates;
}

bool GetFileDates(const QString& path, DateTime& created, DateTime& modified, DateTime& accessed,
                  std::array<std::optional<platform::Instant>, 3>* exact) {
    created = modified = accessed = NoDate(0);
    const platform::FileTimes times = platform::readFileTimes(toFsPath(path));
    // The window edits and writes only files it may write: others count as not read.
    if (!times.writable || !times.read) return false;
    FileDates dates;
    const bool read = convertStamps(times, dates);
    created = dates.created;
    modified = dates.modified;
    accessed = dates.accessed;
    if (exact && read) *exact = dates.exact;
    return read;
}

DateTime GetDirectoryCreated(QString path) {
    // A drive root has no creation date; "C:" must never reach the system, which reads it
    // as the current folder of drive C.
    if (platform::isDriveRoot(toFsPath(path))) return GetDriveCreated(path);
    const QChar separator = QLatin1Char(platform::pathSeparator);
    if (path.endsWith(separator)) path.chop(1);
    if (const auto created = platform::directoryCreated(toFsPath(path))) {
        if (const auto value = localFromInstant(*created)) return *value;
    }
    return NoDate(1);
}

DateTime GetDriveCreated(const QString&) {
    return NoDate(1);
}

qint64 GetFileLength(const QString& path) {
    return platform::normalFileLength(toFsPath(path));
}

} // namespace chronodex
