// Finding the help document and handing it to the desktop, which opens it with the
// application the user has for it.
#pragma once

#include "frm_FlashMessage.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace chronodex {

// An opener that can tell only later whether the document opened returns `answerLater`, and
// once it knows calls `answer` with its result on the window's thread, unless `owner` is gone.
constexpr int answerLater = -1;
struct ShellLater {
    QObject* owner = nullptr;
    std::function<void(int result)> answer = {};
};

// Opens a document, folder or web address: the shell's result, above 32 on success. The show
// mode is 1 normal, 2 minimised, 3 maximised.
using ShellOpen = std::function<int(const QString& file, const QString& parameters, int showMode,
                                    const ShellLater& later)>;

// The desktop's opener: a local file or folder that does not exist gives 2 without
// launching anything; what the desktop opens gives 42, anything it cannot open 31. On Linux
// the opener is not waited for: its answer comes later, whenever it ends.
int desktopShellOpen(const QString& file, const QString& parameters, int showMode,
                     const ShellLater& later);

// Opens FileOrURL (the program folder's Help.txt when empty) with the show mode for
// WindowMode (1 maximised, 2 minimised, else normal) and returns the shell's result (or
// `answerLater`, the result going to `later`). A failure on the way is shown in the standard
// message box and gives 0.
int OpenFileOrURL(const QString& FileOrURL, const QString& Parameters, int WindowMode,
                  const QString& programFolder, const ShellOpen& shell,
                  const ShellLater& later = {});

// The local help documents, tried in this order in the program's folder.
QStringList helpFileNames();

// Help > Help file: the configured document first (or last, when "HelpFilePirority" is
// stored as zero), the local documents in order. When the desktop opens none of them but a
// local document that the program can show itself is there (no opener installed, or the
// opener failed), `showInProgram` shows it; only when there is none, the question whether
// to show the program's folder instead. `ask` shows that question. An opener that fails
// later, at any time, goes on from there as if it had failed at once; nothing of it happens
// once `owner` is gone.
struct HelpContext {
    QString productName;
    QString programFolder;
    ShellOpen shell;
    std::function<int(const FlashArgs&)> ask;
    std::function<void(const QString& document)> showInProgram = {};
    QObject* owner = nullptr;
};
void openHelpDocument(const HelpContext& context);

// The help document in a window of the program, titled "<product> - Help", following its
// links; one window, raised again when it is already open.
void showHelpWindow(QWidget* owner, const QString& document, const QString& productName);

} // namespace chronodex
