#include "listmodel.h"

#include "fspath.h"

#include "platform/files.h"

#include <QLocale>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <exception>
#include <system_error>
#include <thread>
#include <utility>

namespace chronodex {

FilePathTable::FilePathTable(QObject* parent) : QAbstractListModel(parent) {}

std::vector<bool> FilePathTable::ticks() const {
    std::vector<bool> out;
    if (ticks_.size() > 1) out.assign(ticks_.begin() + 1, ticks_.end());
    return out;
}

std::vector<int> FilePathTable::tickedSlots() const {
    std::vector<int> out;
    for (std::size_t i = 1; i < ticks_.size(); ++i)
        if (ticks_[i]) out.push_back(static_cast<int>(i));
    return out;
}

void FilePathTable::assign(const QStringList& paths, const std::vector<EntryKind>& kinds,
                           const std::vector<bool>& ticks,
                           const std::vector<platform::FileId>& ids) {
    beginResetModel();
    const auto n = static_cast<std::size_t>(paths.size());
    paths_ = paths;
    kinds_.assign(n + 1, EntryKind::File);
    ticks_.assign(n + 1, 0);
    ids_.assign(n + 1, {});
    std::copy_n(ids.begin(), std::min(ids.size(), n), ids_.begin() + 1);
    for (std::size_t k = 0; k < n; ++k) {
        if (k < kinds.size()) kinds_[k + 1] = kinds[k];
        ticks_[k + 1] = k < ticks.size() ? ticks[k] : tickedOnIntake(kinds_[k + 1]);
    }
    countTicked();
    endResetModel();
}

void FilePathTable::setKinds(const std::vector<EntryKind>& kinds, bool retick,
                             const std::vector<platform::FileId>& ids) {
    if (retick) beginResetModel();
    for (std::size_t i = 1; i < kinds_.size() && i - 1 < kinds.size(); ++i) {
        kinds_[i] = kinds[i - 1];
        if (!ids_[i].known() && i - 1 < ids.size()) ids_[i] = ids[i - 1];
        if (retick) ticks_[i] = tickedOnIntake(kinds_[i]);
    }
    countTicked();
    if (retick) endResetModel();
}

void FilePathTable::reorder(const std::vector<int>& order) {
    const std::size_t n = kinds_.size() > 0 ? kinds_.size() - 1 : 0;
    const bool sameRows = order.size() == n;
    // A permutation moves the rows and what points at them; fewer rows start afresh.
    if (sameRows)
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    else
        beginResetModel();
    QStringList paths;
    paths.reserve(static_cast<qsizetype>(order.size()));
    std::vector<EntryKind> kinds(order.size() + 1, EntryKind::File);
    std::vector<char> ticks(order.size() + 1, 0);
    std::vector<platform::FileId> ids(order.size() + 1);
    for (std::size_t k = 0; k < order.size(); ++k) {
        const auto from = static_cast<std::size_t>(order[k]) + 1;
        paths.append(std::as_const(paths_)[static_cast<qsizetype>(from - 1)]); // no detach
        kinds[k + 1] = kinds_[from];
        ticks[k + 1] = ticks_[from];
        ids[k + 1] = ids_[from];
    }
    if (sameRows) {
        const QModelIndexList before = persistentIndexList();
        if (!before.isEmpty()) {
            std::vector<int> newRow(n);
            for (std::size_t k = 0; k < n; ++k)
                newRow[static_cast<std::size_t>(order[k])] = static_cast<int>(k);
            QModelIndexList after;
            after.reserve(before.size());
            for (const QModelIndex& i : before)
                after.append(index(newRow[static_cast<std::size_t>(i.row())]));
            changePersistentIndexList(before, after);
        }
    }
    paths_ = std::move(paths);
    kinds_ = std::move(kinds);
    ticks_ = std::move(ticks);
    ids_ = std::move(ids);
    countTicked();
    if (sameRows)
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    else
        endResetModel();
}

bool FilePathTable::identified() const {
    return std::all_of(ids_.begin() + (ids_.empty() ? 0 : 1), ids_.end(),
                       [](const platform::FileId& id) { return id.known(); });
}

void FilePathTable::setTicked(int slot, bool ticked) {
    if (slot < 1 || !hasSlot(slot)) return;
    auto& t = ticks_[static_cast<std::size_t>(slot)];
    if ((t != 0) == ticked) return;
    t = ticked;
    if (ticked)
        tickedCounts_.add(kind(slot));
    else
        tickedCounts_.remove(kind(slot));
    const QModelIndex changed = index(slot - 1);
    emit dataChanged(changed, changed, {Qt::CheckStateRole});
}

void FilePathTable::setAllTicked(TickAll how) {
    if (showsHint()) return;
    for (std::size_t i = 1; i < ticks_.size(); ++i)
        ticks_[i] = how == TickAll::Tick ? 1 : how == TickAll::Untick ? 0 : !ticks_[i];
    countTicked();
    emit dataChanged(index(0), index(PathCount() - 1), {Qt::CheckStateRole});
}

void FilePathTable::setHint(const QString& text) {
    hint_ = text;
    if (showsHint()) emit dataChanged(index(0), index(0), {Qt::DisplayRole});
}

void FilePathTable::countTicked() {
    tickedCounts_ = {};
    for (std::size_t i = 1; i < ticks_.size(); ++i)
        if (ticks_[i]) tickedCounts_.add(kinds_[i]);
}

int FilePathTable::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return showsHint() ? 1 : PathCount();
}

QVariant FilePathTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const int slot = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        if (showsHint()) return hint_;
        return displayText(SplitPath(at(slot), true, QLatin1Char(platform::pathSeparator)));
    case Qt::CheckStateRole:
        if (showsHint()) return {};
        return ticked(slot) ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

