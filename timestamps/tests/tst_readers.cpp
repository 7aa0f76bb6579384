// Reading a file's stamps without opening it for writing, the stamps the program cannot
// show, drive roots, and the writer's outcome as PutFileDates hands it on.
#include "readers.h"
#include "update.h"

#include "dialogdriver.h"
#include "filehelpers.h"

#include <QDir>
#include <QtTest>

using namespace chronodex;
using namespace chronodex::testing;

class tst_Readers : public QObject {
    Q_OBJECT

  private slots:
    // A stamp before the year 100 or after 9999 cannot be shown: the reader fails with a
    // message that says which way it lies; the years at the edges are read.
    void unshowableYears_data() {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("message"); // empty: read without a message
        const QString before = QStringLiteral("A time stamp of this file lies before the year 100");
        const QString after = QStringLiteral("A time stamp of this file lies after the year 9999");
        QTest::newRow("year 50") << utcSeconds(50, 6, 1) << before;
        QTest::newRow("before the year 1") << qint64(-62198755200) << before;
        QTest::newRow("year 10000") << utcSeconds(10000, 1, 1) << after;
        QTest::newRow("after the year 30827") << (qint64(1) << 45) << after;
        QTest::newRow("first day of 100") << utcSeconds(100, 1, 1) << QString();
        QTest::newRow("last second of 9999") << utcSeconds(9999, 12, 31, 23, 59, 59) << QString();
    }
    void unshowableYears() {
        QFETCH(qint64, seconds);
        QFETCH(QString, message);
        if (!platform::testing::fileTimesHold(seconds))
            QSKIP("Windows file times hold only the years 1601 to 30827");
        auto dir = anyYearDir();
        if (!dir)
            QSKIP(
                "no folder whose file system holds the year 1850 (on Linux: a tmpfs at /dev/shm)");
        const QString path = makeFile(*dir, QStringLiteral("far"));
        QVERIFY(setStamps(path, utcSeconds(2020, 1, 1), seconds));
        const QDateTime asked = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);

        for (bool writerView : {false, true}) {
            std::shared_ptr<SeenBox> box;
            if (!message.isEmpty()) box = closeNextMessageBox();
            bool read = false;
            DateTime modified;
            if (writerView) {
                DateTime created, accessed;
                read = GetFileDates(path, created, modified, accessed);
            } else {
                const FileDates dates = ReadFileDates(path);
                QVERIFY(dates.writable);
                read = dates.read;
                modified = dates.modified;
            }
            QCOMPARE(read, message.isEmpty());
            if (message.isEmpty()) {
                QCOMPARE(modified, (DateTime{asked.date().year(), asked.date().month(),
                                             asked.date().day(), asked.time().hour(),
                                             asked.time().minute(), asked.time().second()}));
                continue;
            }
            QVERIFY(box->shown);
            QCOMPARE(box->title, QStringLiteral("Chronodex - Get file date error."));
            QVERIFY2(box->text.startsWith(message), qPrintable(box->text));
        }
    }

    // A read-only file's stamps are read; the window still treats the file as unreadable
    // for editing (GetFileDates), as it may not be written.
    void readOnlyFile() {
        QTemporaryDir dir;
        const QString path = makeFile(dir, QStringLiteral("ro.txt"));
        QVERIFY(setStamps(path, utcSeconds(2024, 3, 3, 14, 5, 9), utcSeconds(2023, 12, 31)));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        const FileDates dates = ReadFileDates(path);
        QVERIFY(dates.read);
        QVERIFY(!dates.writable);
        QCOMPARE(dates.modified, (DateTime{2023, 12, 31, 0, 0, 0}));
        QCOMPARE(dates.accessed, (DateTime{2024, 3, 3, 14, 5, 9}));
        DateTime created, modified, accessed;
        QVERIFY(!GetFileDates(path, created, modified, accessed));
        QCOMPARE(modified, NoDate(0));
    }

    void notFiles() {
        QTemporaryDir dir;
        for (const QString& path : {dir.path(), dir.filePath(QStringLiteral("missing"))}) {
            const FileDates dates = ReadFileDates(path);
            QVERIFY(!dates.read && !dates.writable);
            QCOMPARE(dates.modified, NoDate(0));
        }
    }

    // The root has no creation date of its own.
    void rootHasNoCreationDate() {
        QCOMPARE(GetDirectoryCreated(QStringLiteral("/")), NoDate(1));
        QTemporaryDir dir;
        QCOMPARE(GetDirectoryCreated(dir.path() + QLatin1Char('/')),
                 GetDirectoryCreated(dir.path()));
    }

    // PutFileDates hands on the writer's outcome; a NoDate value is not asked for.
    void putFileDatesOutcome() {
        QTemporaryDir dir;
        const QString path = makeFile(dir, QStringLiteral("w.txt"));
        const DateTime when{2024, 5, 6, 7, 8, 9};
        const auto out = PutFileDates(path, NoDate(1), when, NoDate(1));
        QVERIFY(out.written());
        QCOMPARE(out.modified, platform::StampWrite::Written);
        QCOMPARE(out.accessed, platform::StampWrite::NotAsked);
        QCOMPARE(out.created, platform::StampWrite::NotAsked);
        QCOMPARE(modifiedSeconds(path), utcSeconds(2024, 5, 6, 7, 8, 9));
        QVERIFY(QFile::remove(path));
        QCOMPARE(PutFileDates(path, NoDate(1), when, when).failure,
                 platform::WriteFailure::Missing);
    }
};

QTEST_MAIN(tst_Readers)
#include "tst_readers.moc"
