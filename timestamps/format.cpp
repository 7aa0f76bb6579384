#include "format.h"

#include "platform/civil.h"
#include "platform/localtime.h"

#include <QLocale>

#include <cstdlib>

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

QString repeatedHourMark(const platform::Instant& utc) {
    const auto civil = platform::civilOf(utc);
    const auto local = civil ? platform::utcToLocal(*civil) : std::nullopt;
    if (!local || !platform::localToUtc(*local).repeated) return QString();
    const std::int64_t offset = platform::secondsFromCivil(*local) - utc.seconds;
    const std::int64_t minutes = std::llabs(offset) / 60;
    QString text = QStringLiteral(" (UTC") + QLatin1Char(offset < 0 ? '-' : '+') +
                   QString::number(minutes / 60);
    if (minutes % 60 != 0) text += QStringLiteral(":%1").arg(minutes % 60, 2, 10, QLatin1Char('0'));
    return text + QLatin1Char(')');
}

QString formatSize(qint64 bytes) {
    return QLocale().toString(bytes);
}

} // namespace chronodex