bool FilePathTable::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !index.isValid() || showsHint() || index.row() >= rowCount())
        return false;
    setTicked(index.row() + 1, value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags FilePathTable::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    return showsHint() ? shown : shown | Qt::ItemIsUserCheckable;
}

QString SplitPath(QString Path, bool NameOnly, QChar separator) {
    const qsizetype last = Path.lastIndexOf(separator);
    if (NameOnly) return last < 0 ? Path : Path.mid(last + 1);
    return last < 0 ? QString() : Path.left(last);
}

EntryKind kindOf(std::uint32_t attributes) {
    if (attributes & platform::AttrDirectory) return EntryKind::Directory;
    if (!(attributes & platform::AttrArchive)) return EntryKind::SystemFile;
    return EntryKind::File;
}

namespace {

// Shorter lists are read on the calling thread: starting a thread costs about as much as
// reading the attributes of a few hundred local files.
constexpr qsizetype ReadOnThreadsFrom = 4096;
constexpr unsigned MostReadingThreads = 8;

// How far the reading threads have come, and whether they are to stop.
struct Reading {
    std::atomic<int> done{0};
    std::atomic<bool> stop{false};
};

// Reads the kinds of paths [begin, end) into their places; returns the first position
// whose attributes could not be read, or -1. `tell`, when given, is called after each path
// and stops every block when it answers false.
qsizetype readKindsOf(const QStringList& paths, qsizetype begin, qsizetype end, KindsRead& read,
                      bool identify, Reading& reading, const std::function<bool()>* tell) {
    qsizetype missing = -1;
    for (qsizetype i = begin; i < end && !reading.stop.load(std::memory_order_relaxed); ++i) {
        const auto status = platform::pathStatus(toNativePath(paths.at(i)), identify);
        if (!status && missing < 0) missing = i;
        read.kinds[static_cast<std::size_t>(i)] = kindOf(status ? status->attributes : 0);
        if (status) read.ids[static_cast<std::size_t>(i)] = status->id;
        reading.done.fetch_add(1, std::memory_order_relaxed);
        if (tell && !(*tell)()) reading.stop = true;
    }
    return missing;
}

} // namespace

KindsRead readKinds(const QStringList& paths, bool identify, const Progress& progress) {
    KindsRead read;
    Reading reading;
    const qsizetype n = paths.size();
    read.kinds.resize(static_cast<std::size_t>(n));
    read.ids.resize(static_cast<std::size_t>(n));
    const unsigned blocks = n < ReadOnThreadsFrom ? 1u
                                                  : std::clamp(std::thread::hardware_concurrency(),
                                                               1u, MostReadingThreads);
    // The progress hears from the calling thread only: after each path it reads itself.
    const std::function<bool()> tell = [&] {
        return progress(reading.done.load(), static_cast<int>(n));
    };
    // Block b covers [n * b / blocks, n * (b + 1) / blocks). A thread's exception is thrown
    // again here, after every thread has ended.
    std::vector<qsizetype> missing(blocks, -1);
    std::vector<std::exception_ptr> failures(blocks);
    const auto readBlock = [&](unsigned b, bool here) {
        try {
            missing[b] = readKindsOf(paths, n * b / blocks, n * (b + 1) / blocks, read, identify,
                                     reading, here && progress ? &tell : nullptr);
        } catch (...) {
            failures[b] = std::current_exception();
        }
    };
    {
        std::vector<std::jthread> threads;
        threads.reserve(blocks - 1);
        unsigned started = 1;
        try {
            for (; started < blocks; ++started)
                threads.emplace_back(readBlock, started, false);
        } catch (const std::system_error&) {
            // No thread to be had: the blocks left are read here.
        }
        readBlock(0, true);
        for (unsigned b = started; b < blocks; ++b)
            readBlock(b, true);
        // The other threads' last paths: the progress is still told, and can still stop them.
        while (progress && !reading.stop && reading.done.load() < n) {
            if (!tell()) reading.stop = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    } // the threads are joined here
    read.stopped = reading.stop;
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);
    const auto first =
        std::find_if(missing.begin(), missing.end(), [](qsizetype m) { return m >= 0; });
    if (first != missing.end()) read.firstMissing = *first;
    for (const EntryKind kind : read.kinds)
        read.counts.add(kind);
    return read;
}

void KindCounts::add(EntryKind kind) {
    if (kind == EntryKind::Directory) {
        ++directories;
        return;
    }
    ++files;
    if (kind == EntryKind::SystemFile) ++systemFiles;
}

void KindCounts::remove(EntryKind kind) {
    if (kind == EntryKind::Directory) {
        --directories;
        return;
    }
    --files;
    if (kind == EntryKind::SystemFile) --systemFiles;
}

QString CapitalFirst(const QString& Text) {
    if (Text.isEmpty()) return Text;
    return Text.left(1).toUpper() + Text.mid(1);
}

QString groupedNumber(qint64 n) {
    return QLocale().toString(n);
}

QString formatCount(qint64 n) {
    return groupedNumber(n) + QLatin1Char(' ');
}

QString tickedStatusText(int files, int directories) {
    QString filePhrase;
    if (files == 1)
        filePhrase = QStringLiteral("one file");
    else if (files == 0)
        filePhrase = QStringLiteral("no file");
    else
        filePhrase = groupedNumber(files) + QStringLiteral(" files");
    QString dirPhrase;
    if (directories == 1)
        dirPhrase = QStringLiteral("one directory");
    else if (directories == 0)
        dirPhrase = QStringLiteral("no directories");
    else
        dirPhrase = groupedNumber(directories) + QStringLiteral(" directories");
    return CapitalFirst(filePhrase + QStringLiteral(", ") + dirPhrase + QStringLiteral(" ticked."));
}

} // namespace chronodex
