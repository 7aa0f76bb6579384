#include "readers.h"

#include "appinfo.h"
#include "fspath.h"
#include "messagebox.h"

#include "platform/files.h"

namespace chronodex {

bool GetFileDates(const QString& path, DateTime& created, DateTime& modified, DateTime& accessed) {
    created = modified = accessed = NoDate(0);
    const platform::FileTimes times = platform::readFileTimes(toFsPath(path));
    if (!times.opened) return false;
    bool result = !times.conversionFailed;
    // In the system's order: creation, last access, last write.
    const std::array<std::pair<const std::optional<platform::SystemTime>*, DateTime*>, 3> stamps{
        {{&times.created, &created}, {&times.accessed, &accessed}, {&times.modified, &modified}}};
    for (const auto& [raw, out] : stamps) {
        if (!*raw) continue;
        const auto value = localFromUtc(**raw);
        if (!value) {
            showStandardMessageBox(
                currentVersion().productName + QStringLiteral(" - Get file date error."),
                QStringLiteral("A time stamp of this file lies after the year 9999, which this "
                               "program cannot show.\r\nError number: 6"));
            return false;
        }
        *out = *value;
    }
    return result;
}

DateTime GetDirectoryCreated(QString path) {
    const QChar separator = QLatin1Char(platform::pathSeparator);
    if (path.endsWith(separator)) path.chop(1);
    if (const auto created = platform::directoryCreated(toFsPath(path))) {
        if (const auto value = localFromUtc(*created)) return *value;
    }
    if (path.size() == 2) return GetDriveCreated(path);
    return NoDate(1);
}

DateTime GetDriveCreated(const QString&) {
    return NoDate(1);
}

qint64 GetFileLength(const QString& path) {
    return platform::normalFileLength(toFsPath(path));
}

} // namespace chronodex
