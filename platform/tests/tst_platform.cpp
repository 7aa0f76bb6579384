// The Linux file facilities on real files: calendar conversions, attributes, lengths, what
// the stamp reader reads and what the writer reports for each kind of object, and the INI
// numbers that the Windows tests check with the same rows.
#include "filehelpers.h"
#include "inirows.h"
#include "platform/civil.h"
#include "platform/files.h"
#include "platform/localtime.h"
#include "platform/settings.h"
#include "platform/shell.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/vfs.h>
#include <unistd.h>

using platform::StampWrite;
using platform::SystemTime;
using platform::WriteFailure;

Q_DECLARE_METATYPE(platform::WriteFailure)
Q_DECLARE_METATYPE(platform::StampWrite)

namespace {

SystemTime parse(const QString& text) {
    const QDateTime d = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return SystemTime{d.date().year(), d.date().month(),  d.date().day(),
                      d.time().hour(), d.time().minute(), d.time().second()};
}

std::filesystem::path fs(const QString& p) {
    return std::filesystem::path(p.toStdString());
}

QString makeFile(const QTemporaryDir& dir, const QString& name, qint64 size = 0) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || !f.resize(size))
        qFatal("cannot create %s", qPrintable(path));
    return path;
}

bool setStamps(const QString& path, std::int64_t accessed, std::int64_t modified) {
    const struct timespec ts[2] = {{static_cast<time_t>(accessed), 0},
                                   {static_cast<time_t>(modified), 0}};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), ts, 0) == 0;
}

struct stat statOf(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

// A temporary folder on tmpfs, which holds any year; null where the machine has none.
std::unique_ptr<QTemporaryDir> tmpfsDir() {
    if (::access("/dev/shm", W_OK) != 0) return nullptr;
    auto dir = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/chronodex-XXXXXX"));
    return dir->isValid() ? std::move(dir) : nullptr;
}

// Sets or clears the immutable flag (chattr +i), which refuses every change to a file even
// to root; false where the file system or our privileges do not allow it.
bool setImmutable(const QString& path, bool on) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
}

const SystemTime before{2001, 2, 3, 4, 5, 6};
const std::int64_t beforeSeconds = platform::secondsFromCivil(before);

} // namespace

class tst_Platform : public QObject {
    Q_OBJECT

