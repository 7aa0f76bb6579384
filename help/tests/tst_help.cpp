// Help > Help file with the desktop's opener replaced by a recording one, the help window,
// the About text, and the settings it reads.
#include "about.h"
#include "helpdocument.h"
#include "readsetting.h"

#include "platform/files.h"
#include "platform/settings.h"

#include "dialogdriver.h"
#include "filehelpers.h"

using namespace chronodex;
using namespace chronodex::testing;

namespace {

// Lists are names in the program's folder, separated by blanks. `settings` are values of the
// machine's Settings key (%1 is the program's folder); `present` are "name" or "name=the
// opener's answer" (else 42 for what exists). `seen` is what happens, in order: a name is
// opened ("*" stands for every help document in order, "." for the folder), "?" is the question
// whether to show the folder, which gets `answer`, and "=name" the program shows itself.
struct HelpRow {
    const char* name;
    QString settings;
    const char *present, *seen;
    int answer = 0;
};

struct Lookup {
    const char *name, *root, *key, *value, *type; // in root, %1 is the settings folder
    SettingValue fallback;
    int status;
    SettingValue read;
};

SettingValue text(const std::string& t) {
    return t;
}

// Writes a file in a folder, and the folders between.
void put(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    if (!QDir(dir.path()).mkpath(QFileInfo(name).path()) || !f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(f.fileName()));
    f.write(bytes);
}

// Each root's file is one case: HKLM's holds values of every kind and lines that are none
// (with a decoy in a later folder); HKCC's lies in a later folder only, in UTF-16 with a pair of
// surrogates, unpaired ones and an odd last byte; HKU's has no header; HKCR has none. HKCU's
// is a link to /dev/zero, HKDD's first a FIFO: neither is read (nor waited for).
std::vector<Lookup> lookupRows() {
    const char *T = "SOFTWARE\\Test", *ini = "%1/app.ini";
    const SettingValue none = text("default"), yes = true;
    const std::string quoted = "hello \"quoted\" C:\\dir";
    return {
        {"dword, short root name", "hklm", T, "Word", "D", none, 0, std::int32_t(0x1020302a)},
        {"escapes, any letter case", "HKLM", T, "text", "s", none, 0, text(quoted)},
        {"M list", "HKLM", T, "Multi", "M", none, 0, text(std::string("a\0bc\0", 5))},
        {"B two bytes", "HKLM", T, "Short", "B", yes, 0, std::int16_t(-32767)},
        {"Q, the largest", "HKLM", T, "Quad", "Q", none, 0, std::int64_t(922337203685477LL)},
        {"B of a dword", "HKLM", T, "Word", "B", yes, 234, yes},
        {"missing value keeps kind", "HKLM", T, "HelpFilePirority", "B", yes, 2, yes},
        {"unreadable values skipped", "HKLM", T, "Bad", "B", yes, 2, yes},
        {"empty hex: as a number", "HKLM", T, "Empty", "D", none, 0, std::int32_t(0)},
        {"empty hex: as text", "HKLM", T, "Empty", "S", none, 0, none},
        {"missing key", "HKLM", "SOFTWARE\\Nothing", "Word", "D", none, 2, none},
        {"other root's key", "HKLM", "Elsewhere", "Text", "S", none, 2, none},
        {"only in a later folder", "hkcc", "K", "V", "S", none, 0, text("second\xF0\x9F\x93\x85")},
        {"file without a header", "HKU", "K", "V", "S", none, 2, none},
        {"root without a file", "HKEY_CLASSES_ROOT", "K", "V", "S", none, 2, none},
        {"link to /dev/zero", "HKCU", "K", "V", "S", none, 2, none},
        {"FIFO passed over", "HKDD", "K", "V", "S", none, 0, text("after")},
        {"ini quoted", ini, "settings", "helppath", "S", none, 0, text("C:\\Help\\manual.pdf")},
        {"ini missing text", ini, "Settings", "None", "S", yes, 0, text("True")},
        {"ini number", ini, "Settings", "negative", "B", none, 0, std::int32_t(-7)},
        {"ini of binary noise", "%1/noise.ini", "K", "V", "S", none, 0, none},
        {"ini over 1 MiB", "%1/big.ini", "K", "V", "S", none, 0, none},
        {"neither a root nor a file", "%1/none.ini", "K", "V", "S", yes, 99, yes},
    };
}

} // namespace

Q_DECLARE_METATYPE(HelpRow)
Q_DECLARE_METATYPE(Lookup)

