// "Update file date" end to end: real files listed, rows set, dialogs answered, stamps
// read back with stat().
#include "frm_MainWindow.h"

#include "dialogdriver.h"
#include "drops.h"
#include "filehelpers.h"
#include "windowprobe.h"

#include <QDir>
#include <QtTest>

using namespace chronodex;
using namespace chronodex::testing;

namespace {

const qint64 before = utcSeconds(2001, 2, 3, 4, 5, 6);

struct Scene {
    QTemporaryDir dir;
    QStringList files;
    std::unique_ptr<frm_MainWindow> window;

    explicit Scene(int count) {
        for (int i = 0; i < count; ++i) {
            files << makeFile(dir, QStringLiteral("f%1.txt").arg(i), 10);
            setStamps(files.last(), before, before);
        }
        window = std::make_unique<frm_MainWindow>(
            pinnedOptions(QDateTime(QDate(2026, 3, 3), QTime(9, 5, 7)), false));
        dropFiles(window->fileList()->viewport(), files);
    }
    // Only the Modified row ticked, with these texts.
    void modifiedOnly(const QStringList& texts) {
        window->row(Accessed).check->setCheckState(Qt::Unchecked);
        setRowTexts(*window, Modified, texts);
    }
    void update() { button(*window, "com_UptateTimestamp")->click(); }
    qint64 mtime(int i) const { return modifiedSeconds(files[i]); }
    qint64 atime(int i) const { return accessedSeconds(files[i]); }
};

} // namespace