  private slots:
    // The desktop's opener: what xdg-open makes of the document decides the answer, and a
    // local file that is not there starts nothing.
    void opener_data() {
        QTest::addColumn<QString>("opener"); // the body of a stand-in xdg-open; empty: none
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("result");
        QTest::newRow("opened") << "exit 0" << true << 42;
        QTest::newRow("no application for it") << "exit 3" << true << 31;
        QTest::newRow("still open after a while") << "exec /bin/sleep 30" << true << 42;
        QTest::newRow("no opener installed") << "" << true << 31;
        QTest::newRow("missing file") << "exit 0" << false << 2;
    }
    void opener() {
        QFETCH(QString, opener);
        QFETCH(bool, exists);
        QFETCH(int, result);
        QTemporaryDir bin;
        if (!opener.isEmpty()) {
            QFile script(bin.filePath(QStringLiteral("xdg-open")));
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write("#!/bin/sh\n" + opener.toUtf8() + "\n");
            script.close();
            QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));
        const QString document = exists ? makeFile(bin, QStringLiteral("Help.html"))
                                        : bin.filePath(QStringLiteral("none.html"));
        const int answer = platform::shellExecute(document.toStdString(), {}, 1);
        qputenv("PATH", path);
        QCOMPARE(answer, result);
    }

    // Local time both ways, with the rules of the date itself: summer and winter, the hour
    // skipped in spring, the hour repeated in autumn (its first occurrence), a half-hour
    // zone, the local mean time of 1850 and the far year 9999.
    void localTime_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("utc"); // empty: the local time does not exist
        const QByteArray ny = "America/New_York";
        QTest::newRow("New York summer") << ny << "2026-07-01 12:00:00"
                                         << "2026-07-01 16:00:00";
        QTest::newRow("New York winter") << ny << "2026-01-15 09:05:00"
                                         << "2026-01-15 14:05:00";
        QTest::newRow("New York skipped hour") << ny << "2026-03-08 02:30:00"
                                               << "";
        QTest::newRow("New York repeated hour") << ny << "2026-11-01 01:30:00"
                                                << "2026-11-01 05:30:00";
        QTest::newRow("New York after the repeat") << ny << "2026-11-01 02:00:00"
                                                   << "2026-11-01 07:00:00";
        QTest::newRow("New York 1850") << ny << "1850-06-15 10:30:00"
                                       << "1850-06-15 15:26:02";
        QTest::newRow("New York 9999") << ny << "9999-07-01 12:00:00"
                                       << "9999-07-01 16:00:00";
        const QByteArray london = "Europe/London";
        QTest::newRow("London summer") << london << "2026-07-01 12:00:00"
                                       << "2026-07-01 11:00:00";
        QTest::newRow("London winter") << london << "2026-12-06 12:00:00"
                                       << "2026-12-06 12:00:00";
        const QByteArray adelaide = "Australia/Adelaide";
        QTest::newRow("Adelaide summer") << adelaide << "2026-01-15 12:00:00"
                                         << "2026-01-15 01:30:00";
        QTest::newRow("Adelaide winter") << adelaide << "2026-07-01 12:00:00"
                                         << "2026-07-01 02:30:00";
        QTest::newRow("Adelaide skipped") << adelaide << "2026-10-04 02:15:00"
                                          << "";
    }
    void localTime() {
        QFETCH(QByteArray, zone);
        QFETCH(QString, local);
        QFETCH(QString, utc);
        if (const QString why = chronodex::testing::ZoneScope::unavailable(zone); !why.isEmpty())
            QSKIP(qPrintable(why));
        chronodex::testing::ZoneScope scope(zone);
        const auto result = platform::localToUtc(parse(local));
        if (utc.isEmpty()) {
            QVERIFY(!result.utc);
            QVERIFY(result.skipped);
            return;
        }
        QVERIFY(result.utc);
        QVERIFY(!result.skipped);
        QCOMPARE(*result.utc, parse(utc));
        const auto back = platform::utcToLocal(parse(utc));
        QVERIFY(back);
        QCOMPARE(*back, parse(local));
    }
    void civil_data() {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("epoch") << qint64(0) << "1970-01-01 00:00:00";
        QTest::newRow("before the epoch") << qint64(-1) << "1969-12-31 23:59:59";
        QTest::newRow("1850") << qint64(-3772531800) << "1850-06-15 10:30:00";
        QTest::newRow("leap day 2024") << qint64(1709208000) << "2024-02-29 12:00:00";
        QTest::newRow("year 100") << qint64(-59011459200) << "0100-01-01 00:00:00";
        QTest::newRow("year 9999 end") << qint64(253402300799) << "9999-12-31 23:59:59";
    }
    void civil() {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        const auto t = platform::civilFromSeconds(seconds);
        QVERIFY(t);
        QCOMPARE(QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", t->year, t->month, t->day,
                                   t->hour, t->minute, t->second),
                 text);
        QCOMPARE(platform::secondsFromCivil(*t), seconds);
    }
    void civilOutOfRange() {
        QVERIFY(!platform::civilFromSeconds(std::int64_t(1) << 45)); // beyond year 30827
        QVERIFY(platform::civilFromSeconds(884541340800));           // year 30000 is a system time
    }

    void attributes() {
        QTemporaryDir dir;
        const QString plain = makeFile(dir, QStringLiteral("a.txt"));
        const QString hidden = makeFile(dir, QStringLiteral(".hidden"));
        const QString readOnly = makeFile(dir, QStringLiteral("ro.txt"));
        QVERIFY(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup));
        const QString fifo = dir.filePath(QStringLiteral("fifo"));
        QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0644), 0);

        QCOMPARE(*platform::fileAttributes(fs(plain)), std::uint32_t(platform::AttrArchive));
        QCOMPARE(*platform::fileAttributes(fs(hidden)),
                 std::uint32_t(platform::AttrArchive | platform::AttrHidden));
        QCOMPARE(*platform::fileAttributes(fs(readOnly)),
                 std::uint32_t(platform::AttrArchive | platform::AttrReadOnly));
        QCOMPARE(*platform::fileAttributes(fs(fifo)), std::uint32_t(platform::AttrSystem));
        QVERIFY(*platform::fileAttributes(fs(dir.path())) & platform::AttrDirectory);
        QVERIFY(!platform::fileAttributes(fs(dir.filePath(QStringLiteral("missing")))));

        QVERIFY(platform::isNormalFile(fs(plain)));
        QVERIFY(platform::isNormalFile(fs(readOnly)));
        for (const QString& p : {hidden, fifo, dir.path()})
            QVERIFY2(!platform::isNormalFile(fs(p)), qPrintable(p));
    }

    void lengths() {
        QTemporaryDir dir;
        QCOMPARE(platform::normalFileLength(fs(makeFile(dir, QStringLiteral("e")))), 0);
        QCOMPARE(platform::normalFileLength(fs(makeFile(dir, QStringLiteral("k"), 4096))), 4096);
        // A sparse file past 2 GiB shows its real size.
        const std::int64_t big = (std::int64_t(1) << 31) + 5;
        QCOMPARE(platform::normalFileLength(fs(makeFile(dir, QStringLiteral("big"), big))), big);
        QCOMPARE(platform::normalFileLength(fs(makeFile(dir, QStringLiteral(".h"), 10))), -1);
        QCOMPARE(platform::normalFileLength(fs(dir.path())), -1);
        QCOMPARE(platform::normalFileLength(fs(dir.filePath(QStringLiteral("none")))), -1);
    }

    // What the writer reports for each kind of object, and that an object not written keeps
    // its stamps. The creation stamp is asked for too: Linux cannot set it, which stops
    // nothing.
    void writeOutcomes_data() {
        QTest::addColumn<QString>("object");
        QTest::addColumn<int>("year");
        QTest::addColumn<WriteFailure>("failure");
        QTest::addColumn<StampWrite>("stamps"); // the access and modification stamps
        QTest::newRow("writable file")
            << "file" << 2024 << WriteFailure::None << StampWrite::Written;
        QTest::newRow("read-only file")
            << "read-only" << 2024 << WriteFailure::ReadOnly << StampWrite::NotAsked;
        QTest::newRow("deleted file")
            << "deleted" << 2024 << WriteFailure::Missing << StampWrite::NotAsked;
        QTest::newRow("directory")
            << "directory" << 2024 << WriteFailure::Directory << StampWrite::NotAsked;
        QTest::newRow("FIFO") << "fifo" << 2024 << WriteFailure::Other << StampWrite::NotAsked;
        QTest::newRow("immutable file")
            << "immutable" << 2024 << WriteFailure::InUse << StampWrite::NotAsked;
        QTest::newRow("1850 on ext4")
            << "ext4" << 1850 << WriteFailure::DateNotHeld << StampWrite::Differs;
        QTest::newRow("1850 on tmpfs")
            << "tmpfs" << 1850 << WriteFailure::None << StampWrite::Written;
    }
    void writeOutcomes() {
        QFETCH(QString, object);
        QFETCH(int, year);
        QFETCH(WriteFailure, failure);
        QFETCH(StampWrite, stamps);
        std::unique_ptr<QTemporaryDir> dir;
        if (object == QLatin1String("tmpfs")) {
            dir = tmpfsDir();
            if (!dir) QSKIP("no tmpfs folder (/dev/shm) for years that ext4 cannot hold");
        } else {
            dir = std::make_unique<QTemporaryDir>();
        }
        QString path = makeFile(*dir, QStringLiteral("f.txt"));
        QVERIFY(setStamps(path, beforeSeconds, beforeSeconds));
        if (object == QLatin1String("ext4")) {
            struct statfs fsInfo {};
            if (::statfs(QFile::encodeName(dir->path()).constData(), &fsInfo) != 0 ||
                fsInfo.f_type != 0xEF53)
                QSKIP("the temporary folder is not on ext4");
        } else if (object == QLatin1String("read-only")) {
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        } else if (object == QLatin1String("deleted")) {
            QVERIFY(QFile::remove(path));
        } else if (object == QLatin1String("directory")) {
            path = dir->path();
            QVERIFY(setStamps(path, beforeSeconds, beforeSeconds));
        } else if (object == QLatin1String("fifo")) {
            path = dir->filePath(QStringLiteral("fifo"));
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
            QVERIFY(setStamps(path, beforeSeconds, beforeSeconds));
        } else if (object == QLatin1String("immutable")) {
            if (!setImmutable(path, true))
                QSKIP("the immutable flag (chattr +i) cannot be set here");
        }
        const SystemTime asked{year, 6, 15, 10, 30, 0};
        const auto out = platform::writeFileTimes(fs(path), asked, asked, asked);
        if (object == QLatin1String("immutable")) setImmutable(path, false);

        QCOMPARE(out.failure, failure);
        QCOMPARE(out.written(), failure == WriteFailure::None);
        QCOMPARE(out.accessed, stamps);
        QCOMPARE(out.modified, stamps);
        const bool reached = failure == WriteFailure::None || failure == WriteFailure::DateNotHeld;
        QCOMPARE(out.created, reached ? StampWrite::CannotSet : StampWrite::NotAsked);
        QCOMPARE(out.message.empty(), failure != WriteFailure::Other);
        if (object == QLatin1String("deleted")) return;
        const struct stat st = statOf(path);
        const std::int64_t expected =
            out.written() ? platform::secondsFromCivil(asked) : beforeSeconds;
        QCOMPARE(std::int64_t(st.st_mtim.tv_sec), expected);
        QCOMPARE(std::int64_t(st.st_atim.tv_sec), expected);
    }

    // Stamps are read from the directory entry: a read-only file and a file that refuses
    // writing show theirs, and say they are not for writing.
    void readWithoutWriting_data() {
        QTest::addColumn<QString>("object");
        QTest::addColumn<bool>("read");
        QTest::addColumn<bool>("writable");
        QTest::newRow("writable file") << "file" << true << true;
        QTest::newRow("read-only file") << "read-only" << true << false;
        QTest::newRow("immutable file") << "immutable" << true << false;
        QTest::newRow("FIFO") << "fifo" << false << false;
    }
    void readWithoutWriting() {
        QFETCH(QString, object);
        QFETCH(bool, read);
        QFETCH(bool, writable);
        QTemporaryDir dir;
        QString path = makeFile(dir, QStringLiteral("f.txt"));
        if (object == QLatin1String("fifo")) {
            path = dir.filePath(QStringLiteral("fifo"));
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        }
        QVERIFY(setStamps(path, beforeSeconds - 60, beforeSeconds));
        if (object == QLatin1String("read-only"))
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        if (object == QLatin1String("immutable") && !setImmutable(path, true))
            QSKIP("the immutable flag (chattr +i) cannot be set here");
        const auto t = platform::readFileTimes(fs(path));
        if (object == QLatin1String("immutable")) setImmutable(path, false);
        QCOMPARE(t.read, read);
        QCOMPARE(t.writable, writable);
        if (!read) return;
        QCOMPARE(*t.modified, before);
        QCOMPARE(*t.accessed, (SystemTime{2001, 2, 3, 4, 4, 6}));
        QCOMPARE(std::int64_t(statOf(path).st_atim.tv_sec), beforeSeconds - 60); // not touched
    }

    // Stamps beyond what a system time holds are named, not dropped.
    void readFarYears_data() {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<bool>("read");
        QTest::addColumn<int>("beyond");
        QTest::newRow("year 50") << qint64(-60589296000) << true << 0;
        QTest::newRow("year 30000") << qint64(884541340800) << true << 0;
        QTest::newRow("before the year 1") << qint64(-62198755200) << false << 1;
        QTest::newRow("after the year 30827") << (qint64(1) << 45) << false << 2;
    }
    void readFarYears() {
        QFETCH(qint64, seconds);
        QFETCH(bool, read);
        QFETCH(int, beyond);
        auto dir = tmpfsDir();
        if (!dir) QSKIP("no tmpfs folder (/dev/shm) for years that ext4 cannot hold");
        const QString path = makeFile(*dir, QStringLiteral("far"));
        QVERIFY(setStamps(path, beforeSeconds, seconds));
        const auto t = platform::readFileTimes(fs(path));
        QCOMPARE(t.read, read);
        QCOMPARE(int(t.beyond), beyond);
        QCOMPARE(t.modified.has_value(), read);
        QVERIFY(t.accessed.has_value());
    }

    void driveRoots() {
        QVERIFY(platform::isDriveRoot("/"));
        QVERIFY(platform::isDriveRoot("//"));
        QVERIFY(!platform::isDriveRoot(""));
        QVERIFY(!platform::isDriveRoot("/home"));
        QVERIFY(!platform::isDriveRoot("C:\\"));
    }

    // The same rows as the Windows tests, where GetPrivateProfileInt itself answers.
    void iniNumbers_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("expected");
        for (const auto& row : platform::testing::iniIntRows)
            QTest::newRow(row.key) << QString::fromLatin1(row.key) << int(row.expected);
    }
    void iniNumbers() {
        QFETCH(QString, key);
        QFETCH(int, expected);
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("numbers.ini"));
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(platform::testing::iniIntFile()));
        f.close();
        QCOMPARE(platform::iniReadInt(fs(ini), "Numbers", key.toStdString(),
                                      platform::testing::iniFallback),
                 expected);
    }

    void readRefusesDirectoriesAndMissingPaths() {
        QTemporaryDir dir;
        for (const QString& path : {dir.path(), dir.filePath(QStringLiteral("missing"))}) {
            const auto times = platform::readFileTimes(fs(path));
            QVERIFY(!times.read && !times.writable);
            QVERIFY(!times.created && !times.accessed && !times.modified);
        }
    }
};

QTEST_GUILESS_MAIN(tst_Platform)
#include "tst_platform.moc"
