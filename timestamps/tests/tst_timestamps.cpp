// Dates: built field by field, shown as the window shows them, and made from the editor
// rows' texts, with their years checked. Real files' stamps: read without opening the file for
// writing (the stamps the program cannot show, drive roots, the writer's outcome as PutFileDates
// hands it on), shifted by an amount chosen in the shift dialog, and the last command undone.
#include "format.h"
#include "frm_ShiftDates.h"
#include "fspath.h"
#include "photofixture.h"
#include "phototaken.h"
#include "readers.h"
#include "shift.h"

#include "dialogdriver.h"
#include "filehelpers.h"

#include "platform/names.h"

#include <atomic>
#include <thread>

using namespace chronodex;
using namespace chronodex::testing;
using platform::testing::ExactStamps;
using platform::testing::exactStamps;

namespace {

struct Stamps {
    qint64 accessed = 0, modified = 0;
    bool operator==(const Stamps&) const = default;
};

Stamps stampsOf(const QString& path) {
    const auto exact = platform::testing::exactStamps(fsPath(path));
    return {exact.accessed, exact.modified};
}

// Of every stamp made here: nanoseconds past its second, in Windows' 100 ns steps.
constexpr long fraction = 123456700;

// Makes the named files in `dir` with their stamps (and `fraction`); their paths, in order.
QStringList stampedFiles(const QTemporaryDir& dir, const QStringList& names,
                         const std::vector<Stamps>& stamps) {
    QStringList paths;
    for (qsizetype i = 0; i < names.size(); ++i) {
        paths << makeFile(dir, names[i]);
        if (!setStamps(paths[i], stamps.at(i).accessed, stamps.at(i).modified, fraction))
            qFatal("cannot set the stamps of %s", qPrintable(paths[i]));
    }
    return paths;
}

QString text(const DateTime& d) {
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", d.year, d.month, d.day, d.hour,
                             d.minute, d.second);
}

// Data rows of one text column, "row", each named by its text: "input > expected".
void rows(std::initializer_list<const char*> list) {
    QTest::addColumn<QString>("row");
    for (const char* r : list)
        QTest::newRow(r) << QString(r);
}

std::vector<TickedEntry> entriesOf(const QStringList& paths) {
    std::vector<TickedEntry> entries;
    for (const QString& p : paths)
        entries.push_back(
            {platform::pathOf(p.toStdU16String()), QFileInfo(p).fileName(), p,
             platform::pathStatus(toNativePath(p)).value_or(platform::PathStatus{}).id});
    return entries;
}

const auto yes = [](const QString&) { return true; };

} // namespace

class tst_Timestamps : public QObject {
    Q_OBJECT

  private slots:
    // "kind|day|month|year|hour|minute|second[|time zone] > the value built, or the field
    // refused". Created carries over; Modified and Accessed take only real dates and times,
    // field by field. The hour that clocks skip in spring is refused ("skipped"); the hour
    // they repeat in autumn is taken.
    void build_data() {
        rows({"C|28|2|2024|25|0|0 > 2024-02-29 01:00:00",
              "C| 1| 1| 2024|10|75|0 > 2024-01-01 11:15:00", "C|5x|3|2024||| > 2024-03-05 00:00:00",
              "C|1|1|75|0|0|0 > year", "A| 29| 2| 2024| 23| 59| 59 > 2024-02-29 23:59:59",
              "M|31|4|2024|0|0|0 > day", "A| - | - | - | - | - | -  > day",
              "M|1|13|2024|0|0|0 > month", "M|1|1|99|0|0|0 > year", "M|1|1|2024|24|0|0 > hour",
              "A|1|1|2024|3|60|0 > minute", "M|1|1|2024|3|5.7|0 > minute",
              "A|1|1|2024|3|4|60 > second", "C|1|1|2024|0|0|-32768 > 2023-12-31 14:53:52",
              "C|1|1|2024|0|0|32768 > second", "M|8|3|2026|2|30|0|America/New_York > hour skipped",
              "A|1|11|2026|1|30|0|America/New_York > 2026-11-01 01:30:00"});
    }
    void build() {
        QFETCH(QString, row);
        const QStringList io = row.split(QStringLiteral(" > "));
        const QStringList parts = io[0].split(QLatin1Char('|'));
        const QByteArray zone = parts.value(7).toLatin1();
        const QString why = zone.isEmpty() ? QString() : testing::ZoneScope::unavailable(zone);
        if (!why.isEmpty()) QSKIP(qPrintable(why));
        std::optional<testing::ZoneScope> scope;
        if (!zone.isEmpty()) scope.emplace(zone);
        const auto kind = StampKind(QStringLiteral("CMA").indexOf(parts[0]));
        std::array<RowInput, 3> input;
        input[kind].ticked = true;
        std::copy_n(parts.begin() + 1, FieldCount, input[kind].texts.begin());
        const NewValues built = buildNewValues(input);
        if (built.problems.empty()) {
            QCOMPARE(text(built.values[kind]), io[1]);
        } else { // the first field that cannot make the date is named
            const FieldProblem& p = built.problems[0];
            QCOMPARE(p.row, kind);
            QCOMPARE(fieldName(p.field) + (p.reason == FieldProblem::SkippedHour ? " skipped" : ""),
                     io[1]);
        }
        for (StampKind k : AllStampKinds) // unticked rows and refused values give NoDate(1)
            if (k != kind || !built.problems.empty()) QCOMPARE(built.values[k], NoDate(1));
    }

