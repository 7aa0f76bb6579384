// The Edit menu: the duplicate count shown when it opens, the four sort orders and the
// removal of duplicated paths. Both commands rebuild the list from the path table.
#include "frm_MainWindow.h"
#include "sorting.h"

#include "platform/files.h"

#include <QAction>

namespace chronodex {

void frm_MainWindow::menu_Edit_Click() {
    const int d = DuplicateCount(FilePaths_);
    menu_EditRemoveCopies->setText(QStringLiteral("&Remove duplicated files (") + groupedNumber(d) +
                                   QLatin1Char(')'));
    menu_EditRemoveCopies->setEnabled(d > 0);
}

void frm_MainWindow::keepEntries(const QStringList& entries, const std::vector<int>& positions) {
    const std::vector<bool> ticks = entryTicks();
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
