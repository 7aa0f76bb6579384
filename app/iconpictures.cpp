// Writes the program's icon for the desktop's icon theme, at build time:
// chronodex_iconpictures FOLDER SIZE... makes FOLDER/<size>x<size>/apps/chronodex.png.
#include "icons.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen"); // pictures only, no window
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    for (qsizetype i = 2; i < args.size(); ++i) {
        const int size = args[i].toInt();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args[1]).arg(size);
        if (size <= 0 || !QDir().mkpath(folder) ||
            !chronodex::chronodexPicture(size).save(folder + QStringLiteral("/chronodex.png"))) {
            std::fprintf(stderr, "cannot write the %s-pixel icon in %s\n", qPrintable(args[i]),
                         qPrintable(folder));
            return 1;
        }
    }
    return args.size() > 2 ? 0 : 2;
}
