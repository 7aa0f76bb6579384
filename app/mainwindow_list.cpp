// The list as a whole: the window "Chronodex - List" with every entry's stamps, ticks in bulk,
// the ticked entries taken off the list, and the files inside the ticked folders added to it.
#include "commandprogress.h"
#include "folderfiles.h"
#include "frm_FlashMessage.h"
#include "frm_List.h"
#include "frm_MainWindow.h"
#include "newvaluespanel.h"
#include "oldvaluespanel.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace chronodex {

void frm_MainWindow::buildListMenu() {
    menu_Edit->addSeparator();
    const auto item = [this](const char* name, const char* text, const QKeySequence& keys,
                             auto run) {
        QAction* action = menu_Edit->addAction(QString::fromLatin1(text));
        action->setObjectName(QLatin1String(name));
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, run);
        return action;
    };
    using TickAll = FilePathTable::TickAll;
    item("menu_EditList", "&List with dates...", Qt::CTRL | Qt::Key_L,
         [this] { menu_EditList_Click(); });
    QAction* tick = item("menu_EditTickAll", "&Tick all entries", Qt::CTRL | Qt::Key_A,
                         [this] { menu_EditTicks_Click(TickAll::Tick); });
    QAction* untick = item("menu_EditUntickAll", "Untic&k all entries", Qt::CTRL | Qt::Key_D,
                           [this] { menu_EditTicks_Click(TickAll::Untick); });
    QAction* invert = item("menu_EditInvertTicks", "&Invert ticks", Qt::CTRL | Qt::Key_I,
                           [this] { menu_EditTicks_Click(TickAll::Invert); });
    QAction* remove = item("menu_EditRemoveTicked", "Remo&ve ticked entries from the list",
                           Qt::CTRL | Qt::Key_Delete, [this] { menu_EditRemoveTicked_Click(); });
    QAction* folders = item("menu_EditFolderFiles", "Add the &files inside ticked folders",
                            Qt::CTRL | Qt::Key_E, [this] { menu_EditFolderFiles_Click(); });
    // The items follow the list: each change of it says which of them can act.
    const auto enable = [=, this] {
        const bool any = PathCount() > 0;
        for (QAction* a : {tick, untick, invert})
            a->setEnabled(any);
        remove->setEnabled(AnyEntryTicked());
        folders->setEnabled(FilePaths_.tickedCounts().directories > 0);
    };
    connect(&FilePaths_, &QAbstractItemModel::modelReset, this, enable);
    connect(&FilePaths_, &QAbstractItemModel::layoutChanged, this, enable);
    connect(&FilePaths_, &QAbstractItemModel::dataChanged, this, enable);
    enable();
}

void frm_MainWindow::menu_EditList_Click() {
    if (!listWindow_) {
        listWindow_ = new frm_List(&FilePaths_, this);
        listWindow_->setAttribute(Qt::WA_DeleteOnClose);
        // A row selected there is the entry selected here, shown as a click shows it.
        connect(listWindow_, &frm_List::entrySelected, this,
                [this](int row) { fra_OldValues->setCurrent(row); });
    }
    listWindow_->show();
    listWindow_->raise();
    listWindow_->activateWindow();
}

frm_List* frm_MainWindow::listWindow() const {
    return listWindow_;
}

void frm_MainWindow::menu_EditTicks_Click(FilePathTable::TickAll how) {
    // One change of every tick runs the click handler once: counts, title, "Update file date".
    if (PathCount() > 0) FilePaths_.setAllTicked(how);
}

void frm_MainWindow::menu_EditRemoveTicked_Click() {
    if (!AnyEntryTicked()) return;
    std::vector<int> kept;
    for (int slot = 1; slot <= PathCount(); ++slot)
        if (!FilePaths_.ticked(slot)) kept.push_back(slot - 1);
    keepEntries(kept); // the files themselves stay where they are
    if (PathCount() > 0) return;
    // An empty list looks as it did at start: the hint, no values, no editor rows.
    fra_OldValues->showHint();
    fra_OldValues->showNoSelection();
    if (fra_NewValues) fra_NewValues->hide();
    setClientHeightTwips(5640); // the top of "New date values:"
}

void frm_MainWindow::menu_EditFolderFiles_Click() {
    QStringList folders;
    for (int slot : tickedSlots())
        if (FilePaths_.kind(slot) == EntryKind::Directory) folders << FilePaths_.at(slot);
    if (folders.isEmpty()) return;
    const int listed = PathCount();
    CommandProgress progress(this, QStringLiteral("Looking for files in the ticked folders..."),
                             options_.progressAfterMs);
    const FolderFiles found = filesInFolders(folders, MaxEntries - listed, progress.hook());
    if (found.stopped) return; // nothing added
    const QString crlf = QStringLiteral("\r\n");
    if (found.overflow) {
        progress.finish();
        const IntakeFailure failure = overflowFailure();
        showIntakeFailure(failure.description + crlf + QString::number(failure.number));
        return;
    }
    // The entries listed keep their kinds, ticks and objects; the files found are read and
    // ticked by the list's rules.
    const KindsRead read = readKinds(found.files, true, progress.hook());
    progress.finish();
    if (read.stopped) return;
    std::vector<EntryKind> kinds;
    kinds.reserve(static_cast<std::size_t>(listed) + read.kinds.size());
    KindCounts counts;
    for (int slot = 1; slot <= listed; ++slot)
        counts.add(kinds.emplace_back(FilePaths_.kind(slot)));
    for (EntryKind kind : read.kinds)
        counts.add(kinds.emplace_back(kind));
    std::vector<platform::FileId> ids = FilePaths_.ids();
    ids.insert(ids.end(), read.ids.begin(), read.ids.end());
    fillList(FilePaths_.entries() + found.files, kinds, counts, FilePaths_.ticks(), ids);
    fra_OldValues->selectFirst();
    SetSortChecks(false);
    EnableUpdateButton();

    QString message = intakeWarning(read.counts);
    if (found.files.isEmpty())
        message += QStringLiteral("The ticked folders hold no files.") + crlf;
    if (!found.unreadable.isEmpty())
        message += (found.unreadable.size() == 1 ? QStringLiteral("This folder could not be read:")
                                                 : QStringLiteral("These folders could not be "
                                                                  "read:")) +
                   crlf + QStringLiteral("\t") +
                   found.unreadable.join(crlf + QStringLiteral("\t")) + crlf;
    if (!message.isEmpty())
        FlashMessage(this,
                     {.TheMessage = message,
                      .TheTitle = options_.version.productName + QStringLiteral(" - Warning."),
                      .Timer = 15000,
                      .IconNumber = 1});
}

} // namespace chronodex
