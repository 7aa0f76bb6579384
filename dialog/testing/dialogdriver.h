// Answers the modal dialogs that a test provokes: a scheduled check finds the dialog that
// is open and acts on it, so the code under test returns from its modal call.
#pragma once

#include "frm_FlashMessage.h"

#include <QtTest>
#include <QtWidgets>

namespace chronodex::testing {

// What a test saw of one FlashMessage dialog; `timer` is 0 when it does not close by itself.
struct SeenDialog {
    bool shown = false;
    QString title, message, focused;
    QStringList buttons; // the four labels, empty for a hidden button
    int timer = 0;
};

// Calls `act` with the modal dialog of type T as soon as one is open. The check runs from
// the event loop, so it also runs inside the modal call of the code under test. It gives up
// after the deadline, or once `owner` (what the test holds of the result) is gone, so that a
// dialog that never comes leaves no check behind to catch a later one.
template <class T>
void whenOpen(std::function<void(T*)> act, int deadlineMs = 5000,
              std::weak_ptr<const void> owner = {}) {
    auto* check = new QTimer(qApp);
    const QDeadlineTimer deadline(deadlineMs);
    const bool owned = !owner.expired();
    QObject::connect(check, &QTimer::timeout, [=] {
        auto* dlg = qobject_cast<T*>(QApplication::activeModalWidget());
        const bool over = deadline.hasExpired() || (owned && owner.expired());
        if (!over && !(dlg && dlg->isVisible())) return;
        check->stop(); // before `act`, which may open the next dialog and wait in it
        check->deleteLater();
        if (!over) act(dlg);
    });
    check->start(5);
}

// Waits for the next FlashMessage dialog, records it and lets `act` answer it (click a
// button, close it, or do nothing and let its timer run out). The wait ends with the
// deadline or when the test lets go of what it returns.
[[nodiscard]] inline std::shared_ptr<SeenDialog>
onNextFlashMessage(std::function<void(frm_FlashMessage*)> act, int deadlineMs = 5000) {
    auto seen = std::make_shared<SeenDialog>();
    whenOpen<frm_FlashMessage>(
        [watch = std::weak_ptr(seen), act](frm_FlashMessage* dlg) {
            const auto seen = watch.lock();
            const int timer = dlg->closesByItself() ? dlg->closeTimer()->interval() : 0;
            *seen = {true, dlg->windowTitle(), dlg->message(), {}, {}, timer};
            for (int i = 0; i < 4; ++i)
                seen->buttons << (dlg->button(i)->isHidden() ? QString() : dlg->button(i)->text());
            if (auto* f = qobject_cast<QPushButton*>(dlg->focusWidget())) seen->focused = f->text();
            if (act) act(dlg);
        },
        deadlineMs, seen);
    return seen;
}

// The top-level windows still shown, but for those the test case keeps on purpose: a test
// that leaves one open fails in its cleanup().
inline QStringList openWindows(std::initializer_list<const QWidget*> kept = {}) {
    QStringList out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !std::count(kept.begin(), kept.end(), w))
            out << QString::fromLatin1(w->metaObject()->className()) + ' ' + w->windowTitle();
    return out;
}
#define CHRONODEX_NO_WINDOW_LEFT_OPEN(...)                                                         \
    QCOMPARE(::chronodex::testing::openWindows({__VA_ARGS__}).join(QStringLiteral(", ")), QString())

// Lets the dialog close by itself, as its timer would, but at once: the timer runs out
// short instead of taking the real seconds it was given (whose length the test has seen).
inline void runOutTimer(frm_FlashMessage* dlg) {
    dlg->closeTimer()->start(1);
}

// Clicks the button of the given index.
inline std::function<void(frm_FlashMessage*)> clickButton(int index) {
    return [index](frm_FlashMessage* dlg) { dlg->button(index)->click(); };
}

// Closes the next standard message box, keeping its title and text.
struct SeenBox {
    bool shown = false;
    QString title, text;
};
inline std::shared_ptr<SeenBox> closeNextMessageBox() {
    auto seen = std::make_shared<SeenBox>();
    whenOpen<QMessageBox>([seen](QMessageBox* box) {
        *seen = {true, box->windowTitle(), box->text()};
        box->accept();
    });
    return seen;
}

} // namespace chronodex::testing
