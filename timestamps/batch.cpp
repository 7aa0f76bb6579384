#include "batch.h"

#include <QLocale>
#include <QStringList>

namespace chronodex {

QString skippedReport(const std::vector<SkippedEntry>& skipped, std::size_t ticked) {
    if (skipped.empty()) return QString();
    const auto number = [](std::size_t n) { return QLocale().toString(qulonglong(n)); };
    QStringList lines;
    for (const SkippedEntry& entry : skipped)
        lines << entry.name + QStringLiteral(": ") + entry.reason + QLatin1Char('.');
    return namedLines(
        number(skipped.size()) + QStringLiteral(" of ") + number(ticked) +
            (ticked == 1 ? QStringLiteral(" ticked entry ") : QStringLiteral(" ticked entries ")) +
            (skipped.size() == 1 ? QStringLiteral("was left as it was:")
                                 : QStringLiteral("were left as they were:")),
        lines);
}

bool BatchResult::allWritten() const {
    return !stop.stopped && skipped.empty() && !anyNotWritten(outcomes);
}

QString BatchResult::report(std::size_t ticked) const {
    QStringList parts{stoppedReport(stop), skippedReport(skipped, ticked),
                      notWrittenReport(outcomes, ticked)};
    parts.removeAll(QString());
    return parts.join(QStringLiteral("\r\n"));
}

QString stoppedReport(const Stopped& stop) {
    if (!stop.stopped) return QString();
    const QLocale locale;
    return QStringLiteral("Stopped by Cancel after ") + locale.toString(stop.done) +
           QStringLiteral(" of ") + locale.toString(stop.total) +
           QStringLiteral(" entries: those written stay written (\"Undo last update\" puts "
                          "them back); the other ") +
           locale.toString(stop.total - stop.done) + QStringLiteral(" were left as they were.\r\n");
}

BatchResult applyChanges(const std::vector<TickedEntry>& entries,
                         const std::vector<EntryChange>& changes, UndoStore& undo,
                         const std::function<bool(const QString& yearLines)>& confirm,
                         const Progress& progress) {
    constexpr int Asked = 10; // entries whose year lines are shown; the rest are counted
    BatchResult result;
    std::vector<std::size_t> toWrite;
    QString question;
    int asking = 0;
    for (std::size_t i = 0; i < entries.size() && i < changes.size(); ++i) {
        const EntryChange& change = changes[i];
        if (!change.skip.isEmpty()) {
            result.skipped.push_back({entries[i].name, change.skip});
            continue;
        }
        const YearReport years = checkYears(change.newLocal, change.written);
        if (years.refused) {
            result.skipped.push_back(
                {entries[i].name, QStringLiteral("its new date would be before 1601")});
            continue;
        }
        if (!years.report.isEmpty() && ++asking <= Asked)
            question += entries[i].name + QStringLiteral(":\r\n") + years.report;
        toWrite.push_back(i);
    }
    if (asking > Asked)
        question += QStringLiteral("and ") + QLocale().toString(asking - Asked) +
                    QStringLiteral(" more.\r\n");
    if (!question.isEmpty() && !confirm(question)) {
        result.cancelled = true;
        return result;
    }
    if (toWrite.empty()) return result;
    undo.begin();
    const int total = static_cast<int>(toWrite.size());
    for (std::size_t i : toWrite) {
        const int done = static_cast<int>(result.outcomes.size());
        if (progress && !progress(done, total)) {
            result.stop = {true, done, total};
            break;
        }
        platform::WriteOutcome outcome = changes[i].write();
        undo.keep(entries[i].path, outcome.before, outcome, entries[i].id);
        result.outcomes.push_back({entries[i].name, std::move(outcome)});
    }
    return result;
}

} // namespace chronodex
