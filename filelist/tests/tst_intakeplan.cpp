// A drop before the list takes it: the kinds of the new list read from the file system, the
// refusals of the whole drop, and the warning about system files and directories.
#include "intake.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace chronodex;

class tst_IntakePlan : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void warning_data() {
        QTest::addColumn<int>("systemFiles");
        QTest::addColumn<int>("directories");
        QTest::addColumn<QString>("text");
        const QString never = "For safety reasions you should not edit the date of ";
        const QString onlyFiles = " here.\r\nThis version can only edit file dates, sorry.\r\n";
        QTest::newRow("none") << 0 << 0 << QString();
        QTest::newRow("one system file, 1,000 directories")
            << 1 << 1000
            << "You dragded a system file here.\r\n" + never +
                   "this file.\r\nPlease don't tick this item.\r\nYou dragded 1,000 directories" +
                   onlyFiles;
        QTest::newRow("two system files, one directory")
            << 2 << 1
            << "You dragded 2 system files here.\r\n" + never +
                   "these files.\r\nPlease don't tick them.\r\nYou dragded a directory" + onlyFiles;
    }
    void warning() {
        QFETCH(int, systemFiles);
        QFETCH(int, directories);
        QFETCH(QString, text);
        QCOMPARE(intakeWarning(KindCounts{systemFiles, systemFiles, directories}), text);
    }

    // A missing object, or more entries than the list can hold, refuses the whole drop.
    void plan() {
        QTemporaryDir dir;
        const QString file = QDir::toNativeSeparators(dir.filePath(QStringLiteral("a")));
        QVERIFY(QFile(file).open(QIODevice::WriteOnly));
        IntakePlan plan;
        QVERIFY(!planIntake({file, QDir::toNativeSeparators(dir.path()), file}, plan));
        QCOMPARE(plan.kinds,
                 std::vector<EntryKind>({EntryKind::File, EntryKind::Directory, EntryKind::File}));
        QCOMPARE(plan.counts, (KindCounts{2, 0, 1}));
        const QString missing = QDir::toNativeSeparators(dir.filePath(QStringLiteral("gone")));
        auto failure = planIntake({file, missing}, plan);
        QVERIFY(failure);
        QCOMPARE(failure->description, "File not found: " + missing);
        QCOMPARE(failure->number, 53);
        QVERIFY(!planIntake(QStringList(MaxEntries, file), plan));
        failure = planIntake(QStringList(MaxEntries + 1, file), plan);
        QVERIFY(failure);
        QCOMPARE(failure->description,
                 QStringLiteral("Overflow: the list can hold at most 32,767 entries"));
        QCOMPARE(failure->number, 6);
    }
};

QTEST_GUILESS_MAIN(tst_IntakePlan)
#include "tst_intakeplan.moc"
