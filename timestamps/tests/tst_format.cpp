#include "format.h"

#include <QLocale>
#include <QtTest>

using namespace chronodex;

class tst_Format : public QObject {
    Q_OBJECT

  private slots:
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
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        QCOMPARE(formatSize(0), QStringLiteral("0"));
        QCOMPARE(formatSize(4096), QStringLiteral("4,096"));
        QCOMPARE(formatSize(2147483653LL), QStringLiteral("2,147,483,653"));
    }
};

QTEST_GUILESS_MAIN(tst_Format)
#include "tst_format.moc"
