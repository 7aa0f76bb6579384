#include "commandprogress.h"

#include <QCoreApplication>
#include <QLocale>
#include <QProgressDialog>

#include <algorithm>

namespace chronodex {

CommandProgress::CommandProgress(QWidget* parent, const QString& label, int showAfterMs)
    : parent_(parent), label_(label), showAfterMs_(showAfterMs) {
    clock_.start();
}

CommandProgress::~CommandProgress() {
    finish();
}

void CommandProgress::finish() {
    delete dialog_.data();
}

Progress CommandProgress::hook() {
    return [this](int done, int total) { return step(done, total); };
}

bool CommandProgress::step(int done, int total) {
    const qint64 now = clock_.elapsed();
    if (!dialog_ && now >= showAfterMs_) {
        dialog_ = new QProgressDialog(label_, QStringLiteral("&Cancel"), 0, total, parent_);
        dialog_->setObjectName(QStringLiteral("dlg_Progress"));
        dialog_->setWindowTitle(QStringLiteral("Chronodex"));
        // Every window waits for the command: nothing else may start meanwhile.
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->setMinimumDuration(0);
        // Wide enough for a count in the thousands, over the middle of the window it serves.
        dialog_->resize(std::max(dialog_->sizeHint().width(), 22 * dialog_->fontMetrics().height()),
                        dialog_->sizeHint().height() + dialog_->fontMetrics().height());
        if (parent_) {
            const QRect over = parent_->window()->frameGeometry();
            dialog_->move(over.center() - dialog_->rect().center());
        }
        dialog_->show();
    }
    if (dialog_) {
        dialog_->setMaximum(total); // 0: not known yet, a busy bar
        dialog_->setValue(std::min(done, std::max(total, 0)));
        if (total > 0)
            dialog_->setLabelText(label_ + QStringLiteral("\n") + QLocale().toString(done) +
                                  QStringLiteral(" of ") + QLocale().toString(total));
    }
    // A few times a second is enough to repaint and to hear Cancel; before the dialog is up,
    // input would start other commands in the middle of this one, so it waits.
    if (now - lastEvents_ >= std::min(showAfterMs_, 30)) {
        lastEvents_ = now;
        QCoreApplication::processEvents(dialog_ ? QEventLoop::AllEvents
                                                : QEventLoop::ExcludeUserInputEvents);
    }
    return !(dialog_ && dialog_->wasCanceled());
}

} // namespace chronodex
