// The command line: files named on it arrive as a drop that replaces the list, and --version
// answers without a display.
#include "commandline.h"
#include "fspath.h"

#include "windowprobe.h"

using namespace chronodex;
using namespace chronodex::testing;

namespace {

// Runs the program as a user would, with no display at all: its exit status (-1 where it
// did not end by itself), then what it printed to standard output and to standard error,
// each after a "|".
QString runProgram(const QStringList& arguments) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(CHRONODEX_PROGRAM), arguments);
    const bool ended = p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit;
    return QString::number(ended ? p.exitCode() : -1) + '|' +
           QString::fromLocal8Bit(p.readAllStandardOutput() + '|' + p.readAllStandardError());
}

} // namespace

class tst_CommandLine : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

  private slots:
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(); }
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void versionWithoutADisplay() {
        QCOMPARE(runProgram({QStringLiteral("--version")}), QStringLiteral("0|Chronodex 0.0.3\n|"));
        const QString none = runProgram({}); // a window needs a display
        QVERIFY2(none.startsWith(QStringLiteral("1||chronodex: no display")), qPrintable(none));
    }

    // Names as the system gives them, relative ones made absolute; options left out. The
    // application is given the arguments before "--" alone: after it every one is a name, so
    // that neither Qt (-reverse, -platform) nor the program reads an option there.
    void filesFromArguments_data() {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<int>("toApplication"); // the program's name included
        QTest::addColumn<QByteArrayList>("files");
        QTest::newRow("names and options")
            << QByteArrayList{"sub/a.txt", "--flag", "caf\xE9.txt", "/tmp/b c.txt", "-", "--", "-x"}
            << 6 << QByteArrayList{"sub/a.txt", "caf\xE9.txt", "/tmp/b c.txt", "-", "-x"};
        QTest::newRow("-reverse after --") << QByteArrayList{"--", "-reverse", "a.txt", "b.txt"}
                                           << 1 << QByteArrayList{"-reverse", "a.txt", "b.txt"};
        QTest::newRow("-platform after --") << QByteArrayList{"--", "-platform", "a.txt", "--"} << 1
                                            << QByteArrayList{"-platform", "a.txt", "--"};
    }
    void filesFromArguments() {
        QFETCH(QByteArrayList, arguments);
        QByteArrayList bytes = QByteArrayList{"chronodex"} + arguments;
        std::vector<char*> argv;
        for (QByteArray& arg : bytes)
            argv.push_back(arg.data());
        CommandLine line(int(argv.size()), argv.data());
        QTEST(line.applicationArgc, "toApplication");
        QByteArrayList files;
        for (const QString& file : line.files())
            files << toNativeBytes(file).replace(QFile::encodeName(QDir::currentPath() + '/'), "");
        QTEST(files, "files");
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
        QStringList files; // as CommandLine::files gives them (filesFromArguments)
        for (const QString& name : names)
            files << (name == QLatin1String("gone.txt") ? dir.filePath(name) : makeFile(dir, name));
        frm_MainWindow w(pinnedOptions());
        const bool listed = names.size() == 2 && !names.contains(QStringLiteral("gone.txt"));
        auto seen = onNextFlashMessage(clickButton(0), listed || names.isEmpty() ? 200 : 5000);
        w.openFiles(files);
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