class tst_Help : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

  private slots:
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(); }

    // The configured document first (last when its priority is 0), then the local ones until
    // the opener gives more than 32; then one the program can show itself; then the question.
    void openHelp_data() {
        QTest::addColumn<HelpRow>("row");
        const QString path = "\"HelpPath\"=\"%1/Manual.pdf\"\n", blank = "\"HelpPath\"=\"   \"\n",
                      zero = "\"HelpFilePirority\"=hex:00,00\n";
        for (const HelpRow& row : std::initializer_list<HelpRow>{
                 {"configured first", path, "Manual.pdf Help.odt", "Manual.pdf"},
                 {"priority 0: local first", zero + path, "Manual.pdf", "* Manual.pdf"},
                 {"priority 0: a local one opens", zero + path, "Help.doc Manual.pdf",
                  "Help.odt Help.doc"},
                 {"configured path missing", path, "", "Manual.pdf * ?"},
                 {"blank path skipped", blank, "", "* ?"},
                 {"above 32 succeeds", "", "Help.odt=32 Help.doc=33", "Help.odt Help.doc"},
                 {"HTML shown", "", "Help.html=31 Help.txt=31", "* =Help.html"},
                 {"text shown", "", "Help.odt=31 Help.txt=31", "* =Help.txt"},
                 {"only a word processor's", "", "Help.odt=31", "* ?"},
                 {"&Yes shows the folder", "", "", "* ? .", 1},
             })
            QTest::newRow(row.name) << row;
    }
    void openHelp() {
        QFETCH(HelpRow, row);
        if (!row.settings.isEmpty() &&
            platform::registryFileFor(platform::HKeyLocalMachine).empty())
            QSKIP("Windows reads these settings from its own registry (test_windows reads it)");
        QTemporaryDir program; // also the machine's settings folder, in chronodex/
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(program.path()));
        put(program, "chronodex/HKEY_LOCAL_MACHINE.reg",
            "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Chronodex\\Settings]\n" +
                QString(row.settings).replace("%1", program.path()).toUtf8());
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
        QStringList seen, expected;
        openHelpDocument({"Chronodex", folder,
                          [&](const QString& file, const QString&, int mode, const ShellLater&) {
                              seen << file + (mode == 1 ? "" : " not in a normal window");
                              return answers.value(file, QFileInfo::exists(file) ? 42 : 2);
                          },
                          [&](const FlashArgs& a) {
                              seen << a.TheTitle << a.ButtonText << QString::number(a.Timer)
                                   << QString::number(a.IconNumber) << a.TheMessage;
                              return row.answer;
                          },
                          [&](const QString& document) { seen << "shown " + document; }});
        const QStringList question{
            "Chronodex - Help not found.", "&No|&Yes", "30000", "1",
            "Can't find or open the help file.\r\nDo you want to view the Chronodex directory?\r\n"
            "\r\n\tIf you can't find one of the following files,\r\n\tthen you may need to check "
            "the website for a copy.\r\n\t\tHelp.odt\r\n\t\tHelp.doc\r\n\t\tHelp.rtf\r\n"
            "\t\tHelp.html\r\n\t\tHelp.txt"};
        for (const QString& item : QString(row.seen).split(' '))
            for (const QString& n : item == "*" ? helpFileNames() : QStringList{item})
                expected += n == "?"            ? question
                            : n.startsWith('=') ? QStringList{"shown " + local(n.mid(1))}
                                                : QStringList{local(n)};
        QCOMPARE(seen, expected);
    }

#ifndef _WIN32
    // The desktop's opener (a stand-in xdg-open that sleeps, then exits) is not waited for:
    // the window goes on, and when the opener fails, at once or later, the program shows its
    // own help; when it opens the document, nothing more happens.
    void desktopOpener_data() {
        QTest::addColumn<QString>("opener"); // seconds it runs, its exit status; "": none
        QTest::newRow("fails at once") << "0 3";
        QTest::newRow("fails after 3 s") << "3 4";
        QTest::newRow("opens after 3 s") << "3 0";
        QTest::newRow("no opener") << "";
    }
    void desktopOpener() {
        QFETCH(QString, opener);
        QTemporaryDir bin;
        const QString ended = bin.filePath("ended"), help = CHRONODEX_BIN_DIR "/Help.html";
        const QString script = "#!/bin/sh\n/bin/sleep %1\necho \"$1\" >%3\nexit %2\n";
        if (!opener.isEmpty())
            put(bin, "xdg-open", script.arg(opener[0], opener[2], ended).toUtf8());
        QFile(bin.filePath("xdg-open")).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(bin.path())); // no settings
        QObject owner;
        QStringList shown;
        openHelpDocument({"Chronodex", CHRONODEX_BIN_DIR, desktopShellOpen,
                          [&](const FlashArgs&) { return shown << "?", 0; }, // the question
                          [&](const QString& document) { shown << document; }, &owner});
        qputenv("PATH", path);
        // A started opener answers later, through the event loop: it was not waited for.
        QCOMPARE(shown.isEmpty(), !opener.isEmpty());
        QVERIFY(!opener.startsWith('3') || !QFile::exists(ended));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(ended) || opener.isEmpty(), 10000);
        QTest::qWait(300); // the program hears of the opener's end
        QCOMPARE(shown, opener.endsWith('0') ? QStringList{} : QStringList{help});
        QFile asked(ended);
        QCOMPARE(asked.open(QIODevice::ReadOnly) ? asked.readAll() : "", // the document
                 opener.isEmpty() ? "" : QFile::encodeName(help) + "\n");
    }
