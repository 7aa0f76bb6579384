// Looks at the main window as a user would: by its controls' names.
#pragma once

#include "frm_MainWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace chronodex::testing {

inline MainWindowOptions pinnedOptions(const QDateTime& now, bool creationWritable = true) {
    MainWindowOptions o = defaultMainWindowOptions();
    o.clock = [now] { return now; };
    o.creationWritable = creationWritable;
    return o;
}

inline QLabel* label(const QWidget& w, const char* name) {
    return w.findChild<QLabel*>(QLatin1String(name));
}
inline QString caption(const QWidget& w, const char* name) {
    return label(w, name)->text();
}
inline QString boxText(const QWidget& w, const char* name) {
    return w.findChild<QPlainTextEdit*>(QLatin1String(name))->toPlainText();
}
inline QPushButton* button(const QWidget& w, const char* name) {
    return w.findChild<QPushButton*>(QLatin1String(name));
}
inline bool newValuesShown(const QWidget& w) {
    return !w.findChild<QGroupBox*>(QStringLiteral("fra_NewValues"))->isHidden();
}

// The six texts of an editor row, day to second.
inline QStringList rowTexts(const frm_MainWindow& w, StampKind kind) {
    QStringList texts;
    for (QComboBox* box : w.row(kind).fields)
        texts << box->currentText();
    return texts;
}

inline void setRowTexts(const frm_MainWindow& w, StampKind kind, const QStringList& texts) {
    for (int f = 0; f < FieldCount; ++f)
        w.row(kind).fields[f]->setEditText(texts.value(f));
}

// The list as a user sees it: its entries' names and ticks, top to bottom, and the
// current entry (-1 for none).
inline QStringList entryNames(const frm_MainWindow& w) {
    QStringList out;
    const QAbstractItemModel* m = w.fileList()->model();
    for (int i = 0; i < m->rowCount(); ++i)
        out << m->index(i, 0).data().toString();
    return out;
}
inline QList<bool> entryTicks(const frm_MainWindow& w) {
    QList<bool> out;
    const QAbstractItemModel* m = w.fileList()->model();
    for (int i = 0; i < m->rowCount(); ++i)
        out << (m->index(i, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked);
    return out;
}
inline int entryCount(const frm_MainWindow& w) {
    return w.fileList()->model()->rowCount();
}
inline int currentEntry(const frm_MainWindow& w) {
    const QModelIndex current = w.fileList()->currentIndex();
    return current.isValid() ? current.row() : -1;
}
// Ticks or unticks an entry as its check box does, which runs the click handler.
inline void setTick(const frm_MainWindow& w, int row, bool ticked) {
    QAbstractItemModel* m = w.fileList()->model();
    m->setData(m->index(row, 0), ticked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}
// Makes an entry current (-1: none), as a click on it does.
inline void clickEntry(const frm_MainWindow& w, int row) {
    w.fileList()->setCurrentIndex(w.fileList()->model()->index(row, 0));
}
// Makes an entry current without running the click handler.
inline void moveCurrentQuietly(const frm_MainWindow& w, int row) {
    const QSignalBlocker quiet(w.fileList()->selectionModel());
    clickEntry(w, row);
}

// Puts paths into the list the way a rebuild does, and selects the first entry.
inline void listPaths(frm_MainWindow& w, const QStringList& paths) {
    w.FilePaths().assign(paths);
    w.RebuildList();
}

} // namespace chronodex::testing
