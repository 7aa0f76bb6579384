// Dates: built field by field, shown as the window shows them, and made from the editor
// rows' texts, with their years checked.
#include "datetime.h"
#include "filehelpers.h"
#include "format.h"
#include "update.h"

#include <QtTest>

using namespace chronodex;

Q_DECLARE_METATYPE(chronodex::DateTime)

namespace QTest {
template <> char* toString(const chronodex::DateTime& d) {
    return qstrdup(qPrintable(QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", d.year, d.month,
                                                d.day, d.hour, d.minute, d.second)));
}
} // namespace QTest

namespace {

RowInput row(const QStringList& texts) {
    RowInput r;
    r.ticked = true;
    for (int i = 0; i < FieldCount; ++i)
        r.texts[i] = texts.value(i);
    return r;
}

} // namespace

class tst_Dates : public QObject {
    Q_OBJECT

  private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void numbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("leading");
        QTest::addColumn<QVariant>("whole");
        QTest::newRow("list entry with its blank") << " 2026" << QVariant(2026.0) << QVariant(2026);
        QTest::newRow("trailing text") << "12abc" << QVariant(12.0) << QVariant();
        QTest::newRow("fraction") << "9.75" << QVariant(9.75) << QVariant();
        QTest::newRow("negative") << "-3" << QVariant(-3.0) << QVariant(-3);
        QTest::newRow("plus sign") << "+4" << QVariant(4.0) << QVariant(4);
        QTest::newRow("no number") << "abc" << QVariant() << QVariant();
        QTest::newRow("empty") << "" << QVariant() << QVariant();
        QTest::newRow("dash from an unread stamp") << " - " << QVariant() << QVariant();
        QTest::newRow("point alone") << "." << QVariant() << QVariant();
        QTest::newRow("fraction without whole") << ".5" << QVariant(0.5) << QVariant();
    }
    void numbers() {
        QFETCH(QString, text);
        QFETCH(QVariant, leading);
        QFETCH(QVariant, whole);
        const auto l = leadingNumber(text);
        const auto w = integerField(text);
        QCOMPARE(l.has_value(), leading.isValid());
        QCOMPARE(w.has_value(), whole.isValid());
        if (l) QCOMPARE(*l, leading.toDouble());
        if (w) QCOMPARE(*w, whole.toInt());
    }

    // Rows as "kind|day|month|year|hour|minute|second", the value they build or the field
    // they are refused for. Created carries over; Modified and Accessed take only real dates
    // and times, field by field.
    void build_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<DateTime>("value");
        QTest::addColumn<int>("problemField"); // -1: none
        const auto built = [](const char* input, DateTime value) {
            QTest::newRow(input) << QString::fromUtf8(input) << value << -1;
        };
        const auto refused = [](const char* input, int field) {
            QTest::newRow(input) << QString::fromUtf8(input) << NoDate(1) << field;
        };
        built("C|28|2|2024|25|0|0", {2024, 2, 29, 1, 0, 0});
        built("C| 1| 1| 2024|10|75|0", {2024, 1, 1, 11, 15, 0});
        built("C|5x|3|2024|||", {2024, 3, 5, 0, 0, 0});
        built("A| 29| 2| 2024| 23| 59| 59", {2024, 2, 29, 23, 59, 59});
        refused("C|1|1|75|0|0|0", Year);
        refused("C|1|1|10000|0|0|0", Year);
        refused("M|31|4|2024|0|0|0", Day);
        refused("A|29|2|2023|0|0|0", Day);
        refused("M|0|3|2024|0|0|0", Day);
        refused("A|1.9|1|2024|23|0|0", Day);
        refused("A| - | - | - | - | - | - ", Day);
        refused("M|1|13|2024|0|0|0", Month);
        refused("M|1|May|2024|0|0|0", Month);
        refused("M|1|1|12abc|0|0|0", Year);
        refused("A|1|1|99999|0|0|0", Year);
        refused("M|1|1|99|0|0|0", Year);
        refused("M|1|1|2024|25|0|0", Hour);
        refused("M|1|1|2024|3|x|0", Minute);
        refused("A|1|1|2024|3|60|0", Minute);
        refused("M|1|1|2024|3|5.7|0", Minute);
        refused("M|1|1|2024|3|4|", Second);
        refused("A|1|1|2024|3|4|75", Second);
    }
    void build() {
        QFETCH(QString, input);
        QFETCH(DateTime, value);
        QFETCH(int, problemField);
        const StampKind kind = input.startsWith('C')   ? Created
                               : input.startsWith('M') ? Modified
                                                       : Accessed;
        std::array<RowInput, 3> rows;
        rows[kind] = row(input.split(QLatin1Char('|')).mid(1));
        const NewValues built = buildNewValues(rows);
        if (problemField < 0) {
            QVERIFY(built.problems.empty());
            QCOMPARE(built.values[kind], value);
        } else {
            QVERIFY(!built.problems.empty()); // every field that cannot be read is named
            QCOMPARE(built.problems[0].field, problemField);
            QCOMPARE(int(built.problems[0].row), int(kind));
        }
        for (StampKind other : AllStampKinds)
            if (other != kind) QCOMPARE(built.values[other], NoDate(1));
    }

    // The hour that clocks skip in spring is refused in every row; the hour they repeat in
    // autumn is taken (as its first occurrence when written).
    void localTimeThatDoesNotExist_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("refused");
        const QByteArray ny = "America/New_York";
        QTest::newRow("skipped, modified")
            << ny << int(Modified) << QStringList{"8", "3", "2026", "2", "30", "0"} << true;
        QTest::newRow("skipped, created")
            << ny << int(Created) << QStringList{"8", "3", "2026", "1", "90", "0"} << true;
        QTest::newRow("repeated, accessed")
            << ny << int(Accessed) << QStringList{"1", "11", "2026", "1", "30", "0"} << false;
        QTest::newRow("Adelaide skipped") << QByteArray("Australia/Adelaide") << int(Modified)
                                          << QStringList{"4", "10", "2026", "2", "0", "0"} << true;
        QTest::newRow("same time in UTC") << QByteArray("UTC") << int(Modified)
                                          << QStringList{"8", "3", "2026", "2", "30", "0"} << false;
    }
    void localTimeThatDoesNotExist() {
        QFETCH(QByteArray, zone);
        QFETCH(int, kind);
        QFETCH(QStringList, texts);
        QFETCH(bool, refused);
        if (const QString why = testing::ZoneScope::unavailable(zone); !why.isEmpty())
            QSKIP(qPrintable(why));
        testing::ZoneScope scope(zone);
        std::array<RowInput, 3> rows;
        rows[kind] = row(texts);
        const NewValues built = buildNewValues(rows);
        QCOMPARE(built.problems.size(), std::size_t(refused ? 1 : 0));
        if (!refused) return;
        QCOMPARE(built.problems[0].field, int(Hour));
        QCOMPARE(built.problems[0].reason, FieldProblem::SkippedHour);
        QVERIFY(fieldProblemsMessage(built.problems).contains(QStringLiteral("does not exist")));
    }

    // The report after an update: the reasons in the user's words, ten names at most.
    void report() {
        using platform::WriteFailure;
        const auto failed = [](const char* name, WriteFailure f, std::string message = {}) {
            EntryOutcome e{QString::fromUtf8(name), {}};
            e.outcome.failure = f;
            e.outcome.message = std::move(message);
            return e;
        };
        EntryOutcome fine{QStringLiteral("fine.txt"), {}};
        fine.outcome.modified = platform::StampWrite::Written;
        EntryOutcome partly{QStringLiteral("fat.txt"), {}};
        partly.outcome.created = platform::StampWrite::NotKept;
        partly.outcome.modified = platform::StampWrite::Written;
        QCOMPARE(notWrittenReport({fine, fine}), QString());
        QCOMPARE(notWrittenReport({}), QString());
        QCOMPARE(notWrittenReport({fine, failed("a", WriteFailure::InUse),
                                   failed("b", WriteFailure::Other, "Disk quota exceeded"),
                                   failed("c", WriteFailure::Other), partly}),
                 QStringLiteral("3 of 5 ticked entries were not written, 1 was written in part:\r\n"
                                "\ta: the file is in use or access was denied.\r\n"
                                "\tb: the system said: Disk quota exceeded.\r\n"
                                "\tc: the system refused it.\r\n"
                                "\tfat.txt: written, but its file system does not keep the "
                                "created date."));
        QCOMPARE(notWrittenReport({failed("one", WriteFailure::Missing)}),
                 QStringLiteral("1 of 1 ticked entry was not written:\r\n"
                                "\tone: it no longer exists."));

        std::vector<EntryOutcome> many;
        for (int i = 1; i <= 25; ++i)
            many.push_back(
                failed(qPrintable(QStringLiteral("f%1").arg(i)), WriteFailure::ReadOnly));
        const QStringList lines = notWrittenReport(many).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 12);
        QCOMPARE(lines.first(), QStringLiteral("25 of 25 ticked entries were not written:"));
        QCOMPARE(lines[10], QStringLiteral("\tf10: the file is read-only."));
        QCOMPARE(lines.last(), QStringLiteral("\tand 15 more."));
    }

    void problemMessage() {
        const QString text = fieldProblemsMessage({{Modified, Hour, QStringLiteral("25")}});
        QCOMPARE(text, QStringLiteral("Note:\r\nModfied date, hour: \"25\" can not make a date.\r\n"
                                      "Can't set the new date."));
    }

    void years_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("refused");
        const QString early = "Dates before 1601 can not be set with Windows.";
        const QString old = "Dates before 1980 will not display the date in Windows Explorer.";
        const QString late = "Dates after 2107 will not display the date in Windows Explorer.";
        for (auto [year, line, refused] :
             {std::tuple{1600, early, true},
              {1601, old, false},
              {1979, old, false},
              {1980, QString(), false},
              {2107, QString(), false},
              {2108, late, false},
              {1752, old, false}}) // 4 September 1752, the day that stands for no date
            QTest::addRow("%d", year) << year << line << refused;
    }
    void years() {
        QFETCH(int, year);
        QFETCH(QString, line);
        QFETCH(bool, refused);
        const DateTime v{year, year == 1752 ? 9 : 3, year == 1752 ? 4 : 5, 10, 0, 0};
        const YearReport r = checkYears({NoDate(1), v, NoDate(1)}, {false, true, false});
        QCOMPARE(r.refused, refused);
        QCOMPARE(r.report, line.isEmpty()
                               ? QString()
                               : QStringLiteral("Modfied date ") + formatDateTime(v) +
                                     QStringLiteral("\r\n") + line + QStringLiteral("\r\n"));
    }

    void refusalWinsAndRowsKeepTheirOrder() {
        const YearReport r =
            checkYears({DateTime{1500, 1, 1, 0, 0, 0}, DateTime{1970, 1, 1, 0, 0, 0}, NoDate(1)},
                       {true, true, false});
        QVERIFY(r.refused);
        QCOMPARE(r.report,
                 QStringLiteral(
                     "Created date 1/01/1500, 12:00:00am\r\nDates before 1601 can not be set with "
                     "Windows.\r\nModfied date 1/01/1970, 12:00:00am\r\nDates before 1980 will not "
                     "display the date in Windows Explorer.\r\n"));
    }

    // The date-time core: dates built field by field with carries, the day that stands
    // for no date, spans added.
    void buildDate_data() {
        QTest::addColumn<QList<int>>("fields"); // year, month, day, hour, minute, second
        QTest::addColumn<DateTime>("expected");
        QTest::newRow("plain") << QList<int>{2024, 3, 3, 14, 5, 9}
                               << DateTime{2024, 3, 3, 14, 5, 9};
        QTest::newRow("31 April is 1 May")
            << QList<int>{2024, 4, 31, 0, 0, 0} << DateTime{2024, 5, 1, 0, 0, 0};
        QTest::newRow("30 February")
            << QList<int>{2023, 2, 30, 0, 0, 0} << DateTime{2023, 3, 2, 0, 0, 0};
        QTest::newRow("day 0") << QList<int>{2024, 3, 0, 0, 0, 0} << DateTime{2024, 2, 29, 0, 0, 0};
        QTest::newRow("month 13") << QList<int>{2024, 13, 1, 0, 0, 0}
                                  << DateTime{2025, 1, 1, 0, 0, 0};
        QTest::newRow("month 0") << QList<int>{2024, 0, 15, 0, 0, 0}
                                 << DateTime{2023, 12, 15, 0, 0, 0};
        QTest::newRow("month -13")
            << QList<int>{2024, -13, 1, 0, 0, 0} << DateTime{2022, 11, 1, 0, 0, 0};
        QTest::newRow("1500 exactly")
            << QList<int>{1500, 1, 1, 0, 0, 0} << DateTime{1500, 1, 1, 0, 0, 0};
        QTest::newRow("year 100") << QList<int>{100, 1, 1, 0, 0, 0} << DateTime{100, 1, 1, 0, 0, 0};
        QTest::newRow("year 99 fails") << QList<int>{99, 12, 31, 0, 0, 0} << NoDate(1);
        QTest::newRow("year 10000 fails") << QList<int>{10000, 1, 1, 0, 0, 0} << NoDate(1);
        QTest::newRow("carry past 9999 fails") << QList<int>{9999, 12, 32, 0, 0, 0} << NoDate(1);
        QTest::newRow("hour 25 fails") << QList<int>{2024, 1, 1, 25, 0, 0} << NoDate(1);
        QTest::newRow("minute 60 fails") << QList<int>{2024, 1, 1, 0, 60, 0} << NoDate(1);
        QTest::newRow("negative second fails") << QList<int>{2024, 1, 1, 0, 0, -1} << NoDate(1);
        QTest::newRow("month 32767 carries past 9999")
            << QList<int>{9000, 32767, 1, 0, 0, 0} << NoDate(1);
    }
    void buildDate() {
        QFETCH(QList<int>, fields);
        QFETCH(DateTime, expected);
        const DateTime built =
            BuildDate(std::int16_t(fields[0]), std::int16_t(fields[1]), std::int16_t(fields[2]),
                      std::int16_t(fields[3]), std::int16_t(fields[4]), std::int16_t(fields[5]));
        QCOMPARE(built, expected);
    }

    void noDate() {
        QVERIFY(IsSameDay(NoDate(0), NoDate(1)));
        QVERIFY(NoDate(0) != NoDate(1));
        QVERIFY(IsSameDay(DateTime{1752, 9, 4, 23, 59, 59}, NoDate()));
        QVERIFY(!IsSameDay(DateTime{1752, 9, 5, 0, 0, 0}, NoDate()));
    }

    void addSpan() {
        // The Created row adds its time as a span: 25:00:00 is 01:00 the next day.
        QCOMPARE(*addSeconds(DateTime{2024, 2, 28, 0, 0, 0}, 25 * 3600),
                 (DateTime{2024, 2, 29, 1, 0, 0}));
        QCOMPARE(*addSeconds(DateTime{2024, 1, 1, 10, 0, 0}, 75 * 60),
                 (DateTime{2024, 1, 1, 11, 15, 0}));
        QVERIFY(!addSeconds(DateTime{9999, 12, 31, 23, 0, 0}, 3600));
    }

    // Stamps and sizes as the window shows them.
    void dateTime_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QList<int>>("fields");
        QTest::addColumn<QString>("text");
        const QLocale uk(QLocale::English, QLocale::UnitedKingdom);
        QTest::newRow("afternoon")
            << uk << QList<int>{2024, 3, 3, 14, 5, 9} << "3/03/2024, 2:05:09pm";
        QTest::newRow("half past midnight")
            << uk << QList<int>{2024, 12, 25, 0, 30, 0} << "25/12/2024, 12:30:00am";
        QTest::newRow("noon") << uk << QList<int>{2024, 1, 1, 12, 0, 0} << "1/01/2024, 12:00:00pm";
        QTest::newRow("no date") << uk << QList<int>{1752, 9, 4, 1, 0, 0} << "4/09/1752, 1:00:00am";
        QTest::newRow("year 100") << uk << QList<int>{100, 1, 1, 23, 59, 59}
                                  << "1/01/0100, 11:59:59pm";
        QTest::newRow("German separators")
            << QLocale(QLocale::German, QLocale::Germany) << QList<int>{2024, 3, 3, 14, 5, 9}
            << "3.03.2024, 2:05:09pm";
    }
    void dateTime() {
        QFETCH(QLocale, locale);
        QFETCH(QList<int>, fields);
        QFETCH(QString, text);
        QLocale::setDefault(locale);
        QCOMPARE(formatDateTime(
                     DateTime{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]}),
                 text);
    }

    void size() {
        QCOMPARE(formatSize(0), QStringLiteral("0"));
        QCOMPARE(formatSize(4096), QStringLiteral("4,096"));
        QCOMPARE(formatSize(2147483653LL), QStringLiteral("2,147,483,653"));
    }
};

QTEST_GUILESS_MAIN(tst_Dates)
#include "tst_dates.moc"