#endif

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
                windows[0]->openExternalLinks() &&
                windows[0]->toPlainText().contains("Local time"));
    }

    // The About text, the version in it as in the window's title: the minor number with at
    // least two digits, the revision with at least four.
    void about() {
        const VersionInfo v = currentVersion();
        QCOMPARE(
            chronodex::aboutText(v),
            "Chronodex  (Chronodex)\r\n\r\nVersion;\t\t0.00.0003 (2/06/2025 -  4:40pm)\r\nBy;\t\t" +
                v.legalNotice + "\r\nWebsite;\t" + aboutWebsite + "\r\nEmail;\t\t" + aboutEmail +
                "\r\n\r\nDescription:\r\nSet/Edit the date and time a file was created, "
                "modified and last accessed.\r\n\r\nComments:\r\nThis version is not yet "
                "finished.  \r\nWorks with files only and not directories.  \r\n");
    }

    // ReadSetting over registry export files and INI files: type codes, status codes,
    // defaults. Machine settings are looked for in every absolute folder of XDG_CONFIG_DIRS in
    // order: a relative or empty entry, here the current folder, does not count.
    void lookups_data() {
        if (platform::registryFileFor(platform::HKeyLocalMachine).empty())
            QSKIP("Windows keeps its settings in its own registry (test_windows reads it)");
        QTest::addColumn<Lookup>("row");
        const auto utf16 = [](const QString& text) {
            return "\xFF\xFE" +
                   QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        };
        put(folder, "system/chronodex/HKEY_LOCAL_MACHINE.reg",
            utf16("Windows Registry Editor Version 5.00\r\n\r\n"
                  "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\r\n\"Text\"=\"hello \\\"quoted\\\" "
                  "C:\\\\dir\"\r\n\"Word\"=dword:1020302a\r\n"
                  "\"Short\"=hex:01,80\r\n\"Quad\"=hex(b):65,88,63,5d,dc,46,03,00\r\n"
                  "\"Multi\"=hex(7):61,00,00,00,62,00,\\\r\n  63,00,00,00,00,00\r\n"
                  "this line is not a value\r\n\"Bad\"=dword:xyz\r\n"
                  "\"Bad\"=hex:zz,100\r\n\"Bad\"=hex(:01\r\n\"Empty\"=hex:\r\n"
                  "[HKEY_CURRENT_USER\\Elsewhere]\r\n\"Text\"=\"not in this root\"\r\n"
                  "[HKEY_LOCAL_MACHINE\\K]\r\n\"V\"=hex:01,\\"));
        const QByteArray decoy =
            "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\n\"Word\"=dword:1\n";
        for (const char* name : {"second", "rel", "."})
            put(folder, name + QStringLiteral("/chronodex/HKEY_LOCAL_MACHINE.reg"), decoy);
        put(folder, "second/chronodex/HKEY_CURRENT_CONFIG.reg",
            utf16("Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_CONFIG\\K]\r\n\"V\"="
                  "\"second" +
                  QString(QChar(0xDC00)) + QString::fromUtf8("\xF0\x9F\x93\x85") + QChar(0xD800) +
                  "\"\r\n") +
                "W");
        put(folder, "system/chronodex/HKEY_USERS.reg", "REGEDIT5\n[HKEY_USERS\\K]\n\"V\"=\"x\"\n");
        put(folder, "app.ini",
            "; comment\n[Other]\nKey=wrong\n[ Settings ]\nHelpPath = "
            "\"C:\\Help\\manual.pdf\"\nnegative=-7\n");
        put(folder, "noise.ini", QByteArray("\x00\x01\xFF\xFE\x00[", 6));
        put(folder, "big.ini", "[K]\nV=x\n" + QByteArray(platform::SettingsFileLimit, ';'));
        put(folder, "second/chronodex/HKEY_DYN_DATA.reg",
            "REGEDIT4\n[HKEY_DYN_DATA\\K]\n\"V\"=\"after\"");
        QVERIFY(platform::testing::makeFifo(
            fsPath(folder.filePath("system/chronodex/HKEY_DYN_DATA.reg"))));
        QVERIFY(QDir(folder.path()).mkpath("user/chronodex") &&
                QFile::link("/dev/zero", folder.filePath("user/chronodex/HKEY_CURRENT_USER.reg")));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.filePath("user")));
        qputenv("XDG_CONFIG_DIRS",
                QFile::encodeName(
                    QStringLiteral("rel::%1/none:%1/system:%1/second").arg(folder.path())));
        QDir::setCurrent(folder.path());

        for (const Lookup& row : lookupRows())
            QTest::newRow(row.name) << row;
    }
    void lookups() {
        QFETCH(Lookup, row);
        SettingValue read = std::string("garbage");
        const QString root = QString(row.root).replace(QStringLiteral("%1"), folder.path());
        QCOMPARE(ReadSetting(root.toStdString(), row.key, row.value, row.type, row.fallback, read),
                 row.status);
        QVERIFY(read == row.read);
    }
};

QTEST_MAIN(tst_Help)
#include "tst_help.moc"
