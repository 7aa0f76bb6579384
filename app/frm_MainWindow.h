// The program's one main window: "Original date values:" with the list of dropped objects
// and the selected object's values, "New date values:" with the three editor rows, and the
// Edit and Help menus.
#pragma once

#include "appinfo.h"
#include "editorrows.h"
#include "helpdocument.h"
#include "intake.h"
#include "listmodel.h"

#include <QDateTime>
#include <QMainWindow>

#include <array>
#include <functional>

class QAction;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace chronodex {

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
};
MainWindowOptions defaultMainWindowOptions();

class frm_MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit frm_MainWindow(MainWindowOptions options = defaultMainWindowOptions(),
                            QWidget* parent = nullptr);
    ~frm_MainWindow() override;

    // The list model, for the Parts of the program that read it and for tests.
    FilePathTable& FilePaths() { return FilePaths_; }
    int PathCount() const { return FilePaths_.PathCount(); }
    const EditorRow& row(StampKind kind) const { return rows_.at(kind); }
    QListWidget* fileList() const { return lst_FileList; }
    const std::array<QAction*, 4>& sortItems() const { return menu_EditSortUsing; }
    // The window's client height in twips, as its layout states set it.
    int clientHeightTwips() const { return clientHeightTwips_; }

    // Fills the list from the path table in one pass (no click handler per entry), shows the
    // totals and makes entry 0 current. Each entry gets its tick from `ticks` (one per
    // entry), or by the ticking rule when none are given; attributes that cannot be read
    // count as 0, so by the rule such an entry ends unticked as a system file.
    void RebuildList(const std::vector<bool>& ticks = {});

    // The drop handler of the window; every control of "Original date values:" passes its
    // drops here unchanged.
    void Form_OLEDragDrop(const DropData& Data, int Effect, int Button, int Shift, int X, int Y);
    // Files named on the command line: taken in as a drop of them that replaces the list.
    void openFiles(const QStringList& paths) { Form_OLEDragDrop(DropData{paths}, 7, 0, 0, 0, 0); }
    void com_UptateTimestamp_Click();
    void menu_Edit_Click();
    void menu_EditRemoveCopies_Click();
    void menu_EditSortUsing_Click(int Index);
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
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void acceptDropsOnOldValues();
    // Takes a drop event apart into the six arguments and hands them on after the event
    // has returned to the source, so that no dialog runs inside the drag protocol.
    void deliverDrop(QDropEvent* event);
    void showIntakeFailure(const QString& message);
    // Fills the list; entries beyond `ticks` are ticked by the ticking rule.
    void fillList(const QStringList& paths, const std::vector<EntryKind>& kinds,
                  const KindCounts& counts, const std::vector<bool>& ticks = {});
    // The tick of every entry of the list, top to bottom.
    std::vector<bool> entryTicks() const;
    // Rebuilds the list with the entries at `positions` of `entries`, in that order, each
    // with the tick it has now.
    void keepEntries(const QStringList& entries, const std::vector<int>& positions);
    void buildOldValuesFrame();
    void buildNewValuesFrame();
    void buildMenus();
    void setClientHeightTwips(int twips);
    void Form_Load();

    void lst_FileList_Click();
    // Shows the object's values; with `loadRows` also loads its stamps into the editor rows
    // (or hides them when its stamps cannot be read).
    void ShowOldValues(const QString& path, bool loadRows = true);
    void chk_Update_Click(StampKind kind);
    void com_NowTime_Click();
    void com_ResetTime_Click();
    // Sets the current entry of the list; a change runs the click handler.
    void setListIndex(int index);
    // One reading of the present local date and time.
    DateTime readClock() const;
    void showTotals(const KindCounts& counts);

    MainWindowOptions options_;
    FilePathTable FilePaths_;
    int clientHeightTwips_ = 0;
    // The kinds that filling the list has just read, for the ticked status that the same
    // action shows right after; empty at any other time, so nothing outlives the action.
    std::vector<EntryKind> kindsJustRead_;

    QWidget* client = nullptr;
    QGroupBox* fra_OldValues = nullptr;
    QGroupBox* fra_NewValues = nullptr;
    QListWidget* lst_FileList = nullptr;
    QLabel* labTotalFilesTitle = nullptr;
    QLabel* labTotalFiles = nullptr;
    QLabel* labTickedFilesTitle = nullptr;
    QLabel* labTickedFiles = nullptr;
    QLabel* labTotalSysFilesTitle = nullptr;
    QLabel* labTotalSysFiles = nullptr;
    QLabel* labTickedSysFilesTitle = nullptr;
    QLabel* labTickedSysFiles = nullptr;
    QLabel* labTotalDirectoriesTitle = nullptr;
    QLabel* labTotalDirectories = nullptr;
    QLabel* labTickedDirectoriesTitle = nullptr;
    QLabel* labTickedDirectories = nullptr;
    QLabel* lab_FilePath = nullptr;
    QPlainTextEdit* txt_FilePathValue = nullptr;
    QLabel* lab_FileName = nullptr;
    QPlainTextEdit* txt_FileNameValue = nullptr;
    QLabel* lab_OSize = nullptr;
    QLabel* lab_OSizeValue = nullptr;
    QLabel* lab_OCreated = nullptr;
    QLabel* lab_OCreatedValue = nullptr;
    QLabel* lab_OModfied = nullptr;
    QLabel* lab_OModfiedValue = nullptr;
    QLabel* lab_OAccessed = nullptr;
    QLabel* lab_OAccessedValue = nullptr;
    std::array<EditorRow, 3> rows_{};
    QPushButton* com_NowTime = nullptr;
    QPushButton* com_ResetTime = nullptr;
    QPushButton* com_UptateTimestamp = nullptr;
    QPushButton* com_TEST = nullptr;

    QMenu* menu_Edit = nullptr;
    QMenu* menu_EditSortList = nullptr;
    std::array<QAction*, 4> menu_EditSortUsing{};
    QAction* menu_EditRemoveCopies = nullptr;
    QMenu* menu_Help = nullptr;
    QAction* menu_HelpFile = nullptr;
    QAction* menu_HelpAbout = nullptr;
};

} // namespace chronodex
