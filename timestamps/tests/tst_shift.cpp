// Shifting the stamps of real files by an amount, and undoing the last command.
#include "shift.h"
#include "stampedfiles.h"

#include "platform/names.h"

#include <QtTest>

using namespace chronodex;
using namespace chronodex::testing;

namespace {

std::vector<TickedEntry> entriesOf(const QStringList& paths) {
    std::vector<TickedEntry> entries;
    for (const QString& p : paths)
        entries.push_back({platform::pathOf(p.toStdU16String()), QFileInfo(p).fileName()});
    return entries;
}

const auto yes = [](const QString&) { return true; };

} // namespace

class tst_Shift : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    // Every chosen stamp of every entry moves by exactly the amount of real time, whatever
    // the clocks do in between (in Berlin, on the nights they go forward and back; where the
    // process cannot switch zones, in the system's own); the others stay. Undo puts back
    // what the last command wrote, and only that: a file it could not write and a stamp
    // changed since stay as they are; a file deleted since is reported.
    void shiftAndUndo() {
        std::optional<ZoneScope> berlin;
        if (ZoneScope::unavailable("Europe/Berlin").isEmpty()) berlin.emplace("Europe/Berlin");
        const qint64 delta = 86400 - 7200 + 180 - 4;
        QCOMPARE(shiftSeconds({1, -2, 3, -4}), delta);
        QTemporaryDir dir;
        const std::vector<Stamps> before{
            {utcSeconds(2026, 3, 29, 0, 30), utcSeconds(2026, 3, 29, 0, 59, 59)},
            {utcSeconds(2011, 3, 4, 5, 6, 7), utcSeconds(2001, 8, 9)},
            {utcSeconds(2024, 7, 1, 12), utcSeconds(2001, 10, 28, 0, 59, 59)}};
        const QStringList paths = stampedFiles(dir, {"spring.txt", "ro.txt", "autumn.txt"}, before);
        QVERIFY(QFile::setPermissions(paths[1], QFile::ReadOwner));
        UndoStore undo;
        shiftEntries(entriesOf(paths), delta, {false, true, true}, undo, yes);
        shiftEntries(entriesOf(paths), 60, {false, false, true}, undo, yes); // the one undone
        QCOMPARE(undo.size(), std::size_t(2));                               // ro.txt: not written
        for (int i : {0, 2})
            QCOMPARE(stampsOf(paths[i]),
                     (Stamps{before[i].accessed + delta + 60, before[i].modified + delta}));
        const qint64 changedSince = utcSeconds(2021, 1, 1);
        QVERIFY(setStamps(paths[0], before[0].accessed + delta + 60, changedSince));
        QVERIFY(QFile::remove(paths[2]));

        const std::vector<EntryOutcome> outcomes = undo.undo();
        QCOMPARE(outcomes.size(), std::size_t(2));
        QCOMPARE(outcomes[1].outcome.failure, platform::WriteFailure::Missing);
        QCOMPARE(stampsOf(paths[0]), (Stamps{before[0].accessed + delta, changedSince}));
        QCOMPARE(stampsOf(paths[1]), before[1]);
        QVERIFY(!undo.canUndo());
        QVERIFY(undo.undo().empty());

        // On the clock, an hour of real time across the night the clocks go forward is two.
        if (!berlin) QSKIP(qPrintable(ZoneScope::unavailable("Europe/Berlin")));
        platform::FileTimes read;
        read.read = true;
        read.modified = platform::SystemTime{2026, 3, 29, 0, 30, 0};
        const ShiftPlan plan = planShift(read, 3600, {true, true, true});
        QCOMPARE(plan.beforeLocal[Modified], (DateTime{2026, 3, 29, 1, 30, 0}));
        QCOMPARE(plan.afterLocal[Modified], (DateTime{2026, 3, 29, 3, 30, 0}));
        QCOMPARE(shiftedLocal({2026, 3, 29, 1, 30, 0}, 3600), (DateTime{2026, 3, 29, 3, 30, 0}));
    }

    // An entry whose new date the year check refuses is left alone and named; a year that
    // asks is asked once, with the entry named, and "no" writes nothing at all.
    void refusedAndAskedYears_data() {
        QTest::addColumn<bool>("answer");
        QTest::newRow("asked, yes") << true;
        QTest::newRow("asked, no") << false;
    }
    void refusedAndAskedYears() {
        QFETCH(bool, answer);
        const auto dir = anyYearDir();
        if (!dir) QSKIP("no folder that holds the year 1601 (on Linux: a tmpfs at /dev/shm)");
        const std::vector<Stamps> before{{utcSeconds(1601, 6, 1), utcSeconds(1601, 6, 1)},
                                         {utcSeconds(2020, 1, 1), utcSeconds(2020, 2, 2)},
                                         {utcSeconds(1980, 6, 1), utcSeconds(1990, 1, 1)}};
        const QStringList paths =
            stampedFiles(*dir, {"early.txt", "recent.txt", "eighties.txt"}, before);
        UndoStore undo;
        QString asked;
        const auto ask = [&](const QString& lines) {
            asked = lines;
            return answer;
        };
        const BatchResult result =
            shiftEntries(entriesOf(paths), -400 * 86400, {false, true, true}, undo, ask);
        QCOMPARE(
            asked,
            QStringLiteral("eighties.txt:\r\n"
                           "Accessed date 28/04/1979, 12:00:00am\r\n"
                           "Dates before 1980 will not display the date in Windows Explorer.\r\n"));
        QCOMPARE(stampsOf(paths[0]), before[0]);
        QCOMPARE(result.cancelled, !answer);
        QCOMPARE(stampsOf(paths[1]) == before[1], !answer);
        QCOMPARE(undo.size(), std::size_t(answer ? 2 : 0));
        if (answer)
            QCOMPARE(result.report(paths.size()),
                     QStringLiteral("1 of 3 ticked entries was left as it was:\r\n"
                                    "\tearly.txt: its new date would be before 1601."));
    }
};

QTEST_GUILESS_MAIN(tst_Shift)
#include "tst_shift.moc"
