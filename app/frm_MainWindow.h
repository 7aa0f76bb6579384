// The program's one main window: "Original date values:" with the list of dropped objects
// and the selected object's values, "New date values:" with the three editor rows, and the
// Edit and Help menus. The window wires the two panels and owns the commands.
#pragma once

#include "appinfo.h"
#include "batch.h"
#include "editorrows.h"
#include "helpdocument.h"
#include "intake.h"
#include "listmodel.h"
#include "undo.h"

#include <QDateTime>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>

class QAction;
class QListView;
class QMenu;
class QPushButton;

namespace chronodex {

class NewValuesPanel;
class OldValuesPanel;
class TickedCommand;
class frm_List;

struct MainWindowOptions {
    // The present local date and time; tests pin it.
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    VersionInfo version = currentVersion();
    // Whether the system lets the program set creation stamps (Windows does, Linux not).
    bool creationWritable = true;
    // The folder the program runs from (where its help documents are), and the desktop's
    // opener for documents, folders and web addresses.
    QString programFolder;
    ShellOpen shell = desktopShellOpen;
    // How long a command runs before its progress and Cancel are shown.
    int progressAfterMs = 500;
};
MainWindowOptions defaultMainWindowOptions();

class frm_MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit frm_MainWindow(MainWindowOptions options = defaultMainWindowOptions(),
                            QWidget* parent = nullptr);
    ~frm_MainWindow() override;

    // The list model, for the Parts of the program that read it and for tests, and the
    // list that shows it.
    FilePathTable& FilePaths() { return FilePaths_; }
    int PathCount() const { return FilePaths_.PathCount(); }
    const EditorRow& row(StampKind kind) const;
    QListView* fileList() const;
    const std::array<QAction*, 4>& sortItems() const { return menu_EditSortUsing; }
    // The window's client height in twips, as its layout states set it.
    int clientHeightTwips() const { return clientHeightTwips_; }

    // Reads the kind of every entry of the path table afresh (no click handler per entry),
    // shows the totals and makes entry 0 current. Each entry keeps its tick with
    // `keepTicks`, else gets it by the ticking rule; attributes that cannot be read count
    // as 0, so by the rule such an entry ends unticked as a system file.
    void RebuildList(bool keepTicks = false);

    // The drop handler of the window; every control of "Original date values:" passes its
    // drops here unchanged.
    void Form_OLEDragDrop(const DropData& Data, int Effect, int Button, int Shift, int X, int Y);
    // Files named on the command line: taken in as a drop of them that replaces the list. A
    // command line without files leaves the list as it is.
    void openFiles(const QStringList& paths) {
        if (!paths.isEmpty()) Form_OLEDragDrop(DropData{paths}, 7, 0, 0, 0, 0);
    }
    void com_UptateTimestamp_Click();
    void menu_Edit_Click();
    void menu_EditRemoveCopies_Click();
    void menu_EditSortUsing_Click(int Index);
    // Moves the ticked entries' own stamps by one amount, asked in a dialog.
    void menu_EditShift_Click();
    // Puts back the stamps that the last update, shift or photo command wrote.
    void menu_EditUndo_Click();
    // Sets each ticked photo's modified (and, where it can be set, created) stamp to the
    // date the photo was taken, or the video made.
    void menu_EditPhotos_Click();
    // The list in a window of its own, with every entry's stamps; ticks in bulk; the files
    // inside the ticked folders added to the list.
    void menu_EditList_Click();
    frm_List* listWindow() const;
    void menu_EditTicks_Click(FilePathTable::TickAll how);
    void menu_EditRemoveTicked_Click();
    void menu_EditFolderFiles_Click();
    void menu_Help_Click();
    void menu_HelpFile_Click();
    void menu_HelpAbout_Click();

    void ShowTickedStatus();
    void SetSortChecks(bool Mark);
    void EnableUpdateButton();
    void EnableTimeButtons();
    bool AnyEntryTicked() const;

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void buildMenus();
    void buildListMenu();
    // "New date values:", built when first used (a selection to show, a command, a test's
    // look at its rows) rather than at start-up, where it is hidden: its 18 editable combo
    // boxes are most of what the window costs to build.
    NewValuesPanel& newValues() const;
    void setClientHeightTwips(int twips);
    void Form_Load();

    void lst_FileList_Click();
    // Shows the object's values; with `loadRows` also loads its stamps into the editor rows
    // (or hides them when its stamps cannot be read).
    void ShowOldValues(const QString& path, bool loadRows = true);
    void chk_Update_Click(StampKind kind);
    void com_NowTime_Click();
    void com_ResetTime_Click();
    // One reading of the present local date and time.
    DateTime readClock() const;
    void showIntakeFailure(const QString& message);
    // Puts the entries into the table, ticked by `ticks` and, past their end, by the
    // ticking rule; shows the totals. No entry is current afterwards.
    void fillList(const QStringList& paths, const std::vector<EntryKind>& kinds,
                  const KindCounts& counts, const std::vector<bool>& ticks = {},
                  const std::vector<platform::FileId>& ids = {});
    // Keeps the entries at `positions` of the list, in that order, each with the tick it
    // has now, and rebuilds.
    void keepEntries(const std::vector<int>& positions);
    // The slots of the ticked entries, in list order, and the name of an entry's path as the
    // list shows it.
    std::vector<int> tickedSlots() const { return FilePaths_.tickedSlots(); }
    static QString entryName(const QString& path);
    // The ticked entries with their paths as the system knows them.
    std::vector<TickedEntry> tickedEntries() const;
    // Runs a command on the ticked entries: its preview, the writes, the report, the undo.
    void runCommand(TickedCommand& command);
    // Asks about new dates that Explorer will not show; true to go on.
    bool confirmYears(const QString& yearLines);
    // After a command has written: the selected entry shows its stamps on disk, the undo
    // item follows what is kept, and the report (when not empty) is shown, titled "Not
    // written" when some entry was not (`verb` names what was done), else "Written in part".
    void afterWriting(const QString& report, bool notWritten,
                      const QString& verb = QStringLiteral("written"));

    MainWindowOptions options_;
    FilePathTable FilePaths_;
    int clientHeightTwips_ = 0;
    // The stamps the last command's entries had before it wrote them.
    UndoStore undo_;

    OldValuesPanel* fra_OldValues = nullptr;
    mutable NewValuesPanel* fra_NewValues = nullptr;
    // The clock as read at start-up: the defaults of "New date values:" whenever it is built.
    DateTime startClock_{};
    QPushButton* com_TEST = nullptr;

    QMenu* menu_Edit = nullptr;
    QMenu* menu_EditSortList = nullptr;
    std::array<QAction*, 4> menu_EditSortUsing{};
    QAction* menu_EditRemoveCopies = nullptr;
    QAction* menu_EditShift = nullptr;
    QAction* menu_EditUndo = nullptr;
    QAction* menu_EditPhotos = nullptr;
    // Dates from a reference file, from the originals, from file names.
    std::array<QAction*, 3> menu_EditDatesFrom{};
    QPointer<frm_List> listWindow_;
    QMenu* menu_Help = nullptr;
    QAction* menu_HelpFile = nullptr;
    QAction* menu_HelpAbout = nullptr;
};

} // namespace chronodex
