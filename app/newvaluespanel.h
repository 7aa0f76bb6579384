// "New date values:": the three editor rows and the three buttons. It hands out what was
// typed and takes the values to show; it takes no drops.
#pragma once

#include "editorrows.h"
#include "update.h"

#include <QGroupBox>

#include <array>

class QPushButton;

namespace chronodex {

class NewValuesPanel : public QGroupBox {
    Q_OBJECT

  public:
    // `creationWritable`: whether the system lets the program set creation stamps; where
    // it does not, the Created row shows values but cannot be ticked. Where it does, the row
    // follows the drive of the file loaded (setCreationSettable).
    NewValuesPanel(QWidget* parent, bool creationWritable);

    const EditorRow& row(StampKind kind) const { return rows_.at(kind); }
    bool anyRowTicked() const;
    // The texts and ticks of the three rows, as the update reads them.
    std::array<RowInput, 3> inputs() const;

    // Start-up: every box gets its list and the present value; the rows are unticked.
    void fillLists(const DateTime& present);
    // An object's stamps, each row ticked (the Created row only where it can be written).
    // Each row remembers the stamp it shows (`exact`, where known): while it holds that
    // value, the update writes that stamp's own second.
    using ExactStamps = std::array<std::optional<platform::Instant>, 3>;
    void load(const std::array<DateTime, 3>& stamps, const ExactStamps& exact = {});
    // Whether the drive of the file shown takes a creation date; set before load().
    void setCreationSettable(bool settable);
    // In place of the rows: why the file shown cannot be written; empty shows the rows.
    void showReason(const QString& why);
    // No stamps: " - " in every box and the rows unticked.
    void clear();
    // Puts values into the ticked rows, each remembering its stamp as load() does; a row whose
    // value is NoDate(0), a stamp that was not read, keeps its texts.
    void fillTickedRows(const std::array<DateTime, 3>& values, const ExactStamps& exact = {});

    // Whether the rows' buttons may be used: "Set time to now" and "Reset time values"
    // follow the rows; "Update file date" also needs a ticked entry.
    void enableTimeButtons();
    void enableUpdate(bool anyEntryTicked);

  signals:
    void rowClicked(chronodex::StampKind kind);
    void nowClicked();
    void resetClicked();
    void updateClicked();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool creationWritable_;
    bool creationSettable_ = true;
    class QLabel* lab_Reason = nullptr;
    std::array<EditorRow, 3> rows_{};
    std::array<std::optional<LoadedStamp>, 3> loaded_{};
    QPushButton* com_NowTime = nullptr;
    QPushButton* com_ResetTime = nullptr;
    QPushButton* com_UptateTimestamp = nullptr;
};

} // namespace chronodex