    void problemMessage() {
        QCOMPARE(fieldProblemsMessage(
                     {{Modified, Hour, QStringLiteral("25")},
                      {Accessed, Hour, QStringLiteral("2"), FieldProblem::SkippedHour}}),
                 QStringLiteral("Note:\r\n"
                                "Modfied date, hour: \"25\" can not make a date.\r\n"
                                "Accessed date, hour: \"2\" does not exist on that day in this "
                                "time zone (the clocks go forward).\r\n"
                                "Can't set the new date."));
    }

    // The report after an update: the reasons in the user's words, ten names at most.
    void report() {
        using platform::StampWrite, platform::WriteFailure;
        const auto entry = [](const char* name, WriteFailure f, std::string message = {},
                              StampWrite created = StampWrite::NotAsked) {
            return EntryOutcome{
                QString::fromUtf8(name),
                {f, std::move(message), created, StampWrite::NotAsked, StampWrite::Written}};
        };
        const auto fine = entry("fine.txt", WriteFailure::None);
        QCOMPARE(notWrittenReport({fine, entry("a", WriteFailure::InUse),
                                   entry("b", WriteFailure::Other, "Disk quota exceeded"),
                                   entry("c", WriteFailure::Other),
                                   entry("fat.txt", WriteFailure::None, {}, StampWrite::NotKept)}),
                 QStringLiteral(
                     "3 of 5 ticked entries were not written, 1 was written in part:\r\n"
                     "\ta: the file is in use or access was denied.\r\n"
                     "\tb: the system said: Disk quota exceeded.\r\n"
                     "\tc: the system refused it.\r\n"
                     "\tfat.txt: written, but its file system does not keep the created date."));
        QCOMPARE(notWrittenReport(std::vector(25, entry("f", WriteFailure::ReadOnly))),
                 "25 of 25 ticked entries were not written:" +
                     QString("\r\n\tf: the file is read-only.").repeated(10) +
                     "\r\n\tand 15 more.");
    }

    // A year before 1601 refuses the update; one outside 1980 to 2107 only warns. Each
    // ticked row in order, with its value.
    void years() {
        const auto at = [](int year) { return DateTime{year, 3, 5, 10, 0, 0}; };
        YearReport r = checkYears({at(1600), at(1601), at(2108)}, {true, true, true});
        QVERIFY(r.refused);
        QCOMPARE(
            r.report,
            QStringLiteral("Created date 5/03/1600, 10:00:00am\r\n"
                           "Dates before 1601 can not be set with Windows.\r\n"
                           "Modfied date 5/03/1601, 10:00:00am\r\n"
                           "Dates before 1980 will not display the date in Windows Explorer.\r\n"
                           "Accessed date 5/03/2108, 10:00:00am\r\n"
                           "Dates after 2107 will not display the date in Windows Explorer.\r\n"));
        r = checkYears({at(1980), at(2107), at(1500)}, {true, true, false});
        QVERIFY(!r.refused && r.report.isEmpty());
    }

