// ReadSetting over registry export files and INI files: type codes, status codes, defaults.
#include "readsetting.h"

#include "platform/settings.h"
#include "regfixture.h"

#include <QtTest>

using namespace chronodex;
using namespace chronodex::testing;

namespace {

struct Lookup {
    const char* name;
    QString root; // %1: the settings folder
    const char *key, *value, *type;
    SettingValue fallback;
    int status;
    SettingValue read;
};

SettingValue text(const std::string& t) {
    return t;
}

const std::string longText(300, 'x');

// Rows that read the machine's file below SOFTWARE\Test, the user's, and app.ini.
std::vector<Lookup> lookupRows() {
    const char* T = "SOFTWARE\\Test";
    const SettingValue none = text("default"), yes = true;
    const std::string quoted = "hello \"quoted\" C:\\dir";
    return {
        {"long root name", "HKEY_LOCAL_MACHINE", T, "Word", "D", none, 0, std::int32_t(42)},
        {"short root name", "hklm", T, "Word", "D", none, 0, std::int32_t(42)},
        {"text with escapes", "HKLM", T, "Text", "S", none, 0, text(quoted)},
        {"300-character text whole", "HKLM", T, "Long", "S", none, 0, text(longText)},
        {"any letter case", "HKLM", T, "text", "s", none, 0, text(quoted)},
        {"empty S keeps default", "HKLM", T, "Empty", "S", none, 0, none},
        {"default value", "HKLM", T, "", "S", none, 0, text("default value")},
        {"M list", "HKLM", T, "Multi", "M", none, 0, text(std::string("a\0bc\0", 5))},
        {"E unexpanded", "HKLM", T, "Expand", "E", none, 0, text("%HOME%\\x")},
        {"B two bytes", "HKLM", T, "Short", "B", yes, 0, std::int16_t(-32767)},
        {"D negative", "HKLM", T, "Negative", "D", none, 0, std::int32_t(-1)},
        {"Q", "HKLM", T, "Quad", "Q", none, 0, std::int64_t(1000000000000LL)},
        {"Q too large keeps default", "HKLM", T, "HugeQuad", "Q", none, 0, none},
        {"D of a 20-byte text", "HKLM", T, "Twenty", "D", none, 234, none},
        {"B of a dword", "HKLM", T, "Word", "B", yes, 234, yes},
        {"unknown type code", "HKLM", T, "Word", "X", none, 0, none},
        {"missing value keeps kind", "HKLM", T, "HelpFilePirority", "B", yes, 2, yes},
        {"missing key", "HKLM", "SOFTWARE\\Nothing", "Word", "D", none, 2, none},
        {"other root's key", "HKLM", "Elsewhere", "Text", "S", none, 2, none},
        {"user root", "hkcu", "software\\mine", "NAME", "S", none, 0, text("user's")},
        {"root without a file", "HKU", "x", "y", "S", none, 2, none},
        {"folder is no location", "%1", "Settings", "HelpPath", "S", none, 99, none},
        {"missing file", "%1/none.ini", "Settings", "HelpPath", "S", none, 99, none},
        {"ini quoted text", "%1/app.ini", "settings", "helppath", "S", none, 0,
         text("C:\\Help\\manual.pdf")},
        {"ini text cut to 254", "%1/app.ini", "Settings", "Long", "S", none, 0,
         text(std::string(254, 'y'))},
        {"ini missing text", "%1/app.ini", "Settings", "None", "S", yes, 0, text("True")},
        {"ini number", "%1/app.ini", "Settings", "negative", "B", none, 0, std::int32_t(-7)},
        {"ini missing number", "%1/app.ini", "Nowhere", "Word", "D", none, 0, std::int32_t(0)},
    };
}

} // namespace

Q_DECLARE_METATYPE(Lookup)

class tst_ReadSetting : public QObject {
    Q_OBJECT

    SettingsFolder folder;

