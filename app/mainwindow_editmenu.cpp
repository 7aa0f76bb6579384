// The Edit menu: the duplicate count shown when it opens, the four sort orders and the
// removal of duplicated paths. Both commands rebuild the list from the path table.
#include "frm_MainWindow.h"
#include "fspath.h"
#include "oldvaluespanel.h"
#include "sorting.h"

#include "platform/files.h"

#include <QAction>
#include <QMenu>

namespace chronodex {

void frm_MainWindow::menu_Edit_Click() {
    const int d = DuplicateCount(FilePaths_);
    menu_EditRemoveCopies->setText(QStringLiteral("&Remove duplicated files (") + groupedNumber(d) +
                                   QLatin1Char(')'));
    menu_EditRemoveCopies->setEnabled(d > 0);
    // The commands on ticked entries need one; undo needs what a command kept.
    menu_EditShift->setEnabled(AnyEntryTicked());
    menu_EditPhotos->setEnabled(AnyEntryTicked());
    menu_EditUndo->setEnabled(undo_.canUndo());
}

void frm_MainWindow::fillList(const QStringList& paths, const std::vector<EntryKind>& kinds,
                              const KindCounts& counts, const std::vector<bool>& ticks) {
    FilePaths_.assign(paths, kinds);
    menu_EditSortList->setEnabled(PathCount() > 0);
    QStringList names;
    names.reserve(paths.size());
    std::vector<bool> shown(static_cast<std::size_t>(paths.size()));
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        names << entryName(static_cast<int>(i) + 1);
        shown[k] = k < ticks.size() ? ticks[k] : tickedOnIntake(kinds[k]);
    }
    fra_OldValues->fill(names, shown);
    fra_OldValues->showTotals(counts);
}

void frm_MainWindow::RebuildList(const std::vector<bool>& ticks) {
    const QStringList paths = FilePaths_.entries();
    std::vector<EntryKind> kinds;
    kinds.reserve(static_cast<std::size_t>(paths.size()));
    KindCounts counts;
    for (const QString& path : paths) {
        // An entry whose attributes cannot be read counts as a system file.
        const EntryKind kind = kindOf(platform::fileAttributes(toFsPath(path)).value_or(0));
        kinds.push_back(kind);
        counts.add(kind);
    }
    fillList(paths, kinds, counts, ticks);
    fra_OldValues->setCurrent(0);
    EnableUpdateButton();
}

void frm_MainWindow::keepEntries(const QStringList& entries, const std::vector<int>& positions) {
    const std::vector<bool> ticks = fra_OldValues->ticks();
    const bool known = ticks.size() == static_cast<std::size_t>(entries.size());
    FilePaths_.assign(pick(entries, positions));
    RebuildList(known ? pick(ticks, positions) : std::vector<bool>{});
}

void frm_MainWindow::menu_EditRemoveCopies_Click() {
    const int d = DuplicateCount(FilePaths_);
    setWindowTitle(options_.version.productName +
                   QStringLiteral(" - Removing duplicate files and directories (") +
                   groupedNumber(d) + QLatin1Char(')'));
    // Each kept entry keeps its own tick: that of the first occurrence, which stays.
    const QStringList entries = FilePaths_.entries();
    keepEntries(entries, firstOccurrences(entries));
}

void frm_MainWindow::menu_EditSortUsing_Click(int Index) {
    setWindowTitle(options_.version.productName +
                   QStringLiteral(" - Sorting files and directories (") +
                   groupedNumber(std::max(PathCount(), 0)) + QLatin1Char(')'));
    SetSortChecks(false);
    if (Index >= 0 && Index < static_cast<int>(menu_EditSortUsing.size()))
        menu_EditSortUsing[static_cast<std::size_t>(Index)]->setChecked(true);
    const SortOrder order = sortOrderFor(Index);
    // Sorting is a way of looking at the list: every entry keeps its own tick.
    const QStringList entries = FilePaths_.entries();
    keepEntries(entries, sortedOrder(entries, order.IgnoreCase, order.FullPath,
                                     QLatin1Char(platform::pathSeparator)));
}

} // namespace chronodex
