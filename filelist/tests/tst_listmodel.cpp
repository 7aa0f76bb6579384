// The path table as the model of the list: its rows, ticks, hint entry and reordering, the
// kinds read afresh, and the rules and texts around it.
#include "listmodel.h"

#include "platform/files.h"

#include <QAccessible>
#include <QListView>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

#include <thread>

#include <utility>

using namespace chronodex;
using Kinds = std::vector<EntryKind>;

namespace {

const QString hint = QStringLiteral("Drag files here");
const QChar sep = QLatin1Char(platform::pathSeparator);
constexpr EntryKind file = EntryKind::File, sys = EntryKind::SystemFile, dir = EntryKind::Directory;

QString pathOf(const char* name) {
    return QStringLiteral("top") + sep + QStringLiteral("dir") + sep + QLatin1String(name);
}

} // namespace

class tst_ListModel : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    // Rows as "path > name > directory", split at the separator of the path's system: "/" when
    // the path holds one, else "\\".
    void splitPath_data() {
        QTest::addColumn<QString>("row");
        for (const char* row : {"C:\\dir\\file.txt>file.txt>C:\\dir",
                                "C:\\>>C:", "file.txt>file.txt>", ">>", "/x>x>", "C:\\a/b>b>C:\\a"})
            QTest::newRow(row) << QString::fromUtf8(row);
    }
    void splitPath() {
        QFETCH(QString, row);
        const QStringList parts = row.split(QLatin1Char('>'));
        const QChar separator = parts[0].contains('/') ? '/' : '\\';
        QCOMPARE(SplitPath(parts[0], true, separator), parts[1]);
        QCOMPARE(SplitPath(parts[0], false, separator), parts[2]);
    }

    // The title's ticked counts and the totals' numbers, grouped as the user's locale does;
    // the kind rule on the attribute bits (on real objects: tst_platform and the intake).
    void textsAndKinds() {
        QCOMPARE(QStringList({tickedStatusText(0, 0), tickedStatusText(1, 1),
                              tickedStatusText(1234, 2000), formatCount(0), formatCount(32767)}),
                 QStringList({"No file, no directories ticked.", "One file, one directory ticked.",
                              "1,234 files, 2,000 directories ticked.", "0 ", "32,767 "}));
        using namespace platform;
        QCOMPARE(Kinds({kindOf(AttrArchive | AttrReadOnly), kindOf(AttrDirectory | AttrArchive),
                        kindOf(AttrSystem | AttrArchive), kindOf(AttrSystem), kindOf(0)}),
                 Kinds({file, dir, file, sys, sys}));
    }

    // The kinds of a list read afresh: a file and a folder over and over, and paths that are
    // gone (system files) at some places. Long lists are read on several threads; each entry
    // still gets its own kind, and the first gone path is the first in list order. The lists:
    // a short one (one thread), then long ones gone in the last part, gone in the first part
    // and later, and none gone.
    void readKinds() {
        const auto mainThread = std::this_thread::get_id();
        QTemporaryDir folder;
        const QString base = QDir::toNativeSeparators(folder.path() + "/");
        QVERIFY(QFile(base + "f").open(QIODevice::WriteOnly) && QDir(base).mkdir("d"));
        for (const QList<int>& gone : {QList<int>{5, 6}, {18000, 19999}, {10, 15000}, {}}) {
            const int n = gone == QList<int>{5, 6} ? 7 : 20000;
            QStringList paths;
            Kinds kinds;
            for (int i = 0; i < n; ++i) {
                paths << base + (gone.contains(i) ? "gone" : i % 2 ? "d" : "f");
                kinds.push_back(gone.contains(i) ? sys : i % 2 ? dir : file);
            }
            // Told how far it came, on this thread; stopped when the answer is no.
            int told = 0;
            const KindsRead read = chronodex::readKinds(paths, false, [&](int done, int total) {
                told = std::max(told, done);
                return total == n && std::this_thread::get_id() == mainThread;
            });
            QCOMPARE(read.firstMissing, gone.isEmpty() ? -1 : gone.first());
            QVERIFY(read.kinds == kinds && !read.stopped && told > 0 && told <= n);
            QCOMPARE(read.counts.directories, int(std::count(kinds.begin(), kinds.end(), dir)));
            const KindsRead stopped =
                chronodex::readKinds(paths, false, [](int done, int) { return done < 3; });
            const auto unread =
                std::size_t(std::max(n / 8 - 2, 4)); // a file's, in this thread's part
            QVERIFY(stopped.stopped && stopped.kinds[unread] != kinds[unread]);
        }
    }

    // One list in a view, from before the first drop to the removal of duplicates. While the
    // table holds nothing the list shows the hint entry, which takes no tick; then one row per
    // slot, named by its name part, ticked as given and past that by the ticking rule (without
    // kinds, every entry is a file). A click on a check box, or the space bar on the current
    // entry, changes one tick and tells the view about that row alone; the ticked counts
    // follow, and a screen reader reads each entry by name, ticked or not. A rebuild reads the
    // kinds afresh: the ticks stay, or follow the ticking rule again. Sorting reorders the rows in
    // one layout change: every entry keeps its kind and tick, and the current entry follows its
    // row. Keeping fewer entries (duplicate removal) starts the view afresh.
    void aListsLife() {
        FilePathTable table;
        table.setHint(hint);
        QListView view;
        view.setModel(&table);
        QStringList told; // what the view was told since the last look
        connect(&table, &QAbstractItemModel::modelReset, [&] { told << "reset"; });
        connect(&table, &QAbstractItemModel::layoutChanged, [&] { told << "layout"; });
        connect(&table, &QAbstractItemModel::dataChanged,
                [&](const QModelIndex& first, const QModelIndex& last, const QList<int>& roles) {
                    told << QStringLiteral("ticks %1-%2").arg(first.row()).arg(last.row()) +
                                (roles == QList{int(Qt::CheckStateRole)} ? "" : " and more");
                });
        // Each row's text and check state (-1 for no check box), the ticked files, system
        // files and directories, and what the view was told.
        const auto look = [&] {
            QStringList out;
            for (int i = 0; i < table.rowCount(); ++i) {
                const QVariant check = table.index(i).data(Qt::CheckStateRole);
                out << table.index(i).data().toString() + QLatin1Char(':') +
                           QString::number(check.isValid() ? check.toInt() : -1);
            }
            const KindCounts& n = table.tickedCounts();
            out << QString("ticked %1 %2 %3").arg(n.files).arg(n.systemFiles).arg(n.directories);
            return out + std::exchange(told, {});
        };
        const auto boxes = [&] {
            return table.flags(table.index(0)) & (Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        };
        const auto click = [&](int row, Qt::CheckState state) {
            QVERIFY(!table.setData(table.index(row), state, Qt::DisplayRole));
            QVERIFY(table.setData(table.index(row), state, Qt::CheckStateRole));
        };

        QCOMPARE(look(), QStringList({hint + ":-1", "ticked 0 0 0"}));
        QCOMPARE(table.PathCount(), -1);
        QCOMPARE(boxes(), Qt::ItemIsSelectable);
        QVERIFY(!table.setData(table.index(0), Qt::Checked, Qt::CheckStateRole));
        table.assign({pathOf("x"), QStringLiteral("bare")});
        QCOMPARE(look(), QStringList({"x:2", "bare:2", "ticked 2 0 0", "reset"}));
        QCOMPARE(table.PathCount(), 2);
        QCOMPARE(boxes(), Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        table.assign({pathOf("a.txt"), pathOf("b"), pathOf("c")}, {file, sys, dir}, {false, true});
        QCOMPARE(look(), QStringList({"a.txt:0", "b:2", "c:0", "ticked 1 1 0", "reset"}));
        table.assign({pathOf("f"), pathOf("s"), pathOf("d")}, {file, sys, dir});
        QCOMPARE(look(), QStringList({"f:2", "s:0", "d:0", "ticked 1 0 0", "reset"}));

        click(0, Qt::Unchecked);
        QCOMPARE(look(), QStringList({"f:0", "s:0", "d:0", "ticked 0 0 0", "ticks 0-0"}));
        QVERIFY(!table.anyTicked());
        view.setCurrentIndex(table.index(2));
        QTest::keyClick(&view, Qt::Key_Space);
        QCOMPARE(look(), QStringList({"f:0", "s:0", "d:2", "ticked 0 0 1", "ticks 2-2"}));
        QVERIFY(table.anyTicked());
        click(1, Qt::Checked);
        QCOMPARE(look(), QStringList({"f:0", "s:2", "d:2", "ticked 1 1 1", "ticks 1-1"}));
        QCOMPARE(table.tickedSlots(), std::vector<int>({2, 3}));
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&view);
        QStringList heard;
        for (int i = 0; i < list->childCount(); ++i) {
            const QAccessible::State state = list->child(i)->state();
            heard << list->child(i)->text(QAccessible::Name) +
                         (state.checkable ? (state.checked ? " [x]" : " [ ]") : "");
        }
        QCOMPARE(heard, QStringList({"f [ ]", "s [x]", "d [x]"}));

        table.setKinds({dir, file, sys}, false);
        QCOMPARE(look(), QStringList({"f:0", "s:2", "d:2", "ticked 2 1 0"}));
        table.setKinds({dir, file, sys}, true);
        QCOMPARE(look(), QStringList({"f:0", "s:2", "d:0", "ticked 1 0 0", "reset"}));

        view.setCurrentIndex(table.index(2));
        table.reorder({2, 0, 1});
        QCOMPARE(look(), QStringList({"d:0", "f:0", "s:2", "ticked 1 0 0", "layout"}));
        QCOMPARE(Kinds({table.kind(1), table.kind(2), table.kind(3)}), Kinds({sys, dir, file}));
        QCOMPARE(view.currentIndex().row(), 0);
        QCOMPARE(table.at(0), QString());
        table.reorder({1, 0});
        QCOMPARE(look(), QStringList({"f:0", "d:0", "ticked 0 0 0", "reset"}));
    }
};

QTEST_MAIN(tst_ListModel)
#include "tst_listmodel.moc"
