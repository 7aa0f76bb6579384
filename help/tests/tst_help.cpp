// Help > Help file with the desktop's opener replaced by a recording one, the help window,
// the About text, and the settings it reads.
#include "about.h"
#include "helpdocument.h"
#include "readsetting.h"

#include "platform/files.h"
#include "platform/settings.h"

#include "dialogdriver.h"

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

const std::string longText(300, 'x');

// Writes a file in a folder, and the folders between.
void put(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    if (!QDir(dir.path()).mkpath(QFileInfo(name).path()) || !f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(f.fileName()));
    f.write(bytes);
}

// Each root's file is one case: HKLM and HKCU hold values of every kind, the machine's
// (with a decoy in a later folder) and the user's; HKCC's lies in a later folder only, in
// UTF-16 with a pair of surrogates, unpaired ones and an odd last byte; HKU's has no header; HKCR
// has none.
std::vector<Lookup> lookupRows() {
    const char *T = "SOFTWARE\\Test", *ini = "%1/app.ini";
    const SettingValue none = text("default"), yes = true;
    const std::string quoted = "hello \"quoted\" C:\\dir";
    return {
        {"dword, short root name", "hklm", T, "Word", "D", none, 0, std::int32_t(42)},
        {"300-character text whole", "HKLM", T, "Long", "S", none, 0, text(longText)},
        {"escapes, any letter case", "HKLM", T, "text", "s", none, 0, text(quoted)},
        {"default value", "HKLM", T, "", "S", none, 0, text("default value")},
        {"M list", "HKLM", T, "Multi", "M", none, 0, text(std::string("a\0bc\0", 5))},
        {"B two bytes", "HKLM", T, "Short", "B", yes, 0, std::int16_t(-32767)},
        {"Q, the largest", "HKLM", T, "Quad", "Q", none, 0, std::int64_t(922337203685477LL)},
        {"Q too large keeps default", "HKLM", T, "HugeQuad", "Q", none, 0, none},
        {"Q, the smallest", "HKLM", T, "LeastQuad", "Q", none, 0, std::int64_t(-922337203685477LL)},
        {"text as UTF-16 hex", "HKLM", T, "Hex1", "S", none, 0, text("hi")},
        {"B of a dword", "HKLM", T, "Word", "B", yes, 234, yes},
        {"missing value keeps kind", "HKLM", T, "HelpFilePirority", "B", yes, 2, yes},
        {"unreadable values skipped", "HKLM", T, "Bad", "B", yes, 2, yes},
        {"missing key", "HKLM", "SOFTWARE\\Nothing", "Word", "D", none, 2, none},
        {"other root's key", "HKLM", "Elsewhere", "Text", "S", none, 2, none},
        {"user root", "hkcu", "software\\mine", "NAME", "S", none, 0, text("user's")},
        {"only in a later folder", "hkcc", "K", "V", "S", none, 0, text("second\xF0\x9F\x93\x85")},
        {"file without a header", "HKU", "K", "V", "S", none, 2, none},
        {"root without a file", "HKEY_CLASSES_ROOT", "K", "V", "S", none, 2, none},
        {"folder is no location", "%1", "Settings", "HelpPath", "S", none, 99, none},
        {"ini quoted", ini, "settings", "helppath", "S", none, 0, text("C:\\Help\\manual.pdf")},
        {"ini text cut to 254", ini, "Settings", "Long", "S", none, 0, text(std::string(254, 'y'))},
        {"ini missing text", ini, "Settings", "None", "S", yes, 0, text("True")},
        {"ini number", ini, "Settings", "negative", "B", none, 0, std::int32_t(-7)},
        {"ini missing number", ini, "Nowhere", "Word", "D", none, 0, std::int32_t(0)},
        {"ini of binary noise", "%1/noise.ini", "K", "V", "S", none, 0, none},
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

    // The configured document first (last when its priority is 0), then the local ones
    // until the opener gives 42; then one the program can show itself; then the question.
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
                 {"blank path skipped, priority 0", zero + blank, "", "* ?"},
                 {"only 42 succeeds", "", "Help.odt=33 Help.doc", "Help.odt Help.doc"},
                 {"HTML shown", "", "Help.html=31 Help.txt=31", "* =Help.html"},
                 {"text shown", "", "Help.odt=31 Help.txt=31", "* =Help.txt"},
                 {"only a word processor's", "", "Help.odt=31", "* ?"},
                 {"&Yes shows the folder", "", "", "* ? .", 1},
                 {"timed out", "", "", "* ?", -1},
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
                          [&](const QString& file, const QString&, int mode) {
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
            utf16(QString::fromStdString(
                "Windows Registry Editor Version "
                "5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\r\n"
                "\"Text\"=\"hello \\\"quoted\\\" C:\\\\dir\"\r\n\"Long\"=\"" +
                longText +
                "\"\r\n\"Word\"=dword:0000002a\r\n\"Short\"=hex:01,80\r\n"
                "\"Quad\"=hex(b):65,88,63,5d,dc,46,03,00\r\n"
                "\"HugeQuad\"=hex(b):ff,ff,ff,ff,ff,ff,ff,7f\r\n"
                "\"LeastQuad\"=hex(b):9b,77,9c,a2,23,b9,fc,ff\r\n"
                "\"Hex1\"=hex(1):68,00,69,00,00,00\r\n"
                "\"Multi\"=hex(7):61,00,00,00,62,00,\\\r\n  63,00,00,00,00,00\r\n"
                "@=\"default value\"\r\nthis line is not a value\r\n\"Bad\"=dword:xyz\r\n"
                "\"Bad\"=hex:zz,100\r\n\"Bad\"=hex(:01\r\n"
                "[HKEY_CURRENT_USER\\Elsewhere]\r\n\"Text\"=\"not in this root\"\r\n"
                "[HKEY_LOCAL_MACHINE\\K]\r\n\"V\"=hex:01,\\")));
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
        put(folder, "user/chronodex/HKEY_CURRENT_USER.reg",
            "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Mine]\n\"Name\"=\"user's\"\n");
        put(folder, "app.ini",
            "; comment\n[Other]\nKey=wrong\n[ Settings ]\nHelpPath = "
            "\"C:\\Help\\manual.pdf\"\nLong=" +
                QByteArray(300, 'y') + "\nnegative=-7\n");
        put(folder, "noise.ini", QByteArray("\x00\x01\xFF\xFE\x00[", 6));
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
