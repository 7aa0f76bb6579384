// Drops: the window, "Original date values:" and every control in it take dropped files;
// "New date values:" takes none.
#include "frm_FlashMessage.h"
#include "frm_MainWindow.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTimer>

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
    QStringList paths;
    std::vector<bool> ticks; // the old entries keep theirs; new ones follow the rule
    if (append) {
        paths = FilePaths_.entries().mid(0, lst_FileList->count());
        ticks = entryTicks();
        ticks.resize(static_cast<std::size_t>(paths.size()));
    }
    paths += Data.files;
    IntakePlan plan;
    if (const auto failure = planIntake(paths, plan)) {
        showIntakeFailure(failure->description + crlf + QString::number(failure->number));
        return;
    }

    fillList(plan.paths, plan.kinds, plan.counts, ticks);
    const QString warning = intakeWarning(plan.counts);
    if (!warning.isEmpty())
        FlashMessage(
            this,
            warningArgs(warning + crlf + QStringLiteral("See the help file for more information."),
                        options_.version.productName + QStringLiteral(" - Warning."), 15000));
    setListIndex(0);
    kindsJustRead_.clear();
    SetSortChecks(false);
    EnableUpdateButton();
}

void frm_MainWindow::acceptDropsOnOldValues() {
    setAcceptDrops(true);
    const std::array<QWidget*, 26> targets{fra_OldValues,
                                           lst_FileList,
                                           lab_FilePath,
                                           txt_FilePathValue,
                                           lab_FileName,
                                           txt_FileNameValue,
                                           lab_OSize,
                                           lab_OSizeValue,
                                           lab_OCreated,
                                           lab_OCreatedValue,
                                           lab_OModfied,
                                           lab_OModfiedValue,
                                           lab_OAccessed,
                                           lab_OAccessedValue,
                                           labTotalFilesTitle,
                                           labTotalFiles,
                                           labTotalSysFilesTitle,
                                           labTotalSysFiles,
                                           labTotalDirectoriesTitle,
                                           labTotalDirectories,
                                           labTickedFilesTitle,
                                           labTickedFiles,
                                           labTickedSysFilesTitle,
                                           labTickedSysFiles,
                                           labTickedDirectoriesTitle,
                                           labTickedDirectories};
    for (QWidget* target : targets) {
        target->setAcceptDrops(true);
        // Scrolling views receive drops on their viewport.
        if (auto* view = qobject_cast<QAbstractScrollArea*>(target)) {
            view->viewport()->setAcceptDrops(true);
            view->viewport()->installEventFilter(this);
        } else {
            target->installEventFilter(this);
        }
    }
    // "New date values:" accepts the drag only to refuse it, so that it does not reach
    // the window behind it; its text fields take no dropped text either.
    fra_NewValues->setAcceptDrops(true);
    fra_NewValues->installEventFilter(this);
    for (const EditorRow& r : rows_)
        for (QComboBox* box : r.fields)
            if (box->lineEdit()) box->lineEdit()->setAcceptDrops(false);
}

bool frm_MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QMainWindow::eventFilter(watched, event);
    if (watched == fra_NewValues) {
        // A drag enter that is not accepted travels on to the window behind the frame, so
        // the frame takes the drag with no action; moves and drops are then refused.
        if (type == QEvent::DragEnter) {
            static_cast<QDragEnterEvent*>(event)->setDropAction(Qt::IgnoreAction);
            event->accept();
        } else {
            event->ignore();
        }
        return true;
    }
    if (type == QEvent::Drop)
        deliverDrop(static_cast<QDropEvent*>(event)); // a control passes its drop on unchanged
    else
        static_cast<QDragMoveEvent*>(event)->acceptProposedAction();
    return true;
}

void frm_MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    event->acceptProposedAction();
}

void frm_MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    event->acceptProposedAction();
}

void frm_MainWindow::dropEvent(QDropEvent* event) {
    deliverDrop(event);
}

void frm_MainWindow::deliverDrop(QDropEvent* event) {
    const QMimeData* mime = event->mimeData();
    const QPoint at = event->position().toPoint();
    const DropArgs args{dropDataFrom(mime),
                        offeredEffect(mime),
                        static_cast<int>(event->buttons()),
                        modifierBits(event->modifiers()),
                        at.x(),
                        at.y()};
    // Files are taken in by name only: the source is told they were copied (never moved,
    // so no file manager removes anything), and a refused drop is reported as not taken.
    if (args.Effect == 7 && (event->possibleActions() & Qt::CopyAction)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
    }
    QTimer::singleShot(0, this, [this, args] {
        Form_OLEDragDrop(args.Data, args.Effect, args.Button, args.Shift, args.X, args.Y);
    });
}

} // namespace chronodex
