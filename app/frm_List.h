// "Chronodex - List": every entry of the main window's list as a row with its tick, name,
// folder, size and three stamps. It shows the path table itself, sorted and filtered in its
// own view only; a tick changed here is the entry's tick, and a row selected here selects the
// entry in the main window.
#pragma once

#include <QWidget>

class QLineEdit;
class QTableView;

namespace chronodex {

class EntrySortFilter;
class EntryTable;
class FilePathTable;

class frm_List : public QWidget {
    Q_OBJECT

  public:
    frm_List(FilePathTable* entries, QWidget* parent);

    QTableView* table() const { return tbl_Entries; }
    QLineEdit* filterBox() const { return txt_Filter; }
    EntryTable& model() const { return *table_; }
    // Reads the shown stamps again: a command has written.
    void refresh();

  signals:
    // The user selected the row of entry `row` of the list (counted from 0).
    void entrySelected(int row);

  private:
    EntryTable* table_;
    EntrySortFilter* view_;
    QLineEdit* txt_Filter;
    QTableView* tbl_Entries;
};

} // namespace chronodex
