// Answers the modal dialogs that a test provokes: a scheduled check finds the dialog that
// is open and acts on it, so the code under test returns from its modal call.
#pragma once

#include "frm_FlashMessage.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace chronodex::testing {

// What a test saw of one FlashMessage dialog.
struct SeenDialog {
    bool shown = false;
    QString title;
    QString message;
    QStringList buttons;
    int widestLine = 0;
    int clientWidth = 0;
    int buttonLeft0 = 0;
    bool iconShown = false;
    int timer = 0;
    QString focused;
};

// Waits for the next FlashMessage dialog, records it and lets `act` answer it (click a
// button, close it, or do nothing and let its timer run out).
inline std::shared_ptr<SeenDialog> onNextFlashMessage(std::function<void(frm_FlashMessage*)> act) {
    auto seen = std::make_shared<SeenDialog>();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [seen, act, poll] {
        auto* dlg = qobject_cast<frm_FlashMessage*>(QApplication::activeModalWidget());
        if (!dlg || !dlg->isVisible()) {
            QTimer::singleShot(5, *poll);
            return;
        }
        seen->shown = true;
        seen->title = dlg->windowTitle();
        seen->message = dlg->message();
        for (int i = 0; i < 4; ++i)
            seen->buttons << (dlg->button(i)->isHidden() ? QString() : dlg->button(i)->text());
        seen->widestLine = dlg->widestLine();
        seen->clientWidth = dlg->clientWidthTwips();
        seen->buttonLeft0 = dlg->buttonLeftTwips(0);
        seen->timer = dlg->closesByItself() ? dlg->closeTimer()->interval() : 0;
        seen->iconShown = !dlg->windowIcon().isNull();
        if (auto* f = qobject_cast<QPushButton*>(dlg->focusWidget())) seen->focused = f->text();
        *poll = nullptr; // break the cycle before acting
        if (act) act(dlg);
    };
    QTimer::singleShot(0, *poll);
    return seen;
}

// Clicks the button of the given index.
inline std::function<void(frm_FlashMessage*)> clickButton(int index) {
    return [index](frm_FlashMessage* dlg) { dlg->button(index)->click(); };
}

// Closes the next standard message box, keeping its title and text.
struct SeenBox {
    bool shown = false;
    QString title;
    QString text;
};
inline std::shared_ptr<SeenBox> closeNextMessageBox() {
    auto seen = std::make_shared<SeenBox>();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [seen, poll] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            QTimer::singleShot(5, *poll);
            return;
        }
        seen->shown = true;
        seen->title = box->windowTitle();
        seen->text = box->text();
        *poll = nullptr;
        box->accept();
    };
    QTimer::singleShot(0, *poll);
    return seen;
}

} // namespace chronodex::testing
