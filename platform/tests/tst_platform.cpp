// The platform layer on real files, one set of cases for both systems (on Windows the program
// is test_windows, run under Wine): attributes and lengths, what the stamp reader reads and the
// writer reports for each kind of object, drive roots, local time, INI texts and numbers; on
// Windows also the long path form and the registry.
#include "filehelpers.h"
#include "platform/civil.h"
#include "platform/localtime.h"
#include "platform/settings.h"

#include <QProcess>

#ifdef _WIN32
#include "wide.h"
#else
#include "drives.h"
#endif

using namespace chronodex::testing;
using namespace platform;
namespace pt = platform::testing;
using F = WriteFailure;

// One row of objects: the object, the modification stamp asked for (UTC seconds), its
// attributes (-1: none) and length (-1: not a normal file), and what the writer reports.
struct Expect {
    const char* object;
    qint64 when, attributes, length;
    WriteFailure failure;
    StampWrite accessed, modified;
};
Q_DECLARE_METATYPE(Expect)

namespace {

const qint64 beforeSeconds = utcSeconds(2001, 2, 3, 4, 5, 6);
const long fraction = 123456700; // of each stamp's second: nanoseconds, in Windows' 100 ns steps

// A system time as text, "yyyy-MM-dd HH:mm:ss", and back.
QString text(const SystemTime& t) {
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                             t.minute, t.second);
}
QString text(const Instant& t) {
    return text(*civilOf(t));
}
SystemTime parse(const QString& text) {
    const QStringList n = QString(text).replace('-', ' ').replace(':', ' ').split(' ');
    return {n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt(), n[4].toInt(), n[5].toInt()};
}

