// The Linux file facilities on real files: calendar conversions, attributes, lengths and
// the objects the stamp reader refuses. Reading and writing stamps is tested through the
// window (tst_selection, tst_write).
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

    // Read-only files and FIFOs are refused through the window (tst_selection).
    void readRefusesDirectoriesAndMissingPaths() {
        QTemporaryDir dir;
        for (const QString& path : {dir.path(), dir.filePath(QStringLiteral("missing"))}) {
            const auto times = platform::readFileTimes(fs(path));
            QVERIFY(!times.opened);
            QVERIFY(!times.created && !times.accessed && !times.modified);
        }
    }
};

QTEST_GUILESS_MAIN(tst_Platform)
#include "tst_platform.moc"
