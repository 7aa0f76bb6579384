// Help > Help file with the desktop's opener replaced by a recording one, the help window
// and the About text.
#include "about.h"
#include "helpdocument.h"

#include "platform/files.h"
#include "platform/settings.h"

#include "dialogdriver.h"
#include <QFileInfo>
#include <QTextBrowser>

#include <QtTest>

using namespace chronodex;
using namespace chronodex::testing;

namespace {

constexpr int noAsk = -9;

// Lists are names in the program's folder, separated by blanks. `settings` are values of the
// machine's Settings key (%1 is the program's folder); `present` are "name" or "name=the
// opener's answer" (else 42 for what exists); in `opened`, "*" stands for every help document
// in order and "." for the folder; `shown` is what the program shows itself; `answer` is the
// answer to the question whether to show the folder.
struct HelpRow {
    const char *name, *settings, *present, *opened, *shown;
    int answer;
};

} // namespace

Q_DECLARE_METATYPE(HelpRow)

class tst_Help : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(); }

    // The configured document first (last when its priority is 0), then the local ones
    // until the opener gives 42; then one the program can show itself; then the question.
    void openHelp_data() {
        QTest::addColumn<HelpRow>("row");
        const char* path = "\"HelpPath\"=\"%1/Manual.pdf\"\n";
        const char* zeroAndPath = "\"HelpFilePirority\"=hex:00,00\n\"HelpPath\"=\"%1/Manual.pdf\"";
        const char* blank = "\"HelpPath\"=\"   \"\n";
        const char* zeroAndBlank = "\"HelpFilePirority\"=hex:00,00\n\"HelpPath\"=\"   \"";
        for (const HelpRow& row : std::initializer_list<HelpRow>{
                 {"first local alone", "", "Help.odt Help.txt", "Help.odt", "", noAsk},
                 {"configured first", path, "Manual.pdf Help.odt", "Manual.pdf", "", noAsk},
                 {"priority 0: local first", zeroAndPath, "Manual.pdf", "* Manual.pdf", "", noAsk},
                 {"priority 0: a local one opens", zeroAndPath, "Help.doc Manual.pdf",
                  "Help.odt Help.doc", "", noAsk},
                 {"configured path missing", path, "", "Manual.pdf *", "", 0},
                 {"blank path skipped", blank, "", "*", "", 0},
                 {"blank path skipped, priority 0", zeroAndBlank, "", "*", "", 0},
                 {"only 42 succeeds", "", "Help.odt=33 Help.doc", "Help.odt Help.doc", "", noAsk},
                 {"HTML shown", "", "Help.html=31 Help.txt=31", "*", "Help.html", noAsk},
                 {"text shown", "", "Help.odt=31 Help.txt=31", "*", "Help.txt", noAsk},
                 {"only a word processor's", "", "Help.odt=31", "*", "", 0},
                 {"&Yes shows the folder", "", "", "* .", "", 1},
                 {"timed out", "", "", "*", "", -1},
             })
            QTest::newRow(row.name) << row;
    }
    void openHelp() {
        QFETCH(HelpRow, row);
        if (*row.settings && platform::registryFileFor(platform::HKeyLocalMachine).empty())
            QSKIP("Windows reads these settings from its own registry (test_windows reads it)");
        QTemporaryDir program; // also the machine's settings folder, in chronodex/
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(program.path()));
        QDir(program.path()).mkdir("chronodex");
        QFile reg(program.filePath("chronodex/HKEY_LOCAL_MACHINE.reg"));
        QVERIFY(reg.open(QIODevice::WriteOnly));
        reg.write("REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Chronodex\\Settings]\n" +
                  QString(row.settings).replace("%1", program.path()).toUtf8());
        reg.close();
        const QString folder = QDir::toNativeSeparators(program.path());
        const auto local = [&](const QString& name) {
            return name == "." ? folder : folder + QLatin1Char(platform::pathSeparator) + name;
        };
        QMap<QString, int> answers;
        for (const QString& item : QString(row.present).split(' ', Qt::SkipEmptyParts)) {
            const QString file = local(item.section('=', 0, 0));
            QFile(file).open(QIODevice::WriteOnly);
            if (item.contains('=')) answers[file] = item.section('=', 1).toInt();
        }
        QStringList opened, shown, expected;
        QList<FlashArgs> asked;
        openHelpDocument({"Chronodex", folder,
                          [&](const QString& file, const QString&, int mode) {
                              opened << file + (mode == 1 ? "" : " not in a normal window");
                              return answers.value(file, QFileInfo::exists(file) ? 42 : 2);
                          },
                          [&](const FlashArgs& a) {
                              asked << a;
                              return row.answer;
                          },
                          [&](const QString& document) { shown << document; }});
        for (const QString& name : QString(row.opened).split(' '))
            for (const QString& n : name == "*" ? helpFileNames() : QStringList{name})
                expected << local(n);
        QCOMPARE(opened, expected);
        QCOMPARE(shown, *row.shown ? QStringList{local(row.shown)} : QStringList());
        QCOMPARE(asked.size(), row.answer == noAsk ? 0 : 1);
        if (asked.isEmpty()) return;
        QCOMPARE(
            QStringList({asked[0].TheTitle, asked[0].ButtonText, QString::number(asked[0].Timer),
                         QString::number(asked[0].IconNumber)}),
            QStringList({"Chronodex - Help not found.", "&No|&Yes", "30000", "1"}));
        QCOMPARE(
            asked[0].TheMessage,
            "Can't find or open the help file.\r\nDo you want to view the Chronodex directory?"
            "\r\n\r\n\tIf you can't find one of the following files,\r\n\tthen you may need to "
            "check the website for a copy.\r\n\t\tHelp.odt\r\n\t\tHelp.doc\r\n\t\tHelp.rtf\r\n"
            "\t\tHelp.html\r\n\t\tHelp.txt");
    }

    // The document shipped beside the program, in the program's own window.
    void helpWindow() {
        QWidget owner;
        const QString document = QStringLiteral(CHRONODEX_BIN_DIR "/Help.html");
        showHelpWindow(&owner, document, QStringLiteral("Chronodex"));
        showHelpWindow(&owner, document, QStringLiteral("Chronodex")); // raised, not doubled
        const auto windows = owner.findChildren<QTextBrowser*>();
        QCOMPARE(windows.size(), 1);
        QCOMPARE(windows[0]->windowTitle(), QStringLiteral("Chronodex - Help"));
        QVERIFY(windows[0]->isWindow() && windows[0]->isVisible() &&
                windows[0]->openExternalLinks());
        QVERIFY(windows[0]->toPlainText().contains(QStringLiteral("Local time")));
    }

    // The version in the About text (and the window's title): the minor number with at least
    // two digits, the revision with at least four, wider numbers in full.
    void version_data() {
        QTest::addColumn<QList<int>>("numbers"); // major, minor, revision; none: this build's
        QTest::addColumn<QString>("version");
        QTest::newRow("this build") << QList<int>() << "0.00.0003";
        QTest::newRow("two and three digits") << QList{1, 12, 345} << "1.12.0345";
        QTest::newRow("wider than the pattern") << QList{1, 123, 345} << "1.123.0345";
        QTest::newRow("five-digit revision") << QList{10, 5, 12345} << "10.05.12345";
    }
    void version() {
        QFETCH(QList<int>, numbers);
        QFETCH(QString, version);
        VersionInfo v = currentVersion();
        if (!numbers.isEmpty())
            std::tie(v.major, v.minor, v.revision) = std::tuple(numbers[0], numbers[1], numbers[2]);
        QCOMPARE(chronodex::aboutText(v),
                 "Chronodex  (Chronodex)\r\n\r\nVersion;\t\t" + version +
                     " (2/06/2025 -  4:40pm)\r\nBy;\t\t" + v.legalNotice + "\r\nWebsite;\t" +
                     aboutWebsite + "\r\nEmail;\t\t" + aboutEmail +
                     "\r\n\r\nDescription:\r\nSet/Edit the date and time a file was created, "
                     "modified and last accessed.\r\n\r\nComments:\r\nThis version is not yet "
                     "finished.  \r\nWorks with files only and not directories.  \r\n");
    }

    // The window modes as the shell takes them, and Help.txt in the program folder when no
    // name is given.
    void openModes() {
        QStringList opened;
        const ShellOpen shell = [&](const QString& file, const QString&, int mode) {
            opened << file + QLatin1Char(' ') + QString::number(mode);
            return 42;
        };
        for (int windowMode : {0, 1, 2, 7})
            OpenFileOrURL(QStringLiteral("x"), QString(), windowMode, QString(), shell);
        OpenFileOrURL(QString(), QString(), 0, QDir::toNativeSeparators("/opt/cx"), shell);
        QCOMPARE(opened, QStringList({"x 1", "x 3", "x 2", "x 1",
                                      QDir::toNativeSeparators("/opt/cx/Help.txt 1")}));
    }
};

QTEST_MAIN(tst_Help)
#include "tst_help.moc"
