// The list of entries as a table: each entry's tick, name, folder, size and three stamps,
// over the path table itself (no copy of it), sortable and filtered by name without
// reordering the list the table stands for.
#pragma once

#include "listmodel.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <array>
#include <optional>
#include <vector>

namespace chronodex {

// What the table shows of an entry beyond its path, read from the file system.
struct EntryFacts {
    bool exists = false; // false: deleted or moved since it was listed
    bool directory = false;
    qint64 size = -1; // of a file; -1 for a folder (and, on Linux, for a FIFO or device)
    // Created, modified, accessed, exactly; empty where not read (a directory has only its
    // creation stamp).
    std::array<std::optional<platform::Instant>, 3> stamps;
};
EntryFacts readEntryFacts(const QString& path);

// Row k is slot k + 1 of the path table. The facts of an entry are read when it is first
// shown (or sorted by them) and kept until the list changes or refresh() is called.
class EntryTable : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Column {
        TickColumn,
        NameColumn,
        FolderColumn,
        SizeColumn,
        CreatedColumn,
        ModifiedColumn,
        AccessedColumn,
        ColumnCount
    };

    explicit EntryTable(FilePathTable* entries, QObject* parent = nullptr);

    FilePathTable& entries() const { return *entries_; }
    // Forgets every fact read: the stamps on disk have changed. With `readNow` (a view sorted
    // by them) they are read again at once, on several threads.
    void refresh(bool readNow = false);
    // Reads the facts of every row not yet read; a long list on several threads.
    void readAll();
    const EntryFacts& facts(int row) const;
    // The order of two rows by a column, stable (ties by row).
    bool lessThan(int a, int b, int column) const;
    // The name and folder part of a row's path, without copying it.
    QStringView namePart(int row) const;
    QStringView folderPart(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    void forget();

    FilePathTable* entries_;
    mutable std::vector<EntryFacts> facts_; // by row, valid where read_ is set
    mutable std::vector<char> read_;
};

// The table as the list window shows it: sorted by any column, only the rows whose name holds
// the filter text (any case).
class EntrySortFilter : public QSortFilterProxyModel {
    Q_OBJECT

  public:
    explicit EntrySortFilter(EntryTable* table, QObject* parent = nullptr);
    void setNameFilter(const QString& text);
    // Reads every row's facts first when sorting by them.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;

  private:
    EntryTable* table_;
    QString filter_;
};

} // namespace chronodex
