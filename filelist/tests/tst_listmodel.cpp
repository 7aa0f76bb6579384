#include "listmodel.h"

#include "platform/files.h"

#include <QLocale>
#include <QtTest>

using namespace chronodex;

class tst_ListModel : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void splitPath_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("directory");
        const QChar win('\\'), posix('/');
        QTest::newRow("file in a folder") << "C:\\dir\\file.txt" << win << "file.txt"
                                          << "C:\\dir";
        QTest::newRow("file at the root") << "C:\\b.txt" << win << "b.txt"
                                          << "C:";
        QTest::newRow("drive root") << "C:\\" << win << ""
                                    << "C:";
        QTest::newRow("no separator") << "file.txt" << win << "file.txt"
                                      << "";
        QTest::newRow("empty") << "" << win << ""
                               << "";
        QTest::newRow("linux path") << "/home/ann/a b.txt" << posix << "a b.txt"
                                    << "/home/ann";
        QTest::newRow("linux root file") << "/x" << posix << "x"
                                         << "";
        QTest::newRow("other separator ignored") << "C:\\a/b" << posix << "b"
                                                 << "C:\\a";
    }
    void splitPath() {
        QFETCH(QString, path);
        QFETCH(QChar, separator);
        QFETCH(QString, name);
        QFETCH(QString, directory);
        QCOMPARE(SplitPath(path, true, separator), name);
        QCOMPARE(SplitPath(path, false, separator), directory);
    }

    void tickedStatus_data() {
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("directories");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << 0 << 0 << "No file, no directories ticked.";
        QTest::newRow("one each") << 1 << 1 << "One file, one directory ticked.";
        QTest::newRow("twelve files") << 12 << 0 << "12 files, no directories ticked.";
        QTest::newRow("grouped") << 1234 << 2000 << "1,234 files, 2,000 directories ticked.";
    }
    void tickedStatus() {
        QFETCH(int, files);
        QFETCH(int, directories);
        QFETCH(QString, text);
        QCOMPARE(tickedStatusText(files, directories), text);
    }

    void counts_data() {
        QTest::addColumn<qint64>("n");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "0 ";
        QTest::newRow("below a thousand") << qint64(999) << "999 ";
        QTest::newRow("thousand") << qint64(1000) << "1,000 ";
        QTest::newRow("largest list") << qint64(32767) << "32,767 ";
    }
    void counts() {
        QFETCH(qint64, n);
        QFETCH(QString, text);
        QCOMPARE(formatCount(n), text);
    }

    // The kind rule on the attribute bits (on real objects: tst_platform and the intake).
    void kinds() {
        QCOMPARE(kindOf(platform::AttrArchive | platform::AttrReadOnly), EntryKind::File);
        QCOMPARE(kindOf(platform::AttrDirectory | platform::AttrArchive), EntryKind::Directory);
        QCOMPARE(kindOf(platform::AttrSystem | platform::AttrArchive), EntryKind::File);
        QCOMPARE(kindOf(platform::AttrSystem), EntryKind::SystemFile);
        QCOMPARE(kindOf(0), EntryKind::SystemFile);
        QVERIFY(tickedOnIntake(EntryKind::File));
        QVERIFY(!tickedOnIntake(EntryKind::SystemFile));
        QVERIFY(!tickedOnIntake(EntryKind::Directory));

        KindCounts c;
        for (EntryKind k : {EntryKind::File, EntryKind::SystemFile, EntryKind::Directory})
            c.add(k);
        QCOMPARE(c.files, 2); // system files count as files too
        QCOMPARE(c.systemFiles, 1);
        QCOMPARE(c.directories, 1);
    }
};

QTEST_GUILESS_MAIN(tst_ListModel)
#include "tst_listmodel.moc"
