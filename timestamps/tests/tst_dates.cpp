// Dates: built field by field, shown as the window shows them, and made from the editor
// rows' texts, with their years checked.
#include "filehelpers.h"
#include "format.h"
#include "update.h"

#include <QtTest>

using namespace chronodex;

namespace {

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

} // namespace

class tst_Dates : public QObject {
    Q_OBJECT

  private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    // "text > leading number|whole number", empty where there is none.
    void numbers_data() {
        rows({" 2026 > 2026|2026", "12abc > 12|", "9.75 > 9.75|", "-3 > -3|-3", "+4 > 4|4",
              " -  > |", ".5 > 0.5|"});
    }
    void numbers() {
        QFETCH(QString, row);
        const QStringList io = row.split(QStringLiteral(" > "));
        const auto shown = [](auto n) { return n ? QString::number(*n) : QString(); };
        QCOMPARE(shown(leadingNumber(io[0])) + '|' + shown(integerField(io[0])), io[1]);
    }

    // "kind|day|month|year|hour|minute|second[|time zone] > the value built, or the field
    // refused". Created carries over; Modified and Accessed take only real dates and times,
    // field by field. The hour that clocks skip in spring is refused ("skipped"); the hour
    // they repeat in autumn is taken.
    void build_data() {
        rows({"C|28|2|2024|25|0|0 > 2024-02-29 01:00:00",
              "C| 1| 1| 2024|10|75|0 > 2024-01-01 11:15:00", "C|5x|3|2024||| > 2024-03-05 00:00:00",
              "C|1|1|75|0|0|0 > year", "A| 29| 2| 2024| 23| 59| 59 > 2024-02-29 23:59:59",
              "M|31|4|2024|0|0|0 > day", "A| - | - | - | - | - | -  > day",
              "M|1|13|2024|0|0|0 > month", "M|1|1|99|0|0|0 > year", "A|1|1|99999|0|0|0 > year",
              "M|1|1|2024|24|0|0 > hour", "A|1|1|2024|3|60|0 > minute",
              "M|1|1|2024|3|5.7|0 > minute", "A|1|1|2024|3|4|60 > second",
              "M|8|3|2026|2|30|0|America/New_York > hour skipped",
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
        QCOMPARE(notWrittenReport({fine, fine}), QString());
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
        QCOMPARE(
            notWrittenReport({entry("one", WriteFailure::Missing)}),
            QStringLiteral("1 of 1 ticked entry was not written:\r\n\tone: it no longer exists."));
        const QString many = notWrittenReport(std::vector(25, entry("f", WriteFailure::ReadOnly)));
        QCOMPARE(many.count(QStringLiteral("\tf: the file is read-only.")), 10); // then counted
        QVERIFY(many.startsWith(QStringLiteral("25 of 25 ticked entries were not written:")));
        QVERIFY(many.endsWith(QStringLiteral("read-only.\r\n\tand 15 more.")));
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
              "2024 1 1 24 0 0 > 1752-09-04 01:00:00", "2024 1 1 0 60 0 > 1752-09-04 01:00:00",
              "2024 1 1 0 0 60 > 1752-09-04 01:00:00"});
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

    // Dates and sizes take the separators of the user's locale.
    void separators() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(formatDateTime({2024, 3, 3, 14, 5, 9}), QStringLiteral("3.03.2024, 2:05:09pm"));
        QCOMPARE(formatSize(2147483653LL), QStringLiteral("2.147.483.653"));
    }
};

QTEST_GUILESS_MAIN(tst_Dates)
#include "tst_dates.moc"
