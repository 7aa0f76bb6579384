// The Linux file facilities on real files: calendar conversions, attributes, lengths and
// the objects the stamp reader refuses. Reading and writing stamps is tested through the
// window (tst_selection, tst_write).
#include "platform/civil.h"
#include "platform/files.h"
#include "platform/localtime.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

using platform::SystemTime;

namespace {

SystemTime parse(const QString& text) {
    const QDateTime d = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return SystemTime{d.date().year(), d.date().month(),  d.date().day(),
                      d.time().hour(), d.time().minute(), d.time().second()};
}

// Runs with the process in a time zone, then back in the one it had.
class ZoneScope {
  public:
    explicit ZoneScope(const QByteArray& zone) : old_(qgetenv("TZ")) {
        qputenv("TZ", zone);
        ::tzset();
    }
    ~ZoneScope() {
        qputenv("TZ", old_);
        ::tzset();
    }

  private:
    QByteArray old_;
};

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

} // namespace

class tst_Platform : public QObject {
    Q_OBJECT

  private slots:
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
        if (!QFile::exists(QStringLiteral("/usr/share/zoneinfo/") + QString::fromLatin1(zone)))
            QSKIP("the time-zone database (tzdata) is not installed");
        ZoneScope scope(zone);
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

    // Read-only files and FIFOs are refused through the window (tst_selection).
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
