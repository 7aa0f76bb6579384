#include "changeplans.h"

#include "format.h"
#include "phototaken.h"

#include "platform/civil.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace chronodex {

namespace {

std::array<const std::optional<platform::Instant>*, 3> byKind(const platform::FileTimes& t) {
    return {&t.created, &t.modified, &t.accessed};
}

// The stamps an entry has now, for the preview.
platform::FileTimes readNow(const TickedEntry& entry, EntryChange& change) {
    const platform::FileTimes now = platform::readFileTimes(entry.file, entry.id.toCheck());
    for (StampKind kind : AllStampKinds)
        if (const auto& stamp = *byKind(now)[kind])
            change.oldLocal[kind] = localFromInstant(*stamp).value_or(NoDate(1));
    return now;
}

QString fileNameOf(const std::filesystem::path& p) {
    return QString::fromStdU16String(p.filename().u16string());
}

// Names are one key whatever their case where the file system holds them so.
QString nameKey(const QString& name) {
#ifdef Q_OS_WIN
    return name.toCaseFolded();
#else
    return name;
#endif
}

QString baseOf(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

} // namespace

std::vector<EntryChange> changesOf(const std::vector<TickedEntry>& entries,
                                   const Progress& progress,
                                   const std::function<EntryChange(const TickedEntry&)>& change) {
    std::vector<EntryChange> changes;
    changes.reserve(entries.size());
    const int total = static_cast<int>(entries.size());
    for (const TickedEntry& entry : entries) {
        if (progress && !progress(static_cast<int>(changes.size()), total)) break;
        changes.push_back(change(entry));
    }
    return changes;
}

EntryChange copyChange(const TickedEntry& entry, const InstantStamps& to,
                       const std::array<bool, 3>& kinds) {
    EntryChange change;
    const bool creationSettable = readNow(entry, change).creationSettable;
    platform::StampsToWrite stamps;
    const std::array<std::optional<platform::Instant>*, 3> wanted{&stamps.created, &stamps.modified,
                                                                  &stamps.accessed};
    for (StampKind kind : AllStampKinds) {
        if (!kinds[kind] || !to[kind] || (kind == Created && !creationSettable)) continue;
        const auto local = localFromInstant(*to[kind]);
        if (!local) {
            change.skip = QStringLiteral("its new date would lie outside the years 100 to 9999");
            return change;
        }
        *wanted[kind] = to[kind];
        change.written[kind] = true;
        change.newLocal[kind] = *local;
    }
    if (change.written == std::array<bool, 3>{})
        change.skip = QStringLiteral("none of the chosen dates can be set on this system");
    change.write = [file = entry.file, stamps, listed = entry.id] {
        return platform::writeFileTimes(file.native(), stamps, listed.toCheck());
    };
    return change;
}

std::vector<EntryChange> referenceChanges(const std::vector<TickedEntry>& entries,
                                          const platform::FileTimes& reference,
                                          const std::array<bool, 3>& kinds,
                                          const Progress& progress) {
    const InstantStamps to{reference.created, reference.modified, reference.accessed};
    return changesOf(entries, progress,
                     [&](const TickedEntry& entry) { return copyChange(entry, to, kinds); });
}

OriginalsIndex::OriginalsIndex(const std::filesystem::path& folder, bool subfolders)
    : folder_(folder) {
    namespace fs = std::filesystem;
    const auto add = [this](const fs::directory_entry& found) {
        std::error_code failed;
        if (!found.is_regular_file(failed)) return;
        const QString name = fileNameOf(found.path());
        byName_[nameKey(name)].push_back(files_.size());
        byBase_[nameKey(baseOf(name))].push_back(files_.size());
        files_.push_back(found.path());
    };
    // A folder that cannot be read is left out; so are the rest of its files.
    std::error_code failed;
    const auto options = fs::directory_options::skip_permission_denied;
    if (subfolders) {
        for (fs::recursive_directory_iterator it(folder, options, failed), end;
             !failed && it != end; it.increment(failed))
            add(*it);
    } else {
        for (fs::directory_iterator it(folder, options, failed), end; !failed && it != end;
             it.increment(failed))
            add(*it);
    }
}

std::optional<std::filesystem::path> OriginalsIndex::originalOf(const QString& name,
                                                                QString& reason) const {
    const std::vector<std::size_t>* found = nullptr;
    if (const auto same = byName_.constFind(nameKey(name)); same != byName_.constEnd())
        found = &*same;
    else if (const auto base = byBase_.constFind(nameKey(baseOf(name))); base != byBase_.constEnd())
        found = &*base;
    if (!found) {
        reason = QStringLiteral("no original in the folder");
        return std::nullopt;
    }
    if (found->size() == 1) return files_[found->front()];
    QStringList names;
    for (std::size_t i : *found) {
        if (names.size() == 3) {
            names << QStringLiteral("...");
            break;
        }
        names << QString::fromStdU16String(files_[i].lexically_relative(folder_).u16string());
    }
    reason = QStringLiteral("several originals in the folder (") +
             names.join(QStringLiteral(", ")) + QLatin1Char(')');
    return std::nullopt;
}

std::vector<EntryChange> originalChanges(const std::vector<TickedEntry>& entries,
                                         const OriginalsIndex& originals,
                                         const std::array<bool, 3>& kinds,
                                         const Progress& progress) {
    return changesOf(entries, progress, [&](const TickedEntry& entry) {
        QString reason;
        const auto original = originals.originalOf(fileNameOf(entry.file), reason);
        const platform::FileTimes from =
            original ? platform::readFileTimes(*original) : platform::FileTimes{};
        if (original && !from.read)
            reason = QStringLiteral("its original, ") + fileNameOf(*original) +
                     QStringLiteral(", cannot be read");
        if (!reason.isEmpty()) {
            EntryChange left;
            readNow(entry, left);
            left.skip = reason;
            return left;
        }
        return copyChange(entry, {from.created, from.modified, from.accessed}, kinds);
    });
}

namespace {

// The names cameras, phones and programs write, each with one it reads. Every pattern
// starts at the beginning of the name; the digits of a date are followed by no other digit.
struct NamePattern {
    const char* example;
    const char* pattern;
};
constexpr NamePattern NamePatterns[] = {
    {"IMG_20190504_101112.jpg",
     R"(^IMG_(?<y>\d{4})(?<mo>\d\d)(?<d>\d\d)_(?<h>\d\d)(?<mi>\d\d)(?<s>\d\d)(?!\d))"},
    {"VID_20190504_101112.mp4",
     R"(^VID_(?<y>\d{4})(?<mo>\d\d)(?<d>\d\d)_(?<h>\d\d)(?<mi>\d\d)(?<s>\d\d)(?!\d))"},
    {"PXL_20190504_101112345.jpg",
     R"(^PXL_(?<y>\d{4})(?<mo>\d\d)(?<d>\d\d)_(?<h>\d\d)(?<mi>\d\d)(?<s>\d\d)(?<ms>\d{3})(?!\d))"},
    {"20190504_101112.jpg",
     R"(^(?<y>\d{4})(?<mo>\d\d)(?<d>\d\d)_(?<h>\d\d)(?<mi>\d\d)(?<s>\d\d)(?!\d))"},
    {"2019-05-04 10.11.12.jpg",
     R"(^(?<y>\d{4})-(?<mo>\d\d)-(?<d>\d\d) (?<h>\d\d)\.(?<mi>\d\d)\.(?<s>\d\d)(?!\d))"},
    {"2019-05-04_10-11-12.png",
     R"(^(?<y>\d{4})-(?<mo>\d\d)-(?<d>\d\d)_(?<h>\d\d)-(?<mi>\d\d)-(?<s>\d\d)(?!\d))"},
    {"Screenshot_2019-05-04-10-11-12.png",
     R"(^Screenshot_(?<y>\d{4})-(?<mo>\d\d)-(?<d>\d\d)-(?<h>\d\d)-(?<mi>\d\d)-(?<s>\d\d)(?!\d))"},
    {"Screenshot 2019-05-04 at 10.11.12.png",
     R"(^Screenshot (?<y>\d{4})-(?<mo>\d\d)-(?<d>\d\d) at (?<h>\d\d)\.(?<mi>\d\d)\.(?<s>\d\d)(?!\d))"},
    // WhatsApp: a date and a running number, no time.
    {"IMG-20190504-WA0001.jpg", R"(^(?:IMG|VID|AUD|PTT)-(?<y>\d{4})(?<mo>\d\d)(?<d>\d\d)-WA\d+)"},
    {"signal-2019-05-04-101112.jpg",
     R"(^signal-(?<y>\d{4})-(?<mo>\d\d)-(?<d>\d\d)-(?<h>\d\d)(?<mi>\d\d)(?<s>\d\d)(?!\d))"},
};

const std::vector<QRegularExpression>& nameExpressions() {
    static const std::vector<QRegularExpression> compiled = [] {
        std::vector<QRegularExpression> out;
        for (const NamePattern& p : NamePatterns)
            out.emplace_back(QString::fromLatin1(p.pattern),
                             QRegularExpression::CaseInsensitiveOption);
        return out;
    }();
    return compiled;
}

} // namespace

std::vector<QString> nameExamples() {
    std::vector<QString> out;
    for (const NamePattern& p : NamePatterns)
        out.push_back(QString::fromLatin1(p.example));
    return out;
}

std::optional<NameDate> dateInName(const QString& name) {
    for (const QRegularExpression& expression : nameExpressions()) {
        const QRegularExpressionMatch m = expression.match(name);
        if (!m.hasMatch()) continue;
        const auto field = [&m](const char* group, int none) {
            const QString digits = m.captured(QLatin1String(group));
            return digits.isEmpty() ? none : digits.toInt();
        };
        const bool timed = m.lastCapturedIndex() > 3;
        const DateTime local{field("y", 0),  field("mo", 0),
                             field("d", 0),  timed ? field("h", 0) : NoonForDateOnly,
                             field("mi", 0), field("s", 0)};
        const auto day = dateWithCarry(local.year, local.month, local.day);
        if (local.year < MinYear || local.month < 1 || local.month > 12 || local.day < 1 || !day ||
            day->month != local.month || local.hour > 23 || local.minute > 59 || local.second > 59)
            return std::nullopt;
        return NameDate{local, field("ms", 0) * 1000000};
    }
    return std::nullopt;
}

std::optional<platform::Instant> instantOrReason(const DateTime& local, const QString& what,
                                                 QString& reason) {
    const platform::LocalToUtc utc = utcFromLocal(local);
    if (utc.utc) return platform::instantOf(*utc.utc);
    // The words of a typed time that the clocks skip.
    reason = utc.skipped ? what + QStringLiteral(", ") + formatDateTime(local) +
                               QStringLiteral(", does not exist on that day in this time zone "
                                              "(the clocks go forward)")
                         : what + QStringLiteral(" cannot be shown in this time zone");
    return std::nullopt;
}

namespace {

// The modified stamp, and the created one where the file's drive takes it, become `at`.
void takeDate(EntryChange& change, const TickedEntry& entry, const platform::Instant& at,
              const DateTime& local, bool created) {
    change.written = {created, true, false};
    change.newLocal = {local, local, NoDate(1)};
    change.write = [file = entry.file, at, id = entry.id] {
        return writeTakenDate(file, at, id.toCheck());
    };
}

} // namespace

std::vector<EntryChange> nameChanges(const std::vector<TickedEntry>& entries,
                                     const Progress& progress) {
    return changesOf(entries, progress, [](const TickedEntry& entry) {
        EntryChange change;
        const bool created = readNow(entry, change).creationSettable;
        const auto date = dateInName(fileNameOf(entry.file));
        auto at =
            date ? instantOrReason(date->local, QStringLiteral("the date in its name"), change.skip)
                 : std::nullopt;
        if (!date) change.skip = QStringLiteral("no date in its name");
        if (at) {
            at->nanoseconds = date->nanoseconds;
            takeDate(change, entry, *at, date->local, created);
        }
        return change;
    });
}

std::vector<EntryChange> photoChanges(const std::vector<TickedEntry>& entries,
                                      const Progress& progress) {
    return changesOf(entries, progress, [](const TickedEntry& entry) {
        EntryChange change;
        const bool created = readNow(entry, change).creationSettable;
        const PhotoTaken photo = photoTakenAt(entry.file, entry.id.toCheck());
        bool skipped = false;
        const auto at = takenInstant(photo, skipped);
        const auto local = at ? localFromInstant(*at) : std::nullopt;
        if (!photo.taken)
            change.skip = QString::fromStdString(photo.reason);
        else if (skipped)
            instantOrReason(*photo.taken, QStringLiteral("its date taken"), change.skip);
        else if (!local)
            change.skip = QStringLiteral("its date taken cannot be shown in this time zone");
        else
            takeDate(change, entry, *at, *local, created);
        return change;
    });
}

} // namespace chronodex
