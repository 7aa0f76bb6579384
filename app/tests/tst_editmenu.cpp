// The Edit menu on the window: the duplicate caption, sorting, removal and the rebuild.
#include "frm_MainWindow.h"

#include "drops.h"
#include "filehelpers.h"
#include "windowprobe.h"

#include "dialogdriver.h"
#include <QAction>
#include <QMenu>

#include <QtTest>

using namespace chronodex;
using namespace chronodex::testing;

namespace {

QAction* removeItem(const frm_MainWindow& w) {
    return w.findChild<QAction*>(QStringLiteral("menu_EditRemoveCopies"));
}

void openEditMenu(frm_MainWindow& w) {
    emit w.findChild<QMenu*>(QStringLiteral("menu_Edit"))->aboutToShow();
}

} // namespace

class tst_EditMenu : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

  private slots:
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(); }
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void sortByName_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("A-Z, a-z") << 0 << QStringList{"A.txt", "B.txt", "a.txt", "b.txt"};
        QTest::newRow("Aa-Zz") << 1 << QStringList{"A.txt", "a.txt", "b.txt", "B.txt"};
    }
    void sortByName() {
        QFETCH(int, index);
        QFETCH(QStringList, expected);
        QStringList paths;
        for (const char* n : {"b.txt", "A.txt", "a.txt", "B.txt"})
            paths << makeFile(dir, QString::fromLatin1(n));
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime()));
        dropFiles(w.fileList()->viewport(), paths);
        w.sortItems()[static_cast<std::size_t>(index)]->trigger();
        QCOMPARE(entryNames(w), expected);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(w.sortItems()[static_cast<std::size_t>(i)]->isChecked(), i == index);
        QCOMPARE(currentEntry(w), 0);
        QCOMPARE(w.windowTitle(), QStringLiteral("Chronodex - 4 files, no directories ticked."));
    }

    // Sorting and removing duplicates are ways of looking at the list: each entry keeps the
    // tick the user gave it, a kept duplicate that of the entry that stays, and an update
    // then writes exactly the ticked files.
    void ticksStayWithTheirEntries_data() {
        QTest::addColumn<int>("command"); // a sort order, or -1 for the duplicate removal
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<bool>>("ticks");
        QTest::newRow("A-Z, a-z") << 0 << QStringList{"A.txt", "B.txt", "a.txt", "b.txt", "b.txt"}
                                  << QList<bool>{false, true, true, true, false};
        QTest::newRow("Aa-Zz") << 1 << QStringList{"A.txt", "a.txt", "b.txt", "B.txt", "b.txt"}
                               << QList<bool>{false, true, true, true, false};
        QTest::newRow("Full path A-Z, a-z")
            << 2 << QStringList{"A.txt", "B.txt", "a.txt", "b.txt", "b.txt"}
            << QList<bool>{false, true, true, true, false};
        QTest::newRow("Full path Aa-Zz")
            << 3 << QStringList{"A.txt", "a.txt", "b.txt", "B.txt", "b.txt"}
            << QList<bool>{false, true, true, true, false};
        QTest::newRow("remove duplicates") << -1 << QStringList{"b.txt", "A.txt", "a.txt", "B.txt"}
                                           << QList<bool>{true, false, true, true};
    }
    void ticksStayWithTheirEntries() {
        QFETCH(int, command);
        QFETCH(QStringList, names);
        QFETCH(QList<bool>, ticks);
        QTemporaryDir here;
        makeFile(here, QStringLiteral("A.txt"));
        if (QFile::exists(here.filePath(QStringLiteral("a.txt"))))
            QSKIP("this file system ignores letter case (as Windows does): A.txt and a.txt are "
                  "one file");
        QStringList paths;
        for (const char* n : {"b.txt", "A.txt", "a.txt", "B.txt"})
            paths << makeFile(here, QString::fromLatin1(n));
        paths << paths[0]; // b.txt twice: the first ticked, the second not
        const qint64 before = utcSeconds(2001, 2, 3);
        for (const QString& p : paths)
            setStamps(p, before, before);
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime(), false));
        dropFiles(w.fileList()->viewport(), paths);
        setTick(w, 1, false); // A.txt
        setTick(w, 4, false); // the second b.txt
        if (command >= 0)
            w.sortItems()[static_cast<std::size_t>(command)]->trigger();
        else
            removeItem(w)->trigger();
        QCOMPARE(entryNames(w), names);
        QCOMPARE(entryTicks(w), ticks);

        w.row(Accessed).check->setCheckState(Qt::Unchecked);
        setRowTexts(w, Modified, {"1", "6", "2020", "0", "0", "0"});
        button(w, "com_UptateTimestamp")->click();
        const qint64 after = utcSeconds(2020, 6, 1);
        for (int i = 0; i < 4; ++i) {
            const QString name = QFileInfo(paths[i]).fileName();
            const bool written = name != QStringLiteral("A.txt");
            QCOMPARE(modifiedSeconds(paths[i]), written ? after : before);
        }
    }

    void nameOrderAgainstFullPath() {
        QDir(dir.path()).mkpath(QStringLiteral("z"));
        QDir(dir.path()).mkpath(QStringLiteral("a"));
        const QString za = makeFile(dir, QStringLiteral("z/a.txt"));
        const QString ab = makeFile(dir, QStringLiteral("a/b.txt"));
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime()));
        dropFiles(w.fileList()->viewport(), {ab, za});
        w.sortItems()[0]->trigger();
        QCOMPARE(w.FilePaths().entries(), QStringList({za, ab}));
        w.sortItems()[3]->trigger();
        QCOMPARE(w.FilePaths().entries(), QStringList({ab, za}));
    }

    void duplicates() {
        const QString x = makeFile(dir, QStringLiteral("dx"));
        const QString y = makeFile(dir, QStringLiteral("dy"));
        const QString z = makeFile(dir, QStringLiteral("dz"));
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime()));
        dropFiles(w.fileList()->viewport(), {x, y, z});
        openEditMenu(w);
        QCOMPARE(removeItem(w)->text(), QStringLiteral("&Remove duplicated files (0)"));
        QVERIFY(!removeItem(w)->isEnabled());

        dropFiles(w.fileList()->viewport(), {x, y, z, y, x, x});
        w.sortItems()[1]->trigger(); // the mark is kept by a removal
        w.FilePaths().assign({x, y, x, z, y, x});
        w.RebuildList();
        openEditMenu(w);
        QCOMPARE(removeItem(w)->text(), QStringLiteral("&Remove duplicated files (3)"));
        QVERIFY(removeItem(w)->isEnabled());
        removeItem(w)->trigger();
        QCOMPARE(w.FilePaths().entries(), QStringList({x, y, z}));
        QCOMPARE(entryNames(w), QStringList({"dx", "dy", "dz"}));
        QVERIFY(w.sortItems()[1]->isChecked());
        QCOMPARE(caption(w, "labTotalFiles"), QStringLiteral("3 "));
    }

    // An entry whose file was deleted counts as a system file and keeps its tick.
    void deletedFileAfterSort() {
        const QString keep = makeFile(dir, QStringLiteral("keep"));
        const QString gone = makeFile(dir, QStringLiteral("gone"));
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime()));
        dropFiles(w.fileList()->viewport(), {keep, gone});
        QVERIFY(QFile::remove(gone));
        w.sortItems()[2]->trigger();
        QCOMPARE(entryNames(w), QStringList({"gone", "keep"}));
        QCOMPARE(entryTicks(w), QList<bool>({true, true}));
        QCOMPARE(caption(w, "labTotalSysFiles"), QStringLiteral("1 "));
        QCOMPARE(caption(w, "labTotalFiles"), QStringLiteral("2 "));
    }
};

QTEST_MAIN(tst_EditMenu)
#include "tst_editmenu.moc"
