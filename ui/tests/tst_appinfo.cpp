#include "appinfo.h"

#include <QtTest>

using namespace chronodex;

class tst_AppInfo : public QObject {
    Q_OBJECT

  private slots:
    void title_data() {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("revision");
        QTest::addColumn<QString>("title");
        QTest::newRow("this build") << 0 << 0 << 3 << "Chronodex - version 0.00.0003";
        QTest::newRow("two and three digits") << 1 << 12 << 345 << "Chronodex - version 1.12.0345";
        QTest::newRow("wider than the pattern")
            << 1 << 123 << 345 << "Chronodex - version 1.123.0345";
        QTest::newRow("five-digit revision")
            << 10 << 5 << 12345 << "Chronodex - version 10.05.12345";
    }
    void title() {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, revision);
        QFETCH(QString, title);
        VersionInfo v = currentVersion();
        v.major = major;
        v.minor = minor;
        v.revision = revision;
        QCOMPARE(windowTitleFor(v), title);
    }

    void buildVersion() {
        const VersionInfo v = currentVersion();
        QCOMPARE(v.productName, QStringLiteral("Chronodex"));
        QCOMPARE(versionNumberText(v), QStringLiteral("0.00.0003"));
    }
};

QTEST_GUILESS_MAIN(tst_AppInfo)
#include "tst_appinfo.moc"