// Keeps a file from being written while the answer lives (null where it cannot): Linux sets
// the immutable flag (chattr +i), which refuses every change even to root; Windows holds the
// file open without sharing.
std::shared_ptr<void> hold(const QString& path) {
#ifdef _WIN32
    const HANDLE h =
        CreateFileW(fsPath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    return h == INVALID_HANDLE_VALUE ? nullptr : std::shared_ptr<void>(h, CloseHandle);
#else
    const auto chattr = [path](const char* f) { return !QProcess::execute("chattr", {f, path}); };
    if (!chattr("+i")) return nullptr;
    return std::shared_ptr<void>(new int, [chattr](int* p) { chattr("-i"), delete p; });
#endif
}

// Makes the object a row names in `dir`, its stamps set to `beforeSeconds` (accessed a minute
// earlier), and gives its path; empty where this system cannot make it. Regular files hold
// 10 bytes; "long" lies in a folder path of more than 300 characters; "other" is what the
// writer refuses with the system's own words: a FIFO on Linux, a name Windows does not take.
QString makeObject(const QTemporaryDir& dir, const QString& kind) {
    const auto is = [&](const char* k) { return kind == QLatin1String(k); };
    const QString a100(100, u'a');
    QString name = is("unicode") ? QStringLiteral("\u00e9t\u00e9 \u65e5\u672c.txt")
                   : is("long")  ? a100 + '/' + a100 + '/' + a100 + QStringLiteral("/f.txt")
                   : is("hidden") && !pt::onWindows ? QStringLiteral(".f")
                                                    : QStringLiteral("f.txt");
    const QString path = is("directory") ? dir.path() : dir.filePath(name);
    if (is("other") && !pt::hasFifos()) return nativePath(dir.filePath(QStringLiteral("a<b>")));
    if (is("too long")) return nativePath(dir.filePath(QString(5000, u'a')));
    if (is("long")) QDir(dir.path()).mkpath(QFileInfo(path).path());
    if ((is("system") && !pt::makeSystemFile(fsPath(path))) ||
        (is("other") && !pt::makeFifo(fsPath(path))))
        return {};
    if (!QFileInfo::exists(path)) makeFile(dir, name, is("big") ? (qint64(1) << 31) + 5 : 10);
    if (!setStamps(path, beforeSeconds - 60, beforeSeconds, fraction)) return {};
    if (is("read-only")) QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
    if (is("deleted")) QFile::remove(path);
#ifdef _WIN32
    if (is("hidden"))
        SetFileAttributesW(fsPath(path).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
#endif
    return nativePath(path);
}

} // namespace

class tst_Platform : public QObject {
    Q_OBJECT

  private slots:
    // Each kind of object: its attributes and length, what the reader reads (from the
    // directory entry, leaving the access stamp alone) and what the writer reports; an object
    // not written keeps its stamps. The reader reads what the writer does not refuse outright,
    // and calls writable what it does not refuse at all. The writer is asked for the creation
    // stamp an hour after the row's modification stamp, and for the access stamp 2024-06-15
    // 10:30:00 unless the row expects it NotAsked. Each row runs twice: the writer told nothing
    // of the object, then told the object the path named when it was listed, as the list tells
    // it; "replaced" is another file renamed onto the path since.
    void objects_data() {
        QTest::addColumn<Expect>("expect");
        QTest::addColumn<bool>("listed");
        const StampWrite N = StampWrite::NotAsked, W = StampWrite::Written, D = StampWrite::Differs;
        const int a = AttrArchive, none = -1;
        const qint64 day = utcSeconds(2024, 6, 15, 10, 30), big = (qint64(1) << 31) + 5;
        const auto row = [](const char* name, Expect e) {
            if (e.failure != F::Replaced) QTest::newRow(name) << e << false;
            QTest::addRow("%s, listed", name) << e << true;
        };
        row("file", {"file", day, a, 10, F::None, W, W});
        row("modification alone", {"file", day, a, 10, F::None, N, W});
        row("sparse, past 2 GiB", {"big", day, a, big, F::None, W, W});
        row("unicode name", {"unicode", day, a, 10, F::None, W, W});
        row("long path", {"long", day, a, 10, F::None, W, W});
        row("hidden", {"hidden", day, a | AttrHidden, -1, F::None, W, W});
        row("read-only", {"read-only", day, a | AttrReadOnly, 10, F::ReadOnly, N, N});
        row("in use", {"in use", day, a, 10, F::InUse, N, N});
        row("directory", {"directory", day, AttrDirectory, -1, F::Directory, N, N});
        row("deleted", {"deleted", day, none, -1, F::Missing, N, N});
        row("other", {"other", day, pt::onWindows ? none : int(AttrSystem), -1,
                      pt::onWindows ? F::Other : F::NotAFile, N, N});
        row("replaced", {"file", day, a, 10, F::Replaced, N, N});
        if (!pt::onWindows) // Windows takes paths of up to 32,767 characters
            row("path too long", {"too long", day, none, -1, F::PathTooLong, N, N});
        if (pt::onWindows && !pt::underWine()) // Wine reports the archive bit on every file
            row("system", {"system", day, AttrSystem, -1, F::None, W, W});
        // FILETIME 0, which SetFileTime takes as "leave it alone".
        row("first second of 1601", {"far", utcSeconds(1601, 1, 1), a, 10, F::None, W, W});
        // ext4 clamps this to its first second: a date one second off is not written, and
        // the access stamp, written well, goes back with it.
        const qint64 clamped = utcSeconds(1901, 12, 13, 20, 45, 51);
        row("clamped a second", {"clamped", clamped, a, 10, F::DateNotHeld, W, D});
        const qint64 before1601 = utcSeconds(1600, 12, 31, 23, 59, 59);
        if (pt::onWindows) row("before 1601", {"file", before1601, a, 10, F::DateNotHeld, N, D});
    }
    void objects() {
        QFETCH(Expect, expect);
        QFETCH(bool, listed);
        const QString object = QString::fromLatin1(expect.object);
        auto dir = object == "far" ? anyYearDir() : std::make_unique<QTemporaryDir>();
        if (!dir) QSKIP("no tmpfs folder (/dev/shm) for years that ext4 cannot hold");
        if (object == "clamped" && holdsYear1850(dir->path()))
            QSKIP("the temporary folder's file system holds 1901 (ext4 does not)");
        const QString path = makeObject(*dir, object);
        QVERIFY(!path.isEmpty());
        const auto found = fileAttributes(fsPath(path)); // of its bits, those the program uses
        QCOMPARE(found ? qint64(*found & 0x37) : -1, expect.attributes);
        QCOMPARE(normalFileLength(fsPath(path)), expect.length);
        QCOMPARE(directoryCreated(fsPath(path)).has_value(), object == "directory");
        const auto held = object == "in use" ? hold(path) : nullptr;
        if (object == "in use" && !held) QSKIP("the file cannot be held from writing here");
        const FileId id = pathStatus(fsPath(path)).value_or(PathStatus{}).id;
        const F f = expect.failure;
        if (f == F::Replaced) { // another file with the same stamps, renamed onto the path
            const QString other = makeFile(*dir, "g.txt", 10);
            QVERIFY(setStamps(other, beforeSeconds - 60, beforeSeconds, fraction));
            QVERIFY(QFile::remove(path) && QFile::rename(other, path));
        }

        const bool read = f == F::None || f == F::ReadOnly || f == F::InUse ||
                          f == F::DateNotHeld || f == F::Replaced;
        const auto t = readFileTimes(fsPath(path));
        QCOMPARE(t.read, read);
        QCOMPARE(t.writable, f == F::None || f == F::DateNotHeld || f == F::Replaced);
        QCOMPARE(t.modified ? text(*t.modified) : "", read ? "2001-02-03 04:05:06" : "");
        if (read) QCOMPARE(text(*t.accessed), "2001-02-03 04:04:06");
        if (read) QCOMPARE(t.modified->nanoseconds, fraction);
        // One look at the directory entry gives the same, and the length of any file.
        const auto entry = entryStatus(fsPath(path).native());
        QCOMPARE(entry ? qint64(entry->attributes & 0x37) : -1, expect.attributes);
        if (read) QCOMPARE(entry->size, object == "big" ? (qint64(1) << 31) + 5 : 10);
        if (read) QVERIFY(entry->modified == t.modified && entry->created == t.created);

        // Contents are read through one checked open, never moving the accessed stamp (which
        // lies before the modified one: a plain read would move it).
        const auto stamps = pt::exactStamps(fsPath(path));
        const auto contents = readFileContents(fsPath(path), 16);
        using R = ReadFailure;
        const R unreadable = pt::onWindows ? R::Unreadable : R::NotAFile; // FIFO; a<b>
        QCOMPARE(contents.failure, object == "big"                       ? R::TooLarge
                                   : object == "in use" && pt::onWindows ? R::Unreadable
                                   : f == F::Directory                   ? R::Directory
                                   : f == F::Missing                     ? R::Missing
                                   : f == F::Other || f == F::NotAFile   ? unreadable
                                   : f == F::PathTooLong                 ? R::Unreadable
                                                                         : R::None);
        QCOMPARE(contents.bytes.size(), std::size_t(contents.failure == R::None ? 10 : 0));
        QCOMPARE(pt::exactStamps(fsPath(path)), stamps);

        const qint64 access = utcSeconds(2024, 6, 15, 10, 30);
        const bool askAccess = expect.accessed != StampWrite::NotAsked;
        const auto at = [](qint64 seconds) { return std::optional(Instant{seconds, 0}); };
        const auto out = writeFileTimes(fsPath(path),
                                        {pt::onWindows ? at(expect.when + 3600) : std::nullopt,
                                         askAccess ? at(access) : std::nullopt, at(expect.when),
                                         false, std::nullopt},
                                        listed ? &id : nullptr);
        QCOMPARE(out.failure, f);
        if (out.written()) QCOMPARE(out.before.modified, (Instant{beforeSeconds, fraction}));
        QCOMPARE(out.accessed, expect.accessed);
        QCOMPARE(out.modified, expect.modified);
        QCOMPARE(out.message.empty(), f != F::Other);
        if (out.written()) // Wine keeps no creation time
            QCOMPARE(out.created, !pt::onWindows    ? StampWrite::NotAsked
                                  : pt::underWine() ? StampWrite::NotKept
                                                    : StampWrite::Written);
        if (!QFileInfo::exists(path)) return;
        QCOMPARE(modifiedSeconds(path), out.written() ? expect.when : beforeSeconds);
        QCOMPARE(accessedSeconds(path), out.written() && askAccess ? access : beforeSeconds - 60);
    }

#ifndef _WIN32
    // Each kind of drive on a real image mounted in the test, checked again after mounting it
    // again: stamps judged by what the drive keeps, years it cannot keep refused with the file
    // unchanged, the creation date read and set where the drive takes one (untouched by a
    // write of the others) and refused elsewhere, a read-only drive named.
    void realDrives_data() {
        QTest::addColumn<int>("kind");
        for (int k : {0, 1, 2})
            QTest::newRow(pt::MountedDrive::name(pt::MountedDrive::Kind(k))) << k;
    }
    void realDrives() {
        QFETCH(int, kind);
        QTemporaryDir dir;
        pt::MountedDrive drive(pt::MountedDrive::Kind(kind), dir.path().toStdString());
        if (drive.path().empty() && !pt::MountedDrive::required()) QSKIP(drive.why().c_str());
        QVERIFY2(!drive.path().empty(), drive.why().c_str());
        qInfo("mounted with %s in %.3f s", drive.driver().c_str(), drive.mountSeconds());
        const auto file = fsPath(QString::fromStdString(drive.path()) + "/f.txt");
        QVERIFY(QFile(file).open(QIODevice::WriteOnly));
        const bool fat = kind == pt::MountedDrive::Fat32, ntfs = kind == pt::MountedDrive::Ntfs;
        const auto at = [](qint64 s, int ns = 0) { return std::optional(Instant{s, ns}); };
        const qint64 odd = utcSeconds(2024, 6, 15, 10, 30, 3); // odd, and a multiple of 3
        Drives drives;
        auto out = writeFileTimes(file, {{}, at(odd), at(odd), false, {}}, nullptr, &drives);
        QCOMPARE(out.failure, F::None);
        QCOMPARE(out.modified, fat ? StampWrite::Rounded : StampWrite::Written);
        QCOMPARE(out.accessed, ntfs ? StampWrite::Written : StampWrite::Rounded);
        QCOMPARE(readFileTimes(file).creationSettable, ntfs);
        const Instant created{utcSeconds(2003, 4, 5, 6, 7, 8), 123456700};
        QCOMPARE(writeFileTimes(file, {created, {}, {}, false, {}}).failure,
                 ntfs ? F::None : F::NoCreation);
        for (const int year : {2150, 1975}) { // NTFS keeps them
            out = writeFileTimes(file, {{}, {}, at(utcSeconds(year, 3, 1)), false, {}});
            QCOMPARE(out.failure, ntfs ? F::None : F::YearNotKept);
            QCOMPARE(out.lastYear, ntfs ? 0 : 2107);
        }
        // A whole second the file has keeps its fraction: the creation date is untouched.
        if (ntfs)
            QVERIFY(writeFileTimes(file, {at(created.seconds), {}, at(odd), true, {}}).written());
        QVERIFY2(drive.remount(true), drive.why().c_str());
        const auto again = readFileTimes(file);
        QCOMPARE(again.modified->seconds, fat ? odd - 1 : odd);
        if (!fat) QCOMPARE(again.accessed->seconds, ntfs ? odd : odd - 1);
        QCOMPARE(again.created, ntfs ? std::optional(created) : std::nullopt);
        QCOMPARE(again.unwritable, F::ReadOnlyDrive);
        QCOMPARE(writeFileTimes(file, {{}, {}, at(odd), false, {}}).failure, F::ReadOnlyDrive);
    }

    // A FUSE drive whose kind cannot be told: a stamp it does not keep is refused with a
    // reason that names its driver and source, the file left as it was.
    void unknownDrive() {
        QTemporaryDir dir;
        pt::MountedDrive drive(pt::MountedDrive::Unknown, dir.path().toStdString());
        if (drive.path().empty() && !pt::MountedDrive::required()) QSKIP(drive.why().c_str());
        QVERIFY2(!drive.path().empty(), drive.why().c_str());
        const auto file = fsPath(QString::fromStdString(drive.path()) + "/f.txt");
        QVERIFY(QFile(file).open(QIODevice::WriteOnly));
        const Instant odd{utcSeconds(2024, 6, 1, 0, 0, 1), 0};
        const auto out = writeFileTimes(file, {{}, {}, odd, false, {}});
        QCOMPARE(out.failure, F::DateNotHeld);
        QCOMPARE(out.message, "fuse.card on card");
        QCOMPARE(readFileTimes(file).modified, out.before.modified);
    }
#endif

    // Lists of paths apart by blanks; the first of the others is the empty path.
    void driveRoots() {
#ifdef _WIN32
        const char* roots =
            R"(C:\ C: c:/ C:\\ \\?\C:\ \\server\share \\server\share\ \\?\UNC\server\share\)";
        const char* others = R"( C:\Windows C:\Windows\ \\server \\server\share\dir CC:\)";
#else
        const char *roots = "/ //", *others = R"( /home C:\)";
#endif
        for (const QString& p : QString(roots).split(' '))
            QVERIFY2(isDriveRoot(fsPath(p)), qPrintable(p));
        for (const QString& p : QString(others).split(' '))
            QVERIFY2(!isDriveRoot(fsPath(p)), qPrintable(p));
    }

    // Local time both ways by the rules of the date itself: summer and winter, the hour
    // skipped in spring, the hour repeated in autumn (its first occurrence), a half-hour zone,
    // the years before the zone's rules and far years (the calendar to the year 30000). Windows
    // takes its zone from TZ when the program starts: only that zone's rows run there (CTest runs
    // each zone).
    void localTime_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("utc"); // empty: the local time does not exist
        const auto row = [](const char* zone, const char* name, const char* local,
                            const char* utc) {
            if (pt::zoneFollowsTZ() || qgetenv("TZ") == zone)
                QTest::newRow(name) << QByteArray(zone) << QString(local) << QString(utc);
        };
        const char* ny = "America/New_York";
        row(ny, "New York summer", "2026-07-01 12:00:00", "2026-07-01 16:00:00");
        row(ny, "New York skipped hour", "2026-03-08 02:30:00", "");
        row(ny, "New York repeated hour", "2026-11-01 01:30:00", "2026-11-01 05:30:00");
        row(ny, "New York after the repeat", "2026-11-01 02:00:00", "2026-11-01 07:00:00");
        row(ny, "New York 9999", "9999-07-01 12:00:00", "9999-07-01 16:00:00");
        if (pt::onWindows) { // before 1601 Windows converts nothing; its earliest rules apply
            row(ny, "New York 1600", "1600-12-31 19:00:00", "1601-01-01 00:00:00");
            row(ny, "New York 1200", "1200-01-15 09:05:00", "1200-01-15 14:05:00");
        } else { // the local mean time
            row(ny, "New York 1850", "1850-06-15 10:30:00", "1850-06-15 15:26:02");
        }
        row("Europe/London", "London summer", "2026-07-01 12:00:00", "2026-07-01 11:00:00");
        const char* adelaide = "Australia/Adelaide";
        row(adelaide, "Adelaide summer", "2026-01-15 12:00:00", "2026-01-15 01:30:00");
        row("UTC", "UTC before 1970", "1969-12-31 23:59:59", "1969-12-31 23:59:59");
        row("UTC", "UTC year 30000", "30000-01-01 00:00:00", "30000-01-01 00:00:00");
    }
    void localTime() {
        QFETCH(QByteArray, zone);
        QFETCH(QString, local);
        QFETCH(QString, utc);
        std::optional<ZoneScope> scope;
        if (const QString why = ZoneScope::unavailable(zone); pt::zoneFollowsTZ() && !why.isEmpty())
            QSKIP(qPrintable(why));
        if (pt::zoneFollowsTZ()) scope.emplace(zone);
        const auto result = localToUtc(parse(local));
        QCOMPARE(result.skipped, utc.isEmpty());
        QCOMPARE(result.utc ? text(*result.utc) : "", utc);
        if (utc.isEmpty()) return;
        const auto back = utcToLocal(parse(utc));
        QCOMPARE(back ? text(*back) : "", local);
    }

    // INI texts and numbers as GetPrivateProfileString (into 255 characters) and
    // GetPrivateProfileInt give them: Windows answers itself, the Linux stand-in is held to
    // the same rows. Each file has the key in a section [Other] first, set to 1.
    void ini_data() {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("written"); // after "="; null: not in [Numbers]
        QTest::addColumn<QByteArray>("text");    // the default is "fallback"
        QTest::addColumn<int>("number");         // the default is 7
        const auto row = [](const char* key, const QByteArray& written, int number,
                            const QByteArray& text = QByteArray()) {
            QTest::newRow(key) << QByteArray(key) << written << (text.isNull() ? written : text)
                               << number;
        };
        row("TrailingText", "42abc", 42);
        row("LeadingZero", "010", 10);
        row("Plus", "+12", 12);
        row("HexLetters", "0x1fZ", 31);
        row("HexCapitalX", "0X10", 0);
        row("Octal", "0o17", 15);
        row("Binary", "0b1012", 5);
        row("NegativeHex", "-0x10", -16);
        row("BlankAfterSign", "- 5", 0);
        row("Wraps", "4294967297", 1);
        row("LongNumber", "000000000000000000000000000042", 4); // read into 30 characters
        row("Quoted", "\"25\"", 25, "25");
        row("Blanks", "   33   ", 33, "33");
        row("QuotedBlanks", "\" \t33\"", 33, " \t33");
        row("Empty", "", 7);
        row("Missing", QByteArray(), 7, "fallback");
        row("LongText", QByteArray(300, 'y'), 0, QByteArray(254, 'y'));
    }
    void ini() {
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, written);
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("numbers.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Other]\n" + key + "=1\n[Numbers]\n" +
                (written.isNull() ? QByteArray() : key + '=' + written + '\n'));
        f.close();
        const std::string k = key.toLower().toStdString(); // letter case does not matter
        const auto ini = fsPath(f.fileName());
        QTEST(QByteArray::fromStdString(iniReadString(ini, "NUMBERS", k, "fallback", 255)), "text");
        QTEST(iniReadInt(ini, "NUMBERS", k, 7), "number");
    }

