// The progress of a long command, with Cancel: a dialog that appears once the command has run
// for a while, and the program's windows kept painted and answering meanwhile.
#pragma once

#include "progress.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

namespace chronodex {

class CommandProgress {
  public:
    // `label` says what is being done ("Writing new dates..."); the dialog shows after
    // `showAfterMs` milliseconds of the command.
    CommandProgress(QWidget* parent, const QString& label, int showAfterMs = 500);
    ~CommandProgress();
    CommandProgress(const CommandProgress&) = delete;
    CommandProgress& operator=(const CommandProgress&) = delete;

    // The hook the command calls before each file: shows the progress, handles the events
    // waiting (no input to other windows before the dialog is up), and answers false once
    // Cancel was pressed. Valid while this object lives.
    Progress hook();
    // The work is over: the dialog goes before the command shows its outcome.
    void finish();

  private:
    bool step(int done, int total);

    QWidget* parent_;
    QString label_;
    int showAfterMs_;
    QElapsedTimer clock_;
    qint64 lastEvents_ = 0;
    QPointer<QProgressDialog> dialog_;
};

} // namespace chronodex
