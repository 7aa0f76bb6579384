// The desktop's opener on Linux: xdg-open, started without waiting. It may run for as long as
// the document stays open and tells whether it opened it only when it ends, which may be
// seconds later (no application for the document, a browser that cannot start): the window
// goes on meanwhile, and the answer comes when the opener ends.
#include "helpdocument.h"

#include "platform/shell.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>

#include <memory>

namespace chronodex {

int desktopShellOpen(const QString& file, const QString& /*parameters*/, int /*showMode*/,
                     const ShellLater& later) {
    auto opener = std::make_shared<platform::Opener>(QFile::encodeName(file).toStdString());
    if (opener->started() != 0) return opener->started();
    // The watch belongs to the owner, so no answer comes once the owner is gone; without an
    // owner the answer is only collected.
    QObject* owner = later.owner ? later.owner : QCoreApplication::instance();
    auto* watch = new QSocketNotifier(opener->ended(), QSocketNotifier::Read, owner);
    QObject::connect(watch, &QSocketNotifier::activated, watch,
                     [watch, opener, answer = later.answer] {
                         watch->setEnabled(false);
                         const int result = opener->answer();
                         if (answer) answer(result);
                         watch->deleteLater(); // and the opener with it, once unwatched
                     });
    return answerLater;
}

} // namespace chronodex
