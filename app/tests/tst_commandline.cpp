// The command line: files named on it arrive as a drop that replaces the list, and --help
// and --version answer without a display.
#include "commandline.h"
#include "fspath.h"

#include "windowprobe.h"

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
        QByteArray dashed("-x"), dash("-"); // a lone dash is a name, not an option
        QByteArray program("chronodex"), option("--flag"), end("--");
        char* argv[] = {program.data(),  relative.data(), option.data(), latin1.data(),
                        absolute.data(), dash.data(),     end.data(),    dashed.data()};
        const QStringList files = commandLineFiles(8, argv, {});
        const QString here = QDir::currentPath() + QLatin1Char('/');
        QCOMPARE(toNativeBytes(files.value(1)), QFile::encodeName(here) + latin1);
        QCOMPARE(files.mid(0, 1) + files.mid(2), // (the second as bytes, above)
                 QStringList({here + "sub/a.txt", "/tmp/b c.txt", here + "-", here + "-x"}));
    }

    // Files: listed as a drop that replaces the list, the first current, the title the
    // ticked counts. A missing one refuses the whole start list, as a drop would; no files
    // leave the hint entry, without a word.
    void startWithFiles_data() {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("two files") << QStringList{"a.txt", "b.txt"};
        QTest::newRow("one missing") << QStringList{"a.txt", "gone.txt"};
        QTest::newRow("none") << QStringList();
    }
    void startWithFiles() {
        QFETCH(QStringList, names);
        std::vector<QByteArray> args{"chronodex"};
        std::vector<char*> argv{args[0].data()};
        for (const QString& name : names)
            args.push_back(QFile::encodeName(
                name == QLatin1String("gone.txt") ? dir.filePath(name) : makeFile(dir, name)));
        for (std::size_t i = 1; i < args.size(); ++i)
            argv.push_back(args[i].data());
        frm_MainWindow w(pinnedOptions());
        const bool listed = names.size() == 2 && !names.contains(QStringLiteral("gone.txt"));
        auto seen = onNextFlashMessage(clickButton(0), listed || names.isEmpty() ? 200 : 5000);
        w.openFiles(commandLineFiles(int(argv.size()), argv.data(), {}));
        QCOMPARE(seen->shown, !listed && !names.isEmpty());
        if (seen->shown) QVERIFY(seen->message.contains(QStringLiteral("gone.txt")));
        QCOMPARE(entries(w),
                 listed ? names : QStringList({"Drag files here to show and set the date"}));
        QCOMPARE(currentEntry(w), listed ? 0 : -1);
        QCOMPARE(w.windowTitle(),
                 listed ? QStringLiteral("Chronodex - 2 files, no directories ticked.")
                        : QStringLiteral("Chronodex - version 0.00.0003"));
    }
};

QTEST_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
