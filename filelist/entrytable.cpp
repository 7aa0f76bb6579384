#include "entrytable.h"

#include "editorrows.h"
#include "format.h"
#include "fspath.h"

#include "platform/files.h"

#include <algorithm>
#include <thread>

namespace chronodex {

EntryFacts readEntryFacts(const QString& path) {
    EntryFacts f;
    const auto status = platform::entryStatus(toNativePath(path));
    if (!status) return f;
    f.exists = true;
    f.directory = (status->attributes & platform::AttrDirectory) != 0;
    f.size = status->size;
    f.stamps = {status->created, status->modified, status->accessed};
    // A folder shows the one stamp the main window shows for it.
    if (f.directory) f.stamps[Modified] = f.stamps[Accessed] = std::nullopt;
    return f;
}

EntryTable::EntryTable(FilePathTable* entries, QObject* parent)
    : QAbstractTableModel(parent), entries_(entries) {
    // A reset or a reorder of the list starts the table afresh; a tick changed shows at once.
    connect(entries, &QAbstractItemModel::modelAboutToBeReset, this, &EntryTable::beginResetModel);
    connect(entries, &QAbstractItemModel::modelReset, this, [this] {
        forget();
        endResetModel();
    });
    connect(entries, &QAbstractItemModel::layoutAboutToBeChanged, this,
            &EntryTable::beginResetModel);
    connect(entries, &QAbstractItemModel::layoutChanged, this, [this] {
        forget();
        endResetModel();
    });
    connect(entries, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to, const QList<int>& roles) {
                if (rowCount() == 0) return;
                const int last = std::min(to.row(), rowCount() - 1);
                const bool tickOnly = roles.size() == 1 && roles.front() == Qt::CheckStateRole;
                emit dataChanged(index(from.row(), 0),
                                 index(last, tickOnly ? TickColumn : ColumnCount - 1), roles);
            });
    forget();
}

void EntryTable::forget() {
    const auto n = static_cast<std::size_t>(rowCount());
    facts_.assign(n, {});
    read_.assign(n, 0);
}

void EntryTable::refresh(bool readNow) {
    forget();
    if (readNow) readAll();
    if (rowCount() > 0)
        emit dataChanged(index(0, SizeColumn), index(rowCount() - 1, ColumnCount - 1));
}

const EntryFacts& EntryTable::facts(int row) const {
    const auto r = static_cast<std::size_t>(row);
    if (!read_[r]) {
        facts_[r] = readEntryFacts(entries_->at(row + 1));
        read_[r] = 1;
    }
    return facts_[r];
}

void EntryTable::readAll() {
    // Reads depend on nothing and wait on the file system: a long list is read in blocks,
    // one thread each.
    const int n = rowCount();
    const unsigned blocks = n < 2048 ? 1u : std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    const auto readBlock = [&](unsigned b) {
        for (int row = int(qint64(n) * b / blocks); row < int(qint64(n) * (b + 1) / blocks); ++row)
            facts(row);
    };
    std::vector<std::jthread> threads;
    unsigned started = 1;
    try {
        for (; started < blocks; ++started)
            threads.emplace_back(readBlock, started);
    } catch (const std::system_error&) {
        // No thread to be had: the blocks left are read here.
    }
    readBlock(0);
    for (unsigned b = started; b < blocks; ++b)
        readBlock(b);
}

QStringView EntryTable::namePart(int row) const {
    const QString& path = entries_->at(row + 1);
    return QStringView(path).mid(path.lastIndexOf(QLatin1Char(platform::pathSeparator)) + 1);
}

QStringView EntryTable::folderPart(int row) const {
    const QString& path = entries_->at(row + 1);
    return QStringView(path).left(
        std::max<qsizetype>(path.lastIndexOf(QLatin1Char(platform::pathSeparator)), 0));
}

bool EntryTable::lessThan(int a, int b, int column) const {
    int order = 0;
    switch (column) {
    case TickColumn:
        order = int(entries_->ticked(a + 1)) - int(entries_->ticked(b + 1));
        break;
    case NameColumn:
        order = namePart(a).compare(namePart(b), Qt::CaseInsensitive);
        break;
    case FolderColumn:
        order = folderPart(a).compare(folderPart(b), Qt::CaseInsensitive);
        break;
    case SizeColumn: {
        const EntryFacts &x = facts(a), &y = facts(b);
        // Missing entries first, then directories and other objects without a size.
        const auto key = [](const EntryFacts& f) { return f.exists ? f.size : -2; };
        order = key(x) < key(y) ? -1 : key(y) < key(x) ? 1 : 0;
        break;
    }
    default: {
        const auto& x = facts(a).stamps[column - CreatedColumn];
        const auto& y = facts(b).stamps[column - CreatedColumn];
        order = x < y ? -1 : y < x ? 1 : 0; // no stamp first
    }
    }
    return order != 0 ? order < 0 : a < b;
}

int EntryTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(entries_->PathCount(), 0);
}

int EntryTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant EntryTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const int row = index.row(), column = index.column();
    if (role == Qt::CheckStateRole && column == TickColumn)
        return entries_->ticked(row + 1) ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::TextAlignmentRole && column == SizeColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ToolTipRole) return displayText(entries_->at(row + 1));
    if (role != Qt::DisplayRole) return {};
    switch (column) {
    case NameColumn:
        return displayText(namePart(row).toString());
    case FolderColumn:
        return displayText(folderPart(row).toString());
    case SizeColumn: {
        const EntryFacts& f = facts(row);
        if (!f.exists) return QStringLiteral("not found");
        if (f.directory) return QStringLiteral("folder");
        return f.size >= 0 ? formatSize(f.size) : QString();
    }
    case CreatedColumn:
    case ModifiedColumn:
    case AccessedColumn: {
        const auto& stamp = facts(row).stamps[column - CreatedColumn];
        const auto local = stamp ? localFromInstant(*stamp) : std::nullopt;
        return local ? formatDateTime(*local) + repeatedHourMark(*stamp) : QString();
    }
    default:
        return {};
    }
}

QVariant EntryTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const std::array<const char*, ColumnCount> titles{
        "", "Name", "Folder", "Size (bytes)", "Created on", "Modfied on", "Accessed on"};
    return QString::fromLatin1(titles[static_cast<std::size_t>(section)]);
}

bool EntryTable::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || index.column() != TickColumn || !index.isValid())
        return false;
    entries_->setTicked(index.row() + 1, value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags EntryTable::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    return index.column() == TickColumn ? shown | Qt::ItemIsUserCheckable : shown;
}

EntrySortFilter::EntrySortFilter(EntryTable* table, QObject* parent)
    : QSortFilterProxyModel(parent), table_(table) {
    setSourceModel(table);
}

void EntrySortFilter::setNameFilter(const QString& text) {
    filter_ = text;
    invalidateRowsFilter();
}

void EntrySortFilter::sort(int column, Qt::SortOrder order) {
    if (column >= EntryTable::SizeColumn) table_->readAll();
    QSortFilterProxyModel::sort(column, order);
}

bool EntrySortFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    return table_->lessThan(left.row(), right.row(), left.column());
}

bool EntrySortFilter::filterAcceptsRow(int row, const QModelIndex&) const {
    return filter_.isEmpty() || table_->namePart(row).contains(filter_, Qt::CaseInsensitive);
}

} // namespace chronodex
