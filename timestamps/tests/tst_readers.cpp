// Reading a file's stamps without opening it for writing, the stamps the program cannot
// show, drive roots, and the writer's outcome as PutFileDates hands it on.
#include "readers.h"
#include "update.h"

#include "dialogdriver.h"
#include "stampedfiles.h"

#include <QtTest>

using namespace chronodex;
using namespace chronodex::testing;

class tst_Readers : public QObject {
    Q_OBJECT

  private slots:
    // A stamp before the year 100 or after 9999 cannot be shown: both readers fail with a
    // message that says which way it lies (the extremes are the system's, the others the
    // program's); the years at the edges are read.
    void unshowableYears_data() {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("lies"); // empty: read without a message
        QTest::newRow("year 50") << utcSeconds(50, 6, 1) << QString("before the year 100");
        QTest::newRow("before the year 1")
            << qint64(-62198755200) << QString("before the year 100");
        QTest::newRow("year 10000") << utcSeconds(10000, 1, 1) << QString("after the year 9999");
        QTest::newRow("after the year 30827")
            << (qint64(1) << 45) << QString("after the year 9999");
        QTest::newRow("first day of 100") << utcSeconds(100, 1, 1) << QString();
        QTest::newRow("last second of 9999") << utcSeconds(9999, 12, 31, 23, 59, 59) << QString();
    }
    void unshowableYears() {
        QFETCH(qint64, seconds);
        QFETCH(QString, lies);
        if (!platform::testing::fileTimesHold(seconds))
            QSKIP("Windows file times hold only the years 1601 to 30827");
        auto dir = anyYearDir();
        if (!dir) QSKIP("no folder that holds the year 1850 (on Linux: a tmpfs at /dev/shm)");
        const QString path = stampedFiles(*dir, {"far"}, {{utcSeconds(2020, 1, 1), seconds}})[0];
        for (bool writerView : {false, true}) {
            const auto box = lies.isEmpty() ? nullptr : closeNextMessageBox();
            FileDates dates;
            if (writerView)
                dates.read = GetFileDates(path, dates.created, dates.modified, dates.accessed);
            else
                dates = ReadFileDates(path);
            QCOMPARE(dates.read, lies.isEmpty());
            const DateTime& m = dates.modified;
            if (dates.read) {
                QCOMPARE(utcSeconds(m.year, m.month, m.day, m.hour, m.minute, m.second), seconds);
                continue;
            }
            QVERIFY(box->shown);
            QCOMPARE(box->title, QStringLiteral("Chronodex - Get file date error."));
            QVERIFY2(box->text.startsWith("A time stamp of this file lies " + lies),
                     qPrintable(box->text));
        }
    }

    // A read-only file's stamps are read; the window still treats the file as unreadable
    // for editing (GetFileDates), as it may not be written. A folder is not read; the root
    // has no creation date of its own. PutFileDates writes only what is not NoDate.
    void filesAndFolders() {
        QTemporaryDir dir;
        const Stamps before{utcSeconds(2024, 3, 3, 14, 5, 9), utcSeconds(2023, 12, 31)};
        const QStringList paths = stampedFiles(dir, {"ro.txt", "w.txt"}, {before, before});
        QVERIFY(QFile::setPermissions(paths[0], QFile::ReadOwner | QFile::ReadGroup));
        const FileDates dates = ReadFileDates(paths[0]);
        QVERIFY(dates.read && !dates.writable);
        QCOMPARE(dates.modified, (DateTime{2023, 12, 31, 0, 0, 0}));
        QCOMPARE(dates.accessed, (DateTime{2024, 3, 3, 14, 5, 9}));
        DateTime created, modified, accessed;
        QVERIFY(!GetFileDates(paths[0], created, modified, accessed));
        QCOMPARE(modified, NoDate(0));
        const FileDates folder = ReadFileDates(dir.path());
        QVERIFY(!folder.read && !folder.writable);
        QCOMPARE(folder.modified, NoDate(0));
        QCOMPARE(GetDirectoryCreated(QStringLiteral("/")), NoDate(1));
        QCOMPARE(GetDirectoryCreated(dir.path() + '/'), GetDirectoryCreated(dir.path()));

        const auto out = PutFileDates(paths[1], NoDate(1), {2024, 5, 6, 7, 8, 9}, NoDate(1));
        QVERIFY(out.written() && out.created == platform::StampWrite::NotAsked);
        QCOMPARE(stampsOf(paths[1]), (Stamps{before.accessed, utcSeconds(2024, 5, 6, 7, 8, 9)}));
    }
};

QTEST_MAIN(tst_Readers)
#include "tst_readers.moc"
