// "Original date values:": the list of dropped objects with their totals, and the selected
// object's path, name, size and stamps. Every control in it takes dropped files.
#pragma once

#include "intake.h"
#include "listmodel.h"
#include "selection.h"

#include <QGroupBox>

#include <functional>

#include <vector>

class QLabel;
class QListView;
class QPlainTextEdit;

namespace chronodex {

class OldValuesPanel : public QGroupBox {
    Q_OBJECT

  public:
    // The list shows the entries of the path table; the panel puts the hint entry's text
    // into it.
    OldValuesPanel(QWidget* parent, FilePathTable* entries);

    QListView* list() const { return lst_FileList; }

    // No entry is current, so that the list's first focus does not pick the hint entry.
    void showHint();
    // The current entry, -1 for none; setting another one runs the click handler.
    int current() const;
    void setCurrent(int index);
    // Makes the first entry current and runs the click handler once, also when the first
    // entry was current already (after a reorder).
    void selectFirst();

    void showTotals(const KindCounts& counts);
    void showTicked(const KindCounts& counts);
    // The selected object's values, or the texts of an empty list.
    void showSelection(const SelectionView& view);
    void showNoSelection();

  signals:
    // A click on the list: another current entry, or a tick changed.
    void entryClicked();
    // Files dropped on the panel or on anything in it, handed on once the drop has returned
    // to its source.
    void filesDropped(const chronodex::DropArgs& args);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QListView* lst_FileList = nullptr;
    QLabel* labTotalFiles = nullptr;
    QLabel* labTotalSysFiles = nullptr;
    QLabel* labTotalDirectories = nullptr;
    QLabel* labTickedFiles = nullptr;
    QLabel* labTickedSysFiles = nullptr;
    QLabel* labTickedDirectories = nullptr;
    QLabel* lab_FilePath = nullptr;
    QPlainTextEdit* txt_FilePathValue = nullptr;
    QPlainTextEdit* txt_FileNameValue = nullptr;
    QLabel* lab_OSize = nullptr;
    QLabel* lab_OSizeValue = nullptr;
    QLabel* lab_OCreatedValue = nullptr;
    QLabel* lab_OModfiedValue = nullptr;
    QLabel* lab_OAccessedValue = nullptr;
};

// Takes a drop event apart into the drop handler's six arguments, tells the source whether
// the files were taken (copied, never moved), and hands them on after the event returned.
void deliverDrop(QDropEvent* event, QObject* context, std::function<void(const DropArgs&)> handler);

} // namespace chronodex
