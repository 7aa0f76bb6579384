// Shifting the stamps of real files by an amount, and undoing the last command.
#include "filehelpers.h"
#include "shift.h"
#include "undo.h"

#include "platform/names.h"

#include <QtTest>

using namespace chronodex;
using chronodex::testing::accessedSeconds;
using chronodex::testing::makeFile;
using chronodex::testing::modifiedSeconds;
using chronodex::testing::setStamps;
using chronodex::testing::utcSeconds;

Q_DECLARE_METATYPE(chronodex::ShiftAmount)

namespace {

struct Stamps {
    qint64 accessed = 0, modified = 0;
    bool operator==(const Stamps&) const = default;
};

Stamps stampsOf(const QString& path) {
    return {accessedSeconds(path), modifiedSeconds(path)};
}

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

    // Every chosen stamp of every entry moves by exactly the amount, whatever its own date
    // and whatever the clocks do in between; the others stay.
    void shift_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<ShiftAmount>("amount");
        QTest::addColumn<qint64>("delta");
        QTest::addColumn<bool>("accessedToo");
        QTest::newRow("+1 hour in Berlin")
            << QByteArray("Europe/Berlin") << ShiftAmount{0, 1, 0, 0} << qint64(3600) << true;
        QTest::newRow("-400 days in New York")
            << QByteArray("America/New_York") << ShiftAmount{-400, 0, 0, 0} << qint64(-34'560'000)
            << true;
        QTest::newRow("-400 days, modified only")
            << QByteArray("UTC") << ShiftAmount{-400, 0, 0, 0} << qint64(-34'560'000) << false;
        QTest::newRow("mixed signs") << QByteArray("UTC") << ShiftAmount{1, -2, 3, -4}
                                     << qint64(86400 - 7200 + 180 - 4) << true;
    }
    void shift() {
        QFETCH(QByteArray, zone);
        QFETCH(ShiftAmount, amount);
        QFETCH(qint64, delta);
        QFETCH(bool, accessedToo);
        if (const QString why = testing::ZoneScope::unavailable(zone); !why.isEmpty())
            QSKIP(qPrintable(why));
        testing::ZoneScope scope(zone);
        QCOMPARE(shiftSeconds(amount), delta);
        QTemporaryDir dir;
        const QStringList paths{makeFile(dir, "spring.txt"), makeFile(dir, "summer.txt"),
                                makeFile(dir, "old.txt")};
        const std::vector<Stamps> before{
            {utcSeconds(2026, 3, 29, 0, 30), utcSeconds(2026, 3, 29, 0, 59, 59)},
            {utcSeconds(2023, 1, 1, 8, 15, 30), utcSeconds(2024, 7, 1, 12)},
            {utcSeconds(1999, 12, 31, 23), utcSeconds(2001, 10, 28, 0, 59, 59)}};
        for (int i = 0; i < paths.size(); ++i)
            QVERIFY(setStamps(paths[i], before[i].accessed, before[i].modified));

        UndoStore undo;
        const BatchResult result =
            shiftEntries(entriesOf(paths), delta, {false, true, accessedToo}, undo, yes);
        QVERIFY(!result.cancelled);
        QVERIFY(result.skipped.empty());
        QCOMPARE(result.report(paths.size()), QString());
        for (int i = 0; i < paths.size(); ++i) {
            const Stamps now = stampsOf(paths[i]);
            QCOMPARE(now.modified, before[i].modified + delta);
            QCOMPARE(now.accessed, before[i].accessed + (accessedToo ? delta : 0));
        }
        QCOMPARE(undo.size(), std::size_t(3));
    }

    // An hour of real time across the night the clocks go forward shows as two on the clock.
    void realTimeAcrossClockChange() {
        if (const QString why = testing::ZoneScope::unavailable("Europe/Berlin"); !why.isEmpty())
            QSKIP(qPrintable(why));
        testing::ZoneScope scope("Europe/Berlin");
        platform::FileTimes read;
        read.read = true;
        read.modified = platform::SystemTime{2026, 3, 29, 0, 30, 0};
        const ShiftPlan plan = planShift(read, 3600, {true, true, true});
        QCOMPARE(plan.moved, (std::array<bool, 3>{platform::canSetCreationTime(), true, false}));
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
        const auto dir = testing::anyYearDir();
        if (!dir)
            QSKIP(
                "no folder whose file system holds the year 1601 (on Linux: a tmpfs at /dev/shm)");
        const QStringList paths{makeFile(*dir, "early.txt"), makeFile(*dir, "recent.txt"),
                                makeFile(*dir, "eighties.txt")};
        const std::vector<Stamps> before{{utcSeconds(1601, 6, 1), utcSeconds(1601, 6, 1)},
                                         {utcSeconds(2020, 1, 1), utcSeconds(2020, 2, 2)},
                                         {utcSeconds(1980, 6, 1), utcSeconds(1990, 1, 1)}};
        for (int i = 0; i < paths.size(); ++i)
            QVERIFY(setStamps(paths[i], before[i].accessed, before[i].modified));

        UndoStore undo;
        QString asked;
        const BatchResult result = shiftEntries(entriesOf(paths), -400 * 86400, {false, true, true},
                                                undo, [&](const QString& lines) {
                                                    asked = lines;
                                                    return answer;
                                                });
        QCOMPARE(asked, QStringLiteral("eighties.txt:\r\nAccessed date 28/04/1979, 12:00:00am\r\n"
                                       "Dates before 1980 will not display the date in Windows "
                                       "Explorer.\r\n"));
        QCOMPARE(stampsOf(paths[0]), before[0]);
        QCOMPARE(result.cancelled, !answer);
        QCOMPARE(stampsOf(paths[1]) == before[1], !answer);
        QCOMPARE(undo.size(), std::size_t(answer ? 2 : 0));
        if (!answer) return;
        QCOMPARE(result.report(paths.size()),
                 QStringLiteral("1 of 3 ticked entries was left as it was:\r\n"
                                "\tearly.txt: its new date would be before 1601."));
    }

    // Undo puts back what the last command wrote, and only that; then nothing is kept.
    void undo_data() {
        QTest::addColumn<bool>("readOnlyB");
        QTest::addColumn<bool>("deleteCAfter");
        QTest::addColumn<int>("written");
        QTest::addColumn<QString>("undoReport");
        QTest::newRow("after a write") << false << false << 3 << QString();
        QTest::newRow("after a partial failure") << true << false << 2 << QString();
        QTest::newRow("a written file deleted since")
            << false << true << 3
            << QStringLiteral("1 of 3 ticked entries was not written:\r\n"
                              "\tc.txt: it no longer exists.");
    }
    void undo() {
        QFETCH(bool, readOnlyB);
        QFETCH(bool, deleteCAfter);
        QFETCH(int, written);
        QFETCH(QString, undoReport);
        QTemporaryDir dir;
        const QStringList paths{makeFile(dir, "a.txt"), makeFile(dir, "b.txt"),
                                makeFile(dir, "c.txt")};
        std::vector<Stamps> before;
        for (int i = 0; i < paths.size(); ++i) {
            before.push_back({utcSeconds(2010 + i, 3, 4, 5, 6, 7), utcSeconds(2000 + i, 8, 9)});
            QVERIFY(setStamps(paths[i], before[i].accessed, before[i].modified));
        }
        if (readOnlyB) QVERIFY(QFile::setPermissions(paths[1], QFile::ReadOwner));

        UndoStore undo;
        QVERIFY(!undo.canUndo());
        const BatchResult shifted =
            shiftEntries(entriesOf(paths), 3600, {false, true, true}, undo, yes);
        QCOMPARE(undo.size(), std::size_t(written));
        QCOMPARE(stampsOf(paths[1]) == before[1], readOnlyB);
        if (deleteCAfter) QVERIFY(QFile::remove(paths[2]));

        const std::vector<EntryOutcome> outcomes = undo.undo();
        QCOMPARE(outcomes.size(), std::size_t(written));
        QCOMPARE(notWrittenReport(outcomes), undoReport);
        for (int i = 0; i < (deleteCAfter ? 2 : 3); ++i)
            QCOMPARE(stampsOf(paths[i]), before[i]);
        QVERIFY(!undo.canUndo());
        QVERIFY(undo.undo().empty());
    }

    // Only the stamps a command wrote are put back: an access since then stays. A new
    // command replaces what was kept.
    void undoKeepsOnlyWhatWasWritten() {
        QTemporaryDir dir;
        const QString path = makeFile(dir, "photo.jpg");
        const qint64 accessed = utcSeconds(2015, 1, 1), modified = utcSeconds(2016, 2, 2);
        QVERIFY(setStamps(path, accessed, modified));
        const std::filesystem::path file(QFile::encodeName(path).toStdString());

        UndoStore undo;
        undo.begin();
        const platform::SystemTime first{2020, 5, 5, 5, 5, 5};
        const auto outcome = undo.record(file, QStringLiteral("photo.jpg"), [&] {
            return platform::writeFileTimes(file, std::nullopt, std::nullopt, first);
        });
        QVERIFY(outcome.written());
        const qint64 readSince = utcSeconds(2021, 1, 1);
        QVERIFY(setStamps(path, readSince, stampsOf(path).modified));
        undo.undo();
        QCOMPARE(stampsOf(path), (Stamps{readSince, modified}));

        // Two commands: the undo goes back to the first one's result.
        shiftEntries(entriesOf({path}), 60, {false, true, false}, undo, yes);
        shiftEntries(entriesOf({path}), 60, {false, true, false}, undo, yes);
        QCOMPARE(undo.size(), std::size_t(1));
        undo.undo();
        QCOMPARE(stampsOf(path), (Stamps{readSince, modified + 60}));
    }

    void skippedLines() {
        std::vector<SkippedEntry> many;
        for (int i = 1; i <= 12; ++i)
            many.push_back({QStringLiteral("f%1").arg(i), QStringLiteral("no reason")});
        const QStringList lines = skippedReport(many, 40).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 12);
        QCOMPARE(lines.first(), QStringLiteral("12 of 40 ticked entries were left as they were:"));
        QCOMPARE(lines.last(), QStringLiteral("\tand 2 more."));
        QCOMPARE(skippedReport({}, 3), QString());
    }
};

QTEST_GUILESS_MAIN(tst_Shift)
#include "tst_shift.moc"
