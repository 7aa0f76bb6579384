#include "format.h"

#include <QLocale>

namespace chronodex {
namespace {

// The first character of a locale's short format that is not part of a field.
QString separatorIn(const QString& format, const QString& fallback) {
    for (QChar c : format)
        if (!c.isLetter() && !c.isSpace() && c != QLatin1Char('\'')) return QString(c);
    return fallback;
}

} // namespace

QString formatDateTime(const DateTime& value) {
    const QLocale locale;
    const QString ds = separatorIn(locale.dateFormat(QLocale::ShortFormat), QStringLiteral("/"));
    const QString ts = separatorIn(locale.timeFormat(QLocale::ShortFormat), QStringLiteral(":"));
    const int hour12 = value.hour % 12 == 0 ? 12 : value.hour % 12;
    const QChar zero = QLatin1Char('0');
    return QStringLiteral("%1%2%3%2%4, %5%6%7%6%8%9")
        .arg(value.day)
        .arg(ds)
        .arg(value.month, 2, 10, zero)
        .arg(value.year, 4, 10, zero)
        .arg(hour12)
        .arg(ts)
        .arg(value.minute, 2, 10, zero)
        .arg(value.second, 2, 10, zero)
        .arg(value.hour < 12 ? QStringLiteral("am") : QStringLiteral("pm"));
}

QString formatSize(qint64 bytes) {
    return QLocale().toString(bytes);
}

} // namespace chronodex
