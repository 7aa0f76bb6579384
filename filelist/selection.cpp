#include "selection.h"

#include "format.h"
#include "fspath.h"
#include "listmodel.h"
#include "readers.h"
#include "update.h"

#include "platform/files.h"

namespace chronodex {

SelectionView readSelection(const QString& path) {
    const auto attributes = platform::fileAttributes(toNativePath(path));
    SelectionView v;
    const QChar blank = QLatin1Char(' ');
    if (attributes && (*attributes & platform::AttrDirectory)) {
        v.isDirectory = true;
        v.pathHeading = QStringLiteral("Directory:");
        v.pathText = blank + displayText(path) + blank;
        v.nameText = QStringLiteral(" - ");
        v.nameEnabled = false;
        v.sizeHeading = QStringLiteral("Directory size:");
        v.sizeText = QStringLiteral(" N/A");
        v.sizeEnabled = false;
        v.created = GetDirectoryCreated(path);
        v.modified = v.accessed = NoDate(0);
        v.stampsRead = v.stampsShown = true;
        v.creationSettable = platform::canSetCreationTime();
        return v;
    }
    const QChar separator = QLatin1Char(platform::pathSeparator);
    v.pathHeading = QStringLiteral("File path:");
    v.pathText = blank + displayText(SplitPath(path, false, separator)) + blank;
    v.nameText = blank + displayText(SplitPath(path, true, separator)) + blank;
    v.nameEnabled = true;
    v.sizeHeading = QStringLiteral(" File size:");
    if (!attributes) { // deleted or moved since it was listed: nothing to read
        v.sizeText = QStringLiteral(" N/A");
        return v;
    }
    const qint64 size = GetFileLength(path);
    v.sizeEnabled = size >= 0;
    v.sizeText =
        size >= 0 ? blank + formatSize(size) + QStringLiteral(" bytes") : QStringLiteral(" N/A");
    // A read-only file or a file in use shows its stamps, but its rows stay closed: it is
    // not written.
    const FileDates dates = ReadFileDates(path);
    v.stampsShown = dates.read;
    v.stampsRead = dates.read && dates.writable;
    v.creationSettable = dates.creationSettable;
    if (dates.read && !dates.writable) {
        platform::WriteOutcome why;
        why.failure = dates.unwritable; // a reason the system gives no words for: in use
        if (why.failure == platform::WriteFailure::None ||
            why.failure == platform::WriteFailure::Other)
            why.failure = platform::WriteFailure::InUse;
        v.notWritable =
            QStringLiteral("This file cannot be written: ") + failureReason(why) + QLatin1Char('.');
    }
    if (v.stampsShown) {
        v.created = dates.created;
        v.modified = dates.modified;
        v.accessed = dates.accessed;
        v.exact = dates.exact;
    }
    return v;
}

QString stampText(const DateTime& value, const std::optional<platform::Instant>& exact) {
    if (IsSameDay(value, NoDate())) return QStringLiteral(" N/A ");
    return QLatin1Char(' ') + formatDateTime(value) +
           (exact ? repeatedHourMark(*exact) : QString());
}

} // namespace chronodex
