// Chronodex: shows and sets the created, modified and last-accessed stamps of files.
#include "commandline.h"
#include "fonts.h"
#include "frm_MainWindow.h"

#include "platform/shell.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (const auto status = chronodex::answerCommandLine(argc, argv)) return *status;
    if (!platform::hasDisplay()) {
        std::fputs("chronodex: no display to open a window on; start it on a desktop, or "
                   "without one as: xvfb-run -a build/bin/chronodex\n",
                   stderr);
        return 1;
    }
    // Qt reads its own options from what comes before "--" alone: what follows it is files.
    chronodex::CommandLine line(argc, argv);
    QApplication app(line.applicationArgc, argv);
    chronodex::setProgramFont();
    chronodex::checkCommandLine(app);
    chronodex::frm_MainWindow window;
    window.show();
    // Files named on the command line (a file manager's "Open with") arrive as a drop that
    // replaces the list, once the window is up to show its warnings.
    const QStringList files = line.files();
    QTimer::singleShot(0, &window, [&window, files] { window.openFiles(files); });
    return QApplication::exec();
}
