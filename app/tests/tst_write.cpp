// Writing from the window, end to end: real files listed, rows set, dialogs answered, stamps
// read back from the disk. "Update file date", then the Edit menu's commands beyond one date:
// shifting the ticked files' dates, undoing the last command, dates from photos, each exact
// to the nanosecond.
#include "frm_ShiftDates.h"

#include "photofixture.h"
#include "windowprobe.h"

#ifndef _WIN32
#include "drives.h"
#endif

using namespace chronodex;
using namespace chronodex::testing;
namespace pt = platform::testing;

namespace {

// Answers the next dialog, the question about far years, with "&OK" and records the report
// that follows it.
struct OkThenReport {
    std::shared_ptr<SeenDialog> report;
    const std::shared_ptr<SeenDialog> question = onNextFlashMessage([this](frm_FlashMessage* dlg) {
        report = onNextFlashMessage(clickButton(0));
        dlg->button(1)->click();
    });
};

} // namespace

class tst_Write : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(); }
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

#ifndef _WIN32
    // The window on each kind of drive, mounted from an image: a typed odd second on FAT is
    // written and not reported; on NTFS the creation date is shown, tickable, set, undone
    // exactly and kept after mounting again. Mounted read-only, the file says why it cannot
    // be written where its rows would be, and an update that reaches it names that reason.
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
        const bool ntfs = kind == pt::MountedDrive::Ntfs;
        const QString file = QString::fromStdString(drive.path()) + "/f.txt";
        QVERIFY(QFile(file).open(QIODevice::WriteOnly));
        const auto created = platform::readFileTimes(fsPath(file)).created;
        frm_MainWindow w(pinnedOptions());
        listPaths(w, {file, makeFile(dir, "t.txt", 10)});
        QCOMPARE(caption(w, "lab_OCreatedValue") != " N/A ", ntfs);
        QCOMPARE(w.row(Created).check->isEnabled(), ntfs);
        tick(w, 1, false);
        setRowText(w, Created, "5|4|2003|6|7|8");
        w.row(Accessed).check->setCheckState(Qt::Unchecked);
        setRowText(w, Modified, "15|6|2024|10|30|1");
        auto seen = onNextFlashMessage(clickButton(0), 300);
        child<QPushButton>(w, "com_UptateTimestamp")->click();
        QVERIFY2(!seen->shown, qPrintable(seen->message)); // written as the drive keeps it
        const qint64 typed = QDateTime(QDate(2024, 6, 15), QTime(10, 30, 1)).toSecsSinceEpoch();
        QVERIFY2(drive.remount(), drive.why().c_str());
        QCOMPARE(modifiedSeconds(file), kind == pt::MountedDrive::Fat32 ? typed - 1 : typed);
        if (ntfs)
            QCOMPARE(platform::readFileTimes(fsPath(file)).created->seconds,
                     QDateTime(QDate(2003, 4, 5), QTime(6, 7, 8)).toSecsSinceEpoch());
        child<QAction>(w, "menu_EditUndo")->trigger();
        QVERIFY2(drive.remount(true), drive.why().c_str());
        QCOMPARE(platform::readFileTimes(fsPath(file)).created, created);
        clickEntry(w, 1);
        clickEntry(w, 0);
        QCOMPARE(caption(w, "lab_NotWritable"),
                 "This file cannot be written: its drive is read-only or write-protected.");
        clickEntry(w, 1);
        seen = onNextFlashMessage(clickButton(0));
        writeModified(w, "15|6|2024|10|30|0");
        QVERIFY(seen->message.endsWith("\tf.txt: its drive is read-only or write-protected."));
    }
