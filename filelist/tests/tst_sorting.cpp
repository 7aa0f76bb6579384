// The sort and the duplicate pass against small reference versions written here: n full
// bubble-sort passes with keys formed per comparison, and a pairwise duplicate count.
#include "sorting.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace chronodex;

namespace {

const QChar sep('\\');

QString keyOf(const QString& path, bool ignoreCase, bool fullPath) {
    QString key = fullPath ? path : SplitPath(path, true, sep);
    return ignoreCase ? key.toUpper() : key;
}

// Bubble sort over slots 0 to n, n passes, exchanging only on strictly greater keys.
QStringList referenceSort(QStringList cells, bool ignoreCase, bool fullPath) {
    const qsizetype n = cells.size() - 1;
    for (qsizetype pass = 0; pass < n; ++pass)
        for (qsizetype i = 0; i < n; ++i) {
            const std::u16string a = keyOf(cells[i], ignoreCase, fullPath).toStdU16String();
            const std::u16string b = keyOf(cells[i + 1], ignoreCase, fullPath).toStdU16String();
            if (a > b) cells.swapItemsAt(i, i + 1);
        }
    return cells;
}

int referenceDuplicates(const QStringList& paths) {
    int count = 0;
    for (qsizetype i = 0; i < paths.size(); ++i)
        for (qsizetype j = i + 1; j < paths.size(); ++j)
            if (paths[i] == paths[j]) {
                ++count;
                break;
            }
    return count;
}

QStringList referenceRemoval(const QStringList& paths) {
    QStringList kept;
    for (const QString& p : paths)
        if (!kept.contains(p)) kept << p;
    return kept;
}

QStringList randomPaths(QRandomGenerator& rng) {
    static const QStringList folders{"C:\\a", "C:\\B", "C:\\a\\z", "D:\\_x", "C:\\é"};
    static const QStringList names{
        "a.txt",      "A.txt",  "b.txt", "B.TXT", "_u.txt", "a_b",        "Zeta",
        "zeta",       "ä.txt",  "Ä.txt", "ß",     "",       "\U0001F600", "\U0001F600\u00E9",
        "\U0001F601", "\uF900", "\uFB01"};
    QStringList out;
    const int n = rng.bounded(0, 40);
    // Half the lists are of one folder, as most drops are.
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
    void matchesBubbleSort() {
        QRandomGenerator rng(20261206);
        for (int round = 0; round < 300; ++round) {
            const QStringList paths = randomPaths(rng);
            for (int index = 0; index < 4; ++index) {
                const SortOrder order = sortOrderFor(index);
                FilePathTable table;
                table.assign(paths);
                SortPaths(table, order.IgnoreCase, order.FullPath, sep);
                const QStringList expected =
                    referenceSort(QStringList{QString()} + paths, order.IgnoreCase, order.FullPath)
                        .mid(1);
                QCOMPARE(table.entries(), expected);
                QCOMPARE(table.at(0), QString());
            }
            FilePathTable table;
            table.assign(paths);
            QCOMPARE(DuplicateCount(table), referenceDuplicates(paths));
            QCOMPARE(withoutDuplicates(paths), referenceRemoval(paths));
        }
    }

    void namedOrders_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<QStringList>("sorted");
        const QStringList mixed{"C:\\b.txt", "C:\\A.txt", "C:\\a.txt", "C:\\B.txt"};
        QTest::newRow("A-Z, a-z") << 0 << mixed
                                  << QStringList{"C:\\A.txt", "C:\\B.txt", "C:\\a.txt",
                                                 "C:\\b.txt"};
        QTest::newRow("Aa-Zz") << 1 << mixed
                               << QStringList{"C:\\A.txt", "C:\\a.txt", "C:\\b.txt", "C:\\B.txt"};
        const QStringList dirs{"C:\\z\\a.txt", "C:\\a\\b.txt"};
        QTest::newRow("name ignores folders") << 0 << dirs << dirs;
        QTest::newRow("full path") << 2 << dirs << QStringList{"C:\\a\\b.txt", "C:\\z\\a.txt"};
        QTest::newRow("underscore after letters")
            << 1 << QStringList{"C:\\_a", "C:\\b"} << QStringList{"C:\\b", "C:\\_a"};
        QTest::newRow("underscore between cases") << 0 << QStringList{"C:\\a", "C:\\_a", "C:\\B"}
                                                  << QStringList{"C:\\B", "C:\\_a", "C:\\a"};
        // Deseret letters: one high surrogate, and case pairs in the low one.
        QTest::newRow("letters beyond 16 bits")
            << 1 << QStringList{"C:\\\U00010429", "C:\\\U00010401", "C:\\\U00010428"}
            << QStringList{"C:\\\U00010428", "C:\\\U00010429", "C:\\\U00010401"};
        QTest::newRow("unknown index sorts by name")
            << 9 << mixed << QStringList{"C:\\A.txt", "C:\\B.txt", "C:\\a.txt", "C:\\b.txt"};
    }
    void namedOrders() {
        QFETCH(int, index);
        QFETCH(QStringList, paths);
        QFETCH(QStringList, sorted);
        const SortOrder order = sortOrderFor(index);
        FilePathTable table;
        table.assign(paths);
        SortPaths(table, order.IgnoreCase, order.FullPath, sep);
        QCOMPARE(table.entries(), sorted);
    }

    void duplicates() {
        const QStringList paths{"C:\\x", "C:\\y", "C:\\x", "C:\\X", "C:\\y", "C:\\x", "D:\\x"};
        FilePathTable table;
        table.assign(paths);
        QCOMPARE(DuplicateCount(table), 3); // three of one path and two of another
        QCOMPARE(withoutDuplicates(paths), QStringList({"C:\\x", "C:\\y", "C:\\X", "D:\\x"}));
        FilePathTable empty;
        QCOMPARE(DuplicateCount(empty), 0);
    }
};

QTEST_GUILESS_MAIN(tst_Sorting)
#include "tst_sorting.moc"
