// Sends real drop events to the window's controls, as a file manager's drop would arrive.
#pragma once

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <memory>

namespace chronodex::testing {

inline std::unique_ptr<QMimeData> fileList(const QStringList& paths) {
    auto mime = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls << QUrl::fromLocalFile(p);
    mime->setUrls(urls);
    return mime;
}

// Drags the data onto the widget and drops it there, as the windowing system delivers a
// drop (the drag enter picks the receiver: a widget that refuses it hands it to its parent),
// then runs the intake that the drop hands on. Returns whether the drop was accepted.
inline bool drop(QWidget* target, const QMimeData* mime,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                 Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction) {
    QDragEnterEvent enter(QPoint(5, 5), actions, mime, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent event(QPointF(5, 5), actions, mime, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(target, &event);
    QCoreApplication::processEvents();
    return event.isAccepted();
}

inline bool dropFiles(QWidget* target, const QStringList& paths,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const auto mime = fileList(paths);
    return drop(target, mime.get(), modifiers);
}

} // namespace chronodex::testing
