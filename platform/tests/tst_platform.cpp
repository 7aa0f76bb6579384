// The Linux file facilities on real files: attributes, lengths, reading and writing stamps.
#include "platform/civil.h"
#include "platform/files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

using platform::SystemTime;

namespace {

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

void setTimes(const QString& path, std::int64_t atime, long ansec, std::int64_t mtime, long mnsec) {
    const struct timespec ts[2] = {{static_cast<time_t>(atime), ansec},
                                   {static_cast<time_t>(mtime), mnsec}};
    QCOMPARE(::utimensat(AT_FDCWD, path.toLocal8Bit().constData(), ts, 0), 0);
}

struct stat statOf(const QString& path) {
    struct stat st {};
    ::stat(path.toLocal8Bit().constData(), &st);
    return st;
}

// A folder on tmpfs, which holds any year; empty where the machine has none.
QString tmpfsFolder() {
    struct statvfs v {};
    if (::statvfs("/dev/shm", &v) != 0 || ::access("/dev/shm", W_OK) != 0) return {};
    return QStringLiteral("/dev/shm");
}

} // namespace

class tst_Platform : public QObject {
    Q_OBJECT

  private slots:
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

    // Stamps read back exactly as written, fractions dropped, not rounded.
    void readStamps() {
        QTemporaryDir dir;
        const QString path = makeFile(dir, QStringLiteral("s.txt"));
        setTimes(path, 1709215509, 999999999, 1000000000, 500000000);
        const auto times = platform::readFileTimes(fs(path));
        QVERIFY(times.opened);
        QCOMPARE(*times.accessed, (SystemTime{2024, 2, 29, 14, 5, 9}));
        QCOMPARE(*times.modified, (SystemTime{2001, 9, 9, 1, 46, 40}));
        QVERIFY(times.created); // tmpfs and ext4 keep birth times
    }

    void readRefused_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("read-only file") << "readonly";
        QTest::newRow("directory") << "directory";
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("missing") << "missing";
    }
    void readRefused() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("x"));
        if (kind == QLatin1String("readonly")) {
            path = makeFile(dir, QStringLiteral("x"));
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        } else if (kind == QLatin1String("directory")) {
            path = dir.path();
        } else if (kind == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(path.toLocal8Bit().constData(), 0644), 0);
        }
        const auto times = platform::readFileTimes(fs(path));
        QVERIFY(!times.opened);
        QVERIFY(!times.created && !times.accessed && !times.modified);
    }

    void writeStamps() {
        QTemporaryDir dir;
        const QString path = makeFile(dir, QStringLiteral("w.txt"));
        setTimes(path, 1000000000, 0, 1100000000, 0);
        // Only the modification time changes; the access time is left alone.
        QVERIFY(platform::writeFileTimes(fs(path), std::nullopt, std::nullopt,
                                         SystemTime{1975, 3, 5, 10, 0, 0}));
        QCOMPARE(statOf(path).st_mtim.tv_sec, 163245600);
        QCOMPARE(statOf(path).st_atim.tv_sec, 1000000000);
        QVERIFY(platform::writeFileTimes(fs(path), std::nullopt, SystemTime{2020, 1, 2, 3, 4, 5},
                                         std::nullopt));
        QCOMPARE(statOf(path).st_atim.tv_sec, 1577934245);
        QCOMPARE(statOf(path).st_mtim.tv_sec, 163245600);
    }

    void writeRefusedForReadOnly() {
        QTemporaryDir dir;
        const QString path = makeFile(dir, QStringLiteral("ro.txt"));
        setTimes(path, 1000000000, 0, 1000000000, 0);
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        QVERIFY(!platform::writeFileTimes(fs(path), std::nullopt, SystemTime{2020, 1, 1, 0, 0, 0},
                                          SystemTime{2020, 1, 1, 0, 0, 0}));
        QCOMPARE(statOf(path).st_mtim.tv_sec, 1000000000);
        QCOMPARE(statOf(path).st_atim.tv_sec, 1000000000);
    }

    // Years that ext4 clamps go through on tmpfs exactly.
    void writeOldYearOnTmpfs() {
        const QString shm = tmpfsFolder();
        if (shm.isEmpty()) QSKIP("no tmpfs folder (/dev/shm) on this machine");
        QTemporaryDir dir(shm + QStringLiteral("/chronodex-XXXXXX"));
        QVERIFY(dir.isValid());
        const QString path = makeFile(dir, QStringLiteral("old.txt"));
        const SystemTime old{1850, 6, 15, 10, 30, 0};
        QVERIFY(platform::writeFileTimes(fs(path), std::nullopt, old, old));
        const auto times = platform::readFileTimes(fs(path));
        QCOMPARE(*times.modified, old);
        QCOMPARE(*times.accessed, old);
    }
};

QTEST_GUILESS_MAIN(tst_Platform)
#include "tst_platform.moc"
