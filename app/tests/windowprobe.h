// Looks at the main window as a user would, by its controls' names, and acts on it as a
// user would: drops from a file manager, ticks and clicks on the list, typed rows.
#pragma once

#include "frm_ChangePreview.h"
#include "frm_MainWindow.h"

#include "dialogdriver.h"
#include "filehelpers.h"

namespace chronodex::testing {

// A window whose clock reads 3 March 2026, 09:05:07 local time, or the given time.
inline MainWindowOptions pinnedOptions(bool creationWritable = true,
                                       const QDateTime& now = {QDate(2026, 3, 3), QTime(9, 5, 7)}) {
    MainWindowOptions o = defaultMainWindowOptions();
    o.clock = [now] { return now; };
    o.creationWritable = creationWritable;
    return o;
}

template <typename T = QObject> T* child(const QWidget& w, const char* name) {
    return w.findChild<T*>(QLatin1String(name));
}
inline QString caption(const QWidget& w, const char* name) {
    return child<QLabel>(w, name)->text();
}
// "New date values:" is built when first used; until then it is not shown either.
inline bool newValuesShown(const QWidget& w) {
    const auto* panel = child<QGroupBox>(w, "fra_NewValues");
    return panel && !panel->isHidden();
}

// The six texts of an editor row, day to second, between "|": "31|12|2023|0|30|0".
inline QString rowText(const frm_MainWindow& w, StampKind kind) {
    QStringList texts;
    for (QComboBox* box : w.row(kind).fields)
        texts << box->currentText();
    return texts.join(QLatin1Char('|'));
}
inline void setRowText(const frm_MainWindow& w, StampKind kind, const QString& text) {
    const QStringList texts = text.split(QLatin1Char('|'));
    for (int f = 0; f < FieldCount; ++f)
        w.row(kind).fields[f]->setEditText(texts.value(f));
}
// Only the Modified row ticked, with this text; then "Update file date".
inline void writeModified(const frm_MainWindow& w, const QString& text) {
    w.row(Accessed).check->setCheckState(Qt::Unchecked);
    w.row(Created).check->setCheckState(Qt::Unchecked);
    setRowText(w, Modified, text);
    child<QPushButton>(w, "com_UptateTimestamp")->click();
}

// The list as a user sees it, through its model: the entries' names top to bottom, an
// unticked one after "-" (the hint entry has no tick box), and the current entry (-1 for
// none); ticking an entry as its check box does and clicking it, each of which runs the
// click handler.
inline QModelIndex entry(const frm_MainWindow& w, int i) {
    return w.fileList()->model()->index(i, 0);
}
inline QStringList entries(const frm_MainWindow& w) {
    QStringList out;
    for (int i = 0; i < w.fileList()->model()->rowCount(); ++i) {
        const QVariant tick = entry(w, i).data(Qt::CheckStateRole);
        out << (tick == Qt::Unchecked ? "-" : "") + entry(w, i).data().toString();
    }
    return out;
}
inline void tick(const frm_MainWindow& w, int i, bool ticked) {
    w.fileList()->model()->setData(entry(w, i), ticked ? Qt::Checked : Qt::Unchecked,
                                   Qt::CheckStateRole);
}
inline int currentEntry(const frm_MainWindow& w) {
    const QModelIndex current = w.fileList()->currentIndex();
    return current.isValid() ? current.row() : -1;
}
inline void clickEntry(const frm_MainWindow& w, int i) {
    w.fileList()->setCurrentIndex(entry(w, i));
}

// Puts paths into the list the way a rebuild does, and selects the first entry.
inline void listPaths(frm_MainWindow& w, const QStringList& paths) {
    w.FilePaths().assign(paths);
    w.RebuildList();
}

// What the "Original date values:" panel shows: the path's caption and box, the name box,
// the size's caption and value, the three stamps; a control that is greyed out is marked "~".
inline QStringList panel(const frm_MainWindow& w) {
    const auto box = [&w](const char* name) { return child<QPlainTextEdit>(w, name); };
    QStringList out{caption(w, "lab_FilePath"), box("txt_FilePathValue")->toPlainText(),
                    box("txt_FileNameValue")->toPlainText(), caption(w, "lab_OSize")};
    if (!box("txt_FileNameValue")->isEnabled()) out[2].prepend(QLatin1Char('~'));
    for (const char* name :
         {"lab_OSizeValue", "lab_OCreatedValue", "lab_OModfiedValue", "lab_OAccessedValue"})
        out << (child<QLabel>(w, name)->isEnabled() ? "" : "~") + caption(w, name);
    return out;
}

inline std::unique_ptr<QMimeData> urlsOf(const QStringList& paths) {
    auto mime = std::make_unique<QMimeData>();
    QList<QUrl> urls(paths.size());
    std::ranges::transform(paths, urls.begin(), QUrl::fromLocalFile);
    mime->setUrls(urls);
    return mime;
}

// Drags the data onto the widget and drops it there, as the windowing system delivers a
// drop (the drag enter picks the receiver: a widget that refuses it hands it to its parent),
// then runs the intake that the drop hands on. Returns whether the drop was accepted.
inline bool drop(QWidget* target, const QMimeData* mime,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(QPoint(5, 5), actions, mime, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent event(QPointF(5, 5), actions, mime, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(target, &event);
    QCoreApplication::processEvents();
    return event.isAccepted();
}
// A drop of files onto the list itself.
inline bool dropOnList(const frm_MainWindow& w, const QStringList& paths,
                       Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return drop(w.fileList()->viewport(), urlsOf(paths).get(), modifiers);
}

// The scene of most tests: a folder of files whose stamps are known, and a window at the
// pinned clock that cannot write creation dates (as on Linux).
// Answers the next preview of a command on the ticked entries: OK writes, Cancel does not.
inline void answerPreview(bool ok = true) {
    whenOpen<frm_ChangePreview>(
        [ok](frm_ChangePreview* p) { (ok ? p->com_OK : p->com_Cancel)->click(); });
}

struct Desk {
    const qint64 before = utcSeconds(2001, 2, 3, 4, 5, 6);
    QTemporaryDir dir;
    frm_MainWindow w{pinnedOptions(false)};
    // Files of ten bytes with both stamps at `before`.
    QStringList make(const QStringList& names) const {
        QStringList paths;
        for (const QString& name : names) {
            paths << makeFile(dir, name, 10);
            setStamps(paths.last(), before, before);
        }
        return paths;
    }
};
inline QList<qint64> modifiedOf(const QStringList& paths) {
    QList<qint64> out(paths.size());
    std::ranges::transform(paths, out.begin(), modifiedSeconds);
    return out;
}

} // namespace chronodex::testing
