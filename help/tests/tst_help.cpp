// Help > Help file with the desktop's opener replaced by a recording one, and the About text.
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

// Records what it is asked to open; answers from a table, else 42 for what exists and 2
// for what does not, as the desktop opener does.
struct RecordingShell {
    QStringList opened;
    QMap<QString, int> answers;
    ShellOpen fn() {
        return [this](const QString& file, const QString&, int) {
            opened << file;
            if (answers.contains(file)) return answers[file];
            return QFileInfo::exists(file) ? 42 : 2;
        };
    }
};

struct Scene {
    SettingsFolder settings;
    QTemporaryDir program;
    RecordingShell shell;
    QList<FlashArgs> asked;
    QStringList shownInProgram;
    int answer = 0;

    void settingsWith(const QString& values) {
        settings.writeRoot(
            QStringLiteral("HKEY_LOCAL_MACHINE"),
            QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Chronodex\\Settings]\r\n") +
                values);
    }
    QString folder() const { return QDir::toNativeSeparators(program.path()); }
    QString local(const QString& name) const {
        return folder() + QLatin1Char(platform::pathSeparator) + name;
    }
    void touch(const QString& name) const {
        QFile f(local(name));
        f.open(QIODevice::WriteOnly);
    }
    void run(const QString& folder = QString()) {
        openHelpDocument({QStringLiteral("Chronodex"), folder.isEmpty() ? this->folder() : folder,
                          shell.fn(),
                          [this](const FlashArgs& a) {
                              asked << a;
                              return answer;
                          },
                          [this](const QString& document) { shownInProgram << document; }});
    }
    QStringList allLocal() const {
        QStringList out;
        for (const QString& n : helpFileNames())
            out << local(n);
        return out;
    }
};

} // namespace

