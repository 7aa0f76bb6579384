// The sort and the duplicate pass against small reference versions written here: n full
// bubble-sort passes with keys formed per comparison, and the first of each path kept.
#include "sorting.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace chronodex;

namespace {

const QChar sep('\\');

// Bubble sort over slots 0 to n, n passes, exchanging only on strictly greater keys.
QStringList referenceSort(QStringList cells, bool ignoreCase, bool fullPath) {
    const auto key = [&](const QString& path) {
        const QString k = fullPath ? path : SplitPath(path, true, sep);
        return (ignoreCase ? k.toUpper() : k).toStdU16String();
    };
    const qsizetype n = cells.size() - 1;
    for (qsizetype pass = 0; pass < n; ++pass)
        for (qsizetype i = 0; i < n; ++i)
            if (key(cells[i]) > key(cells[i + 1])) cells.swapItemsAt(i, i + 1);
    return cells;
}

// Lists of up to 40 paths; half of them of one folder, as most drops are. The names hold
// both letter cases, "_" (between the cases), letters beyond 16 bits with their case pairs
// in the low surrogate (Deseret), and pairs that share a high surrogate.
QStringList randomPaths(QRandomGenerator& rng) {
    static const QStringList folders{"C:\\a", "C:\\B", "C:\\a\\z", "D:\\_x", "C:\\é"};
    static const QStringList names{"a.txt",      "A.txt",      "b.txt",      "B.TXT",
                                   "_u.txt",     "a_b",        "Zeta",       "zeta",
                                   "ä.txt",      "Ä.txt",      "ß",          "",
                                   "\U0001F600", "\U0001F601", "\uF900",     "\uFB01",
                                   "\U00010429", "\U00010401", "\U00010428", "\U0001F600\u00E9"};
    QStringList out;
    const int n = rng.bounded(0, 40);
    const qsizetype folder = rng.bounded(2) ? rng.bounded(folders.size()) : -1;
    for (int i = 0; i < n; ++i)
        out << folders[folder >= 0 ? folder : rng.bounded(folders.size())] + sep +
                   names[rng.bounded(names.size())];
    return out;
}

} // namespace

class tst_Sorting : public QObject {
    Q_OBJECT

  private slots:
    void matchesTheReference() {
        QRandomGenerator rng(20261206);
        for (int round = 0; round < 300; ++round) {
            const QStringList paths = randomPaths(rng);
            FilePathTable table;
            for (int flags = 0; flags < 4; ++flags) {
                const bool ignoreCase = flags & 1, fullPath = flags & 2;
                table.assign(paths);
                SortPaths(table, ignoreCase, fullPath, sep);
                QCOMPARE(
                    table.entries(),
                    referenceSort(QStringList{QString()} + paths, ignoreCase, fullPath).mid(1));
            }
            QStringList kept; // the first of each path, in order
            for (const QString& p : paths)
                if (!kept.contains(p)) kept << p;
            table.assign(paths);
            QCOMPARE(DuplicateCount(table), int(paths.size() - kept.size()));
            QCOMPARE(withoutDuplicates(paths), kept);
        }
    }

    // The sort items, in menu order: A-Z, a-z; Aa-Zz; the two by full path. Others (-1, 4, 5) by
    // name.
    void sortItems() {
        QList<int> flags;
        for (int index = -1; index < 6; ++index)
            flags << sortOrderFor(index).IgnoreCase + 2 * sortOrderFor(index).FullPath;
        QCOMPARE(flags, QList<int>({0, 0, 1, 2, 3, 0, 0}));
    }
};

QTEST_GUILESS_MAIN(tst_Sorting)
#include "tst_sorting.moc"