    // The date-time core: "year month day hour minute second > the value built > as the
    // window shows it", with the calendar's carry; NoDate(1), 1752-09-04 01:00:00, where it
    // cannot be built.
    void buildDate_data() {
        rows({"2024 4 31 0 0 0 > 2024-05-01 00:00:00 > 1/05/2024, 12:00:00am",
              "2024 3 3 12 5 9 > 2024-03-03 12:05:09 > 3/03/2024, 12:05:09pm",
              "100 1 1 23 59 59 > 0100-01-01 23:59:59 > 1/01/0100, 11:59:59pm",
              "2023 2 30 0 0 0 > 2023-03-02 00:00:00", "2024 3 0 0 0 0 > 2024-02-29 00:00:00",
              "2024 13 1 0 0 0 > 2025-01-01 00:00:00", "2024 0 15 0 0 0 > 2023-12-15 00:00:00",
              "99 12 31 0 0 0 > 1752-09-04 01:00:00", "10000 1 1 0 0 0 > 1752-09-04 01:00:00",
              "2024 1 1 24 0 0 > 1752-09-04 01:00:00"});
    }
    void buildDate() {
        QFETCH(QString, row);
        const QStringList io = row.split(QStringLiteral(" > "));
        const QStringList f = io[0].split(QLatin1Char(' '));
        const auto at = [&](int i) { return std::int16_t(f[i].toInt()); };
        const DateTime built = BuildDate(at(0), at(1), at(2), at(3), at(4), at(5));
        QCOMPARE(text(built), io[1]);
        if (io.size() > 2) QCOMPARE(formatDateTime(built), io[2]);
    }

