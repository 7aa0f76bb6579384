#include "editorrows.h"

#include "twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QStringListModel>

namespace chronodex {
namespace {

struct RowLayout {
    const char* captionName;
    const char* captionText;
    const char* checkName;
    int top;      // of caption and check box
    int fieldTop; // of combo boxes and separators
};

constexpr std::array<RowLayout, 3> rowLayouts{{
    {"lab_NCreated", " Created date:", "chk_UpdateCDate", 240, 480},
    {"lab_NModfied", " Modfied date:", "chk_UpdateMDate", 840, 1080},
    {"lab_NAccessed", " Accessed date:", "chk_UpdateADate", 1440, 1680},
}};

struct FieldLayout {
    const char* name;
    int left;
    int width;
};
constexpr std::array<FieldLayout, FieldCount> fieldLayouts{{
    {"day", 120, 615},
    {"month", 840, 615},
    {"year", 1560, 855},
    {"hour", 2640, 615},
    {"minute", 3360, 615},
    {"second", 4080, 615},
}};

struct SeparatorLayout {
    const char* name;
    const char* text;
    int left;
};
constexpr std::array<SeparatorLayout, FieldCount - 1> separatorLayouts{{
    {"d_m", "/", 720},
    {"m_y", "/", 1440},
    {"d_t", ",", 2400},
    {"h_m", ":", 3240},
    {"m_s", ":", 3960},
}};

QString entryText(int n) {
    return QLatin1Char(' ') + QString::number(n);
}

QStringList entryList(int from, int to) {
    QStringList entries;
    entries.reserve(to - from + 1);
    for (int n = from; n <= to; ++n)
        entries.append(entryText(n));
    return entries;
}

} // namespace

QChar stampLetter(StampKind kind) {
    return QLatin1Char("CMA"[kind]);
}

QString fieldName(int field) {
    return QLatin1String(fieldLayouts.at(field).name);
}

bool EditorRow::isTicked() const {
    return check->checkState() == Qt::Checked;
}

void EditorRow::setFieldsEnabled(bool on) const {
    for (int f = 0; f < FieldCount; ++f) {
        fields[f]->setEnabled(on);
        if (f < FieldCount - 1) separators[f]->setEnabled(on);
    }
}

void EditorRow::setValue(const DateTime& value) const {
    const std::array<int, FieldCount> parts{value.day,  value.month,  value.year,
                                            value.hour, value.minute, value.second};
    for (int f = 0; f < FieldCount; ++f)
        fields[f]->setEditText(QString::number(parts[f]));
}

void EditorRow::setAllTexts(const QString& text) const {
    for (QComboBox* box : fields)
        box->setEditText(text);
}

QString EditorRow::text(int field) const {
    return fields.at(field)->currentText();
}

EditorRow buildEditorRow(QWidget* frame, StampKind kind) {
    const RowLayout& layout = rowLayouts.at(kind);
    const QString letter = stampLetter(kind);
    EditorRow row;
    row.kind = kind;

    row.caption = new QLabel(QString::fromLatin1(layout.captionText), frame);
    row.caption->setObjectName(QLatin1String(layout.captionName));
    row.caption->setGeometry(twipsRect(120, layout.top, 1245, 255, frame));
    row.caption->setAutoFillBackground(true);
    row.caption->setBackgroundRole(QPalette::Base);
    row.caption->setForegroundRole(QPalette::Text);

    row.check = new QCheckBox(QStringLiteral("Update date and time"), frame);
    row.check->setObjectName(QLatin1String(layout.checkName));
    row.check->setGeometry(twipsRect(1440, layout.top, 1935, 255, frame));
    row.check->setTristate(true);
    row.check->setCheckState(Qt::PartiallyChecked);

    for (int f = 0; f < FieldCount; ++f) {
        auto* box = new QComboBox(frame);
        box->setObjectName(QStringLiteral("com_%1_%2").arg(letter, fieldName(f)));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setMaxVisibleItems(12);
        box->setGeometry(
            twipsRect(fieldLayouts[f].left, layout.fieldTop, fieldLayouts[f].width, 315, frame));
        row.fields[f] = box;
    }
    QFont separatorFont = frame->font();
    separatorFont.setPointSize(12);
    separatorFont.setBold(false);
    for (int s = 0; s < FieldCount - 1; ++s) {
        auto* label = new QLabel(QString::fromLatin1(separatorLayouts[s].text), frame);
        label->setObjectName(QStringLiteral("lab_%1_%2").arg(letter, separatorLayouts[s].name));
        label->setFont(separatorFont);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        // The separators are narrow; let the glyph spill over its sides rather than clip it.
        QRect r = twipsRect(separatorLayouts[s].left, layout.fieldTop, 60, 300, frame);
        r.adjust(-3, 0, 3, 0);
        label->setGeometry(r);
        label->lower();
        row.separators[s] = label;
    }
    return row;
}

void fillRowLists(const std::array<EditorRow, 3>& rows, const DateTime& now) {
    const std::array<std::array<int, 3>, FieldCount> lists{
        {{1, 31, now.day},
         {1, 12, now.month},
         {now.year - 50, now.year + 10, now.year},
         {0, 23, now.hour},
         {0, 59, now.minute},
         {0, 59, now.second}}};
    for (int f = 0; f < FieldCount; ++f) {
        const auto& [from, to, value] = lists[f];
        auto* model = new QStringListModel(entryList(from, to), rows[0].fields[f]->parentWidget());
        for (const EditorRow& row : rows) {
            row.fields[f]->setModel(model);
            row.fields[f]->setCurrentIndex(-1);
            row.fields[f]->setEditText(QString::number(value));
        }
    }
}

} // namespace chronodex