  private slots:
    void initTestCase() {
        folder.machine(QString::fromStdString(
            "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\r\n"
            "\"Text\"=\"hello \\\"quoted\\\" C:\\\\dir\"\r\n\"Long\"=\"" +
            longText +
            "\"\r\n\"Empty\"=hex:\r\n\"Word\"=dword:0000002a\r\n\"Negative\"=dword:ffffffff\r\n"
            "\"Short\"=hex:01,80\r\n\"Twenty\"=\"12345678901234567890\"\r\n"
            "\"Quad\"=hex(b):00,10,a5,d4,e8,00,00,00\r\n"
            "\"HugeQuad\"=hex(b):ff,ff,ff,ff,ff,ff,ff,7f\r\n"
            "\"Multi\"=hex(7):61,00,00,00,62,00,\\\r\n  63,00,00,00,00,00\r\n"
            "\"Expand\"=hex(2):25,00,48,00,4f,00,4d,00,45,00,25,00,5c,00,78,00,00,00\r\n"
            "@=\"default value\"\r\nthis line is not a value\r\n\"Broken\"=dword:xyz\r\n"
            "[HKEY_CURRENT_USER\\Elsewhere]\r\n\"Text\"=\"not in this root\"\r\n"));
        folder.writeFile(QStringLiteral("user/chronodex/HKEY_CURRENT_USER.reg"),
                         "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Mine]\n\"Name\"=\"user's\"\n");
        folder.writeFile(QStringLiteral("app.ini"),
                         "; comment\n[Other]\nKey=wrong\n[ Settings ]\nHelpPath = "
                         "\"C:\\Help\\manual.pdf\"\nLong=" +
                             QByteArray(300, 'y') + "\nnegative=-7\n");
    }

    void lookups_data() {
        QTest::addColumn<Lookup>("row");
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

    // Machine settings are looked for in every folder of XDG_CONFIG_DIRS in order; the
    // first that holds the file wins. Empty and relative entries do not count.
    void machineSettingsInEveryFolder_data() {
        QTest::addColumn<QString>("dirs"); // %1 is the temporary folder, also the current one
        QTest::addColumn<QStringList>("holding"); // folders with a file naming its folder
        QTest::addColumn<QString>("value");
        QTest::newRow("only the second") << "%1/a:%1/b" << QStringList{"b"} << "b";
        QTest::newRow("the first wins") << "%1/a:%1/b" << QStringList{"a", "b"} << "a";
        QTest::newRow("empty entries") << "::%1/b:" << QStringList{"b"} << "b";
        QTest::newRow("relative folder ignored") << "rel:%1/b" << QStringList{"rel", "b"} << "b";
        QTest::newRow("in none") << "%1/a:%1/b" << QStringList{} << "default";
    }
    void machineSettingsInEveryFolder() {
        QFETCH(QString, dirs);
        QFETCH(QStringList, holding);
        QFETCH(QString, value);
        SettingsFolder dir;
        for (const QString& name : holding)
            dir.writeFile(name + QStringLiteral("/chronodex/HKEY_LOCAL_MACHINE.reg"),
                          "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\K]\n\"V\"=\"" + name.toUtf8() + "\"\n");
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(dirs.arg(dir.path())));
        const QString previousFolder = QDir::currentPath();
        QDir::setCurrent(dir.path());
        SettingValue read;
        const int status = ReadSetting("HKLM", "K", "V", "S", std::string("default"), read);
        QDir::setCurrent(previousFolder);
        QCOMPARE(status, holding.isEmpty() ? 2 : 0);
        QCOMPARE(settingText(read), value.toStdString());
    }

    void rootNames() {
        QCOMPARE(RootKeyFromName("HKEY_CLASSES_ROOT"), platform::HKeyClassesRoot);
        QCOMPARE(RootKeyFromName("hkcc"), platform::HKeyCurrentConfig);
        QCOMPARE(RootKeyFromName("HKDD"), platform::HKeyDynData);
    }

    // Broken files never stop a lookup: their unreadable lines are skipped.
    void malformedFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("no header") << QByteArray("[HKEY_LOCAL_MACHINE\\K]\n\"V\"=\"x\"\n");
        QTest::newRow("binary noise") << QByteArray("\x00\x01\xFF\xFE\x00[", 6);
        QTest::newRow("dangling continuation")
            << QByteArray("REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"V\"=hex:01,\\");
        QTest::newRow("bad hex") << QByteArray(
            "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"V\"=hex:zz,100\n\"W\"=hex(:01\n");
        QTest::newRow("odd utf-16") << QByteArray("\xFF\xFEW\x00R\x00\x00\xD8", 8);
    }
    void malformedFiles() {
        QFETCH(QByteArray, bytes);
        SettingsFolder broken;
        broken.writeFile(QStringLiteral("system/chronodex/HKEY_LOCAL_MACHINE.reg"), bytes);
        SettingValue read;
        const int status = ReadSetting("HKLM", "K", "V", "S", std::string("d"), read);
        QVERIFY(status == 2 || status == 0);
        QVERIFY(std::holds_alternative<std::string>(read));
        const QString badIni = broken.writeFile(QStringLiteral("bad.ini"), bytes);
        QCOMPARE(ReadSetting(badIni.toStdString(), "K", "V", "S", std::string("d"), read), 0);
    }
};

QTEST_GUILESS_MAIN(tst_ReadSetting)
#include "tst_readsetting.moc"