    // Any time on 4 September 1752 stands for no date (PutFileDates shows that the time
    // does not count), and only that day.
    void noDate() { QVERIFY(!IsSameDay(DateTime{1752, 9, 5, 0, 0, 0}, NoDate())); }

    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(); }

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
        for (int i : {0, 2}) {
            QCOMPARE(stampsOf(paths[i]),
                     (Stamps{before[i].accessed + delta + 60, before[i].modified + delta}));
            QCOMPARE(exactStamps(fsPath(paths[i])).modifiedNs, fraction); // moved by whole seconds
        }
        const qint64 changedSince = utcSeconds(2021, 1, 1);
        QVERIFY(setStamps(paths[0], before[0].accessed + delta + 60, changedSince));
        QVERIFY(QFile::remove(paths[2]));

        const std::vector<EntryOutcome> outcomes = undo.undo();
        QCOMPARE(outcomes.size(), std::size_t(2));
        QCOMPARE(outcomes[1].outcome.failure, platform::WriteFailure::Missing);
        QCOMPARE(exactStamps(fsPath(paths[0])),
                 (ExactStamps{before[0].accessed + delta, fraction, changedSince, 0}));
        QCOMPARE(stampsOf(paths[1]), before[1]);
        QVERIFY(!undo.canUndo());
        QVERIFY(undo.undo().empty());

        // On the clock, an hour of real time across the night the clocks go forward is two.
        if (!berlin) QSKIP(qPrintable(ZoneScope::unavailable("Europe/Berlin")));
        const platform::FileTimes read{
            true, false, {}, {}, platform::Instant{utcSeconds(2026, 3, 29, 0, 30), 0}};
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
        std::vector<Stamps> before(13, {utcSeconds(1980, 6, 1), utcSeconds(1990, 1, 1)});
        before[0] = {utcSeconds(1601, 6, 1), utcSeconds(1601, 6, 1)};
        before[1] = {utcSeconds(2020, 1, 1), utcSeconds(2020, 2, 2)};
        QStringList names{"early.txt", "recent.txt"};
        for (int i = 0; i < 11; ++i)
            names << QStringLiteral("eighties%1.txt").arg(i);
        const QString warning = ":\r\nAccessed date 28/04/1979, 12:00:00am\r\nDates before 1980 "
                                "will not display the date in Windows Explorer.\r\n";
        const QStringList paths = stampedFiles(*dir, names, before);
        UndoStore undo;
        QString asked;
        const auto ask = [&](const QString& lines) {
            asked = lines;
            return answer;
        };
        const BatchResult result =
            shiftEntries(entriesOf(paths), -400 * 86400, {false, true, true}, undo, ask);
        // Asked once: ten entries named, the eleventh counted.
        QCOMPARE(asked, names.mid(2, 10).join(warning) + warning + "and 1 more.\r\n");
        QCOMPARE(stampsOf(paths[0]), before[0]);
        QCOMPARE(result.cancelled, !answer);
        QCOMPARE(stampsOf(paths[1]) == before[1], !answer);
        QCOMPARE(undo.size(), std::size_t(answer ? 12 : 0));
        if (answer)
            QCOMPARE(result.report(paths.size()),
                     QStringLiteral("1 of 13 ticked entries was left as it was:\r\n"
                                    "\tearly.txt: its new date would be before 1601."));
    }

    // A stamp before the year 100 or after 9999 cannot be shown: both readers fail with a
    // message that says which way it lies (the extremes are the system's, the others the
    // program's); the years at the edges are read, and the day that ends 400 years.
    void unshowableYears_data() {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("lies"); // empty: read without a message
        const QString before = "before the year 100", after = "after the year 9999";
        QTest::newRow("year 50") << utcSeconds(50, 6, 1) << before;
        QTest::newRow("before the year 1") << qint64(-62198755200) << before;
        QTest::newRow("year 10000") << utcSeconds(10000, 1, 1) << after;
        QTest::newRow("after the year 30827") << (qint64(1) << 45) << after;
        QTest::newRow("first day of 100") << utcSeconds(100, 1, 1) << QString();
        QTest::newRow("last second of 9999") << utcSeconds(9999, 12, 31, 23, 59, 59) << QString();
        QTest::newRow("the last day of 400 years") << utcSeconds(2000, 2, 29, 12) << QString();
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
            if (dates.read)
                QCOMPARE(utcSeconds(m.year, m.month, m.day, m.hour, m.minute, m.second), seconds);
            else // (its title: the window's tests)
                QVERIFY2(box->text.startsWith("A time stamp of this file lies " + lies),
                         qPrintable(box->text));
        }
    }

    // A drive root has no creation date of its own; a folder's name may end in a separator.
    // PutFileDates writes only what is given, and leaves a second the file already has as it
    // is, with its fraction. A file listed twice is written twice; the undo puts back exactly
    // what it had before the first, and a command that wrote nothing keeps that undo.
    void foldersWriterAndUndo() {
        QTemporaryDir dir;
        QCOMPARE(GetDirectoryCreated(QStringLiteral("/")), NoDate(1));
        QCOMPARE(GetDirectoryCreated(dir.path() + '/'), GetDirectoryCreated(dir.path()));
        const Stamps before{utcSeconds(2024, 3, 3, 14, 5, 9), utcSeconds(2023, 12, 31)};
        const QString path = stampedFiles(dir, {"w.txt"}, {before})[0];
        const ExactStamps exact = exactStamps(fsPath(path));
        UndoStore undo;
        for (const qint64 modified :
             {before.modified, utcSeconds(2024, 5, 6), utcSeconds(2022, 1, 2)}) {
            const auto out = PutFileDates(
                toNativePath(path),
                {std::nullopt, std::nullopt, platform::Instant{modified, 0}, true, {}});
            QVERIFY(out.written() && out.created == platform::StampWrite::NotAsked);
            QCOMPARE(exactStamps(fsPath(path)),
                     (ExactStamps{before.accessed, fraction, modified,
                                  modified == before.modified ? fraction : 0}));
            undo.keep(path, out.before, out, {});
        }
        undo.begin();
        platform::WriteOutcome failed;
        failed.failure = platform::WriteFailure::InUse;
        undo.keep(path, {}, failed, {});
        QCOMPARE(undo.undo().size(), std::size_t(3));
        QCOMPARE(exactStamps(fsPath(path)), exact);
        // A stamp put back only as closely as its file system keeps it is named by the undo.
        failed.failure = platform::WriteFailure::None;
        failed.modified = platform::StampWrite::Rounded;
        QVERIFY(!reported(failed) && reported(failed, true));
        QCOMPARE(notWrittenReport({{"n", failed}}, 0, "put back", true),
                 "0 of 1 ticked entry were not put back, 1 was put back in part:\r\n\tn: put "
                 "back only as closely as its file system keeps the modified date.");
    }

    // While a command runs, another thread keeps putting something else at the entry's path:
    // a link to another file, a FIFO, a device node, the listed file again. Only the listed
    // file is ever written, nothing blocks, and every refusal says the file was replaced.
    void raceAgainstSwaps_data() { rows({"update", "shift", "photos", "undo"}); }
    void raceAgainstSwaps() {
        QFETCH(QString, row);
        if (!platform::testing::hasFifos()) QSKIP("Windows has no FIFOs or device nodes");
        QTemporaryDir dir;
        const QString path = makePhoto(dir, "p.jpg", "JPG", "2019:07:14 09:30:05", "");
        const QString other = stampedFiles(dir, {"other"}, {{utcSeconds(2001, 1, 1), 0}})[0];
        const std::filesystem::path at = fsPath(path), keep = fsPath(path + ".keep");
        QVERIFY(platform::testing::swapIn(keep, 3, at));
        const std::vector<TickedEntry> entries = entriesOf({path});
        const ExactStamps otherBefore = exactStamps(fsPath(other));
        std::atomic<bool> stop = false;
        std::jthread swapper([&] {
            for (int i = 0; !stop; ++i)
                platform::testing::swapIn(at, i % 4, i % 4 == 0 ? fsPath(other) : keep);
        });
        UndoStore undo;
        const auto id = &entries[0].id;
        std::vector<EntryOutcome> out;
        for (qint64 n = 1; n <= 200; ++n) {
            const platform::StampsToWrite stamps{{}, {}, platform::Instant{n, 0}, false, {}};
            if (row == "shift")
                std::ranges::copy(
                    shiftEntries(entries, 1, {false, true, false}, undo, yes).outcomes,
                    std::back_inserter(out));
            if (row == "update" || row == "undo")
                out.push_back({path, PutFileDates(toNativePath(path), stamps, id)});
            if (row == "undo") undo.keep(path, out.back().outcome.before, out.back().outcome, *id);
            if (row == "undo" && n % 2 == 0)
                std::ranges::copy(undo.undo(), std::back_inserter(out));
            bool skipped = false;
            if (const PhotoTaken photo = photoTakenAt(entries[0].file, id); row == "photos")
                out.push_back({path, photo.taken ? writeTakenDate(entries[0].file,
                                                                  *takenInstant(photo, skipped), id)
                                                 : PutFileDates(toNativePath(path), {}, id)});
        }
        stop = true;
        swapper.join();
        for (const EntryOutcome& e : out)
            QVERIFY(e.outcome.written() || e.outcome.failure == platform::WriteFailure::Replaced);
        QCOMPARE(exactStamps(fsPath(other)), otherBefore);
    }

    // The shift dialog: no OK without an amount; with one (400 days earlier), the first entry's
    // stamps before and after it. A creation date is moved only where the system can set one
    // (Windows, where its box starts ticked and is unticked here).
    void shiftDialog() {
        frm_ShiftDates dlg;
        QCOMPARE(dlg.kinds()[Created], platform::canSetCreationTime());
        dlg.chk_Kind[Created]->setChecked(false);
        dlg.setPreview(
            {std::nullopt, DateTime{2024, 3, 3, 14, 5, 9}, DateTime{2024, 1, 1, 0, 0, 0}}, 12);
        QVERIFY(!dlg.com_OK->isEnabled());
        dlg.cbo_Direction->setCurrentIndex(1);
        dlg.spn_Days->setValue(400);
        QCOMPARE(dlg.previewText(),
                 QStringLiteral("12 ticked entries; the first one:\n"
                                "Modified: 3/03/2024, 2:05:09pm  \u2192  28/01/2023, 2:05:09pm\n"
                                "Accessed: 1/01/2024, 12:00:00am  \u2192  27/11/2022, 12:00:00am"));
    }

    // Dates and sizes take the separators of the user's locale. Last, as it changes the locale.
    void separators() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(formatDateTime({2024, 3, 3, 14, 5, 9}), QStringLiteral("3.03.2024, 2:05:09pm"));
        QCOMPARE(formatSize(2147483653LL), QStringLiteral("2.147.483.653"));
    }
};

QTEST_MAIN(tst_Timestamps)
#include "tst_timestamps.moc"
