#include "newvaluespanel.h"

#include "twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace chronodex {

NewValuesPanel::NewValuesPanel(QWidget* parent, bool creationWritable)
    : QGroupBox(QStringLiteral("New date values:"), parent), creationWritable_(creationWritable) {
    setObjectName(QStringLiteral("fra_NewValues"));
    for (StampKind kind : AllStampKinds) {
        rows_[kind] = buildEditorRow(this, kind);
        connect(rows_[kind].check, &QCheckBox::stateChanged, this,
                [this, kind] { emit rowClicked(kind); });
        // Typed text is a value to check, never a place to drop files.
        for (QComboBox* box : rows_[kind].fields)
            if (box->lineEdit()) box->lineEdit()->setAcceptDrops(false);
    }
    setCreationSettable(true);
    lab_Reason = new QLabel(this);
    lab_Reason->setObjectName(QStringLiteral("lab_NotWritable"));
    lab_Reason->setGeometry(twipsRect(120, 300, 4575, 750, this));
    lab_Reason->setWordWrap(true);
    lab_Reason->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lab_Reason->hide();
    auto button = [&](QPushButton*& member, const char* name, const char* text, int left,
                      void (NewValuesPanel::*clicked)()) {
        member = new QPushButton(QString::fromLatin1(text), this);
        member->setObjectName(QLatin1String(name));
        member->setGeometry(twipsRect(left, 2040, 1455, 375, this));
        connect(member, &QPushButton::clicked, this, clicked);
    };
    button(com_NowTime, "com_NowTime", "Set time to &now", 120, &NewValuesPanel::nowClicked);
    button(com_ResetTime, "com_ResetTime", "&Reset time values", 1680,
           &NewValuesPanel::resetClicked);
    button(com_UptateTimestamp, "com_UptateTimestamp", "&Update file date", 3240,
           &NewValuesPanel::updateClicked);
    // The panel takes a drag only to refuse it, so that it does not reach the window behind.
    setAcceptDrops(true);
    installEventFilter(this);
}

bool NewValuesPanel::anyRowTicked() const {
    return std::any_of(rows_.begin(), rows_.end(), [](const EditorRow& r) { return r.isTicked(); });
}

std::array<RowInput, 3> NewValuesPanel::inputs() const {
    std::array<RowInput, 3> out;
    for (StampKind kind : AllStampKinds) {
        out[kind].ticked = rows_[kind].isTicked();
        for (int f = 0; f < FieldCount; ++f)
            out[kind].texts[f] = rows_[kind].text(f);
        out[kind].loaded = loaded_[kind];
    }
    return out;
}

void NewValuesPanel::fillLists(const DateTime& present) {
    fillRowLists(rows_, present);
    for (const EditorRow& r : rows_) {
        r.check->setCheckState(Qt::Unchecked);
        r.check->setTristate(false);
    }
}

namespace {

std::optional<LoadedStamp> loadedStamp(const DateTime& value,
                                       const std::optional<platform::Instant>& exact) {
    if (!exact) return std::nullopt;
    return LoadedStamp{value, *exact};
}

} // namespace

void NewValuesPanel::load(const std::array<DateTime, 3>& stamps, const ExactStamps& exact) {
    for (StampKind kind : AllStampKinds) {
        rows_[kind].setValue(stamps[kind]);
        loaded_[kind] = loadedStamp(stamps[kind], exact[kind]);
        // The creation stamp cannot be written where the system does not allow it, so its
        // row shows the value but is never ticked there.
        if (kind != Created || (creationWritable_ && creationSettable_))
            rows_[kind].check->setCheckState(Qt::Checked);
    }
}

void NewValuesPanel::setCreationSettable(bool settable) {
    creationSettable_ = settable;
    const bool can = creationWritable_ && settable;
    QCheckBox* check = rows_[Created].check;
    if (!can) check->setCheckState(Qt::Unchecked);
    check->setEnabled(can);
    check->setToolTip(can ? QString()
                          : QStringLiteral("A program can set the date a file was created on "
                                           "Windows, and on Linux on NTFS drives mounted with "
                                           "ntfs-3g; this file's drive does not let it."));
}

void NewValuesPanel::showReason(const QString& why) {
    // The rows, their labels and the buttons give way to the one line.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->setVisible(why.isEmpty() != (child == lab_Reason));
    lab_Reason->setText(why);
}

void NewValuesPanel::clear() {
    for (const EditorRow& r : rows_) {
        r.setAllTexts(QStringLiteral(" - "));
        r.check->setCheckState(Qt::Unchecked);
    }
    loaded_ = {};
}

void NewValuesPanel::fillTickedRows(const std::array<DateTime, 3>& values,
                                    const ExactStamps& exact) {
    for (StampKind kind : AllStampKinds) {
        if (!rows_[kind].isTicked() || values[kind] == NoDate(0)) continue;
        rows_[kind].setValue(values[kind]);
        loaded_[kind] = loadedStamp(values[kind], exact[kind]);
    }
}

void NewValuesPanel::enableTimeButtons() {
    const bool anyRow = anyRowTicked();
    com_NowTime->setEnabled(anyRow);
    com_ResetTime->setEnabled(anyRow);
}

void NewValuesPanel::enableUpdate(bool anyEntryTicked) {
    com_UptateTimestamp->setEnabled(anyRowTicked() && anyEntryTicked);
}

bool NewValuesPanel::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter: // taken with no action: moves and drops are then refused
        static_cast<QDragEnterEvent*>(event)->setDropAction(Qt::IgnoreAction);
        event->accept();
        return true;
    case QEvent::DragMove:
    case QEvent::Drop:
        event->ignore();
        return true;
    default:
        return QGroupBox::eventFilter(watched, event);
    }
}

} // namespace chronodex
