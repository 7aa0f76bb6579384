#include "appinfo.h"

#include <QtTest>

class tst_AppInfo : public QObject {
    Q_OBJECT

  private slots:
    // Numbers wider than the pattern are written in full. This build's own numbers are in
    // the About text (tst_help).
    void title_data() {
        QTest::addColumn<QList<int>>("numbers"); // major, minor, revision
        QTest::addColumn<QString>("title");
        QTest::newRow("two and three digits")
            << QList{1, 12, 345} << "Chronodex - version 1.12.0345";
        QTest::newRow("wider than the pattern")
            << QList{1, 123, 345} << "Chronodex - version 1.123.0345";
        QTest::newRow("five-digit revision")
            << QList{10, 5, 12345} << "Chronodex - version 10.05.12345";
    }
    void title() {
        QFETCH(QList<int>, numbers);
        QFETCH(QString, title);
        chronodex::VersionInfo v = chronodex::currentVersion();
        std::tie(v.major, v.minor, v.revision) = std::tuple(numbers[0], numbers[1], numbers[2]);
        QCOMPARE(chronodex::windowTitleFor(v), title);
    }
};

QTEST_GUILESS_MAIN(tst_AppInfo)
#include "tst_appinfo.moc"
