// The command line: files named on it arrive as a drop that replaces the list, and --help
// and --version answer without a display.
#include "commandline.h"
#include "frm_MainWindow.h"
#include "fspath.h"

#include "dialogdriver.h"
#include "filehelpers.h"
#include "windowprobe.h"

#include <QProcess>
#include <QtTest>

using namespace chronodex;
using namespace chronodex::testing;

namespace {

// Runs the program as a user would, with no display at all.
struct Run {
    int status = -1;
    QString out, err;
};
Run runProgram(const QStringList& arguments) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(CHRONODEX_PROGRAM), arguments);
    if (!p.waitForFinished(20000)) return {};
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

} // namespace

class tst_CommandLine : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

  private slots:
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(); }
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void versionAndHelpWithoutADisplay() {
        const Run version = runProgram({QStringLiteral("--version")});
        QCOMPARE(version.status, 0);
        QCOMPARE(version.out, QStringLiteral("Chronodex 0.0.3\n"));
        const Run help = runProgram({QStringLiteral("--help")});
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.contains(QStringLiteral("[options] [FILE...]")));
        QVERIFY(help.out.contains(QStringLiteral("--version")));
        const Run none = runProgram({});
        QCOMPARE(none.status, 1); // a window needs a display
        QVERIFY(none.err.contains(QStringLiteral("no display")));
    }

    // Names as the system gives them, relative ones made absolute; options left out.
    void filesFromArguments() {
        QByteArray latin1("caf\xE9.txt");
        QByteArray relative("sub/a.txt");
        QByteArray absolute("/tmp/b c.txt");
        QByteArray dashed("-x");
        QByteArray program("chronodex"), option("--flag"), end("--");
        char* argv[] = {program.data(),  relative.data(), option.data(), latin1.data(),
                        absolute.data(), end.data(),      dashed.data()};
        const QStringList files = commandLineFiles(7, argv, {});
        const QString here = QDir::currentPath() + QLatin1Char('/');
        QCOMPARE(files.size(), 4);
        QCOMPARE(files[0], here + QStringLiteral("sub/a.txt"));
        QCOMPARE(toNativeBytes(files[1]), QFile::encodeName(here) + latin1);
        QCOMPARE(files[2], QStringLiteral("/tmp/b c.txt"));
        QCOMPARE(files[3], here + QStringLiteral("-x"));
    }

    // Two files: listed as a drop that replaces the list, the first current, the title the
    // ticked counts. A missing one refuses the whole start list, as a drop would.
    void startWithFiles_data() {
        QTest::addColumn<bool>("missing");
        QTest::newRow("two files") << false;
        QTest::newRow("one missing") << true;
    }
    void startWithFiles() {
        QFETCH(bool, missing);
        const QString a = makeFile(dir, QStringLiteral("a.txt"));
        const QString b = missing ? dir.filePath(QStringLiteral("gone.txt"))
                                  : makeFile(dir, QStringLiteral("b.txt"));
        QByteArray program("chronodex"), fa = QFile::encodeName(a), fb = QFile::encodeName(b);
        char* argv[] = {program.data(), fa.data(), fb.data()};
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime()));
        auto seen = onNextFlashMessage(clickButton(0), missing ? 5000 : 200);
        w.openFiles(commandLineFiles(3, argv, {}));
        QCOMPARE(seen->shown, missing);
        if (missing) {
            QCOMPARE(entryNames(w), QStringList({"Drag files here to show and set the date"}));
            QCOMPARE(w.PathCount(), -1);
            QCOMPARE(w.windowTitle(), QStringLiteral("Chronodex - version 0.00.0003"));
            QVERIFY(seen->message.contains(QStringLiteral("gone.txt")));
            return;
        }
        QCOMPARE(entryNames(w), QStringList({"a.txt", "b.txt"}));
        QCOMPARE(currentEntry(w), 0);
        QCOMPARE(w.windowTitle(), QStringLiteral("Chronodex - 2 files, no directories ticked."));
    }
};

QTEST_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