class tst_Help : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(); }
    void firstLocalFileAlone() {
        Scene s;
        s.touch(QStringLiteral("Help.odt"));
        s.touch(QStringLiteral("Help.txt"));
        s.run();
        QCOMPARE(s.shell.opened, QStringList{s.local(QStringLiteral("Help.odt"))});
        QVERIFY(s.asked.isEmpty());
    }

    void configuredPathFirst() {
        if (platform::registryFileFor(platform::HKeyLocalMachine).empty())
            QSKIP("Windows reads these settings from its own registry, which this case does not "
                  "write (test_windows reads it through ReadSetting)");
        Scene s;
        s.settingsWith(QStringLiteral("\"HelpPath\"=\"https://example.org/manual\"\r\n"));
        s.shell.answers[QStringLiteral("https://example.org/manual")] = 42;
        s.touch(QStringLiteral("Help.odt"));
        s.run();
        QCOMPARE(s.shell.opened, QStringList{QStringLiteral("https://example.org/manual")});
    }

    void priorityZeroTriesLocalFilesFirst() {
        if (platform::registryFileFor(platform::HKeyLocalMachine).empty())
            QSKIP("Windows reads these settings from its own registry, which this case does not "
                  "write (test_windows reads it through ReadSetting)");
        Scene s;
        s.settingsWith(QStringLiteral("\"HelpFilePirority\"=hex:00,00\r\n"
                                      "\"HelpPath\"=\"/srv/manual.pdf\"\r\n"));
        s.shell.answers[QStringLiteral("/srv/manual.pdf")] = 42;
        s.run();
        QCOMPARE(s.shell.opened, s.allLocal() << QStringLiteral("/srv/manual.pdf"));
        QVERIFY(s.asked.isEmpty());
    }

    void blankPathSkippedBothTimes_data() {
        QTest::addColumn<QString>("priority");
        QTest::newRow("priority absent") << "";
        QTest::newRow("priority zero") << "\"HelpFilePirority\"=hex:00,00\r\n";
    }
    void blankPathSkippedBothTimes() {
        QFETCH(QString, priority);
        Scene s;
        s.settingsWith(priority + QStringLiteral("\"HelpPath\"=\"   \"\r\n"));
        s.run();
        QCOMPARE(s.shell.opened, s.allLocal());
        QCOMPARE(s.asked.size(), 1);
    }

    void onlyFortyTwoIsSuccess() {
        Scene s;
        s.touch(QStringLiteral("Help.odt"));
        s.touch(QStringLiteral("Help.doc"));
        s.shell.answers[s.local(QStringLiteral("Help.odt"))] = 33;
        s.run();
        QCOMPARE(s.shell.opened, QStringList({s.local(QStringLiteral("Help.odt")),
                                              s.local(QStringLiteral("Help.doc"))}));
    }

    // A document that is there but that the desktop cannot open is shown by the program
    // itself: the first it can show, Help.html before Help.txt. Others leave the question.
    void shownInProgramWhenTheOpenerFails_data() {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("shown"); // empty: none, so the question comes
        QTest::newRow("HTML") << QStringList{"Help.html", "Help.txt"} << "Help.html";
        QTest::newRow("text") << QStringList{"Help.odt", "Help.txt"} << "Help.txt";
        QTest::newRow("only a word processor's") << QStringList{"Help.odt"} << "";
    }
    void shownInProgramWhenTheOpenerFails() {
        QFETCH(QStringList, present);
        QFETCH(QString, shown);
        Scene s;
        for (const QString& name : present) {
            s.touch(name);
            s.shell.answers[s.local(name)] = 31; // no application for it
        }
        s.run();
        QCOMPARE(s.shell.opened, s.allLocal());
        QCOMPARE(s.shownInProgram, shown.isEmpty() ? QStringList() : QStringList{s.local(shown)});
        QCOMPARE(s.asked.size(), shown.isEmpty() ? 1 : 0);
    }

    // The shipped document in the program's own window: its title, its text, its links.
    void helpWindow() {
        QWidget owner;
        const QString document = QStringLiteral(CHRONODEX_BIN_DIR "/Help.html");
        showHelpWindow(&owner, document, QStringLiteral("Chronodex"));
        showHelpWindow(&owner, document, QStringLiteral("Chronodex")); // raised, not doubled
        const auto windows = owner.findChildren<QTextBrowser*>();
        QCOMPARE(windows.size(), 1);
        QTextBrowser* help = windows.first();
        QCOMPARE(help->windowTitle(), QStringLiteral("Chronodex - Help"));
        QVERIFY(help->isWindow());
        QVERIFY(help->isVisible());
        QVERIFY(help->toPlainText().contains(QStringLiteral("Local time")));
        QVERIFY(help->openLinks());
        QVERIFY(help->openExternalLinks());
    }

    void nothingFound_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("folderShown");
        QTest::newRow("&Yes") << 1 << true;
        QTest::newRow("&No") << 0 << false;
        QTest::newRow("timed out") << -1 << false;
    }
    void nothingFound() {
        QFETCH(int, answer);
        QFETCH(bool, folderShown);
        Scene s;
        s.answer = answer;
        s.run();
        QCOMPARE(s.asked.size(), 1);
        const FlashArgs& q = s.asked.first();
        QCOMPARE(q.TheTitle, QStringLiteral("Chronodex - Help not found."));
        QCOMPARE(q.ButtonText, QStringLiteral("&No|&Yes"));
        QCOMPARE(q.Timer, 30000);
        QCOMPARE(q.IconNumber, 1);
        QCOMPARE(q.TheMessage,
                 QStringLiteral("Can't find or open the help file.\r\nDo you want to view the "
                                "Chronodex directory?\r\n\r\n\tIf you can't find one of the "
                                "following files,\r\n\tthen you may need to check the website "
                                "for a copy.\r\n\t\tHelp.odt\r\n\t\tHelp.doc\r\n\t\tHelp.rtf\r\n"
                                "\t\tHelp.html\r\n\t\tHelp.txt"));
        QCOMPARE(s.shell.opened.last() == s.folder(), folderShown);
    }

    // The help document of this build stands beside the program.
    void shippedHelpDocument() {
        Scene s;
        s.run(QDir::toNativeSeparators(QStringLiteral(CHRONODEX_BIN_DIR)));
        QVERIFY(!s.shell.opened.isEmpty());
        QCOMPARE(s.shell.opened.last(),
                 QDir::toNativeSeparators(QStringLiteral(CHRONODEX_BIN_DIR "/Help.html")));
        QVERIFY(s.asked.isEmpty());
    }

    void openModes() {
        QList<int> modes;
        const ShellOpen shell = [&](const QString&, const QString&, int mode) {
            modes << mode;
            return 42;
        };
        for (int windowMode : {0, 1, 2, 7})
            OpenFileOrURL(QStringLiteral("x"), QString(), windowMode, QString(), shell);
        QCOMPARE(modes, QList<int>({1, 3, 2, 1}));
        QString opened;
        OpenFileOrURL(QString(), QString(), 0,
                      QDir::toNativeSeparators(QStringLiteral("/opt/chronodex")),
                      [&](const QString& f, const QString&, int) {
                          opened = f;
                          return 42;
                      });
        QCOMPARE(opened, QDir::toNativeSeparators(QStringLiteral("/opt/chronodex/Help.txt")));
    }

    void desktopOpenerRefusesWhatIsMissing() {
        QCOMPARE(desktopShellOpen(QStringLiteral("/no/such/Help.odt"), QString(), 1), 2);
        QCOMPARE(desktopShellOpen(QStringLiteral("C:\\Program Files\\Help.odt"), QString(), 1), 2);
    }

    void aboutText_data() {
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("revision");
        QTest::addColumn<QString>("version");
        QTest::newRow("this build") << 0 << 3 << "0.00.0003";
        QTest::newRow("12 and 345") << 12 << 345 << "0.12.0345";
        QTest::newRow("123") << 123 << 345 << "0.123.0345";
    }
    void aboutText() {
        QFETCH(int, minor);
        QFETCH(int, revision);
        QFETCH(QString, version);
        VersionInfo v = currentVersion();
        v.minor = minor;
        v.revision = revision;
        const QStringList lines = chronodex::aboutText(v).split(QStringLiteral("\r\n"));
        const QStringList expected{
            "Chronodex  (Chronodex)",
            "",
            "Version;\t\t" + version + " (2/06/2025 -  4:40pm)",
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
        QCOMPARE(lines, expected);
    }

    void aboutWithoutDescriptionOrComments() {
        VersionInfo v = currentVersion();
        v.description.clear();
        v.comments.clear();
        QVERIFY(chronodex::aboutText(v).endsWith(QStringLiteral("Email;\t\t") + aboutEmail +
                                                 QStringLiteral("\r\n")));
    }
};

QTEST_MAIN(tst_Help)
#include "tst_help.moc"
