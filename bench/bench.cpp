// Chronodex at scale: intake, append, click, sort, duplicate removal, update and start-up
// with 1,000 to 32,767 files on tmpfs, each figure beside the floor it is compared with
// (stat() in a plain loop, utimensat() in a plain loop, the writer's own system calls in a
// plain loop, touch through xargs, a minimal Qt Widgets program), then how each figure grows
// from the smallest size to the largest.
//
// Usage: chronodex_bench [--sizes 1000,10000,32767] [--reps 5] [--dir /dev/shm]
// Prints a Markdown report. Run it on the offscreen platform (QT_QPA_PLATFORM=offscreen).
#include "entrytable.h"
#include "fonts.h"
#include "frm_ChangePreview.h"
#include "frm_List.h"
#include "frm_MainWindow.h"
#include "intake.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QUrl>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace chronodex;

namespace {

// tmpfs where the machine has it, so that the figures measure the program, not the disk.
QString scratchBase() {
    return ::access("/dev/shm", W_OK) == 0 ? QStringLiteral("/dev/shm") : QDir::tempPath();
}

struct Settings {
    std::vector<int> sizes{1000, 10000, 32767};
    int reps = 5;
    QString base = scratchBase();
};

// The median of `reps` timed runs after one warm-up; `prepare` runs untimed before each.
double medianMs(int reps, const std::function<void()>& prepare, const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i <= reps; ++i) {
        prepare();
        QElapsedTimer t;
        t.start();
        run();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        if (i > 0) times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

QStringList makeFiles(const QString& folder, int n) {
    QStringList paths;
    paths.reserve(n);
    for (int i = 0; i < n; ++i) {
        const QString p = QStringLiteral("%1/f%2.txt").arg(folder).arg(i, 5, 10, QLatin1Char('0'));
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write("x");
        paths << p;
    }
    return paths;
}

void statAll(const QStringList& paths) {
    struct stat st {};
    for (const QString& p : paths)
        ::stat(QFile::encodeName(p).constData(), &st);
}

// The least the system does to set two stamps of every file: one utimensat() each.
void utimensatAll(const QStringList& paths) {
    const timespec times[2] = {{1577934245, 0}, {1577934245, 0}}; // 2020-01-02 03:04:05 UTC
    for (const QString& p : paths)
        ::utimensat(AT_FDCWD, QFile::encodeName(p).constData(), times, 0);
}

// The calls the program's writer makes for every file listed as a regular file, with nothing
// of the program around them: open for reading and writing, the check of the open file (its
// identity, kind and the stamps it had, for the undo), the write, the read-back, close.
void writerCallsAll(const QStringList& paths) {
    const timespec times[2] = {{1577934245, 0}, {1577934245, 0}};
    struct stat st {};
    for (const QString& p : paths) {
        const int fd =
            ::open(QFile::encodeName(p).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        ::fstat(fd, &st);
        ::futimens(fd, times);
        ::fstat(fd, &st);
        ::close(fd);
    }
}

// touch -m -a -d over the files through xargs, as a shell user would do it.
void touchAll(const QString& listFile) {
    QProcess::execute(QStringLiteral("sh"),
                      {QStringLiteral("-c"),
                       QStringLiteral("xargs -d '\\n' touch -m -a -d '2020-01-02 03:04:05' < '%1'")
                           .arg(listFile)});
}

MainWindowOptions quietOptions() {
    MainWindowOptions o = defaultMainWindowOptions();
    o.shell = [](const QString&, const QString&, int, const ShellLater&) { return 42; };
    return o;
}

void setRow(const frm_MainWindow& w, StampKind kind, bool ticked, const QStringList& texts) {
    w.row(kind).check->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    for (int f = 0; f < FieldCount; ++f)
        w.row(kind).fields[f]->setEditText(texts[f]);
}

// The peak resident memory of this process image (VmHWM). getrusage() would also count
// the parent's memory from before the exec.
long maxRssKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

// Start-up of a child process (this program in a probe mode): median wall time in ms and
// the child's peak memory in kB.
std::pair<double, long> probe(const QString& mode, int entries, int reps) {
    std::vector<double> times;
    long rss = 0;
    for (int i = 0; i <= reps; ++i) {
        QProcess p;
        QElapsedTimer t;
        t.start();
        p.start(QCoreApplication::applicationFilePath(), {mode, QString::number(entries)});
        p.waitForFinished(-1);
        const double ms = double(t.nsecsElapsed()) / 1e6;
        rss = p.readAllStandardOutput().trimmed().toLong();
        if (i > 0) times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], rss};
}

int runProbe(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const int entries = argc > 2 ? std::atoi(argv[2]) : 0;
    if (mode == QLatin1String("--probe-minimal")) {
        // The least a Qt Widgets program shows: one window with a line of text; with N, it
        // also holds the N paths that the window's probe drops (what any list of them costs).
        QLabel w(QStringLiteral("Drag files here to show and set the date"));
        w.resize(337, 376);
        w.show();
        QCoreApplication::processEvents();
        if (entries > 0) {
            QTemporaryDir dir(scratchBase() + QStringLiteral("/chronodex-probe-XXXXXX"));
            const QStringList paths = makeFiles(dir.path(), entries);
            std::printf("%ld\n", maxRssKb());
            return 0;
        }
    } else {
        setProgramFont(); // as the program starts
        frm_MainWindow w(quietOptions());
        w.show();
        QCoreApplication::processEvents();
        if (entries > 0) {
            QTemporaryDir dir(scratchBase() + QStringLiteral("/chronodex-probe-XXXXXX"));
            const QStringList paths = makeFiles(dir.path(), entries);
            w.Form_OLEDragDrop({paths}, 7, 1, 0, 0, 0);
            std::printf("%ld\n", maxRssKb()); // as the minimal one: before the files go
            return 0;
        }
    }
    std::printf("%ld\n", maxRssKb());
    return 0;
}

// The floor of a table of N rows opening: a bare view over a model whose every cell is one
// constant text.
class PlainModel : public QAbstractTableModel {
  public:
    explicit PlainModel(int rows) : rows_(rows) {}
    int rowCount(const QModelIndex& = {}) const override { return rows_; }
    int columnCount(const QModelIndex& = {}) const override { return 5; }
    QVariant data(const QModelIndex&, int role) const override {
        return role == Qt::DisplayRole ? QVariant(QStringLiteral("1/01/2020, 3:04:05am"))
                                       : QVariant();
    }

  private:
    int rows_;
};

// The preview of a command on N ticked entries: each changes its modified and accessed
// stamps, every tenth is left alone with a reason.
double previewOpeningMs(const QStringList& files, int reps) {
    std::vector<TickedEntry> entries;
    std::vector<EntryChange> changes(static_cast<std::size_t>(files.size()));
    for (qsizetype i = 0; i < files.size(); ++i) {
        entries.push_back({{}, QFileInfo(files[i]).fileName(), files[i], {}});
        EntryChange& c = changes[static_cast<std::size_t>(i)];
        if (i % 10 == 0) c.skip = QStringLiteral("no date in its name");
        c.written = {false, true, true};
        c.oldLocal = {DateTime{2001, 2, 3, 4, 5, 6}, DateTime{2001, 2, 3, 4, 5, 6},
                      DateTime{2001, 2, 3, 4, 5, 6}};
        c.newLocal = {NoDate(1), DateTime{2019, 5, 4, 10, 11, int(i % 60)},
                      DateTime{2019, 5, 4, 10, 11, int(i % 60)}};
    }
    return medianMs(
        reps, [] {},
        [&] {
            frm_ChangePreview preview(QStringLiteral("Preview"), entries, changes);
            preview.show();
            QCoreApplication::processEvents();
        });
}

double plainTableOpeningMs(int n, int reps) {
    return medianMs(
        reps, [] {},
        [&] {
            PlainModel model(n);
            QTableView view;
            view.setModel(&model);
            view.resize(1000, 480);
            view.show();
            QCoreApplication::processEvents();
        });
}

struct Row {
    QString name;
    int n;
    double ms;
    double floorMs; // 0 when the figure has no floor
    QString floorName;
};

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && QByteArray(argv[1]).startsWith("--probe-")) return runProbe(argc, argv);

