// Help > Help file with the desktop's opener replaced by a recording one, the help window
// and the About text.
#include "about.h"
#include "helpdocument.h"

#include "platform/files.h"
#include "platform/settings.h"
#include "regfixture.h"

#include "dialogdriver.h"
#include <QFileInfo>
#include <QTextBrowser>

#include <QtTest>

using namespace chronodex;
using namespace chronodex::testing;

namespace {

constexpr int noQuestion = -9;

// Lists are names in the program's folder, separated by blanks.
struct HelpRow {
    const char* name;
    const char* settings; // values of the machine's Settings key; %1 is the program's folder
    const char* present;  // "name", or "name=the opener's answer" (else 42 for what exists)
    const char* opened;   // "*" for every help document in order, "." for the folder
    const char* shown;    // what the program shows itself
    int answer;           // to the question whether to show the folder
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
        const char* path = "\"HelpPath\"=\"%1/Manual.pdf\"\r\n";
        const char* zeroAndPath =
            "\"HelpFilePirority\"=hex:00,00\r\n\"HelpPath\"=\"%1/Manual.pdf\"";
        const char* blank = "\"HelpPath\"=\"   \"\r\n";
        const char* zeroAndBlank = "\"HelpFilePirority\"=hex:00,00\r\n\"HelpPath\"=\"   \"";
        for (const HelpRow& row : std::initializer_list<HelpRow>{
                 {"first local document alone", "", "Help.odt Help.txt", "Help.odt", "",
                  noQuestion},
                 {"configured path first", path, "Manual.pdf Help.odt", "Manual.pdf", "",
                  noQuestion},
                 {"priority 0: local first", zeroAndPath, "Manual.pdf", "* Manual.pdf", "",
                  noQuestion},
                 {"blank path skipped", blank, "", "*", "", 0},
                 {"blank path skipped, priority 0", zeroAndBlank, "", "*", "", 0},
                 {"only 42 is success", "", "Help.odt=33 Help.doc", "Help.odt Help.doc", "",
                  noQuestion},
                 {"HTML shown", "", "Help.html=31 Help.txt=31", "*", "Help.html", noQuestion},
                 {"text shown", "", "Help.odt=31 Help.txt=31", "*", "Help.txt", noQuestion},
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
        SettingsFolder settings;
        QTemporaryDir program;
        settings.machine(QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                                        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Chronodex\\Settings]\r\n") +
                         QString::fromUtf8(row.settings).replace("%1", program.path()));
        const QString folder = QDir::toNativeSeparators(program.path());
        const auto local = [&](const QString& name) {
            return name == "." ? folder : folder + QLatin1Char(platform::pathSeparator) + name;
        };
        QMap<QString, int> answers;
        for (const QString& item : QString(row.present).split(' ', Qt::SkipEmptyParts)) {
            QFile(local(item.section('=', 0, 0))).open(QIODevice::WriteOnly);
            if (item.contains('='))
                answers[local(item.section('=', 0, 0))] = item.section('=', 1).toInt();
        }
        QStringList opened, shown, expected;
        QList<FlashArgs> asked;
        openHelpDocument({QStringLiteral("Chronodex"), folder,
                          [&](const QString& file, const QString&, int) {
                              opened << file;
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
        QCOMPARE(asked.size(), row.answer == noQuestion ? 0 : 1);
        if (asked.isEmpty()) return;
        QCOMPARE(asked[0].TheTitle, QStringLiteral("Chronodex - Help not found."));
        QCOMPARE(asked[0].ButtonText, QStringLiteral("&No|&Yes"));
        QCOMPARE(asked[0].Timer, 30000);
        QCOMPARE(asked[0].IconNumber, 1);
        QCOMPARE(asked[0].TheMessage,
                 QStringLiteral("Can't find or open the help file.\r\nDo you want to view the "
                                "Chronodex directory?\r\n\r\n\tIf you can't find one of the "
                                "following files,\r\n\tthen you may need to check the website "
                                "for a copy.\r\n\t\tHelp.odt\r\n\t\tHelp.doc\r\n\t\tHelp.rtf\r\n"
                                "\t\tHelp.html\r\n\t\tHelp.txt"));
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
        QVERIFY(windows[0]->isWindow() && windows[0]->isVisible());
        QVERIFY(windows[0]->toPlainText().contains(QStringLiteral("Local time")));
        QVERIFY(windows[0]->openLinks() && windows[0]->openExternalLinks());
    }

    // The file and the show mode handed to the opener.
    void openModes() {
        QStringList calls;
        const ShellOpen shell = [&](const QString& file, const QString&, int mode) {
            calls << file + QString::number(mode);
            return 42;
        };
        for (int windowMode : {0, 1, 2, 7})
            OpenFileOrURL(QStringLiteral("x"), QString(), windowMode, QString(), shell);
        OpenFileOrURL(QString(), QString(), 0, QDir::toNativeSeparators("/opt/chronodex"), shell);
        QCOMPARE(calls, QStringList({"x1", "x3", "x2", "x1",
                                     QDir::toNativeSeparators("/opt/chronodex/Help.txt1")}));
    }

    void aboutText() {
        VersionInfo v = currentVersion();
        const QStringList expected{
            "Chronodex  (Chronodex)",
            "",
            "Version;\t\t0.00.0003 (2/06/2025 -  4:40pm)",
            "By;\t\t" + v.legalNotice,
            "Website;\t" + aboutWebsite,
            "Email;\t\t" + aboutEmail,
            "",
            "Description:",
            "Set/Edit the date and time a file was created, modified and last accessed.",
            "",
            "Comments:",
            "This version is not yet finished.  ",
            "Works with files only and not directories.  ",
            ""};
        QCOMPARE(chronodex::aboutText(v).split(QStringLiteral("\r\n")), expected);
        v.description.clear();
        v.comments.clear();
        QVERIFY(chronodex::aboutText(v).endsWith("Email;\t\t" + aboutEmail + "\r\n"));
    }
};

QTEST_MAIN(tst_Help)
#include "tst_help.moc"
