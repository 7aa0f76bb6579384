// Chronodex: shows and sets the created, modified and last-accessed stamps of files.
#include "frm_MainWindow.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
#ifndef _WIN32
    const bool hasDisplay =
        std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || std::getenv("QT_QPA_PLATFORM");
    if (!hasDisplay) {
        std::fputs("chronodex: no display to open a window on; start it on a desktop, or "
                   "without one as: xvfb-run -a build/bin/chronodex\n",
                   stderr);
        return 1;
    }
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Chronodex"));
    QApplication::setApplicationVersion(QStringLiteral("0.0.3"));
    chronodex::frm_MainWindow window;
    window.show();
    return QApplication::exec();
}
