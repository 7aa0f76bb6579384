// The data behind the list of dropped objects: the path table beside the visible list,
// the kind of an entry, the ticking rule and the ticked-status line.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace chronodex {

enum class EntryKind { Directory, SystemFile, File };

// The path table `FilePaths`: slot 0 is never used; entries live in slots 1 to n, each with
// its kind as the intake or the last rebuild read it. Before the first drop it has never
// been sized.
class FilePathTable {
  public:
    // Resizing always discards the contents; a sized table always has slot 0.
    void resize(int entries) {
        slots_.assign(static_cast<std::size_t>(entries) + 1, QString());
        kinds_.assign(slots_.size(), EntryKind::File);
    }
    // The highest slot, which is the number of entries; -1 when never sized.
    int PathCount() const { return static_cast<int>(slots_.size()) - 1; }
    bool hasSlot(int i) const { return i >= 0 && i < static_cast<int>(slots_.size()); }
    const QString& at(int i) const { return slots_.at(static_cast<std::size_t>(i)); }
    EntryKind kind(int i) const { return kinds_.at(static_cast<std::size_t>(i)); }
    // Slots 1 to n, in order.
    QStringList entries() const;
    // Sizes the table to the given entries and stores them in slots 1 onward; without kinds
    // every entry counts as an ordinary file.
    void assign(const QStringList& paths, const std::vector<EntryKind>& kinds = {});

  private:
    std::vector<QString> slots_;
    std::vector<EntryKind> kinds_;
};

// The name part (after the last separator) or the directory part (before it, without the
// separator) of a path. A path without a separator is all name and no directory.
QString SplitPath(QString Path, bool NameOnly, QChar separator);

// Directories carry the directory bit; any other object without the archive bit counts as
// a system file.
EntryKind kindOf(std::uint32_t attributes);

// Ordinary files are ticked when the list is filled; directories and system files not.
inline bool tickedOnIntake(EntryKind kind) {
    return kind == EntryKind::File;
}

// Counts of a list, as shown beside "Total files:" and the like. Files include system files.
struct KindCounts {
    int files = 0;
    int systemFiles = 0;
    int directories = 0;
    void add(EntryKind kind);
};

QString CapitalFirst(const QString& Text);

// "No file, no directories ticked.", "One file, one directory ticked.", ...
QString tickedStatusText(int files, int directories);

// A count as "##,##0" with the default locale, followed by one space: "1,234 ".
QString formatCount(qint64 n);

// A count as "##,##0" with the default locale, without the space.
QString groupedNumber(qint64 n);

// The largest number of entries the list can hold, and of any count of it.
inline constexpr int MaxEntries = 32767;

} // namespace chronodex
