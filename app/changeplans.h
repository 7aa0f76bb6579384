// The new stamps of the commands that take dates from somewhere else, worked out for every
// ticked entry before anything is written: from a reference file, from the originals in a
// folder, from the entries' names, from photos and videos. Each gives the EntryChange that
// the preview shows and applyChanges writes.
#pragma once

#include "batch.h"
#include "progress.h"

#include <QHash>
#include <QString>

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace chronodex {

// Stamps as the system keeps them, indexed by StampKind.
using InstantStamps = std::array<std::optional<platform::Instant>, 3>;

// The change that gives an entry these stamps, exactly, for the kinds chosen (indexed by
// StampKind; created only where the system can set it). The entry's stamps are read now for
// the preview.
EntryChange copyChange(const TickedEntry& entry, const InstantStamps& to,
                       const std::array<bool, 3>& kinds);

// One change for each entry, in their order, told to `progress` before each; fewer changes
// than entries when it says stop. The planners below work this way.
std::vector<EntryChange> changesOf(const std::vector<TickedEntry>& entries,
                                   const Progress& progress,
                                   const std::function<EntryChange(const TickedEntry&)>& change);

// Every entry gets the stamps of one reference file.
std::vector<EntryChange> referenceChanges(const std::vector<TickedEntry>& entries,
                                          const platform::FileTimes& reference,
                                          const std::array<bool, 3>& kinds,
                                          const Progress& progress = {});

// The files of a folder (and, when asked, of its subfolders), indexed once by name and by
// base name (the name without its last extension); on Windows names match in any case.
class OriginalsIndex {
  public:
    OriginalsIndex(const std::filesystem::path& folder, bool subfolders);
    // The original of a file of this name: the one with the same name, else the one with the
    // same base name and another extension. Nothing with `reason` set when there is none or
    // more than one.
    std::optional<std::filesystem::path> originalOf(const QString& name, QString& reason) const;
    std::size_t size() const { return files_.size(); }

  private:
    std::vector<std::filesystem::path> files_;
    QHash<QString, std::vector<std::size_t>> byName_, byBase_;
    std::filesystem::path folder_;
};

std::vector<EntryChange> originalChanges(const std::vector<TickedEntry>& entries,
                                         const OriginalsIndex& originals,
                                         const std::array<bool, 3>& kinds,
                                         const Progress& progress = {});

// A date read from a file's name, in local time, with the fraction of a second where the name
// has one.
struct NameDate {
    DateTime local;
    std::int32_t nanoseconds = 0;
};
// The time given to a name with a date and no time: noon, so that the day stays the same
// seen from any time zone within twelve hours of this one.
inline constexpr int NoonForDateOnly = 12;
// The date in a name, by the first pattern that fits; nothing when none fits or its digits
// are no real date and time.
std::optional<NameDate> dateInName(const QString& name);
// The patterns known, each with a name it reads (for the help and the tests).
std::vector<QString> nameExamples();

// The instant of a local date and time, or the reason there is none ("its date taken",
// `what`, is named in it).
std::optional<platform::Instant> instantOrReason(const DateTime& local, const QString& what,
                                                 QString& reason);

// The modified stamp, and the created stamp where it can be set, become the date in the name.
std::vector<EntryChange> nameChanges(const std::vector<TickedEntry>& entries,
                                     const Progress& progress = {});
// The same from the date a photo was taken or a video made.
std::vector<EntryChange> photoChanges(const std::vector<TickedEntry>& entries,
                                      const Progress& progress = {});

} // namespace chronodex
