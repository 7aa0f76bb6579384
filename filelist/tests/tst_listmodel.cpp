// The path table as the model of the list: its rows, ticks, hint entry and reordering, and
// the rules and texts around it.
#include "listmodel.h"

#include "platform/files.h"

#include <QAccessible>
#include <QListView>
#include <QLocale>
#include <QSignalSpy>
#include <QtTest>

using namespace chronodex;

namespace {

const QString hint = QStringLiteral("Drag files here");
const QChar sep = QLatin1Char(platform::pathSeparator);

QString pathOf(const char* name) {
    return QStringLiteral("top") + sep + QStringLiteral("dir") + sep + QLatin1String(name);
}

// What the list shows: each row's text and check state (-1 for no check box).
QStringList shown(const QAbstractItemModel& m) {
    QStringList out;
    for (int i = 0; i < m.rowCount(); ++i) {
        const QModelIndex index = m.index(i, 0);
        const QVariant check = index.data(Qt::CheckStateRole);
        out << index.data().toString() + QLatin1Char(':') +
                   QString::number(check.isValid() ? check.toInt() : -1);
    }
    return out;
}

} // namespace

class tst_ListModel : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    // Rows as "path > name > directory", split at the separator of the path's system.
    void splitPath_data() {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QChar>("separator");
        for (const char* row : {"C:\\dir\\file.txt>file.txt>C:\\dir",
                                "C:\\b.txt>b.txt>C:", "C:\\>>C:", "file.txt>file.txt>", ">>"})
            QTest::newRow(row) << QString::fromUtf8(row) << QChar('\\');
        for (const char* row : {"/home/ann/a b.txt>a b.txt>/home/ann", "/x>x>", "C:\\a/b>b>C:\\a"})
            QTest::newRow(row) << QString::fromUtf8(row) << QChar('/');
    }
    void splitPath() {
        QFETCH(QString, row);
        QFETCH(QChar, separator);
        const QStringList parts = row.split(QLatin1Char('>'));
        QCOMPARE(SplitPath(parts[0], true, separator), parts[1]);
        QCOMPARE(SplitPath(parts[0], false, separator), parts[2]);
    }

    // The title's ticked counts and the totals' numbers, grouped as the user's locale does.
    void texts() {
        QCOMPARE(tickedStatusText(0, 0), QStringLiteral("No file, no directories ticked."));
        QCOMPARE(tickedStatusText(1, 1), QStringLiteral("One file, one directory ticked."));
        QCOMPARE(tickedStatusText(12, 0), QStringLiteral("12 files, no directories ticked."));
        QCOMPARE(tickedStatusText(1234, 2000),
                 QStringLiteral("1,234 files, 2,000 directories ticked."));
        QCOMPARE(formatCount(0), QStringLiteral("0 "));
        QCOMPARE(formatCount(999), QStringLiteral("999 "));
        QCOMPARE(formatCount(32767), QStringLiteral("32,767 "));
    }

    // The model's rows: the hint entry while the table holds nothing, else one row per
    // slot, named by its name part and ticked by the ticking rule unless told otherwise.
    void rows_data() {
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<QList<int>>("kinds"); // as EntryKind
        QTest::addColumn<QList<bool>>("ticks");
        QTest::addColumn<QStringList>("expected");
        const QList<int> mixed{int(EntryKind::File), int(EntryKind::SystemFile),
                               int(EntryKind::Directory)};
        const QStringList three{pathOf("a.txt"), pathOf("sys"), pathOf("sub")};
        QTest::newRow("never sized")
            << QStringList() << QList<int>() << QList<bool>() << QStringList{hint + ":-1"};
        QTest::newRow("ticking rule")
            << three << mixed << QList<bool>() << QStringList{"a.txt:2", "sys:0", "sub:0"};
        QTest::newRow("own ticks, then the rule") << three << mixed << QList<bool>{false, true}
                                                  << QStringList{"a.txt:0", "sys:2", "sub:0"};
        QTest::newRow("without kinds all files")
            << QStringList{pathOf("x"), QStringLiteral("bare")} << QList<int>() << QList<bool>()
            << QStringList{"x:2", "bare:2"};
    }
    void rows() {
        QFETCH(QStringList, paths);
        QFETCH(QList<int>, kinds);
        QFETCH(QList<bool>, ticks);
        QFETCH(QStringList, expected);
        FilePathTable table;
        table.setHint(hint);
        if (!paths.isEmpty()) {
            std::vector<EntryKind> asKinds;
            for (int k : kinds)
                asKinds.push_back(static_cast<EntryKind>(k));
            table.assign(paths, asKinds, std::vector<bool>(ticks.begin(), ticks.end()));
        }
        QCOMPARE(shown(table), expected);
        QCOMPARE(table.PathCount(), paths.isEmpty() ? -1 : int(paths.size()));
        const Qt::ItemFlags flags = table.flags(table.index(0));
        QVERIFY(flags & Qt::ItemIsSelectable);
        QCOMPARE(bool(flags & Qt::ItemIsUserCheckable), !paths.isEmpty());
        if (paths.isEmpty())
            QVERIFY(!table.setData(table.index(0), Qt::Checked, Qt::CheckStateRole));
    }

    // A click on a check box changes one tick, tells the view about that row alone and
    // keeps the ticked counts; setting the tick an entry has already changes nothing.
    void ticking_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("changes");
        QTest::addColumn<QList<int>>("counts"); // ticked files, system files, directories
        QTest::newRow("untick a file") << 0 << int(Qt::Unchecked) << 1 << QList<int>{0, 0, 0};
        QTest::newRow("tick a system file") << 1 << int(Qt::Checked) << 1 << QList<int>{2, 1, 0};
        QTest::newRow("tick a directory") << 2 << int(Qt::Checked) << 1 << QList<int>{1, 0, 1};
        QTest::newRow("file already ticked") << 0 << int(Qt::Checked) << 0 << QList<int>{1, 0, 0};
    }
    void ticking() {
        QFETCH(int, row);
        QFETCH(int, state);
        QFETCH(int, changes);
        QFETCH(QList<int>, counts);
        FilePathTable table;
        table.assign({pathOf("f"), pathOf("s"), pathOf("d")},
                     {EntryKind::File, EntryKind::SystemFile, EntryKind::Directory});
        QSignalSpy changed(&table, &QAbstractItemModel::dataChanged);
        QVERIFY(table.setData(table.index(row), state, Qt::CheckStateRole));
        QCOMPARE(changed.count(), changes);
        if (changes) {
            QCOMPARE(changed[0][0].toModelIndex().row(), row);
            QCOMPARE(changed[0][1].toModelIndex().row(), row);
            QCOMPARE(changed[0][2].value<QList<int>>(), QList<int>{Qt::CheckStateRole});
        }
        QCOMPARE(table.index(row).data(Qt::CheckStateRole).toInt(), state);
        const KindCounts ticked = table.tickedCounts();
        QCOMPARE(QList<int>({ticked.files, ticked.systemFiles, ticked.directories}), counts);
        QCOMPARE(table.anyTicked(), counts[0] + counts[2] > 0);
        QVERIFY(!table.setData(table.index(row), state, Qt::DisplayRole));
    }

    // Sorting reorders the rows in place: one layout change, no reset; every entry keeps its
    // kind and tick, and what points at a row (the current entry) follows it. Keeping fewer
    // entries (duplicate removal) starts the view afresh, once.
    void reorder_data() {
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("layouts");
        QTest::addColumn<int>("resets");
        QTest::newRow("reversed") << QList<int>{3, 2, 1, 0}
                                  << QStringList{"d:0", "c:2", "b:0", "a:2"} << 1 << 0;
        QTest::newRow("unchanged")
            << QList<int>{0, 1, 2, 3} << QStringList{"a:2", "b:0", "c:2", "d:0"} << 1 << 0;
        QTest::newRow("fewer") << QList<int>{0, 2} << QStringList{"a:2", "c:2"} << 0 << 1;
    }
    void reorder() {
        QFETCH(QList<int>, order);
        QFETCH(QStringList, expected);
        QFETCH(int, layouts);
        QFETCH(int, resets);
        FilePathTable table;
        table.assign({pathOf("a"), pathOf("b"), pathOf("c"), pathOf("d")},
                     {EntryKind::File, EntryKind::Directory, EntryKind::File, EntryKind::File},
                     {true, false, true, false});
        const QPersistentModelIndex c(table.index(2));
        QSignalSpy layout(&table, &QAbstractItemModel::layoutChanged);
        QSignalSpy reset(&table, &QAbstractItemModel::modelReset);
        QSignalSpy changed(&table, &QAbstractItemModel::dataChanged);
        table.reorder(std::vector<int>(order.begin(), order.end()));
        QCOMPARE(shown(table), expected);
        QCOMPARE(layout.count(), layouts);
        QCOMPARE(reset.count(), resets);
        QCOMPARE(changed.count(), 0);
        if (layouts) QCOMPARE(c.row(), int(order.indexOf(2)));
        if (order.contains(1))
            QCOMPARE(table.kind(int(order.indexOf(1)) + 1), EntryKind::Directory);
        QCOMPARE(table.tickedCounts().files, 2);
        QCOMPARE(table.at(0), QString());
    }

    // A rebuild reads the kinds afresh: the ticks stay, or follow the ticking rule again.
    void newKinds() {
        FilePathTable table;
        table.assign({pathOf("a"), pathOf("b")}, {}, {false, true});
        QSignalSpy reset(&table, &QAbstractItemModel::modelReset);
        table.setKinds({EntryKind::File, EntryKind::SystemFile}, false);
        QCOMPARE(shown(table), QStringList({"a:0", "b:2"}));
        QCOMPARE(table.tickedCounts().systemFiles, 1);
        QCOMPARE(reset.count(), 0);
        table.setKinds({EntryKind::File, EntryKind::SystemFile}, true);
        QCOMPARE(shown(table), QStringList({"a:2", "b:0"}));
        QCOMPARE(table.tickedCounts().systemFiles, 0);
        QCOMPARE(reset.count(), 1);
    }

    // Through a real view: the space bar on the current entry ticks it through the model, as
    // a click on its check box does, and a screen reader finds each entry by its name,
    // ticked or not.
    void throughTheView() {
        FilePathTable table;
        table.assign({pathOf("a.txt"), pathOf("b.txt")}, {}, {true, false});
        QListView view;
        view.setModel(&table);
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&view);
        QCOMPARE(list->childCount(), 2);
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(list->child(i)->text(QAccessible::Name), QString(i ? "b.txt" : "a.txt"));
            QVERIFY(list->child(i)->state().checkable);
            QCOMPARE(bool(list->child(i)->state().checked), i == 0);
        }
        view.setCurrentIndex(table.index(1));
        QSignalSpy changed(&table, &QAbstractItemModel::dataChanged);
        QTest::keyClick(&view, Qt::Key_Space);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(shown(table), QStringList({"a.txt:2", "b.txt:2"}));
        QCOMPARE(table.tickedSlots(), std::vector<int>({1, 2}));
    }

    // The kind rule on the attribute bits (on real objects: tst_platform and the intake).
    void kinds() {
        QCOMPARE(kindOf(platform::AttrArchive | platform::AttrReadOnly), EntryKind::File);
        QCOMPARE(kindOf(platform::AttrDirectory | platform::AttrArchive), EntryKind::Directory);
        QCOMPARE(kindOf(platform::AttrSystem | platform::AttrArchive), EntryKind::File);
        QCOMPARE(kindOf(platform::AttrSystem), EntryKind::SystemFile);
        QCOMPARE(kindOf(0), EntryKind::SystemFile);
    }
};

QTEST_MAIN(tst_ListModel)
#include "tst_listmodel.moc"