#ifdef _WIN32
    void longPathForm() {
        const std::wstring a(100, L'a'), d = L"C:\\" + a + L"\\" + a + L"\\" + a;
        const std::pair<std::wstring, std::wstring> rows[] = {
            {L"C:", L"C:\\"},
            {L"C:\\short\\name.txt", L"C:\\short\\name.txt"},
            {d, L"\\\\?\\" + d},
            {L"C:/" + a + L"/" + a + L"/x/../" + a, L"\\\\?\\" + d},
            {L"\\\\server\\share" + d.substr(2), L"\\\\?\\UNC\\server\\share" + d.substr(2)},
        };
        for (const auto& [path, form] : rows)
            QCOMPARE(QString::fromStdWString(systemPath(path)), QString::fromStdWString(form));
    }

    // The real registry hands over what the Linux stand-in does: texts in UTF-8 with their
    // zeros, other data as stored; a value that does not fit tells its size.
    void registry_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("data"); // as handed over
        QTest::newRow("text") << int(REG_SZ) << QByteArray("\xc3\xa9t\xc3\xa9\0", 6);
        QTest::newRow("list") << int(REG_MULTI_SZ) << QByteArray("a\0bc\0\0", 6);
        QTest::newRow("empty text") << int(REG_SZ) << QByteArray();
        QTest::newRow("binary") << int(REG_BINARY) << QByteArray("\x01\x80", 2);
    }
    void registry() {
        QFETCH(int, type);
        QFETCH(QByteArray, data);
        const QString text = QString::fromUtf8(data); // texts are stored in UTF-16
        const QByteArray stored =
            type == REG_BINARY
                ? data
                : QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        const std::string key = "Software\\ChronodexTest\\" + std::to_string(GetCurrentProcessId());
        QVERIFY(!RegSetKeyValueW(HKEY_CURRENT_USER, std::wstring(key.begin(), key.end()).c_str(),
                                 L"Value", DWORD(type), stored.data(), DWORD(stored.size())));
        RegistryKey reg;
        QCOMPARE(reg.open(HKeyCurrentUser, key), 0);
        std::vector<std::uint8_t> got;
        std::uint32_t size = 0;
        if (!data.isEmpty()) QCOMPARE(reg.query("value", got, data.size() - 1, size), 234);
        QCOMPARE(qsizetype(size), data.size());
        QCOMPARE(reg.query("value", got, data.size(), size), 0);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(got.data()), qsizetype(got.size())),
                 data);
        reg.close();
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\ChronodexTest");
    }

    // A machine key is read in the 64-bit view, else in the 32-bit one (WOW6432Node, where a
    // 32-bit installer writes): per row, the value each view holds ("": no key; "-": the key
    // without the value) and what is read, a status code when a number.
    void registryViews() {
        const std::string key = "ChronodexTest" + std::to_string(GetCurrentProcessId());
        const char* const views[] = {"Software\\", "Software\\WOW6432Node\\"};
        for (const char* line : {",32,32", "64,32,64", "-,32,2", ",,2"}) {
            const QStringList row = QString(line).split(QLatin1Char(','));
            for (int v = 0; v < 2; ++v)
                if (!row[v].isEmpty())
                    RegSetKeyValueW(HKEY_LOCAL_MACHINE, widen(views[v] + key).c_str(),
                                    row[v] == "-" ? L"Other" : L"View", REG_SZ, row[v].utf16(),
                                    DWORD(row[v].size() + 1) * 2);
            RegistryKey reg;
            std::vector<std::uint8_t> got;
            std::uint32_t size = 0;
            std::int32_t status = reg.open(HKeyLocalMachine, views[0] + key);
            if (!status) status = reg.query("View", got, 8, size);
            reg.close();
            for (const char* view : views)
                RegDeleteTreeW(HKEY_LOCAL_MACHINE, widen(view + key).c_str());
            QCOMPARE(status ? QString::number(status)
                            : QString(reinterpret_cast<char*>(got.data())),
                     row[2]);
        }
    }
#endif
};

QTEST_GUILESS_MAIN(tst_Platform)
#include "tst_platform.moc"
