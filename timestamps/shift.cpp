#include "shift.h"

#include "platform/civil.h"

namespace chronodex {

std::int64_t shiftSeconds(const ShiftAmount& amount) {
    return amount.days * 86400 + amount.hours * 3600 + amount.minutes * 60 + amount.seconds;
}

std::optional<DateTime> shiftedLocal(const DateTime& local, std::int64_t seconds) {
    const auto utc = utcFromLocal(local).utc;
    if (!utc) return std::nullopt;
    const auto moved = platform::civilFromSeconds(platform::secondsFromCivil(*utc) + seconds);
    return moved ? localFromUtc(*moved) : std::nullopt;
}

ShiftPlan planShift(const platform::FileTimes& before, std::int64_t seconds,
                    const std::array<bool, 3>& kinds) {
    ShiftPlan plan;
    plan.before = before;
    if (!before.read) return plan;
    std::array<const std::optional<platform::Instant>*, 3> stamps{};
    stamps[Created] = &before.created;
    stamps[Modified] = &before.modified;
    stamps[Accessed] = &before.accessed;
    const bool creationSettable = before.creationSettable;
    for (StampKind kind : AllStampKinds) {
        const auto& stamp = *stamps[kind];
        if (stamp) plan.beforeLocal[kind] = localFromInstant(*stamp).value_or(NoDate(1));
        if (!kinds[kind] || !stamp || (kind == Created && !creationSettable)) continue;
        plan.moved[kind] = true;
        plan.after[kind] = platform::Instant{stamp->seconds + seconds, stamp->nanoseconds};
        const auto local = localFromInstant(*plan.after[kind]);
        if (local)
            plan.afterLocal[kind] = *local;
        else
            plan.outOfRange = true;
    }
    return plan;
}

ShiftPlan planShift(const std::filesystem::path& file, std::int64_t seconds,
                    const std::array<bool, 3>& kinds, const platform::FileId* expected) {
    return planShift(platform::readFileTimes(file, expected), seconds, kinds);
}

platform::WriteOutcome writeShift(const std::filesystem::path& file, const ShiftPlan& plan,
                                  std::int64_t seconds, const platform::FileId* expected) {
    if (!plan.before.read) {
        // Nothing is asked of the writer, which then only says why it could not write.
        platform::WriteOutcome why = platform::writeFileTimes(file, {}, expected);
        if (plan.before.replaced) why.failure = platform::WriteFailure::Replaced;
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
    // The stamps the file has when it is opened are the ones moved.
    return platform::writeFileTimes(
        file, {plan.after[Created], plan.after[Accessed], plan.after[Modified], false, seconds},
        expected);
}

EntryChange shiftChange(const TickedEntry& entry, std::int64_t seconds,
                        const std::array<bool, 3>& kinds) {
    const platform::FileId* id = entry.id.toCheck();
    ShiftPlan plan = planShift(entry.file, seconds, kinds, id);
    EntryChange change;
    if (plan.outOfRange)
        change.skip = QStringLiteral("its new date would lie outside the years 100 to 9999");
    change.written = plan.moved;
    change.newLocal = plan.afterLocal;
    change.oldLocal = plan.beforeLocal;
    change.write = [file = entry.file, plan = std::move(plan), seconds, listed = entry.id] {
        return writeShift(file, plan, seconds, listed.toCheck());
    };
    return change;
}

BatchResult shiftEntries(const std::vector<TickedEntry>& entries, std::int64_t seconds,
                         const std::array<bool, 3>& kinds, UndoStore& undo,
                         const std::function<bool(const QString& yearLines)>& confirm) {
    std::vector<EntryChange> changes;
    changes.reserve(entries.size());
    for (const TickedEntry& entry : entries)
        changes.push_back(shiftChange(entry, seconds, kinds));
    return applyChanges(entries, changes, undo, confirm);
}

} // namespace chronodex
