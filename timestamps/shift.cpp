#include "shift.h"

#include "platform/civil.h"

#include <QLocale>
#include <QStringList>

namespace chronodex {

std::int64_t shiftSeconds(const ShiftAmount& amount) {
    return amount.days * 86400 + amount.hours * 3600 + amount.minutes * 60 + amount.seconds;
}

namespace {

std::optional<platform::SystemTime> movedInstant(const platform::SystemTime& utc,
                                                 std::int64_t seconds) {
    return platform::civilFromSeconds(platform::secondsFromCivil(utc) + seconds);
}

} // namespace

std::optional<DateTime> shiftedLocal(const DateTime& local, std::int64_t seconds) {
    const auto utc = utcFromLocal(local).utc;
    if (!utc) return std::nullopt;
    const auto moved = movedInstant(*utc, seconds);
    return moved ? localFromUtc(*moved) : std::nullopt;
}

ShiftPlan planShift(const platform::FileTimes& before, std::int64_t seconds,
                    const std::array<bool, 3>& kinds) {
    ShiftPlan plan;
    plan.before = before;
    if (!before.read) return plan;
    std::array<const std::optional<platform::SystemTime>*, 3> stamps{};
    stamps[Created] = &before.created;
    stamps[Modified] = &before.modified;
    stamps[Accessed] = &before.accessed;
    const bool creationSettable = platform::canSetCreationTime();
    for (StampKind kind : AllStampKinds) {
        const auto& stamp = *stamps[kind];
        if (stamp) plan.beforeLocal[kind] = localFromUtc(*stamp).value_or(NoDate(1));
        if (!kinds[kind] || !stamp || (kind == Created && !creationSettable)) continue;
        plan.moved[kind] = true;
        plan.after[kind] = movedInstant(*stamp, seconds);
        const auto local = plan.after[kind] ? localFromUtc(*plan.after[kind]) : std::nullopt;
        if (local)
            plan.afterLocal[kind] = *local;
        else
            plan.outOfRange = true;
    }
    return plan;
}

ShiftPlan planShift(const std::filesystem::path& file, std::int64_t seconds,
                    const std::array<bool, 3>& kinds) {
    return planShift(platform::readFileTimes(file), seconds, kinds);
}

YearReport shiftYears(const ShiftPlan& plan) {
    if (!plan.outOfRange) return checkYears(plan.afterLocal, plan.moved);
    // checkYears cannot show a value the program cannot hold; name the stamps instead.
    YearReport r;
    r.refused = true;
    const QString crlf = QStringLiteral("\r\n");
    for (StampKind kind : AllStampKinds)
        if (plan.moved[kind] && IsSameDay(plan.afterLocal[kind], NoDate()))
            r.report += rowLabel(kind) + crlf +
                        QStringLiteral("This date lies outside the years 100 to 9999.") + crlf;
    return r;
}

platform::WriteOutcome writeShift(const std::filesystem::path& file, const ShiftPlan& plan) {
    if (!plan.before.read) {
        // Nothing is asked of the writer, which then only says why it could not write.
        platform::WriteOutcome why =
            platform::writeFileTimes(file, std::nullopt, std::nullopt, std::nullopt);
        if (why.written()) {
            why.failure = platform::WriteFailure::Other;
            why.message = "its dates could not be read";
        }
        return why;
    }
    if (plan.outOfRange) {
        platform::WriteOutcome refused;
        refused.failure = platform::WriteFailure::Other;
        refused.message = "its new date lies outside the years 100 to 9999";
        return refused;
    }
    return platform::writeFileTimes(file, plan.after[Created], plan.after[Accessed],
                                    plan.after[Modified]);
}

QString shiftRefusal(const ShiftPlan& plan) {
    if (plan.outOfRange)
        return QStringLiteral("its new date would lie outside the years 100 to 9999");
    if (checkYears(plan.afterLocal, plan.moved).refused)
        return QStringLiteral("its new date would be before 1601");
    return QString();
}

QString skippedReport(const std::vector<SkippedEntry>& skipped, std::size_t ticked) {
    if (skipped.empty()) return QString();
    constexpr std::size_t Listed = 10;
    const auto number = [](std::size_t n) { return QLocale().toString(qulonglong(n)); };
    const QString crlf = QStringLiteral("\r\n");
    QStringList lines;
    lines << number(skipped.size()) + QStringLiteral(" of ") + number(ticked) +
                 (ticked == 1 ? QStringLiteral(" ticked entry ")
                              : QStringLiteral(" ticked entries ")) +
                 (skipped.size() == 1 ? QStringLiteral("was left as it was:")
                                      : QStringLiteral("were left as they were:"));
    for (std::size_t i = 0; i < skipped.size() && i < Listed; ++i)
        lines << QLatin1Char('\t') + skipped[i].name + QStringLiteral(": ") + skipped[i].reason +
                     QLatin1Char('.');
    if (skipped.size() > Listed)
        lines << QStringLiteral("\tand ") + number(skipped.size() - Listed) +
                     QStringLiteral(" more.");
    return lines.join(crlf);
}

QString ShiftResult::report(std::size_t ticked) const {
    const QString skipped = skippedReport(refused, ticked);
    const QString failed = notWrittenReport(outcomes);
    if (skipped.isEmpty() || failed.isEmpty()) return skipped + failed;
    return skipped + QStringLiteral("\r\n") + failed;
}

ShiftResult shiftEntries(const std::vector<ShiftEntry>& entries, std::int64_t seconds,
                         const std::array<bool, 3>& kinds, UndoStore& undo,
                         const std::function<bool(const QString& yearLines)>& confirm) {
    constexpr int Asked = 10; // entries whose year lines are shown; the rest are counted
    ShiftResult result;
    std::vector<std::pair<const ShiftEntry*, ShiftPlan>> toWrite;
    QString question;
    int asking = 0;
    for (const ShiftEntry& entry : entries) {
        ShiftPlan plan = planShift(entry.file, seconds, kinds);
        const YearReport years = shiftYears(plan);
        if (years.refused) {
            result.refused.push_back({entry.name, shiftRefusal(plan)});
            continue;
        }
        if (!years.report.isEmpty() && ++asking <= Asked)
            question += entry.name + QStringLiteral(":\r\n") + years.report;
        toWrite.emplace_back(&entry, std::move(plan));
    }
    if (asking > Asked)
        question += QStringLiteral("and ") + QLocale().toString(asking - Asked) +
                    QStringLiteral(" more.\r\n");
    if (!question.isEmpty() && !confirm(question)) {
        result.cancelled = true;
        return result;
    }
    if (toWrite.empty()) return result; // nothing to write: the last undo stays
    undo.begin();
    for (const auto& [entry, plan] : toWrite) {
        const auto outcome = writeShift(entry->file, plan);
        undo.keep(entry->file, entry->name, plan.before, outcome);
        result.outcomes.push_back({entry->name, outcome});
    }
    return result;
}

} // namespace chronodex