#endif

    // Questions and refusals before anything is written: far years ask (and only "&OK"
    // writes), fields that make no date are refused (the other reasons: tst_dates).
    void questions_data() {
        QTest::addColumn<QString>("date");   // day|month|year|hour|minute|second
        QTest::addColumn<int>("answer");     // button to click, or -1 to let the time run out
        QTest::addColumn<qint64>("written"); // 0: nothing written
        QTest::newRow("1975, &OK") << "5|3|1975|10|0|0" << 1 << utcSeconds(1975, 3, 5, 10, 0, 0);
        QTest::newRow("1975, &Cancel") << "5|3|1975|10|0|0" << 0 << qint64(0);
        QTest::newRow("1975, timed out") << "5|3|1975|10|0|0" << -1 << qint64(0);
        QTest::newRow("hour 25") << "1|1|2024|25|0|0" << 0 << qint64(0);
        QTest::newRow("1500") << "1|1|1500|0|0|0" << 0 << qint64(0);
        QTest::newRow("no date") << "4|9|1752|1|0|0" << 0 << qint64(0);
    }
    void questions() {
        QFETCH(QString, date);
        QFETCH(int, answer);
        QFETCH(qint64, written);
        Desk d;
        const QStringList files = d.make({"a", "b"});
        dropOnList(d.w, files);
        auto seen = onNextFlashMessage(answer >= 0 ? clickButton(answer) : runOutTimer);
        writeModified(d.w, date);
        QVERIFY(seen->shown);
        const bool asks = date.contains(QStringLiteral("1975"));
        const char* why = asks ? "before 1980 will not display the date in Windows Explorer."
                                 "\r\nSet the new date anyway?"
                          : date.contains("1500") ? "before 1601 can not be set with Windows."
                          : date.contains("1752") ? "Modfied date: \"4/09/1752, 1:00:00am\" "
                                                    "stands for \"no date\""
                                                  : "Modfied date, hour: \"25\"";
        QVERIFY2(seen->message.contains(why), qPrintable(seen->message));
        QCOMPARE(seen->title, QStringLiteral("Chronodex - Bad date"));
        QCOMPARE(seen->buttons.join('|'), asks ? "&Cancel|&OK||" : "&OK|||");
        QCOMPARE(seen->timer, 5000);
        QCOMPARE(modifiedOf(files), QList<qint64>(2, written ? written : d.before));
        QCOMPARE(accessedSeconds(files[1]), d.before); // the access stamp is left alone
    }

    // Dates between 1980 and 2107 are written at once, to ticked entries only. The display
    // follows the disk; the rows keep what was typed.
    void onlyTickedEntries() {
        Desk d;
        const QStringList files = d.make({"a", "b", "c"});
        dropOnList(d.w, files);
        tick(d.w, 1, false);
        QCOMPARE(caption(d.w, "labTickedFiles"), QStringLiteral("2 "));
        setRowText(d.w, Modified, QStringLiteral("30|4|2024|13|14|15"));
        setRowText(d.w, Accessed, QStringLiteral("2|2|2022|2|2|2"));
        { // (the watch ends with its block, before the next one starts)
            const auto seen = onNextFlashMessage(clickButton(0), 300);
            child<QPushButton>(d.w, "com_UptateTimestamp")->click();
            QVERIFY(!seen->shown); // everything written: nothing to say
        }
        const qint64 m = utcSeconds(2024, 4, 30, 13, 14, 15), a = utcSeconds(2022, 2, 2, 2, 2, 2);
        QCOMPARE(modifiedOf(files), QList<qint64>({m, d.before, m}));
        QCOMPARE(accessedSeconds(files[2]), a);
        QCOMPARE(accessedSeconds(files[1]), d.before);
        QCOMPARE(currentEntry(d.w), 0);
        QCOMPARE(panel(d.w).mid(6),
                 QStringList({" 30/04/2024, 1:14:15pm", " 2/02/2022, 2:02:02am"}));
        QCOMPARE(rowText(d.w, Modified), QStringLiteral("30|4|2024|13|14|15"));
        // A creation date Wine does not keep: every entry written, told, not warned. One
        // that a Linux drive does not let the program set: those files are not written.
        if (pt::onWindows && !pt::underWine()) return;
        d.w.row(Created).check->setCheckState(Qt::Checked);
        const auto told = onNextFlashMessage(clickButton(0));
        child<QPushButton>(d.w, "com_UptateTimestamp")->click();
        QCOMPARE(told->title,
                 pt::onWindows ? "Chronodex - Written in part" : "Chronodex - Not written");
        if (!pt::onWindows)
            QVERIFY(told->message.endsWith(
                "\tc: its drive does not let a program set the date a file was created."));
    }

    // What the user types is local time: the file gets the instant that the local time
    // names in New York, by the rules of that date, and shows it again as typed.
    void localTime_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<qint64>("utc");
        QTest::newRow("summer") << "1|7|2026|9|5|0" << utcSeconds(2026, 7, 1, 13, 5, 0);
        QTest::newRow("1850") << "15|6|1850|10|30|0" << utcSeconds(1850, 6, 15, 15, 26, 2);
    }
    void localTime() {
        QFETCH(QString, date);
        QFETCH(qint64, utc);
        if (const QString why = ZoneScope::unavailable("America/New_York"); !why.isEmpty())
            QSKIP(qPrintable(why));
        ZoneScope scope("America/New_York");
        auto shm = anyYearDir();
        if (!shm) QSKIP("no folder whose file system holds the year 1850 (on Linux: /dev/shm)");
        const QString path = makeFile(*shm, QStringLiteral("f.txt"));
        frm_MainWindow w(pinnedOptions(false));
        dropOnList(w, {path});
        const auto answered = onNextFlashMessage(clickButton(1), 300); // far years ask
        writeModified(w, date);
        QCOMPARE(modifiedSeconds(path), utc);
        clickEntry(w, -1); // selected again, the file shows the local time that was typed
        clickEntry(w, 0);
        QCOMPARE(rowText(w, Modified), date);
    }

    // Every ticked entry is written first; then one report names, in the list's order, each
    // entry that was not written and why. The selected entry shows what it now has on disk.
    void reportOfWhatWasNotWritten() {
        auto shm = anyYearDir();
        if (!shm) QSKIP("no folder whose file system holds the year 1850 (on Linux: /dev/shm)");
        Desk d;
        if (holdsYear1850(d.dir.path()))
            QSKIP("the temporary folder holds the year 1850 (as NTFS does): no write fails there");
        const QString onTmpfs = makeFile(*shm, QStringLiteral("tmpfs.txt"));
        QStringList files = d.make({"ro.txt", "gone.txt", "ext4.txt"});
        files.insert(2, nativePath(d.dir.filePath(QStringLiteral("sub"))));
        QVERIFY(QDir().mkdir(files[2]));
        QVERIFY(QFile::setPermissions(files[0], QFile::ReadOwner));
        listPaths(d.w, QStringList{onTmpfs} + files);
        tick(d.w, 3, true); // the directory, ticked by hand
        QVERIFY(QFile::remove(files[1]));
        OkThenReport seen;
        writeModified(d.w, QStringLiteral("15|6|1850|10|30|0"));
        QVERIFY(seen.report && seen.report->shown);
        QCOMPARE(seen.report->title, QStringLiteral("Chronodex - Not written"));
        QCOMPARE(seen.report->message,
                 QStringLiteral("4 of 5 ticked entries were not written:\r\n"
                                "\tro.txt: the file is read-only.\r\n"
                                "\tgone.txt: it no longer exists.\r\n"
                                "\tsub: it is a directory (this program writes the dates of "
                                "files only).\r\n"
                                "\text4.txt: the file system cannot hold that date."));
        QCOMPARE(seen.report->timer, 0); // it waits to be read
        QCOMPARE(modifiedSeconds(onTmpfs), utcSeconds(1850, 6, 15, 10, 30, 0));
        // Put back, never left clamped.
        QCOMPARE(modifiedOf({files[0], files[3]}), QList<qint64>(2, d.before));
        QCOMPARE(caption(d.w, "lab_OModfiedValue"), QStringLiteral(" 15/06/1850, 10:30:00am"));
    }

    // The Edit menu's commands need ticked entries. Each ticked file's own stamps move by
    // exactly the amount; an unticked one stays. Undo then puts back what the shift wrote, and
    // has nothing more to undo. After a write, undo puts back only what was written, and names
    // a file it cannot put back as the list does.
    void shiftThenUndo() {
        Desk d;
        const QStringList files = d.make({"a", "b", "c"});
        setStamps(files[2], d.before + 86400, d.before + 86400);
        listPaths(d.w, files);
        QVERIFY(!child<QAction>(d.w, "menu_EditUndo")->isEnabled()); // nothing kept yet
        for (int i : {0, 1, 2})
            tick(d.w, i, false);
        d.w.menu_Edit_Click();
        QVERIFY(!child<QAction>(d.w, "menu_EditShift")->isEnabled()); // nothing ticked to shift
        QVERIFY(!child<QAction>(d.w, "menu_EditPhotos")->isEnabled());
        tick(d.w, 0, true);
        tick(d.w, 2, true);
        d.w.menu_Edit_Click();
        QVERIFY(child<QAction>(d.w, "menu_EditShift")->isEnabled());
        whenOpen<frm_ShiftDates>([&](frm_ShiftDates* dlg) {
            dlg->cbo_Direction->setCurrentIndex(1); // earlier
            dlg->spn_Days->setValue(400);
            dlg->spn_Hours->setValue(1);
            dlg->com_OK->click();
        });
        answerPreview();
        child<QAction>(d.w, "menu_EditShift")->trigger();
        const qint64 by = -(400 * 86400 + 3600);
        QCOMPARE(modifiedOf(files),
                 QList<qint64>({d.before + by, d.before, d.before + 86400 + by}));
        QCOMPARE(accessedSeconds(files[0]), d.before + by);

        auto seen = onNextFlashMessage(clickButton(0), 300);
        child<QAction>(d.w, "menu_EditUndo")->trigger();
        QVERIFY(!seen->shown); // everything written was put back
        QCOMPARE(modifiedOf(files), QList<qint64>({d.before, d.before, d.before + 86400}));
        QVERIFY(!child<QAction>(d.w, "menu_EditUndo")->isEnabled());
        QCOMPARE(caption(d.w, "lab_OModfiedValue"), QStringLiteral(" 3/02/2001, 4:05:06am"));

        QVERIFY(QFile::setPermissions(files[1], QFile::ReadOwner));
        tick(d.w, 1, true);
        seen = onNextFlashMessage(clickButton(0)); // the read-only file is named
        writeModified(d.w, QStringLiteral("1|6|2024|12|0|0"));
        QVERIFY(seen->shown);
        const qint64 written = utcSeconds(2024, 6, 1, 12);
        QCOMPARE(modifiedOf(files), QList<qint64>({written, d.before, written}));
        QVERIFY(QFile::setPermissions(files[2], QFile::ReadOwner));
        auto notPutBack = onNextFlashMessage(clickButton(0));
        child<QAction>(d.w, "menu_EditUndo")->trigger();
        QVERIFY2(notPutBack->message.endsWith("\r\n\tc: the file is read-only."),
                 qPrintable(notPutBack->message));
        QCOMPARE(modifiedOf(files), QList<qint64>({d.before, d.before, written}));
    }

    // Nothing changes that was not asked: each command, then Undo, gives back every stamp to
    // the nanosecond; Reset then Update changes nothing; dates from photos reads a photo with a
    // date, one without and a text file without moving their accessed stamps.
    void exactToTheNanosecond_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<qint64>("modified"); // the first file's, after the command
        QTest::newRow("update") << "update" << utcSeconds(2024, 6, 1, 12);
        QTest::newRow("shift") << "shift" << utcSeconds(2001, 2, 3, 5, 5, 6);
        QTest::newRow("photos") << "photos" << utcSeconds(2019, 7, 14, 9, 30, 5);
        QTest::newRow("reset, update") << "reset" << utcSeconds(2001, 2, 3, 4, 5, 6);
    }
    void exactToTheNanosecond() {
        QFETCH(QString, command);
        QFETCH(qint64, modified);
        Desk d;
        const QStringList files{makePhoto(d.dir, "dated.jpg", "JPG", "2019:07:14 09:30:05", ""),
                                makePhoto(d.dir, "undated.jpg", "JPG", "", ""), d.make({"t"})[0]};
        for (const QString& f : files) // accessed before modified: a plain read would move it
            QVERIFY(setStamps(f, d.before - 3600, d.before, 123456700));
        const QList<ExactStamps> before = exactStampsOf(files);
        listPaths(d.w, files);
        if (command == "shift")
            whenOpen<frm_ShiftDates>([](auto* dlg) { dlg->spn_Hours->setValue(1), dlg->accept(); });
        const auto report = onNextFlashMessage(clickButton(0), 1000);
        if (command == "update") writeModified(d.w, QStringLiteral("1|6|2024|12|0|0"));
        for (const char* name : {"com_ResetTime", "com_UptateTimestamp"})
            if (command == "reset") child<QPushButton>(d.w, name)->click();
        if (command == "shift" || command == "photos") answerPreview();
        if (command == "shift" || command == "photos")
            child<QAction>(d.w, command == "shift" ? "menu_EditShift" : "menu_EditPhotos")
                ->trigger();
        QCOMPARE(report->message.contains("undated.jpg: no date taken in this file."),
                 command == "photos");
        QList<ExactStamps> after = exactStampsOf(files);
        QCOMPARE(after[0].modified, modified);
        for (int i = 0; i < 3 && command != "shift"; ++i)
            QCOMPARE(after[i].accessed * 1000000000 + after[i].accessedNs,
                     before[i].accessed * 1000000000 + before[i].accessedNs);
        if (command != "reset") child<QAction>(d.w, "menu_EditUndo")->trigger();
        QCOMPARE(exactStampsOf(files), before);
    }

    // In the hour the clocks repeat, the stamps show which of the two they are, and Reset
    // then Update leaves them as they were; a photo taken in the hour they skip is refused.
    void clockChanges() {
        if (const QString why = ZoneScope::unavailable("Europe/Berlin"); !why.isEmpty())
            QSKIP(qPrintable(why));
        ZoneScope scope("Europe/Berlin");
        Desk d;
        const QStringList files{d.make({"autumn"})[0],
                                makePhoto(d.dir, "spring.jpg", "JPG", "2024:03:31 02:30:00", "")};
        // 2:30 in summer time, then 2:30 again in winter time.
        QVERIFY(setStamps(files[0], utcSeconds(2024, 10, 27, 0, 30),
                          utcSeconds(2024, 10, 27, 1, 30), 5000));
        const QList<ExactStamps> before = exactStampsOf(files);
        listPaths(d.w, files);
        QCOMPARE(panel(d.w).mid(6),
                 QStringList({" 27/10/2024, 2:30:00am (UTC+1)", " 27/10/2024, 2:30:00am (UTC+2)"}));
        child<QPushButton>(d.w, "com_ResetTime")->click();
        const auto report = onNextFlashMessage(clickButton(0));
        child<QPushButton>(d.w, "com_UptateTimestamp")->click(); // the photo: another date
        tick(d.w, 0, false);
        answerPreview();
        child<QAction>(d.w, "menu_EditPhotos")->trigger();
        QCOMPARE(exactStampsOf(files)[0], before[0]);
        QVERIFY2(report->message.endsWith("spring.jpg: its date taken, 31/03/2024, 2:30:00am, does "
                                          "not exist on that day in this time zone (the clocks go "
                                          "forward)."),
                 qPrintable(report->message));
    }
};

QTEST_MAIN(tst_Write)
#include "tst_write.moc"
