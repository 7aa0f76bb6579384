// The three editor rows of "New date values:": per stamp kind a check box and six
// editable combo boxes (day, month, year, hour, minute, second) with five separators.
#pragma once

#include "core/datetime.h"

#include <QString>

#include <array>

class QCheckBox;
class QComboBox;
class QDate;
class QLabel;
class QWidget;

namespace chronodex {

enum StampKind { Created = 0, Modified = 1, Accessed = 2 };
inline constexpr std::array<StampKind, 3> AllStampKinds{Created, Modified, Accessed};

// "C", "M", "A": the letter in the control names of a row.
QChar stampLetter(StampKind kind);

// The fields of a row, in the order of its combo boxes.
enum Field { Day = 0, Month, Year, Hour, Minute, Second };
inline constexpr int FieldCount = 6;
// "day", "month", ... as in the control names.
QString fieldName(int field);

struct EditorRow {
    StampKind kind = Created;
    QLabel* caption = nullptr;
    QCheckBox* check = nullptr;
    std::array<QComboBox*, FieldCount> fields{};
    std::array<QLabel*, FieldCount - 1> separators{};

    bool isTicked() const;
    // Enables or disables the six boxes and five separators, in field order.
    void setFieldsEnabled(bool on) const;
    // Puts the fields of a value into the six boxes as bare numbers ("5", "2024").
    void setValue(const DateTime& value) const;
    // Puts the same text into all six boxes.
    void setAllTexts(const QString& text) const;
    QString text(int field) const;
};

// Builds one row inside the frame at the twips positions of the layout.
EditorRow buildEditorRow(QWidget* frame, StampKind kind);

// Gives the boxes of the rows their lists (" 1" ... with the blank for the sign) and sets
// each one's bare default text without selecting an entry. The years run from 50 before to
// 10 after the present year. The three rows share one list a field: the boxes show it but
// never add to it (typed text is not inserted).
void fillRowLists(const std::array<EditorRow, 3>& rows, const DateTime& now);

} // namespace chronodex