    QApplication app(argc, argv);
    Settings s;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--sizes")) {
            s.sizes.clear();
            for (const QString& n : args[i + 1].split(QLatin1Char(',')))
                s.sizes.push_back(n.toInt());
        } else if (args[i] == QLatin1String("--reps")) {
            s.reps = std::max(1, args[i + 1].toInt());
        } else if (args[i] == QLatin1String("--dir")) {
            s.base = args[i + 1];
        }
    }

    std::vector<Row> rows;
    for (int n : s.sizes) {
        QTemporaryDir dir(s.base + QStringLiteral("/chronodex-bench-XXXXXX"));
        const QStringList files = makeFiles(dir.path(), n);
        const QString listFile = dir.filePath(QStringLiteral("list.txt"));
        {
            QFile f(listFile);
            f.open(QIODevice::WriteOnly);
            f.write(files.join(QLatin1Char('\n')).toLocal8Bit());
        }

        frm_MainWindow w(quietOptions());
        w.show();
        QCoreApplication::processEvents();

        const double statFloor = medianMs(
            s.reps, [] {}, [&] { statAll(files); });
        // Each command is timed until the window has shown its outcome: the events it
        // posted (the list's layout, repaints) are handled inside the timing.
        auto settle = [] { QCoreApplication::processEvents(); };
        auto dropAll = [&] { w.Form_OLEDragDrop({files}, 7, 1, 0, 0, 0); };
        auto reset = [&] {
            w.Form_OLEDragDrop({{files.first()}}, 7, 1, 0, 0, 0);
            settle();
        };
        rows.push_back({QStringLiteral("intake (replace)"), n,
                        medianMs(s.reps, reset,
                                 [&] {
                                     dropAll();
                                     settle();
                                 }),
                        statFloor, QStringLiteral("stat() x N")});
        // A file manager's drop: its URL list as the windowing system hands it over (Qt
        // parses it into URLs on arrival), read into paths, then the same intake.
        QMimeData fromFileManager;
        {
            QByteArray uris;
            for (const QString& f : files)
                uris += QUrl::fromLocalFile(f).toEncoded() + "\r\n";
            fromFileManager.setData(QStringLiteral("text/uri-list"), uris);
        }
        rows.push_back({QStringLiteral("intake of a file manager's URL list"), n,
                        medianMs(s.reps, reset,
                                 [&] {
                                     const ReadDrop drop = readDrop(&fromFileManager);
                                     w.Form_OLEDragDrop(drop.data, drop.effect, 1, 0, 0, 0);
                                     settle();
                                 }),
                        statFloor, QStringLiteral("stat() x N")});
        // Half the files, then the other half with Shift: a list of N in the end.
        const QStringList firstHalf = files.mid(0, n / 2), secondHalf = files.mid(n / 2);
        rows.push_back({QStringLiteral("append (Shift) N/2 onto N/2"), n,
                        medianMs(
                            s.reps,
                            [&] {
                                w.Form_OLEDragDrop({firstHalf}, 7, 1, 0, 0, 0);
                                settle();
                            },
                            [&] {
                                w.Form_OLEDragDrop({secondHalf}, 7, 1, 1, 0, 0);
                                settle();
                            }),
                        statFloor, QStringLiteral("stat() x N")});
        dropAll();
        settle();
        int row = 0;
        QListView* list = w.fileList();
        rows.push_back({QStringLiteral("click (N ticked)"), n,
                        medianMs(
                            s.reps, [] {},
                            [&] {
                                list->setCurrentIndex(list->model()->index(row = 1 - row, 0));
                                settle();
                            }),
                        statFloor, QStringLiteral("stat() x N (the ticked entries)")});

        // The list window: opened over the N entries (only the rows in sight are read), then
        // sorted by each column, its stamps read afresh for each sort.
        rows.push_back({QStringLiteral("list window opened"), n,
                        medianMs(
                            s.reps, [&] { delete w.listWindow(); },
                            [&] {
                                w.menu_EditList_Click();
                                settle();
                            }),
                        statFloor, QStringLiteral("stat() x N")});
        frm_List* listWindow = w.listWindow();
        QTableView* table = listWindow->table();
        for (int c = 0; c < EntryTable::ColumnCount; ++c) {
            const QString title = c == 0 ? QStringLiteral("tick")
                                         : table->model()->headerData(c, Qt::Horizontal).toString();
            rows.push_back({QStringLiteral("list window sorted by ") + title, n,
                            medianMs(
                                s.reps,
                                [&] {
                                    table->sortByColumn(-1, Qt::AscendingOrder);
                                    listWindow->model().refresh();
                                    settle();
                                },
                                [&] {
                                    table->sortByColumn(c, Qt::AscendingOrder);
                                    settle();
                                }),
                            statFloor, QStringLiteral("stat() x N")});
        }
        delete listWindow; // the figures below are those of the main window alone

        // 10 % duplicates for the Edit menu commands.
        QStringList withDuplicates = files;
        for (int i = 0; i < n / 10; ++i)
            withDuplicates[i * 10 + 1] = files[i * 10];
        auto loadDuplicates = [&] {
            w.Form_OLEDragDrop({withDuplicates}, 7, 1, 0, 0, 0);
            settle();
        };
        const std::array<const char*, 4> orders{"sort A-Z, a-z", "sort Aa-Zz",
                                                "sort full path A-Z, a-z", "sort full path Aa-Zz"};
        // Both commands read the attributes of every entry again, so stat() x N is shown
        // beside them; their target is an absolute time.
        for (int i = 0; i < 4; ++i)
            rows.push_back({QString::fromLatin1(orders[i]), n,
                            medianMs(s.reps, loadDuplicates,
                                     [&] {
                                         w.menu_EditSortUsing_Click(i);
                                         settle();
                                     }),
                            statFloor, QStringLiteral("stat() x N")});
        rows.push_back({QStringLiteral("remove duplicates"), n,
                        medianMs(s.reps, loadDuplicates,
                                 [&] {
                                     w.menu_EditRemoveCopies_Click();
                                     settle();
                                 }),
                        statFloor, QStringLiteral("stat() x N")});

        dropAll();
        settle();
        setRow(w, Created, false, {"1", "1", "2020", "0", "0", "0"});
        // Each run writes another second: one that every file already has is left as it is.
        int second = 0;
        const auto nextSecond = [&] {
            const QString s = QString::number(++second % 60);
            setRow(w, Modified, true, {"2", "1", "2020", "3", "4", s});
            setRow(w, Accessed, true, {"2", "1", "2020", "3", "4", s});
        };
        const double utimensatFloor = medianMs(
            s.reps, [] {}, [&] { utimensatAll(files); });
        const double writerFloor = medianMs(
            s.reps, [] {}, [&] { writerCallsAll(files); });
        const double touchFloor = medianMs(
            s.reps, [] {}, [&] { touchAll(listFile); });
        const double updateMs =
            medianMs(s.reps, nextSecond, [&] { w.com_UptateTimestamp_Click(); });
        const double undoMs = medianMs(
            s.reps, [&] { nextSecond(), w.com_UptateTimestamp_Click(); },
            [&] { w.menu_EditUndo_Click(); });
        rows.push_back({QStringLiteral("update (modified + accessed)"), n, updateMs, utimensatFloor,
                        QStringLiteral("utimensat() x N")});
        rows.push_back({QStringLiteral("update (modified + accessed)"), n, updateMs, writerFloor,
                        QStringLiteral("open, fstat, futimens, fstat, close x N")});
        rows.push_back({QStringLiteral("update (modified + accessed)"), n, updateMs, touchFloor,
                        QStringLiteral("touch -m -a via xargs")});
        rows.push_back({QStringLiteral("undo of the update"), n, undoMs, utimensatFloor,
                        QStringLiteral("utimensat() x N")});
        rows.push_back({QStringLiteral("preview of N changes opening"), n,
                        previewOpeningMs(files, s.reps), plainTableOpeningMs(n, s.reps),
                        QStringLiteral("a bare table view of N rows opening")});
    }

    const auto [startMs, startRss] = probe(QStringLiteral("--probe-window"), 0, s.reps);
    const auto [minimalMs, minimalRss] = probe(QStringLiteral("--probe-minimal"), 0, s.reps);

    std::printf("| figure | N | median ms | floor | floor ms | ratio |\n");
    std::printf("|---|---:|---:|---|---:|---:|\n");
    for (const Row& r : rows) {
        if (r.floorMs > 0)
            std::printf("| %s | %d | %.2f | %s | %.2f | %.2f |\n", qPrintable(r.name), r.n, r.ms,
                        qPrintable(r.floorName), r.floorMs, r.ms / r.floorMs);
        else
            std::printf("| %s | %d | %.2f | | | |\n", qPrintable(r.name), r.n, r.ms);
    }
    std::printf("| start-up to the first shown window | 0 | %.1f | minimal Qt Widgets window with "
                "a label | %.1f | %.2f |\n",
                startMs, minimalMs, startMs / minimalMs);
    std::printf("| peak memory at start-up (kB) | 0 | %ld | minimal Qt Widgets window with a label "
                "| %ld | %.2f |\n",
                startRss, minimalRss, double(startRss) / double(minimalRss));
    std::map<int, long> rssAt;
    for (int n : s.sizes) {
        const auto [ms, rss] = probe(QStringLiteral("--probe-window"), n, 1);
        Q_UNUSED(ms);
        rssAt[n] = rss;
        std::printf("| peak memory with N entries (kB) | %d | %ld | minimal Qt Widgets window with "
                    "a label | %ld | %.2f |\n",
                    n, rss, minimalRss, double(rss) / double(minimalRss));
        const long withPaths = probe(QStringLiteral("--probe-minimal"), n, 1).second;
        std::printf("| peak memory with N entries (kB) | %d | %ld | the minimal window holding the "
                    "same N paths | %ld | %.2f |\n",
                    n, rss, withPaths, double(rss) / double(withPaths));
    }

    // How each figure grows from the smallest size to the largest, beside the growth of N.
    const int small = *std::min_element(s.sizes.begin(), s.sizes.end());
    const int large = *std::max_element(s.sizes.begin(), s.sizes.end());
    if (small == large) return 0;
    std::printf("\n| figure | at N = %d | at N = %d | grows by | its floor grows by | N grows by "
                "|\n",
                small, large);
    std::printf("|---|---:|---:|---:|---:|---:|\n");
    for (const Row& r : rows) {
        if (r.n != small || r.floorName.startsWith(QLatin1String("touch"))) continue;
        for (const Row& l : rows)
            if (l.n == large && l.name == r.name && l.floorName == r.floorName) {
                std::printf("| %s (ms) | %.2f | %.2f | %.1f | %s | %.1f |\n", qPrintable(r.name),
                            r.ms, l.ms, l.ms / r.ms,
                            r.floorMs > 0 ? qPrintable(QStringLiteral("%1 (%2)")
                                                           .arg(l.floorMs / r.floorMs, 0, 'f', 1)
                                                           .arg(r.floorName))
                                          : "",
                            double(large) / small);
                break;
            }
    }
    std::printf("| peak memory above the minimal window (kB) | %ld | %ld | %.1f | | %.1f |\n",
                rssAt[small] - minimalRss, rssAt[large] - minimalRss,
                double(rssAt[large] - minimalRss) / double(std::max(rssAt[small] - minimalRss, 1L)),
                double(large) / small);
    return 0;
}
