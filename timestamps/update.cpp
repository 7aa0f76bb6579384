#include "update.h"

#include "format.h"
#include "fspath.h"

#include "platform/files.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace chronodex {
namespace {

// Advances past an optional sign and ASCII digits; true when there were digits.
bool signAndDigits(const QString& text, qsizetype& pos) {
    if (pos < text.size() && (text[pos] == QLatin1Char('+') || text[pos] == QLatin1Char('-')))
        ++pos;
    const qsizetype digitsFrom = pos;
    while (pos < text.size() && text[pos].isDigit() && text[pos].unicode() < 128)
        ++pos;
    return pos > digitsFrom;
}

// Reads an optional sign, digits and a fraction from `pos`; advances past them.
std::optional<double> numberAt(const QString& text, qsizetype& pos) {
    const qsizetype start = pos;
    bool digits = signAndDigits(text, pos);
    if (pos < text.size() && text[pos] == QLatin1Char('.')) {
        const qsizetype fracFrom = ++pos;
        while (pos < text.size() && text[pos].isDigit() && text[pos].unicode() < 128)
            ++pos;
        digits = digits || pos > fracFrom;
    }
    if (!digits) {
        pos = start;
        return std::nullopt;
    }
    bool ok = false;
    const double value = text.mid(start, pos - start).toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

qsizetype skipBlanks(const QString& text, qsizetype pos) {
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
    return pos;
}

// Rounded down into the 16-bit range of the fields; nothing when it does not fit.
std::optional<std::int16_t> field16(double value) {
    const double whole = std::floor(value);
    if (whole < std::numeric_limits<std::int16_t>::min() ||
        whole > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(whole);
}

} // namespace

std::optional<double> leadingNumber(const QString& text) {
    qsizetype pos = skipBlanks(text, 0);
    return numberAt(text, pos);
}

std::optional<int> integerField(const QString& text) {
    qsizetype pos = skipBlanks(text, 0);
    const qsizetype start = pos;
    if (!signAndDigits(text, pos) || skipBlanks(text, pos) != text.size()) return std::nullopt;
    bool ok = false;
    const int value = text.mid(start, pos - start).toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

namespace {

// The Created row: each field's leading number, the date with the calendar's carry and the
// time as a span added to it, so 10:75:00 is 11:15:00 and 25:00:00 one o'clock the next day.
std::optional<DateTime> createdValue(const RowInput& row, std::vector<FieldProblem>& problems) {
    std::array<std::int16_t, FieldCount> f{};
    bool usable = true;
    for (int i = 0; i < FieldCount; ++i) {
        const auto value = field16(leadingNumber(row.texts[i]).value_or(0.0));
        if (!value) {
            problems.push_back({Created, i, row.texts[i]});
            usable = false;
            continue;
        }
        f[i] = *value;
    }
    if (!usable) return std::nullopt;
    const auto date = dateWithCarry(f[Year], f[Month], f[Day]);
    const std::int64_t span = std::int64_t(f[Hour]) * 3600 + f[Minute] * 60 + f[Second];
    const auto value = date ? addSeconds(*date, span) : std::nullopt;
    if (!value) problems.push_back({Created, Year, row.texts[Year]});
    return value;
}

// The Modified and Accessed rows: every field a whole number in its range, and a day the
// month has. The first field that cannot make the date is named.
std::optional<DateTime> strictValue(StampKind kind, const RowInput& row,
                                    std::vector<FieldProblem>& problems) {
    std::array<int, FieldCount> f{};
    for (int i = 0; i < FieldCount; ++i) {
        const auto value = integerField(row.texts[i]);
        if (!value) {
            problems.push_back({kind, i, row.texts[i]});
            return std::nullopt;
        }
        f[i] = *value;
    }
    int bad = -1;
    if (f[Month] < 1 || f[Month] > 12)
        bad = Month;
    else if (f[Year] < MinYear || f[Year] > MaxYear)
        bad = Year;
    else if (const auto date = dateWithCarry(f[Year], f[Month], f[Day]);
             f[Day] < 1 || !date || date->month != f[Month] || date->day != f[Day])
        bad = Day;
    else if (f[Hour] < 0 || f[Hour] > 23)
        bad = Hour;
    else if (f[Minute] < 0 || f[Minute] > 59)
        bad = Minute;
    else if (f[Second] < 0 || f[Second] > 59)
        bad = Second;
    if (bad >= 0) {
        problems.push_back({kind, bad, row.texts[bad]});
        return std::nullopt;
    }
    return DateTime{f[Year], f[Month], f[Day], f[Hour], f[Minute], f[Second]};
}

} // namespace

NewValues buildNewValues(const std::array<RowInput, 3>& rows) {
    NewValues out;
    for (StampKind kind : AllStampKinds) {
        const RowInput& row = rows[kind];
        if (!row.ticked) continue;
        const auto value = kind == Created ? createdValue(row, out.problems)
                                           : strictValue(kind, row, out.problems);
        if (!value) continue;
        if (IsSameDay(*value, NoDate())) {
            out.problems.push_back({kind, Day, formatDateTime(*value), FieldProblem::NoDateValue});
            continue;
        }
        if (row.loaded && row.loaded->local == *value) {
            out.loaded[kind] = platform::Instant{row.loaded->exact.seconds, 0};
        } else if (utcFromLocal(*value).skipped) {
            // The hour that clocks skip in spring is no time at all in this time zone.
            out.problems.push_back({kind, Hour, row.texts[Hour], FieldProblem::SkippedHour});
            continue;
        }
        out.values[kind] = *value;
    }
    return out;
}

QString rowLabel(StampKind kind) {
    static const std::array<const char*, 3> labels{"Created date ", "Modfied date ",
                                                   "Accessed date "};
    return QString::fromLatin1(labels.at(kind));
}

YearReport checkYears(const std::array<DateTime, 3>& values, const std::array<bool, 3>& ticked) {
    YearReport r;
    const QString crlf = QStringLiteral("\r\n");
    for (StampKind kind : AllStampKinds) {
        if (!ticked[kind]) continue;
        const DateTime& v = values[kind];
        const QString first = rowLabel(kind) + formatDateTime(v) + crlf;
        if (v.year < 1601) {
            r.report +=
                first + QStringLiteral("Dates before 1601 can not be set with Windows.") + crlf;
            r.refused = true;
        } else if (v.year < 1980) {
            r.report +=
                first +
                QStringLiteral("Dates before 1980 will not display the date in Windows Explorer.") +
                crlf;
        } else if (v.year > 2107) {
            r.report +=
                first +
                QStringLiteral("Dates after 2107 will not display the date in Windows Explorer.") +
                crlf;
        }
    }
    return r;
}

QString fieldProblemsMessage(const std::vector<FieldProblem>& problems) {
    const QString crlf = QStringLiteral("\r\n");
    QString text = QStringLiteral("Note:") + crlf;
    for (const FieldProblem& p : problems) {
        if (p.reason == FieldProblem::NoDateValue) {
            text += rowLabel(p.row).trimmed() + QStringLiteral(": \"") + p.text +
                    QStringLiteral("\" stands for \"no date\" and can not be set.") + crlf;
            continue;
        }
        text += rowLabel(p.row).trimmed() + QStringLiteral(", ") + fieldName(p.field) +
                QStringLiteral(": \"") + p.text;
        text += p.reason == FieldProblem::SkippedHour
                    ? QStringLiteral("\" does not exist on that day in this time zone (the "
                                     "clocks go forward).")
                    : QStringLiteral("\" can not make a date.");
        text += crlf;
    }
    return text + QStringLiteral("Can't set the new date.");
}

platform::StampsToWrite newStamps(const NewValues& v) {
    auto wanted = [&v](StampKind kind) -> std::optional<platform::Instant> {
        if (IsSameDay(v.values[kind], NoDate())) return std::nullopt;
        if (v.loaded[kind]) return v.loaded[kind];
        return instantFromLocal(v.values[kind]); // a skipped local time was refused before
    };
    return {wanted(Created), wanted(Accessed), wanted(Modified), true, std::nullopt};
}

platform::WriteOutcome PutFileDates(const platform::NativePath& file,
                                    const platform::StampsToWrite& stamps,
                                    const platform::FileId* expected, platform::Drives* drives) {
    return platform::writeFileTimes(file, stamps, expected, drives);
}

QString failureReason(const platform::WriteOutcome& outcome) {
    using platform::WriteFailure;
    switch (outcome.failure) {
    case WriteFailure::None:
        return QString();
    case WriteFailure::ReadOnly:
        return QStringLiteral("the file is read-only");
    case WriteFailure::Missing:
        return QStringLiteral("it no longer exists");
    case WriteFailure::Directory:
        return QStringLiteral("it is a directory (this program writes the dates of files only)");
    case WriteFailure::DateNotHeld:
        if (!outcome.message.empty()) // a FUSE drive of a kind that could not be told
            return QStringLiteral("its drive (") + QString::fromStdString(outcome.message) +
                   QStringLiteral(") is of a kind this program cannot tell, and it did not keep "
                                  "that date as asked");
        return QStringLiteral("the file system cannot hold that date");
    case WriteFailure::YearNotKept:
        return QStringLiteral("its drive keeps only the years %1 to %2")
            .arg(outcome.firstYear)
            .arg(outcome.lastYear);
    case WriteFailure::NoCreation:
        return QStringLiteral("its drive does not let a program set the date a file was created");
    case WriteFailure::InUse:
        return QStringLiteral("the file is in use or access was denied");
    case WriteFailure::NotAFile:
        return QStringLiteral("it is not a regular file");
    case WriteFailure::Replaced:
        return QStringLiteral("it was replaced since it was listed");
    case WriteFailure::NotOwner:
        return QStringLiteral("it belongs to another user");
    case WriteFailure::ReadOnlyDrive:
        return QStringLiteral("its drive is read-only or write-protected");
    case WriteFailure::NoSearch:
        return QStringLiteral("a folder on its path may not be searched");
    case WriteFailure::PathTooLong:
        return QStringLiteral("its path is too long for the system");
    case WriteFailure::Other:
        break;
    }
    const QString message = QString::fromStdString(outcome.message).trimmed();
    return message.isEmpty() ? QStringLiteral("the system refused it")
                             : QStringLiteral("the system said: ") + message;
}

namespace {

bool leftOut(platform::StampWrite w) {
    return w == platform::StampWrite::NotKept || w == platform::StampWrite::CannotSet;
}

// The stamps of a written file for which `which` holds: "created", "created and accessed".
template <class Which> QString stampsWhere(const platform::WriteOutcome& o, Which which) {
    QStringList kinds;
    if (which(o.created)) kinds << QStringLiteral("created");
    if (which(o.modified)) kinds << QStringLiteral("modified");
    if (which(o.accessed)) kinds << QStringLiteral("accessed");
    return kinds.join(QStringLiteral(" and "));
}

bool rounded(platform::StampWrite w) {
    return w == platform::StampWrite::Rounded;
}

} // namespace

bool reported(const platform::WriteOutcome& outcome, bool exactly) {
    return !outcome.written() || leftOut(outcome.created) || leftOut(outcome.accessed) ||
           leftOut(outcome.modified) || (exactly && !outcome.exact());
}

bool anyNotWritten(const std::vector<EntryOutcome>& entries) {
    return std::any_of(entries.begin(), entries.end(),
                       [](const EntryOutcome& e) { return !e.outcome.written(); });
}

QString namedLines(const QString& header, const QStringList& lines) {
    constexpr int Listed = 10;
    const QString crlf = QStringLiteral("\r\n");
    QString text =
        header + crlf + QLatin1Char('\t') + lines.mid(0, Listed).join(crlf + QLatin1Char('\t'));
    if (lines.size() > Listed)
        text += crlf + QStringLiteral("\tand ") + QLocale().toString(lines.size() - Listed) +
                QStringLiteral(" more.");
    return text;
}

QString notWrittenReport(const std::vector<EntryOutcome>& entries, std::size_t ticked,
                         const QString& verb, bool exactly) {
    const auto number = [](qint64 n) { return QLocale().toString(n); };
    QStringList lines;
    int notWritten = 0, inPart = 0;
    for (const EntryOutcome& e : entries) {
        QString why;
        if (!e.outcome.written()) {
            ++notWritten;
            why = failureReason(e.outcome);
        } else if (const QString left = stampsWhere(e.outcome, leftOut); !left.isEmpty()) {
            ++inPart;
            why = QStringLiteral("written, but its file system does not keep the ") + left +
                  QStringLiteral(" date");
        } else if (const QString near = stampsWhere(e.outcome, rounded);
                   exactly && !near.isEmpty()) {
            ++inPart;
            why = verb + QStringLiteral(" only as closely as its file system keeps the ") + near +
                  QStringLiteral(" date");
        } else {
            continue;
        }
        lines << e.name + QStringLiteral(": ") + why + QLatin1Char('.');
    }
    if (lines.isEmpty()) return QString();
    const auto count = static_cast<qint64>(std::max(ticked, entries.size()));
    QString header =
        number(notWritten) + QStringLiteral(" of ") + number(count) +
        (count == 1 ? QStringLiteral(" ticked entry ") : QStringLiteral(" ticked entries ")) +
        (notWritten == 1 ? QStringLiteral("was") : QStringLiteral("were")) +
        QStringLiteral(" not ") + verb;
    if (inPart > 0)
        header += QStringLiteral(", ") + number(inPart) +
                  (inPart == 1 ? QStringLiteral(" was") : QStringLiteral(" were")) +
                  QLatin1Char(' ') + verb + QStringLiteral(" in part");
    return namedLines(header + QLatin1Char(':'), lines);
}

} // namespace chronodex
