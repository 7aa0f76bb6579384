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

void frm_MainWindow::menu_EditRemoveCopies_Click() {
    const int d = DuplicateCount(FilePaths_);
    setWindowTitle(options_.version.productName +
                   QStringLiteral(" - Removing duplicate files and directories (") +
                   groupedNumber(d) + QLatin1Char(')'));
    FilePaths_.assign(withoutDuplicates(FilePaths_.entries()));
    RebuildList();
}

void frm_MainWindow::menu_EditSortUsing_Click(int Index) {
    setWindowTitle(options_.version.productName +
                   QStringLiteral(" - Sorting files and directories (") +
                   groupedNumber(std::max(PathCount(), 0)) + QLatin1Char(')'));
    SetSortChecks(false);
    if (Index >= 0 && Index < static_cast<int>(menu_EditSortUsing.size()))
        menu_EditSortUsing[static_cast<std::size_t>(Index)]->setChecked(true);
    const SortOrder order = sortOrderFor(Index);
    SortPaths(FilePaths_, order.IgnoreCase, order.FullPath, QLatin1Char(platform::pathSeparator));
    RebuildList();
}

} // namespace chronodex
