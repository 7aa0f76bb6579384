// Selecting an entry shows the object's path, name, size and stamps, and loads the stamps
// into the editor rows; "Set time to now" and "Reset time values" refill the ticked rows.
#include "format.h"
#include "frm_MainWindow.h"
#include "selection.h"
#include "twips.h"

#include "dialogdriver.h"
#include "filehelpers.h"
#include "windowprobe.h"

#include <QDir>
#include <QtTest>

using namespace chronodex;
using namespace chronodex::testing;

namespace {

const QDateTime pinnedNow(QDate(2026, 3, 3), QTime(9, 5, 7));

QStringList fields(int d, int mo, int y, int h, int mi, int s) {
    return {QString::number(d), QString::number(mo), QString::number(y),
            QString::number(h), QString::number(mi), QString::number(s)};
}

// The birth time the file system reports for a path, as the program shows it; NoDate where
// the file system keeps none.
DateTime birthOf(const QString& path, int noDateHour = 0) {
    const QDateTime t = stampOf(path, QFileDevice::FileBirthTime);
    if (!t.isValid()) return NoDate(noDateHour); // a directory's failed read gives 01:00
    return DateTime{t.date().year(), t.date().month(),  t.date().day(),
                    t.time().hour(), t.time().minute(), t.time().second()};
}

} // namespace

