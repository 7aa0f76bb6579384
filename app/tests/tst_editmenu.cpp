// The Edit menu on the window: the duplicate caption, sorting, removal and the rebuild.
#include "frm_MainWindow.h"

#include "drops.h"
#include "filehelpers.h"
#include "windowprobe.h"

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
        w.fileList()->item(2)->setCheckState(Qt::Unchecked);
        w.sortItems()[static_cast<std::size_t>(index)]->trigger();
        QCOMPARE(entryNames(w), expected);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(w.sortItems()[static_cast<std::size_t>(i)]->isChecked(), i == index);
            QCOMPARE(w.fileList()->item(i)->checkState(), Qt::Checked); // ticks reset
        }
        QCOMPARE(w.fileList()->currentRow(), 0);
        QCOMPARE(w.windowTitle(), QStringLiteral("Chronodex - 4 files, no directories ticked."));
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

    // An entry whose file was deleted is counted as a system file and left unticked.
    void deletedFileAfterSort() {
        const QString keep = makeFile(dir, QStringLiteral("keep"));
        const QString gone = makeFile(dir, QStringLiteral("gone"));
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime()));
        dropFiles(w.fileList()->viewport(), {keep, gone});
        QVERIFY(QFile::remove(gone));
        w.sortItems()[2]->trigger();
        QCOMPARE(entryNames(w), QStringList({"gone", "keep"}));
        QCOMPARE(w.fileList()->item(0)->checkState(), Qt::Unchecked);
        QCOMPARE(w.fileList()->item(1)->checkState(), Qt::Checked);
        QCOMPARE(caption(w, "labTotalSysFiles"), QStringLiteral("1 "));
        QCOMPARE(caption(w, "labTotalFiles"), QStringLiteral("2 "));
    }
};

QTEST_MAIN(tst_EditMenu)
#include "tst_editmenu.moc"
