// Looks at the main window as a user would: by its controls' names.
#pragma once

#include "frm_MainWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

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

// The names and ticks the list shows, top to bottom.
inline QStringList entryNames(const frm_MainWindow& w) {
    QStringList out;
    for (int i = 0; i < w.fileList()->count(); ++i)
        out << w.fileList()->item(i)->text();
    return out;
}
inline QList<bool> entryTicks(const frm_MainWindow& w) {
    QList<bool> out;
    for (int i = 0; i < w.fileList()->count(); ++i)
        out << (w.fileList()->item(i)->checkState() == Qt::Checked);
    return out;
}

// Puts paths into the list the way a rebuild does, and selects the first entry.
inline void listPaths(frm_MainWindow& w, const QStringList& paths) {
    w.FilePaths().assign(paths);
    w.RebuildList();
}

} // namespace chronodex::testing
