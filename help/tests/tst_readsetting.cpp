// ReadSetting over registry export files and INI files: type codes, status codes, defaults.
#include "readsetting.h"

#include "platform/settings.h"
#include "regfixture.h"

#include <QtTest>

using namespace chronodex;
using namespace chronodex::testing;

Q_DECLARE_METATYPE(chronodex::SettingValue)

namespace {

const QString longText = QString(300, QLatin1Char('x'));

QString machineFile() {
    return QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                          "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\r\n"
                          "\"Text\"=\"hello \\\"quoted\\\" C:\\\\dir\"\r\n"
                          "\"Long\"=\"%1\"\r\n"
                          "\"Empty\"=hex:\r\n"
                          "\"Word\"=dword:0000002a\r\n"
                          "\"Negative\"=dword:ffffffff\r\n"
                          "\"Short\"=hex:01,80\r\n"
                          "\"Twenty\"=\"12345678901234567890\"\r\n"
                          "\"Quad\"=hex(b):00,10,a5,d4,e8,00,00,00\r\n"
                          "\"HugeQuad\"=hex(b):ff,ff,ff,ff,ff,ff,ff,7f\r\n"
                          "\"Multi\"=hex(7):%2,\\\r\n"
                          "  00,00\r\n"
                          "\"Expand\"=hex(2):%3\r\n"
                          "@=\"default value\"\r\n"
                          "this line is not a value\r\n"
                          "\"Broken\"=dword:xyz\r\n"
                          "[HKEY_CURRENT_USER\\Elsewhere]\r\n"
                          "\"Text\"=\"not in this root\"\r\n")
        .arg(longText, utf16Hex(QStringLiteral("a") + QChar(0) + QStringLiteral("bc") + QChar(0)),
             utf16Hex(QStringLiteral("%HOME%\\x") + QChar(0)));
}

} // namespace

class tst_ReadSetting : public QObject {
    Q_OBJECT

    SettingsFolder folder;
    QString ini, iniDir;

  private slots:
    void initTestCase() {
        folder.writeRoot(QStringLiteral("HKEY_LOCAL_MACHINE"), machineFile());
        folder.writeRoot(QStringLiteral("HKEY_CURRENT_USER"),
                         QStringLiteral("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Mine]\n"
                                        "\"Name\"=\"user's\"\n"),
                         false);
        ini = folder.writeFile(QStringLiteral("app.ini"),
                               "; comment\n[Other]\nKey=wrong\n[ Settings ]\n"
                               "HelpPath = \"C:\\Help\\manual.pdf\"\n"
                               "Long=" +
                                   QByteArray(300, 'y') +
                                   "\n"
                                   "Number = 42abc\nnegative=-7\nWord=hello\n");
        iniDir = folder.path();
    }

