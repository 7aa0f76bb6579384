// "Update file date" end to end: real files listed, rows set, dialogs answered, stamps
// read back with stat().
#include "frm_MainWindow.h"

#include "dialogdriver.h"
#include "filehelpers.h"
#include "windowprobe.h"

#include <QDir>
#include <QtTest>
#include <optional>

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
        window = std::make_unique<frm_MainWindow>(pinnedOptions(pinnedNow(), false));
        dropOnList(*window, files);
    }
    qint64 mtime(int i) const { return modifiedSeconds(files[i]); }
    qint64 atime(int i) const { return accessedSeconds(files[i]); }
};

} // namespace

class tst_Write : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(); }
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    // Questions and refusals before anything is written: far years ask (and only "&OK"
    // writes), years before 1601 and fields that make no date are refused, and so is an hour
    // that the clocks of the user's zone skip.
    void questions_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("answer"); // button to click, or -1 to let the time run out
        QTest::addColumn<QString>("says");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<qint64>("written"); // 0: nothing written
        const QStringList y1975{"5", "3", "1975", "10", "0", "0"};
        const QString ask = "before 1980 will not display the date in Windows "
                            "Explorer.\r\nSet the new date anyway?";
        const QByteArray utc;
        QTest::newRow("1975, &OK")
            << utc << y1975 << 1 << ask << 2 << utcSeconds(1975, 3, 5, 10, 0, 0);
        QTest::newRow("1975, &Cancel") << utc << y1975 << 0 << ask << 2 << qint64(0);
        QTest::newRow("1975, timed out") << utc << y1975 << -1 << ask << 2 << qint64(0);
        QTest::newRow("1500") << utc << QStringList{"1", "1", "1500", "0", "0", "0"} << 0
                              << "1601 can not be set with Windows.\r\nCan't set the new date." << 1
                              << qint64(0);
        QTest::newRow("hour 25") << utc << QStringList{"1", "1", "2024", "25", "0", "0"} << 0
                                 << "Modfied date, hour: \"25\"" << 1 << qint64(0);
        QTest::newRow("skipped hour")
            << QByteArray("America/New_York") << QStringList{"8", "3", "2026", "2", "30", "0"} << 0
            << "Modfied date, hour: \"2\"" << 1 << qint64(0);
    }
    void questions() {
        QFETCH(QByteArray, zone);
        QFETCH(QStringList, texts);
        QFETCH(int, answer);
        QFETCH(QString, says);
        QFETCH(int, buttons);
        QFETCH(qint64, written);
        std::optional<ZoneScope> scope;
        if (!zone.isEmpty()) {
            if (const QString why = ZoneScope::unavailable(zone); !why.isEmpty())
                QSKIP(qPrintable(why));
            scope.emplace(zone);
        }
        Scene s(2);
        auto seen = onNextFlashMessage(answer >= 0 ? clickButton(answer) : runOutTimer);
        writeModified(*s.window, texts);
        QVERIFY(seen->shown);
        QCOMPARE(seen->title, QStringLiteral("Chronodex - Bad date"));
        QVERIFY2(seen->message.contains(says), qPrintable(seen->message));
        QCOMPARE(seen->buttons.count(QString()), 4 - buttons);
        if (buttons == 2) QCOMPARE(seen->timer, 5000);
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(s.mtime(i), written ? written : before);
            QCOMPARE(s.atime(i), before); // the access stamp is left alone
        }
    }

    // Dates between 1980 and 2107 are written at once, to ticked entries only. The display
    // follows the disk; the rows keep what was typed.
    void onlyTickedEntries() {
        Scene s(3);
        const frm_MainWindow& w = *s.window;
        tick(w, 1, false);
        setRowTexts(w, Modified, {"30", "4", "2024", "13", "14", "15"});
        setRowTexts(w, Accessed, {"2", "2", "2022", "2", "2", "2"});
        const auto seen = onNextFlashMessage(clickButton(0), 300);
        button(w, "com_UptateTimestamp")->click();
        QVERIFY(!seen->shown); // everything written: nothing to say
        for (int i : {0, 2}) {
            QCOMPARE(s.mtime(i), utcSeconds(2024, 4, 30, 13, 14, 15));
            QCOMPARE(s.atime(i), utcSeconds(2022, 2, 2, 2, 2, 2));
        }
        QCOMPARE(s.mtime(1), before);
        QCOMPARE(s.atime(1), before);
        QCOMPARE(currentEntry(w), 0);
        QCOMPARE(panel(w).mid(6), QStringList({" 30/04/2024, 1:14:15pm", " 2/02/2022, 2:02:02am"}));
        QCOMPARE(rowTexts(w, Modified), QStringList({"30", "4", "2024", "13", "14", "15"}));
    }

    // What the user types is local time: the file gets the instant that the local time
    // names in the user's zone, by the rules of that date, and shows it again as typed.
    // "Set time to now" (no texts) writes now, whatever the zone.
    void localTime_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<qint64>("utc");
        QTest::addColumn<bool>("tmpfs"); // a year that ext4 cannot hold
        QTest::newRow("New York summer") << QStringList{"1", "7", "2026", "9", "5", "0"}
                                         << utcSeconds(2026, 7, 1, 13, 5, 0) << false;
        QTest::newRow("New York repeated hour, first")
            << QStringList{"1", "11", "2026", "1", "30", "0"} << utcSeconds(2026, 11, 1, 5, 30, 0)
            << false;
        QTest::newRow("New York 1850") << QStringList{"15", "6", "1850", "10", "30", "0"}
                                       << utcSeconds(1850, 6, 15, 15, 26, 2) << true;
        QTest::newRow("New York, now")
            << QStringList() << utcSeconds(2026, 3, 3, 14, 5, 7) << false;
    }
    void localTime() {
        QFETCH(QStringList, texts);
        QFETCH(qint64, utc);
        QFETCH(bool, tmpfs);
        if (const QString why = ZoneScope::unavailable("America/New_York"); !why.isEmpty())
            QSKIP(qPrintable(why));
        ZoneScope scope("America/New_York");
        auto shm = tmpfs ? anyYearDir() : std::make_unique<QTemporaryDir>();
        if (!shm) QSKIP("no folder whose file system holds the year 1850 (on Linux: /dev/shm)");
        const QString path = makeFile(*shm, QStringLiteral("f.txt"));
        frm_MainWindow w(pinnedOptions(pinnedNow(), false));
        dropOnList(w, {path});
        const auto answered = onNextFlashMessage(clickButton(1), 300); // far years ask
        if (texts.isEmpty()) {
            button(w, "com_NowTime")->click();
            button(w, "com_UptateTimestamp")->click();
            QCOMPARE(accessedSeconds(path), utc);
        } else {
            writeModified(w, texts);
        }
        QCOMPARE(modifiedSeconds(path), utc);
        // Selected again, the file shows the local time that was typed.
        clickEntry(w, -1);
        clickEntry(w, 0);
        if (!texts.isEmpty()) QCOMPARE(rowTexts(w, Modified), texts);
    }

    // Every ticked entry is written first; then one report names, in the list's order, each
    // entry that was not written and why. The selected entry shows what it now has on disk.
    void reportOfWhatWasNotWritten() {
        auto shm = anyYearDir();
        if (!shm) QSKIP("no folder whose file system holds the year 1850 (on Linux: /dev/shm)");
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
        frm_MainWindow w(pinnedOptions(pinnedNow(), false));
        listPaths(w, {onTmpfs, readOnly, gone, sub, onExt4});
        tick(w, 3, true); // the directory, ticked by hand
        QVERIFY(QFile::remove(gone));
        std::shared_ptr<SeenDialog> report;
        const auto question = onNextFlashMessage([&report](frm_FlashMessage* dlg) {
            report = onNextFlashMessage(clickButton(0));
            dlg->button(1)->click(); // "&OK" to the Explorer question
        });
        writeModified(w, {"15", "6", "1850", "10", "30", "0"});
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

        QCOMPARE(modifiedSeconds(onTmpfs), utcSeconds(1850, 6, 15, 10, 30, 0));
        for (const QString& p : {readOnly, onExt4})
            QCOMPARE(modifiedSeconds(p), before); // put back, never left clamped
        QCOMPARE(caption(w, "lab_OModfiedValue"), QStringLiteral(" 15/06/1850, 10:30:00am"));
        QCOMPARE(rowTexts(w, Modified), QStringList({"15", "6", "1850", "10", "30", "0"}));
    }
};

QTEST_MAIN(tst_Write)
#include "tst_write.moc"
