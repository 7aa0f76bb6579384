// ReadSetting over registry export files and INI files: type codes, status codes, defaults.
#include "readsetting.h"

#include "platform/settings.h"

#include <QtTest>

using namespace chronodex;

namespace {

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

// Each root's file is one case: HKLM and HKCU hold values of every kind, the machine's
// (with a decoy in a later folder) and the user's; HKCC's lies in a later folder only, in
// UTF-16 with a pair of surrogates, unpaired ones and an odd last byte; HKU's has no header; HKCR
// has none.
std::vector<Lookup> lookupRows() {
    const char* T = "SOFTWARE\\Test";
    const SettingValue none = text("default"), yes = true;
    const std::string quoted = "hello \"quoted\" C:\\dir";
    return {
        {"dword, short root name", "hklm", T, "Word", "D", none, 0, std::int32_t(42)},
        {"text with escapes", "HKLM", T, "Text", "S", none, 0, text(quoted)},
        {"300-character text whole", "HKLM", T, "Long", "S", none, 0, text(longText)},
        {"any letter case", "HKLM", T, "text", "s", none, 0, text(quoted)},
        {"default value", "HKLM", T, "", "S", none, 0, text("default value")},
        {"M list", "HKLM", T, "Multi", "M", none, 0, text(std::string("a\0bc\0", 5))},
        {"B two bytes", "HKLM", T, "Short", "B", yes, 0, std::int16_t(-32767)},
        {"Q, the largest", "HKLM", T, "Quad", "Q", none, 0, std::int64_t(922337203685477LL)},
        {"Q too large keeps default", "HKLM", T, "HugeQuad", "Q", none, 0, none},
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
        {"ini quoted text", "%1/app.ini", "settings", "helppath", "S", none, 0,
         text("C:\\Help\\manual.pdf")},
        {"ini text cut to 254", "%1/app.ini", "Settings", "Long", "S", none, 0,
         text(std::string(254, 'y'))},
        {"ini missing text", "%1/app.ini", "Settings", "None", "S", yes, 0, text("True")},
        {"ini number", "%1/app.ini", "Settings", "negative", "B", none, 0, std::int32_t(-7)},
        {"ini missing number", "%1/app.ini", "Nowhere", "Word", "D", none, 0, std::int32_t(0)},
        {"ini of binary noise", "%1/noise.ini", "K", "V", "S", none, 0, none},
    };
}

} // namespace

Q_DECLARE_METATYPE(Lookup)

class tst_ReadSetting : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

  private slots:
    // Machine settings are looked for in every absolute folder of XDG_CONFIG_DIRS in order:
    // a relative or empty entry, here the current folder, does not count.
    void initTestCase() {
        const auto write = [&](const QString& name, const QByteArray& bytes) {
            QDir(folder.path()).mkpath(QFileInfo(name).path());
            QFile f(folder.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        };
        const auto utf16 = [](const QString& text) {
            return "\xFF\xFE" +
                   QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        };
        write("system/chronodex/HKEY_LOCAL_MACHINE.reg",
              utf16(QString::fromStdString(
                  "Windows Registry Editor Version "
                  "5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\r\n"
                  "\"Text\"=\"hello \\\"quoted\\\" C:\\\\dir\"\r\n\"Long\"=\"" +
                  longText +
                  "\"\r\n\"Word\"=dword:0000002a\r\n\"Short\"=hex:01,80\r\n"
                  "\"Quad\"=hex(b):65,88,63,5d,dc,46,03,00\r\n"
                  "\"HugeQuad\"=hex(b):ff,ff,ff,ff,ff,ff,ff,7f\r\n"
                  "\"Multi\"=hex(7):61,00,00,00,62,00,\\\r\n  63,00,00,00,00,00\r\n"
                  "@=\"default value\"\r\nthis line is not a value\r\n\"Bad\"=dword:xyz\r\n"
                  "\"Bad\"=hex:zz,100\r\n\"Bad\"=hex(:01\r\n"
                  "[HKEY_CURRENT_USER\\Elsewhere]\r\n\"Text\"=\"not in this root\"\r\n"
                  "[HKEY_LOCAL_MACHINE\\K]\r\n\"V\"=hex:01,\\")));
        const QByteArray decoy =
            "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\n\"Word\"=dword:1\n";
        for (const char* name : {"second", "rel", "."})
            write(name + QStringLiteral("/chronodex/HKEY_LOCAL_MACHINE.reg"), decoy);
        write("second/chronodex/HKEY_CURRENT_CONFIG.reg",
              utf16("Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_CONFIG\\K]\r\n\"V\"="
                    "\"second" +
                    QString(QChar(0xDC00)) + QString::fromUtf8("\xF0\x9F\x93\x85") + QChar(0xD800) +
                    "\"\r\n") +
                  "W");
        write("system/chronodex/HKEY_USERS.reg", "REGEDIT5\n[HKEY_USERS\\K]\n\"V\"=\"x\"\n");
        write("user/chronodex/HKEY_CURRENT_USER.reg",
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Mine]\n\"Name\"=\"user's\"\n");
        write("app.ini", "; comment\n[Other]\nKey=wrong\n[ Settings ]\nHelpPath = "
                         "\"C:\\Help\\manual.pdf\"\nLong=" +
                             QByteArray(300, 'y') + "\nnegative=-7\n");
        write("noise.ini", QByteArray("\x00\x01\xFF\xFE\x00[", 6));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.filePath("user")));
        qputenv("XDG_CONFIG_DIRS",
                QFile::encodeName(
                    QStringLiteral("rel::%1/none:%1/system:%1/second").arg(folder.path())));
        QDir::setCurrent(folder.path());
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
};

QTEST_GUILESS_MAIN(tst_ReadSetting)
#include "tst_readsetting.moc"