    void lookups_data() {
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("type");
        QTest::addColumn<SettingValue>("fallback");
        QTest::addColumn<int>("status");
        QTest::addColumn<SettingValue>("value");
        const SettingValue none = std::string("default");
        const QString key = QStringLiteral("SOFTWARE\\Test");
        for (const char* root : {"HKEY_LOCAL_MACHINE", "hklm"})
            QTest::newRow(root) << root << key << "Word"
                                << "D" << none << 0 << SettingValue(std::int32_t(42));
        QTest::newRow("text with escapes")
            << "HKLM" << key << "Text"
            << "S" << none << 0 << SettingValue(std::string("hello \"quoted\" C:\\dir"));
        QTest::newRow("300-character text whole")
            << "HKLM" << key << "Long"
            << "S" << none << 0 << SettingValue(longText.toStdString());
        QTest::newRow("lower-case s")
            << "HKLM" << key << "text"
            << "s" << none << 0 << SettingValue(std::string("hello \"quoted\" C:\\dir"));
        QTest::newRow("empty S keeps default") << "HKLM" << key << "Empty"
                                               << "S" << none << 0 << none;
        QTest::newRow("default value")
            << "HKLM" << key << ""
            << "S" << none << 0 << SettingValue(std::string("default value"));
        QTest::newRow("M list") << "HKLM" << key << "Multi"
                                << "M" << none << 0 << SettingValue(std::string("a\0bc\0", 5));
        QTest::newRow("E unexpanded") << "HKLM" << key << "Expand"
                                      << "E" << none << 0 << SettingValue(std::string("%HOME%\\x"));
        QTest::newRow("B two bytes")
            << "HKLM" << key << "Short"
            << "B" << SettingValue(true) << 0 << SettingValue(std::int16_t(-32767));
        QTest::newRow("D negative") << "HKLM" << key << "Negative"
                                    << "D" << none << 0 << SettingValue(std::int32_t(-1));
        QTest::newRow("Q") << "HKLM" << key << "Quad"
                           << "Q" << none << 0 << SettingValue(std::int64_t(1000000000000LL));
        QTest::newRow("Q too large keeps default") << "HKLM" << key << "HugeQuad"
                                                   << "Q" << none << 0 << none;
        QTest::newRow("D of a 20-byte text") << "HKLM" << key << "Twenty"
                                             << "D" << none << 234 << none;
        QTest::newRow("B of a dword") << "HKLM" << key << "Word"
                                      << "B" << SettingValue(true) << 234 << SettingValue(true);
        QTest::newRow("unknown type code") << "HKLM" << key << "Word"
                                           << "X" << none << 0 << none;
        QTest::newRow("missing value keeps kind")
            << "HKLM" << key << "HelpFilePirority"
            << "B" << SettingValue(true) << 2 << SettingValue(true);
        QTest::newRow("missing key") << "HKLM"
                                     << "SOFTWARE\\Nothing"
                                     << "Word"
                                     << "D" << none << 2 << none;
        QTest::newRow("other root's key") << "HKLM"
                                          << "Elsewhere"
                                          << "Text"
                                          << "S" << none << 2 << none;
        QTest::newRow("user root") << "hkcu"
                                   << "software\\mine"
                                   << "NAME"
                                   << "S" << none << 0 << SettingValue(std::string("user's"));
        QTest::newRow("root without a file") << "HKU"
                                             << "x"
                                             << "y"
                                             << "S" << none << 2 << none;
        QTest::newRow("directory is no location") << iniDir << "Settings"
                                                  << "HelpPath"
                                                  << "S" << none << 99 << none;
        QTest::newRow("missing file") << iniDir + "/none.ini"
                                      << "Settings"
                                      << "HelpPath"
                                      << "S" << none << 99 << none;
        QTest::newRow("ini quoted text")
            << ini << "settings"
            << "helppath"
            << "S" << none << 0 << SettingValue(std::string("C:\\Help\\manual.pdf"));
        QTest::newRow("ini text cut to 254")
            << ini << "Settings"
            << "Long"
            << "S" << none << 0 << SettingValue(std::string(254, 'y'));
        QTest::newRow("ini missing text gives default")
            << ini << "Settings"
            << "None"
            << "S" << SettingValue(true) << 0 << SettingValue(std::string("True"));
        QTest::newRow("ini leading integer") << ini << "Settings"
                                             << "Number"
                                             << "D" << none << 0 << SettingValue(std::int32_t(42));
        QTest::newRow("ini negative") << ini << "Settings"
                                      << "negative"
                                      << "B" << none << 0 << SettingValue(std::int32_t(-7));
        QTest::newRow("ini text as number") << ini << "Settings"
                                            << "Word"
                                            << "Q" << none << 0 << SettingValue(std::int32_t(0));
        QTest::newRow("ini missing number") << ini << "Nowhere"
                                            << "Number"
                                            << "D" << none << 0 << SettingValue(std::int32_t(0));
    }
    void lookups() {
        QFETCH(QString, root);
        QFETCH(QString, key);
        QFETCH(QString, name);
        QFETCH(QString, type);
        QFETCH(SettingValue, fallback);
        QFETCH(int, status);
        QFETCH(SettingValue, value);
        SettingValue read = std::string("garbage");
        QCOMPARE(ReadSetting(root.toStdString(), key.toStdString(), name.toStdString(),
                             type.toStdString(), fallback, read),
                 status);
        QCOMPARE(read.index(), value.index());
        QVERIFY(read == value);
    }

    // Machine settings are looked for in every folder of XDG_CONFIG_DIRS in order; the
    // first that holds the file wins. Empty and relative entries do not count.
    void machineSettingsInEveryFolder_data() {
        QTest::addColumn<QString>("dirs"); // %1 is the temporary folder, also the current one
        QTest::addColumn<QStringList>("holding"); // folders with a file naming its folder
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("value");
        QTest::newRow("only the second") << "%1/a:%1/b" << QStringList{"b"} << 0 << "b";
        QTest::newRow("the first wins") << "%1/a:%1/b" << QStringList{"a", "b"} << 0 << "a";
        QTest::newRow("empty entries") << "::%1/b:" << QStringList{"b"} << 0 << "b";
        QTest::newRow("relative folder ignored")
            << "rel:%1/b" << QStringList{"rel", "b"} << 0 << "b";
        QTest::newRow("in none") << "%1/a:%1/b" << QStringList{} << 2 << "default";
    }
    void machineSettingsInEveryFolder() {
        QFETCH(QString, dirs);
        QFETCH(QStringList, holding);
        QFETCH(int, status);
        QFETCH(QString, value);
        QTemporaryDir dir;
        for (const QString& name : holding) {
            QDir(dir.path()).mkpath(name + QStringLiteral("/chronodex"));
            QFile f(dir.filePath(name + QStringLiteral("/chronodex/HKEY_LOCAL_MACHINE.reg")));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Chronodex\\Settings]\n"
                    "\"HelpPath\"=\"" +
                    name.toUtf8() + "\"\n");
        }
        const QByteArray previousDirs = qgetenv("XDG_CONFIG_DIRS");
        const QString previousFolder = QDir::currentPath();
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(dirs.arg(dir.path())));
        QDir::setCurrent(dir.path());
        SettingValue read;
        const int result = ReadSetting("HKLM", "SOFTWARE\\Chronodex\\Settings", "HelpPath", "S",
                                       std::string("default"), read);
        QDir::setCurrent(previousFolder);
        qputenv("XDG_CONFIG_DIRS", previousDirs);
        QCOMPARE(result, status);
        QCOMPARE(settingText(read), value.toStdString());
    }

    void rootNames() {
        QCOMPARE(RootKeyFromName("HKEY_CLASSES_ROOT"), platform::HKeyClassesRoot);
        QCOMPARE(RootKeyFromName("hkcc"), platform::HKeyCurrentConfig);
        QCOMPARE(RootKeyFromName("HKDD"), platform::HKeyDynData);
        QCOMPARE(RootKeyFromName(ini.toStdString()), 1u);
        QCOMPARE(RootKeyFromName(iniDir.toStdString()), 0u);
        QCOMPARE(RootKeyFromName(""), 0u);
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
