// The Edit menu: the duplicate count shown when it opens, the four sort orders and the
// removal of duplicated paths. Both reorder the path table in place and read its kinds afresh.
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
    for (QAction* item : menu_EditDatesFrom)
        item->setEnabled(AnyEntryTicked());
    menu_EditUndo->setEnabled(undo_.canUndo());
}

void frm_MainWindow::fillList(const QStringList& paths, const std::vector<EntryKind>& kinds,
                              const KindCounts& counts, const std::vector<bool>& ticks,
                              const std::vector<platform::FileId>& ids) {
    FilePaths_.assign(paths, kinds, ticks, ids);
    menu_EditSortList->setEnabled(PathCount() > 0);
    fra_OldValues->showTotals(counts);
}

void frm_MainWindow::RebuildList(bool keepTicks) {
    // An entry whose attributes cannot be read counts as a system file.
    const KindsRead read = readKinds(FilePaths_.entries(), !FilePaths_.identified());
    FilePaths_.setKinds(read.kinds, !keepTicks, read.ids);
    menu_EditSortList->setEnabled(PathCount() > 0);
    fra_OldValues->showTotals(read.counts);
    fra_OldValues->selectFirst();
    EnableUpdateButton();
}

void frm_MainWindow::keepEntries(const std::vector<int>& positions) {
    FilePaths_.reorder(positions);
    RebuildList(true);
}

void frm_MainWindow::menu_EditRemoveCopies_Click() {
    // One pass finds the entries that stay, and so the number that go.
    const std::vector<int> kept = firstOccurrences(FilePaths_.entries());
    const int d = std::max(PathCount(), 0) - static_cast<int>(kept.size());
    setWindowTitle(options_.version.productName +
                   QStringLiteral(" - Removing duplicate files and directories (") +
                   groupedNumber(d) + QLatin1Char(')'));
    // Each kept entry keeps its own tick: that of the first occurrence, which stays.
    keepEntries(kept);
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
    keepEntries(sortedOrder(FilePaths_.entries(), order.IgnoreCase, order.FullPath,
                            QLatin1Char(platform::pathSeparator)));
}

} // namespace chronodex