class tst_Selection : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(); }
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void normalFile() {
        QTemporaryDir dir;
        const QString path = makeFile(dir, QStringLiteral("report.txt"), 4096);
        QVERIFY(
            setStamps(path, utcSeconds(2024, 3, 3, 14, 5, 9), utcSeconds(2023, 12, 31, 0, 30, 0)));
        frm_MainWindow w(pinnedOptions(pinnedNow));
        listPaths(w, {path});

        QCOMPARE(caption(w, "lab_FilePath"), QStringLiteral("File path:"));
        QCOMPARE(boxText(w, "txt_FilePathValue"),
                 QLatin1Char(' ') + nativePath(dir.path()) + QLatin1Char(' '));
        QCOMPARE(boxText(w, "txt_FileNameValue"), QStringLiteral(" report.txt "));
        QCOMPARE(caption(w, "lab_OSize"), QStringLiteral(" File size:"));
        QCOMPARE(caption(w, "lab_OSizeValue"), QStringLiteral(" 4,096 bytes"));
        QCOMPARE(caption(w, "lab_OModfiedValue"), QStringLiteral(" 31/12/2023, 12:30:00am"));
        QCOMPARE(caption(w, "lab_OAccessedValue"), QStringLiteral(" 3/03/2024, 2:05:09pm"));
        QCOMPARE(caption(w, "lab_OCreatedValue"), stampText(birthOf(path)));
        for (const char* name : {"lab_OCreatedValue", "lab_OModfiedValue", "lab_OAccessedValue"})
            QVERIFY(label(w, name)->isEnabled());
        QVERIFY(newValuesShown(w));
        QCOMPARE(w.clientHeightTwips(), 5640 + 2535 + 128);
        QCOMPARE(rowTexts(w, Modified), fields(31, 12, 2023, 0, 30, 0));
        QCOMPARE(rowTexts(w, Accessed), fields(3, 3, 2024, 14, 5, 9));
        for (StampKind k : AllStampKinds)
            QCOMPARE(w.row(k).check->checkState(), Qt::Checked);
        QVERIFY(button(w, "com_UptateTimestamp")->isEnabled());
        QCOMPARE(w.windowTitle(), QStringLiteral("Chronodex - One file, no directories ticked."));
    }

    // Where creation stamps cannot be written, the Created row shows the value, unticked.
    void createdRowWhereItCannotBeWritten() {
        QTemporaryDir dir;
        const QString path = makeFile(dir, QStringLiteral("a.txt"));
        frm_MainWindow w(pinnedOptions(pinnedNow, false));
        listPaths(w, {path});
        QCOMPARE(w.row(Created).check->checkState(), Qt::Unchecked);
        QVERIFY(!w.row(Created).check->isEnabled());
        QVERIFY(!w.row(Created).fields[Day]->isEnabled());
        const DateTime born = birthOf(path);
        QCOMPARE(rowTexts(w, Created),
                 fields(born.day, born.month, born.year, born.hour, born.minute, born.second));
        QCOMPARE(w.row(Modified).check->checkState(), Qt::Checked);
    }

    void emptyFile() {
        QTemporaryDir dir;
        frm_MainWindow w(pinnedOptions(pinnedNow));
        listPaths(w, {makeFile(dir, QStringLiteral("empty"))});
        QCOMPARE(caption(w, "lab_OSizeValue"), QStringLiteral(" 0 bytes"));
    }

    // Stamps that are not written: a read-only file shows them, a pipe has none; the rows
    // close for both.
    void unwritableStamps_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("modified");
        QTest::newRow("read-only file") << "readonly"
                                        << " 10 bytes"
                                        << " 3/02/2001, 4:05:06am";
        if (platform::testing::hasFifos())
            QTest::newRow("fifo") << "fifo"
                                  << " N/A"
                                  << " N/A ";
    }
    void unwritableStamps() {
        QFETCH(QString, kind);
        QFETCH(QString, size);
        QFETCH(QString, modified);
        QTemporaryDir dir;
        QString path = nativePath(dir.filePath(QStringLiteral("x")));
        if (kind == QLatin1String("readonly")) {
            path = makeFile(dir, QStringLiteral("x"), 10);
            const qint64 t = utcSeconds(2001, 2, 3, 4, 5, 6);
            QVERIFY(setStamps(path, t, t));
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        } else {
            QVERIFY(platform::testing::makeFifo(fsPath(path)));
        }
        frm_MainWindow w(pinnedOptions(pinnedNow));
        listPaths(w, {makeFile(dir, QStringLiteral("first"))});
        QVERIFY(newValuesShown(w));
        setTick(w, 0, false);
        listPaths(w, {path});
        QCOMPARE(caption(w, "lab_OSizeValue"), size);
        QCOMPARE(caption(w, "lab_OModfiedValue"), modified);
        QCOMPARE(caption(w, "lab_OAccessedValue"), modified);
        QCOMPARE(label(w, "lab_OModfiedValue")->isEnabled(), modified != QStringLiteral(" N/A "));
        for (StampKind k : AllStampKinds) {
            QCOMPARE(rowTexts(w, k), QStringList(6, QStringLiteral(" - ")));
            QCOMPARE(w.row(k).check->checkState(), Qt::Unchecked);
        }
        QVERIFY(!newValuesShown(w));
        QCOMPARE(w.clientHeightTwips(), 5640);
        QVERIFY(!button(w, "com_UptateTimestamp")->isEnabled());
    }

    void hiddenFile() {
        QTemporaryDir dir;
        const QString path = makeFile(dir, QStringLiteral(".hidden"), 5);
        QVERIFY(setStamps(path, utcSeconds(2020, 1, 1), utcSeconds(2021, 2, 2)));
        frm_MainWindow w(pinnedOptions(pinnedNow));
        listPaths(w, {path});
        QCOMPARE(caption(w, "lab_OSizeValue"), QStringLiteral(" N/A"));
        QVERIFY(!label(w, "lab_OSizeValue")->isEnabled());
        QCOMPARE(caption(w, "lab_OModfiedValue"), QStringLiteral(" 2/02/2021, 12:00:00am"));
        QVERIFY(newValuesShown(w));
    }

    void directory() {
        QTemporaryDir dir;
        frm_MainWindow w(pinnedOptions(pinnedNow));
        listPaths(w, {nativePath(dir.path())});
        QCOMPARE(caption(w, "lab_FilePath"), QStringLiteral("Directory:"));
        QCOMPARE(boxText(w, "txt_FilePathValue"),
                 QLatin1Char(' ') + nativePath(dir.path()) + QLatin1Char(' '));
        QCOMPARE(boxText(w, "txt_FileNameValue"), QStringLiteral(" - "));
        QVERIFY(!w.findChild<QPlainTextEdit*>(QStringLiteral("txt_FileNameValue"))->isEnabled());
        QCOMPARE(caption(w, "lab_OSize"), QStringLiteral("Directory size:"));
        QCOMPARE(caption(w, "lab_OSizeValue"), QStringLiteral(" N/A"));
        const DateTime born = birthOf(dir.path(), 1);
        QCOMPARE(caption(w, "lab_OCreatedValue"), stampText(born));
        QCOMPARE(caption(w, "lab_OModfiedValue"), QStringLiteral(" N/A "));
        QCOMPARE(rowTexts(w, Created),
                 fields(born.day, born.month, born.year, born.hour, born.minute, born.second));
        QCOMPARE(rowTexts(w, Modified), fields(4, 9, 1752, 0, 0, 0));
        QCOMPARE(rowTexts(w, Accessed), fields(4, 9, 1752, 0, 0, 0));
        for (StampKind k : AllStampKinds)
            QCOMPARE(w.row(k).check->checkState(), Qt::Checked);
        QVERIFY(newValuesShown(w));
    }

    // A deleted entry shows its own path and name, no size and no stamps, and hides the rows.
    void vanishedEntryShowsItself() {
        QTemporaryDir dir;
        const QString a = makeFile(dir, QStringLiteral("a.txt"), 1);
        const QString b = makeFile(dir, QStringLiteral("b.txt"), 2);
        frm_MainWindow w(pinnedOptions(pinnedNow));
        listPaths(w, {a, b});
        QVERIFY(QFile::remove(b));
        setTick(w, 1, false); // b is gone; untick it
        setTick(w, 0, false);
        QCOMPARE(w.windowTitle(), QStringLiteral("Chronodex - No file, no directories ticked."));
        clickEntry(w, 1);
        QCOMPARE(boxText(w, "txt_FilePathValue"),
                 QLatin1Char(' ') + nativePath(dir.path()) + QLatin1Char(' '));
        QCOMPARE(boxText(w, "txt_FileNameValue"), QStringLiteral(" b.txt "));
        QCOMPARE(caption(w, "lab_OSizeValue"), QStringLiteral(" N/A"));
        QVERIFY(!label(w, "lab_OSizeValue")->isEnabled());
        for (const char* name : {"lab_OCreatedValue", "lab_OModfiedValue", "lab_OAccessedValue"}) {
            QCOMPARE(caption(w, name), QStringLiteral(" N/A "));
            QVERIFY(!label(w, name)->isEnabled());
        }
        QVERIFY(!newValuesShown(w));
        for (StampKind k : AllStampKinds)
            QCOMPARE(w.row(k).check->checkState(), Qt::Unchecked);
        QCOMPARE(w.windowTitle(), QStringLiteral("Chronodex - No file, no directories ticked."));
        QVERIFY(!button(w, "com_UptateTimestamp")->isEnabled()); // recomputed: nothing ticked
    }

    void exactStamps_data() {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<long>("nsec");
        QTest::addColumn<QString>("shown");
        QTest::newRow("1850") << utcSeconds(1850, 6, 15, 10, 30, 0) << 0L
                              << " 15/06/1850, 10:30:00am";
        QTest::newRow("fraction truncated")
            << utcSeconds(2024, 5, 6, 10, 20, 30) << 999999999L << " 6/05/2024, 10:20:30am";
        QTest::newRow("no-date day") << utcSeconds(1752, 9, 4, 15, 0, 0) << 0L << " N/A ";
    }
    void exactStamps() {
        QFETCH(qint64, seconds);
        QFETCH(long, nsec);
        QFETCH(QString, shown);
        auto dir = anyYearDir();
        if (!dir)
            QSKIP(
                "no folder whose file system holds the year 1850 (on Linux: a tmpfs at /dev/shm)");
        const QString path = makeFile(*dir, QStringLiteral("s"));
        QVERIFY(setStamps(path, seconds, seconds, nsec));
        frm_MainWindow w(pinnedOptions(pinnedNow));
        listPaths(w, {path});
        QCOMPARE(caption(w, "lab_OModfiedValue"), shown);
        QCOMPARE(caption(w, "lab_OAccessedValue"), shown);
    }

    void yearBeyond9999ShowsTheErrorBox() {
        auto dir = anyYearDir();
        if (!dir)
            QSKIP(
                "no folder whose file system holds the year 1850 (on Linux: a tmpfs at /dev/shm)");
        const QString path = makeFile(*dir, QStringLiteral("future"));
        QVERIFY(setStamps(path, utcSeconds(2020, 1, 1), utcSeconds(30000, 1, 1)));
        frm_MainWindow w(pinnedOptions(pinnedNow));
        auto box = closeNextMessageBox();
        listPaths(w, {path});
        QVERIFY(box->shown);
        QCOMPARE(box->title, QStringLiteral("Chronodex - Get file date error."));
        QVERIFY(box->text.contains(QStringLiteral("\r\nError number: ")));
        QVERIFY(!newValuesShown(w)); // the stamps count as not read
    }

    // "Set time to now" fills the ticked rows from one clock reading; "Reset time values"
    // then refills only the ticked rows, from the stamps on disk at that moment.
    void setTimeToNowThenReset() {
        QTemporaryDir dir;
        const QString path = makeFile(dir, QStringLiteral("a.txt"));
        QVERIFY(setStamps(path, utcSeconds(2000, 1, 1), utcSeconds(2000, 1, 1)));
        frm_MainWindow w(pinnedOptions(pinnedNow));
        listPaths(w, {path});
        w.row(Modified).check->setCheckState(Qt::Unchecked);
        button(w, "com_NowTime")->click();
        QCOMPARE(rowTexts(w, Created), fields(3, 3, 2026, 9, 5, 7));
        QCOMPARE(rowTexts(w, Accessed), fields(3, 3, 2026, 9, 5, 7));
        QCOMPARE(rowTexts(w, Modified), fields(1, 1, 2000, 0, 0, 0));

        w.row(Created).check->setCheckState(Qt::Unchecked);
        QVERIFY(setStamps(path, utcSeconds(2011, 11, 11, 11, 11, 11), utcSeconds(2012, 1, 1)));
        button(w, "com_ResetTime")->click();
        QCOMPARE(rowTexts(w, Accessed), fields(11, 11, 2011, 11, 11, 11));
        QCOMPARE(rowTexts(w, Modified), fields(1, 1, 2000, 0, 0, 0));
        QCOMPARE(rowTexts(w, Created), fields(3, 3, 2026, 9, 5, 7));
    }

    void resetOnDirectoryAndReadOnlyFile() {
        QTemporaryDir dir;
        const QString ro = makeFile(dir, QStringLiteral("ro.txt"));
        frm_MainWindow w(pinnedOptions(pinnedNow));
        listPaths(w, {nativePath(dir.path()), ro});
        button(w, "com_NowTime")->click();
        button(w, "com_ResetTime")->click();
        const DateTime born = birthOf(dir.path(), 1);
        QCOMPARE(rowTexts(w, Created),
                 fields(born.day, born.month, born.year, born.hour, born.minute, born.second));
        QCOMPARE(rowTexts(w, Modified), fields(3, 3, 2026, 9, 5, 7));
        QCOMPARE(rowTexts(w, Accessed), fields(3, 3, 2026, 9, 5, 7));

        // A read-only file: no stamps arrive, so no row changes.
        QVERIFY(QFile::setPermissions(ro, QFile::ReadOwner));
        moveCurrentQuietly(w, 1);
        const QStringList before = rowTexts(w, Created);
        button(w, "com_ResetTime")->click();
        QCOMPARE(rowTexts(w, Created), before);
        QCOMPARE(rowTexts(w, Modified), fields(3, 3, 2026, 9, 5, 7));
    }
};

QTEST_MAIN(tst_Selection)
#include "tst_selection.moc"
