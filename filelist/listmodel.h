// The data behind the list of dropped objects: the path table that the visible list shows,
// the kind of an entry, the ticking rule and the ticked-status line.
#pragma once

#include "platform/files.h"
#include "progress.h"

#include <QAbstractListModel>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace chronodex {

// One byte an entry: the table keeps one per slot.
enum class EntryKind : std::uint8_t { Directory, SystemFile, File };

// Counts of a list, as shown beside "Total files:" and the like. Files include system files.
struct KindCounts {
    int files = 0;
    int systemFiles = 0;
    int directories = 0;
    void add(EntryKind kind);
    void remove(EntryKind kind);
    friend bool operator==(const KindCounts&, const KindCounts&) = default;
};

// The path table `FilePaths` and the model the list shows: slot 0 is never used; entries
// live in slots 1 to n, each with its kind as the intake or the last rebuild read it and
// its tick. Row k of the model is slot k + 1, shown by its name part with a check box.
// Before the first drop the table has never been sized; while it holds no entry the model
// has one row, the hint entry, with no path and no check box.
class FilePathTable : public QAbstractListModel {
    Q_OBJECT

  public:
    explicit FilePathTable(QObject* parent = nullptr);

    // The highest slot, which is the number of entries; -1 when never sized.
    int PathCount() const { return static_cast<int>(kinds_.size()) - 1; }
    bool hasSlot(int i) const { return i >= 0 && i < static_cast<int>(kinds_.size()); }
    // Slot 0 holds no path: its text is empty.
    const QString& at(int i) const { return i == 0 ? noPath_ : paths_.at(i - 1); }
    EntryKind kind(int i) const { return kinds_.at(static_cast<std::size_t>(i)); }
    bool ticked(int i) const { return ticks_.at(static_cast<std::size_t>(i)) != 0; }
    // The object an entry named when it was listed: its writers touch that object only.
    const platform::FileId& id(int i) const { return ids_.at(static_cast<std::size_t>(i)); }
    std::vector<platform::FileId> ids() const {
        return {ids_.begin() + (ids_.empty() ? 0 : 1), ids_.end()};
    }
    // Every entry has the identity it was listed with.
    bool identified() const;
    // Slots 1 to n, in order (the table's own list, shared, not copied), and their ticks.
    QStringList entries() const { return paths_; }
    std::vector<bool> ticks() const;
    // The slots of the ticked entries in list order, and what they are.
    std::vector<int> tickedSlots() const;
    const KindCounts& tickedCounts() const { return tickedCounts_; }
    bool anyTicked() const { return tickedCounts_.files + tickedCounts_.directories > 0; }

    // Sizes the table to the given entries and stores them in slots 1 onward, in one reset
    // of the model. The table shares the list it is given rather than copying its paths. Without
    // kinds every entry counts as an ordinary file; each entry gets its tick from `ticks`, and past
    // their end by the ticking rule, and the identity in `ids` (none past their end).
    void assign(const QStringList& paths, const std::vector<EntryKind>& kinds = {},
                const std::vector<bool>& ticks = {}, const std::vector<platform::FileId>& ids = {});
    // New kinds for slots 1 to n, as a rebuild reads them; with `retick` the ticks follow
    // the ticking rule again, otherwise each entry keeps its own. An entry keeps the identity
    // it was listed with; one listed without gets it from `ids`.
    void setKinds(const std::vector<EntryKind>& kinds, bool retick,
                  const std::vector<platform::FileId>& ids = {});
    // Puts entry order[k] at position k (positions counted from 0, slot 0 stays first),
    // each with its kind and tick; the view is told once. Fewer positions than entries
    // keep only those entries.
    void reorder(const std::vector<int>& order);
    // Ticks or unticks one entry, as a click on its check box does.
    void setTicked(int slot, bool ticked);
    // Ticks, unticks or inverts every entry at once; the view is told once.
    enum class TickAll { Tick, Untick, Invert };
    void setAllTicked(TickAll how);
    // The text of the hint entry.
    void setHint(const QString& text);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    bool showsHint() const { return kinds_.size() <= 1; }
    void countTicked();

    // The paths of slots 1 to n; kinds and ticks are kept by slot, with slot 0 unused.
    QStringList paths_;
    QString noPath_;
    std::vector<EntryKind> kinds_;
    std::vector<char> ticks_;
    std::vector<platform::FileId> ids_;
    KindCounts tickedCounts_;
    QString hint_;
};

// The name part (after the last separator) or the directory part (before it, without the
// separator) of a path. A path without a separator is all name and no directory.
QString SplitPath(QString Path, bool NameOnly, QChar separator);

// Directories carry the directory bit; any other object without the archive bit counts as
// a system file.
EntryKind kindOf(std::uint32_t attributes);

// The kind of every path, from its attributes read now, the identity of the object it names,
// and the position of the first path
// whose attributes could not be read (-1 when every one could); such a path counts as a
// system file. A long list is read on several threads: each read waits on the file system
// (on a network share, a round trip), and the reads change nothing.
struct KindsRead {
    std::vector<EntryKind> kinds;
    std::vector<platform::FileId> ids; // of the objects the paths name (none for a missing one)
    KindCounts counts;
    qsizetype firstMissing = -1;
    bool stopped = false; // `progress` answered false: the kinds are not all read
};
// `identify`: the identities are read too (which costs an open of each object on Windows).
// `progress` is told on the calling thread how many paths have been read.
KindsRead readKinds(const QStringList& paths, bool identify = false, const Progress& progress = {});

// Ordinary files are ticked when the list is filled; directories and system files not.
inline bool tickedOnIntake(EntryKind kind) {
    return kind == EntryKind::File;
}

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