class tst_Write : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(); }
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void confirmation_data() {
        QTest::addColumn<int>("answer"); // button to click, or -1 to let the time run out
        QTest::addColumn<bool>("written");
        QTest::newRow("&OK writes") << 1 << true;
        QTest::newRow("&Cancel writes nothing") << 0 << false;
        QTest::newRow("timed out writes nothing") << -1 << false;
    }
    void confirmation() {
        QFETCH(int, answer);
        QFETCH(bool, written);
        Scene s(2);
        s.modifiedOnly({"5", "3", "1975", "10", "0", "0"});
        auto seen = onNextFlashMessage(answer >= 0 ? clickButton(answer) : runOutTimer);
        s.update();
        QVERIFY(seen->shown);
        QCOMPARE(seen->title, QStringLiteral("Chronodex - Bad date"));
        QCOMPARE(seen->message,
                 QStringLiteral("Warning:\r\nModfied date 5/03/1975, 10:00:00am\r\nDates "
                                "before 1980 will not display the date in Windows "
                                "Explorer.\r\nSet the new date anyway?"));
        QCOMPARE(seen->buttons, QStringList({"&Cancel", "&OK", "", ""}));
        QCOMPARE(seen->timer, 5000);
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(s.mtime(i), written ? utcSeconds(1975, 3, 5, 10, 0, 0) : before);
            QCOMPARE(s.atime(i), before); // the access stamp is left alone
        }
    }

    void refusedBefore1601() {
        Scene s(1);
        s.modifiedOnly({"1", "1", "1500", "0", "0", "0"});
        auto seen = onNextFlashMessage(clickButton(0));
        s.update();
        QCOMPARE(seen->message,
                 QStringLiteral("Note:\r\nModfied date 1/01/1500, 12:00:00am\r\nDates "
                                "before 1601 can not be set with Windows.\r\nCan't "
                                "set the new date."));
        QCOMPARE(seen->buttons, QStringList({"&OK", "", "", ""}));
        QCOMPARE(s.mtime(0), before);
    }

    void fieldThatCannotMakeADate() {
        Scene s(1);
        s.modifiedOnly({"1", "1", "2024", "25", "0", "0"});
        auto seen = onNextFlashMessage(clickButton(0));
        s.update();
        QCOMPARE(seen->title, QStringLiteral("Chronodex - Bad date"));
        QVERIFY(seen->message.contains(QStringLiteral("Modfied date, hour: \"25\"")));
        QCOMPARE(s.mtime(0), before);
    }

    // Dates between 1980 and 2107 are written at once, to ticked entries only.
    void onlyTickedEntries() {
        Scene s(3);
        setTick(*s.window, 1, false);
        s.modifiedOnly({"30", "4", "2024", "13", "14", "15"});
        s.window->row(Accessed).check->setCheckState(Qt::Checked);
        setRowTexts(*s.window, Accessed, {"2", "2", "2022", "2", "2", "2"});
        const auto seen = onNextFlashMessage(clickButton(0), 300);
        s.update();
        QVERIFY(!seen->shown); // everything written: nothing to say
        for (int i : {0, 2}) {
            QCOMPARE(s.mtime(i), utcSeconds(2024, 4, 30, 13, 14, 15));
            QCOMPARE(s.atime(i), utcSeconds(2022, 2, 2, 2, 2, 2));
        }
        QCOMPARE(s.mtime(1), before);
        QCOMPARE(s.atime(1), before);
        // The display follows the disk; the rows keep what was typed.
        QCOMPARE(currentEntry(*s.window), 0);
        QCOMPARE(caption(*s.window, "lab_OModfiedValue"), QStringLiteral(" 30/04/2024, 1:14:15pm"));
        QCOMPARE(caption(*s.window, "lab_OAccessedValue"), QStringLiteral(" 2/02/2022, 2:02:02am"));
        QCOMPARE(rowTexts(*s.window, Modified), QStringList({"30", "4", "2024", "13", "14", "15"}));
    }

    // What the user types is local time: the file gets the instant that the local time
    // names in the user's zone, by the rules of that date, and shows it again as typed.
    void localTime_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<qint64>("utc");
        QTest::addColumn<bool>("tmpfs"); // a year that ext4 cannot hold
        const QByteArray ny = "America/New_York";
        QTest::newRow("New York summer") << ny << QStringList{"1", "7", "2026", "9", "5", "0"}
                                         << utcSeconds(2026, 7, 1, 13, 5, 0) << false;
        QTest::newRow("New York winter") << ny << QStringList{"15", "1", "2026", "9", "5", "0"}
                                         << utcSeconds(2026, 1, 15, 14, 5, 0) << false;
        QTest::newRow("New York repeated hour, first")
            << ny << QStringList{"1", "11", "2026", "1", "30", "0"}
            << utcSeconds(2026, 11, 1, 5, 30, 0) << false;
        QTest::newRow("New York 1850") << ny << QStringList{"15", "6", "1850", "10", "30", "0"}
                                       << utcSeconds(1850, 6, 15, 15, 26, 2) << true;
        QTest::newRow("New York 9999") << ny << QStringList{"1", "7", "9999", "12", "0", "0"}
                                       << utcSeconds(9999, 7, 1, 16, 0, 0) << true;
        QTest::newRow("London summer")
            << QByteArray("Europe/London") << QStringList{"1", "7", "2026", "12", "0", "0"}
            << utcSeconds(2026, 7, 1, 11, 0, 0) << false;
        QTest::newRow("Adelaide summer")
            << QByteArray("Australia/Adelaide") << QStringList{"15", "1", "2026", "12", "0", "0"}
            << utcSeconds(2026, 1, 15, 1, 30, 0) << false;
        QTest::newRow("Adelaide winter")
            << QByteArray("Australia/Adelaide") << QStringList{"1", "7", "2026", "12", "0", "0"}
            << utcSeconds(2026, 7, 1, 2, 30, 0) << false;
    }
    void localTime() {
        QFETCH(QByteArray, zone);
        QFETCH(QStringList, texts);
        QFETCH(qint64, utc);
        QFETCH(bool, tmpfs);
        if (const QString why = ZoneScope::unavailable(zone); !why.isEmpty())
            QSKIP(qPrintable(why));
        ZoneScope scope(zone);
        auto shm = tmpfs ? anyYearDir() : std::make_unique<QTemporaryDir>();
        if (!shm)
            QSKIP(
                "no folder whose file system holds the year 1850 (on Linux: a tmpfs at /dev/shm)");
        const QString path = makeFile(*shm, QStringLiteral("f.txt"));
        frm_MainWindow w(pinnedOptions(QDateTime(QDate(2026, 3, 3), QTime(9, 5, 7)), false));
        dropFiles(w.fileList()->viewport(), {path});
        w.row(Accessed).check->setCheckState(Qt::Unchecked);
        setRowTexts(w, Modified, texts);
        const auto answered =
            onNextFlashMessage(clickButton(1), 300); // the Explorer question of far years
        button(w, "com_UptateTimestamp")->click();
        QCOMPARE(modifiedSeconds(path), utc);
        // Selected again, the file shows the local time that was typed.
        clickEntry(w, -1);
        clickEntry(w, 0);
        QCOMPARE(rowTexts(w, Modified), texts);
    }

    // "Set time to now" writes now, whatever the zone.
    void nowWritesThisInstant() {
        if (const QString why = ZoneScope::unavailable("America/New_York"); !why.isEmpty())
            QSKIP(qPrintable(why));
        ZoneScope scope("America/New_York");
        const QDateTime now(QDate(2026, 3, 3), QTime(9, 5, 7)); // local, in New York
        Scene s(1);
        frm_MainWindow w(pinnedOptions(now, false));
        dropFiles(w.fileList()->viewport(), {s.files[0]});
        button(w, "com_NowTime")->click();
        button(w, "com_UptateTimestamp")->click();
        QCOMPARE(modifiedSeconds(s.files[0]), now.toSecsSinceEpoch());
        QCOMPARE(accessedSeconds(s.files[0]), now.toSecsSinceEpoch());
        QCOMPARE(now.toSecsSinceEpoch(), utcSeconds(2026, 3, 3, 14, 5, 7));
    }

    void skippedHourWritesNothing() {
        if (const QString why = ZoneScope::unavailable("America/New_York"); !why.isEmpty())
            QSKIP(qPrintable(why));
        ZoneScope scope("America/New_York");
        Scene s(1);
        s.modifiedOnly({"8", "3", "2026", "2", "30", "0"});
        auto seen = onNextFlashMessage(clickButton(0));
        s.update();
        QVERIFY(seen->shown);
        QCOMPARE(seen->title, QStringLiteral("Chronodex - Bad date"));
        QVERIFY(seen->message.contains(QStringLiteral("Modfied date, hour: \"2\"")));
        QCOMPARE(s.mtime(0), before);
    }

    // Every ticked entry is written first; then one report names, in the list's order, each
    // entry that was not written and why. The selected entry shows what it now has on disk.
    void reportOfWhatWasNotWritten() {
        auto shm = anyYearDir();
        if (!shm)
            QSKIP(
                "no folder whose file system holds the year 1850 (on Linux: a tmpfs at /dev/shm)");
        QTemporaryDir ext;
        if (holdsYear1850(ext.path()))
            QSKIP("the temporary folder holds the year 1850 (as NTFS does), so no write there "
                  "fails for its date");
        const QString onTmpfs = makeFile(*shm, QStringLiteral("tmpfs.txt"));
        const QString readOnly = makeFile(ext, QStringLiteral("ro.txt"));
        const QString gone = makeFile(ext, QStringLiteral("gone.txt"));
        const QString sub = nativePath(ext.filePath(QStringLiteral("sub")));
        const QString onExt4 = makeFile(ext, QStringLiteral("ext4.txt"));
        QVERIFY(QDir().mkpath(sub));
        for (const QString& p : {onTmpfs, readOnly, onExt4})
            QVERIFY(setStamps(p, before, before));
        QVERIFY(QFile::setPermissions(readOnly, QFile::ReadOwner));
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime(), false));
        listPaths(w, {onTmpfs, readOnly, gone, sub, onExt4});
        setTick(w, 3, true); // the directory, ticked by hand
        QVERIFY(QFile::remove(gone));
        clickEntry(w, 0);
        w.row(Accessed).check->setCheckState(Qt::Unchecked);
        setRowTexts(w, Modified, {"15", "6", "1850", "10", "30", "0"});

        std::shared_ptr<SeenDialog> report;
        const auto question = onNextFlashMessage([&report](frm_FlashMessage* dlg) {
            report = onNextFlashMessage(clickButton(0));
            dlg->button(1)->click(); // "&OK" to the Explorer question
        });
        button(w, "com_UptateTimestamp")->click();
        QVERIFY(question->shown);
        QVERIFY(report && report->shown);
        QCOMPARE(report->title, QStringLiteral("Chronodex - Not written"));
        QCOMPARE(report->message,
                 QStringLiteral("4 of 5 ticked entries were not written:\r\n"
                                "\tro.txt: the file is read-only.\r\n"
                                "\tgone.txt: it no longer exists.\r\n"
                                "\tsub: it is a directory (this program writes the dates of "
                                "files only).\r\n"
                                "\text4.txt: the file system cannot hold that date."));
        QCOMPARE(report->buttons, QStringList({"&OK", "", "", ""}));
        QCOMPARE(report->timer, 0); // it waits to be read

        const qint64 asked = utcSeconds(1850, 6, 15, 10, 30, 0);
        QCOMPARE(modifiedSeconds(onTmpfs), asked);
        for (const QString& p : {readOnly, onExt4})
            QCOMPARE(modifiedSeconds(p), before); // put back, never left clamped
        QCOMPARE(caption(w, "lab_OModfiedValue"), QStringLiteral(" 15/06/1850, 10:30:00am"));
        QCOMPARE(rowTexts(w, Modified), QStringList({"15", "6", "1850", "10", "30", "0"}));
    }

    // A read-only file shows its stamps; its rows stay closed, as for any file not written.
    void readOnlyFileShowsItsStamps() {
        Scene s(2);
        QVERIFY(QFile::setPermissions(s.files[1], QFile::ReadOwner));
        clickEntry(*s.window, 1);
        QCOMPARE(caption(*s.window, "lab_OModfiedValue"), QStringLiteral(" 3/02/2001, 4:05:06am"));
        QVERIFY(label(*s.window, "lab_OModfiedValue")->isEnabled());
        QVERIFY(!newValuesShown(*s.window));
    }

    void exactOldDateOnTmpfs() {
        auto dir = anyYearDir();
        if (!dir)
            QSKIP(
                "no folder whose file system holds the year 1850 (on Linux: a tmpfs at /dev/shm)");
        const QString path = makeFile(*dir, QStringLiteral("old.txt"));
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime(), false));
        dropFiles(w.fileList()->viewport(), {path});
        w.row(Accessed).check->setCheckState(Qt::Unchecked);
        setRowTexts(w, Modified, {"15", "6", "1850", "10", "30", "0"});
        const auto answered = onNextFlashMessage(clickButton(1));
        button(w, "com_UptateTimestamp")->click();
        QCOMPARE(modifiedSeconds(path), utcSeconds(1850, 6, 15, 10, 30, 0));
    }
};

QTEST_MAIN(tst_Write)
#include "tst_write.moc"
