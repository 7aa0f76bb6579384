// The menu bar: Edit with its sort orders and the duplicate removal, Help with the help
// document and the About box.
#include "frm_MainWindow.h"

#include "datecommands.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <tuple>

namespace chronodex {

void frm_MainWindow::buildMenus() {
    menu_Edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    menu_Edit->setObjectName(QStringLiteral("menu_Edit"));
    menu_EditSortList = menu_Edit->addMenu(QStringLiteral("&Sort list"));
    menu_EditSortList->setObjectName(QStringLiteral("menu_EditSortList"));
    const std::array<const char*, 4> orders{"A-Z, a-z", "Aa-Zz", "Full path A-Z, a-z",
                                            "Full path Aa-Zz"};
    for (std::size_t i = 0; i < orders.size(); ++i) {
        QAction* item = menu_EditSortList->addAction(QString::fromLatin1(orders[i]));
        item->setObjectName(QStringLiteral("menu_EditSortUsing"));
        item->setCheckable(true);
        menu_EditSortUsing[i] = item;
        connect(item, &QAction::triggered, this,
                [this, i] { menu_EditSortUsing_Click(static_cast<int>(i)); });
    }
    menu_EditRemoveCopies = menu_Edit->addAction(QStringLiteral("&Remove duplicated files"));
    menu_EditRemoveCopies->setObjectName(QStringLiteral("menu_EditRemoveCopies"));
    connect(menu_Edit, &QMenu::aboutToShow, this, [this] { menu_Edit_Click(); });
    connect(menu_EditRemoveCopies, &QAction::triggered, this,
            [this] { menu_EditRemoveCopies_Click(); });
    // Beyond setting one date: moving dates, taking a change back, dates from photos.
    menu_Edit->addSeparator();
    auto item = [this](QAction*& member, const char* name, const char* text,
                       void (frm_MainWindow::*run)()) {
        member = menu_Edit->addAction(QString::fromLatin1(text));
        member->setObjectName(QLatin1String(name));
        connect(member, &QAction::triggered, this, run);
    };
    item(menu_EditShift, "menu_EditShift", "S&hift dates of ticked files...",
         &frm_MainWindow::menu_EditShift_Click);
    item(menu_EditUndo, "menu_EditUndo", "&Undo last update", &frm_MainWindow::menu_EditUndo_Click);
    item(menu_EditPhotos, "menu_EditPhotos", "Dates from &photos",
         &frm_MainWindow::menu_EditPhotos_Click);
    menu_EditUndo->setEnabled(false); // nothing to undo yet
    // Dates taken from elsewhere, each shown in a preview before it is written.
    menu_EditShift->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+H")));
    menu_EditPhotos->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+P")));
    const std::array<std::tuple<const char*, const char*, const char*>, 3> datesFrom{{
        {"menu_EditDatesFromReference", "Dates from a reference &file...", "Ctrl+Shift+F"},
        {"menu_EditDatesFromOriginals", "Dates from the &originals...", "Ctrl+Shift+O"},
        {"menu_EditDatesFromNames", "Dates from file &names", "Ctrl+Shift+N"},
    }};
    for (std::size_t i = 0; i < datesFrom.size(); ++i) {
        const auto& [name, text, keys] = datesFrom[i];
        QAction* action = menu_Edit->addAction(QString::fromLatin1(text));
        action->setObjectName(QLatin1String(name));
        action->setShortcut(QKeySequence(QLatin1String(keys)));
        connect(action, &QAction::triggered, this, [this, i] {
            CopyDatesCommand reference(CopyDatesCommand::From::Reference);
            CopyDatesCommand originals(CopyDatesCommand::From::Originals);
            NameDatesCommand names;
            const std::array<TickedCommand*, 3> commands{&reference, &originals, &names};
            runCommand(*commands[i]);
        });
        menu_EditDatesFrom[i] = action;
    }
    // The menu greys the commands while nothing is ticked; their keys stay live, and a command
    // with nothing ticked does nothing.
    connect(menu_Edit, &QMenu::aboutToHide, this, [this] {
        for (QAction* item : {menu_EditShift, menu_EditPhotos})
            item->setEnabled(true);
        for (QAction* item : menu_EditDatesFrom)
            item->setEnabled(true);
    });
    buildListMenu();

    menu_Help = menuBar()->addMenu(QStringLiteral("&Help"));
    menu_Help->setObjectName(QStringLiteral("menu_Help"));
    menu_HelpFile = menu_Help->addAction(QStringLiteral("&Help file"));
    menu_HelpFile->setObjectName(QStringLiteral("menu_HelpFile"));
    menu_HelpAbout = menu_Help->addAction(QStringLiteral("&About this application"));
    menu_HelpAbout->setObjectName(QStringLiteral("menu_HelpAbout"));
    connect(menu_Help, &QMenu::aboutToShow, this, [this] { menu_Help_Click(); });
    connect(menu_HelpFile, &QAction::triggered, this, [this] { menu_HelpFile_Click(); });
    connect(menu_HelpAbout, &QAction::triggered, this, [this] { menu_HelpAbout_Click(); });
}

} // namespace chronodex
