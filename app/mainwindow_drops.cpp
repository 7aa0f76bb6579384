// Drops: the window, "Original date values:" and every control in it take dropped files;
// "New date values:" takes none.
#include "commandprogress.h"
#include "frm_FlashMessage.h"
#include "frm_MainWindow.h"
#include "oldvaluespanel.h"

#include <QDropEvent>

namespace chronodex {
namespace {

const QString crlf = QStringLiteral("\r\n");

// Intake messages: the warning icon in the dialog's standard font, colours and "&OK".
FlashArgs warningArgs(const QString& message, const QString& title, int timer) {
    return {.TheMessage = message, .TheTitle = title, .Timer = timer, .IconNumber = 1};
}

} // namespace

void frm_MainWindow::showIntakeFailure(const QString& message) {
    FlashMessage(this, warningArgs(message, QStringLiteral("#AppName# - Warning:"), 5000));
}

void frm_MainWindow::Form_OLEDragDrop(const DropData& Data, int Effect, int /*Button*/, int Shift,
                                      int /*X*/, int /*Y*/) {
    if (Effect != 7) {
        showIntakeFailure(QStringLiteral("Can't load this object.") + crlf +
                          QStringLiteral("Error:") + crlf +
                          QStringLiteral("This object is not a file or a directory"));
        return;
    }
    // Everything that can fail is checked before anything changes, so a refused drop
    // leaves the list and the path table exactly as they were.
    const bool append = Shift == 1 && PathCount() > 0;
    // A drop that replaces the list shares the dropped list; an append copies the entries'
    // handles once into a list of the exact size (the paths' text is shared either way).
    QStringList paths = append ? FilePaths_.entries() : Data.files;
    std::vector<bool> ticks; // the old entries keep theirs; new ones follow the rule
    if (append) {
        ticks = FilePaths_.ticks();
        paths.reserve(paths.size() + Data.files.size());
        paths += Data.files;
    }
    IntakePlan plan;
    CommandProgress progress(this, QStringLiteral("Reading the dropped files..."),
                             options_.progressAfterMs);
    const auto failure = planIntake(paths, plan, progress.hook());
    progress.finish();
    if (failure) {
        if (failure->number == 0) return; // Cancel: the list stays as it was
        showIntakeFailure(failure->description + crlf + QString::number(failure->number));
        return;
    }

    // The entries already listed keep the objects they were listed with.
    if (append) std::ranges::copy(FilePaths_.ids(), plan.ids.begin());
    fillList(plan.paths, plan.kinds, plan.counts, ticks, plan.ids);
    fra_OldValues->selectFirst();
    SetSortChecks(false);
    EnableUpdateButton();
    // The window is complete before the warning waits for the user: a drop that arrives
    // while it is open then finds, and leaves, the list, counts and title in step.
    const QString warning = intakeWarning(plan.counts);
    if (!warning.isEmpty())
        FlashMessage(
            this,
            warningArgs(warning + crlf + QStringLiteral("See the help file for more information."),
                        options_.version.productName + QStringLiteral(" - Warning."), 15000));
}

void frm_MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    event->acceptProposedAction();
}

void frm_MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    event->acceptProposedAction();
}

void frm_MainWindow::dropEvent(QDropEvent* event) {
    deliverDrop(event, this, [this](const DropArgs& a) {
        Form_OLEDragDrop(a.Data, a.Effect, a.Button, a.Shift, a.X, a.Y);
    });
}

} // namespace chronodex
