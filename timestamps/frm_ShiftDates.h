// The dialog of "Shift dates of ticked files": how far to move the dates, which stamps, and
// a preview of the first ticked entry before and after.
#pragma once

#include "core/datetime.h"
#include "shift.h"

#include <QDialog>

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace chronodex {

class frm_ShiftDates : public QDialog {
    Q_OBJECT

  public:
    explicit frm_ShiftDates(QWidget* parent = nullptr);

    // What the preview shows: the first ticked entry's stamps in local time, indexed by
    // StampKind (nothing where it has none), and how many entries are ticked.
    void setPreview(const std::array<std::optional<DateTime>, 3>& firstEntry, int entries);

    // The amount chosen, signed (earlier is negative), and in seconds.
    ShiftAmount amount() const;
    std::int64_t seconds() const { return shiftSeconds(amount()); }
    // The stamps to move, indexed by StampKind; created only where the system can set it.
    std::array<bool, 3> kinds() const;

    // The line shown under the amount, as it stands.
    QString previewText() const;

    QComboBox* cbo_Direction = nullptr; // "later", "earlier"
    QSpinBox* spn_Days = nullptr;
    QSpinBox* spn_Hours = nullptr;
    QSpinBox* spn_Minutes = nullptr;
    QSpinBox* spn_Seconds = nullptr;
    std::array<QCheckBox*, 3> chk_Kind{}; // indexed by StampKind
    QLabel* lab_Preview = nullptr;
    QPushButton* com_OK = nullptr;
    QPushButton* com_Cancel = nullptr;

  private:
    void refresh();

    std::array<std::optional<DateTime>, 3> first_;
    int entries_ = 0;
};

} // namespace chronodex
