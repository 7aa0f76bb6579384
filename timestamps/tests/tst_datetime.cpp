#include "datetime.h"

#include <QtTest>

using namespace chronodex;

Q_DECLARE_METATYPE(chronodex::DateTime)

namespace QTest {
template <> char* toString(const chronodex::DateTime& d) {
    return qstrdup(qPrintable(QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", d.year, d.month,
                                                d.day, d.hour, d.minute, d.second)));
}
} // namespace QTest

class tst_DateTime : public QObject {
    Q_OBJECT

  private slots:
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
};

QTEST_GUILESS_MAIN(tst_DateTime)
#include "tst_datetime.moc"
