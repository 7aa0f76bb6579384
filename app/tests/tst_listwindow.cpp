// The list as a whole: the window "Chronodex - List" over the main window's list, ticks in
// bulk and the ticked entries removed, the files inside ticked folders added, and Cancel in
// the middle of an update or of a command's reading.
#include "entrytable.h"
#include "frm_List.h"

#include "testfiles.h"
#include "windowprobe.h"

#include <QProgressDialog>
#include <QTableView>

using namespace chronodex;
using namespace chronodex::testing;

namespace {

// The rows of the list window top to bottom: tick ("-" unticked), name, size, modified.
QStringList rowsOf(const frm_List& list) {
    const QAbstractItemModel* m = list.table()->model();
    QStringList out;
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList cells{m->index(r, 0).data(Qt::CheckStateRole) == Qt::Checked ? "" : "-"};
        for (int c : {EntryTable::NameColumn, EntryTable::SizeColumn, EntryTable::ModifiedColumn})
            cells << m->index(r, c).data().toString();
        out << cells.join('|');
    }
    return out;
}

// A path in the desk's folder, as the system writes it.
QString in(const Desk& d, const char* name) {
    return nativePath(d.dir.filePath(QLatin1String(name)));
}

frm_List& openList(frm_MainWindow& w) {
    child<QAction>(w, "menu_EditList")->trigger();
    return *w.listWindow();
}

} // namespace

class tst_ListWindow : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    // Files, a folder, a system file and an entry deleted since it was listed; sorted by any
    // column and filtered by name in the list window, while the main list keeps its order.
    void rowsSortAndFilter_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("names");
        QTest::newRow("list order") << -1 << false << ""
                                    << "b.txt,dir,fifo,gone.txt,a.txt";
        QTest::newRow("name") << int(EntryTable::NameColumn) << false << ""
                              << "a.txt,b.txt,dir,fifo,gone.txt";
        QTest::newRow("size, largest first") << int(EntryTable::SizeColumn) << true << ""
                                             << "b.txt,a.txt,fifo,dir,gone.txt";
        QTest::newRow("modified") << int(EntryTable::ModifiedColumn) << false << ""
                                  << "dir,gone.txt,fifo,b.txt,a.txt";
        QTest::newRow("tick") << int(EntryTable::TickColumn) << false << ""
                              << "dir,fifo,b.txt,gone.txt,a.txt";
        QTest::newRow("filter, any case") << int(EntryTable::NameColumn) << false << "T"
                                          << "a.txt,b.txt,gone.txt";
    }
    void rowsSortAndFilter() {
        QFETCH(int, column);
        QFETCH(bool, descending);
        QFETCH(QString, filter);
        QFETCH(QString, names);
        Desk d;
        QStringList paths = d.make({"b.txt", "gone.txt", "a.txt"});
        setStamps(paths[2], d.before, d.before + 60);
        QVERIFY(QDir(d.dir.path()).mkdir("dir"));
        MAKE_SYSTEM_FILE_OR_SKIP(in(d, "fifo"));
        QVERIFY(setStamps(in(d, "fifo"), d.before, d.before - 60));
        QFile::resize(paths[0], 2000);
        setStamps(paths[0], d.before, d.before);
        paths.insert(1, in(d, "dir"));
        paths.insert(2, in(d, "fifo"));
        listPaths(d.w, paths);
        QVERIFY(QFile::remove(paths[3]));
        const QStringList before = entries(d.w);
        frm_List& list = openList(d.w);
        QCOMPARE(list.windowTitle(), QStringLiteral("Chronodex - List"));
        list.filterBox()->setText(filter);
        list.table()->sortByColumn(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        QStringList shown;
        for (const QString& row : rowsOf(list))
            shown << row.section('|', 1, 1);
        QCOMPARE(shown.join(','), names);
        if (column < 0)
            QCOMPARE(rowsOf(list),
                     QStringList({"|b.txt|2,000|3/02/2001, 4:05:06am", "-|dir|folder|",
                                  "-|fifo||3/02/2001, 4:04:06am", "|gone.txt|not found|",
                                  "|a.txt|10|3/02/2001, 4:06:06am"}));
        QCOMPARE(entries(d.w), before);
        list.close();
    }

    // A tick is the entry's own, wherever it is changed; a row selected in the list window is
    // the entry selected in the main window. After a write the window shows the new stamps.
    void ticksSelectionAndWrites() {
        Desk d;
        const QStringList files = d.make({"c", "a", "b"});
        listPaths(d.w, files);
        frm_List& list = openList(d.w);
        list.table()->sortByColumn(EntryTable::NameColumn, Qt::AscendingOrder);
        QAbstractItemModel* m = list.table()->model();
        m->setData(m->index(0, 0), Qt::Unchecked, Qt::CheckStateRole); // "a"
        QCOMPARE(entries(d.w), QStringList({"c", "-a", "b"}));
        QCOMPARE(d.w.windowTitle(), QStringLiteral("Chronodex - 2 files, no directories ticked."));
        tick(d.w, 0, false);
        QCOMPARE(rowsOf(list).join(',').count('-'), 2);
        list.table()->setCurrentIndex(m->index(2, 1)); // "c"
        QCOMPARE(currentEntry(d.w), 0);
        list.table()->setCurrentIndex(m->index(1, 1)); // "b"
        QCOMPARE(currentEntry(d.w), 2);
        QCOMPARE(panel(d.w)[2], QStringLiteral(" b "));
        writeModified(d.w, QStringLiteral("30|4|2024|13|14|15"));
        QCOMPARE(m->index(1, EntryTable::ModifiedColumn).data().toString(),
                 QStringLiteral("30/04/2024, 1:14:15pm"));
        list.close();
    }

    // Ticks in bulk and the ticked entries taken off the list (never off the disk), each with
    // the counts, the title and "Update file date" as a click leaves them.
    void bulkCommands_data() {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("ticked"); // files, system files, directories
        QTest::addColumn<QString>("title");
        QTest::newRow("tick all") << QStringList{"menu_EditTickAll"} << QStringList{"a", "b", "dir"}
                                  << "2 0 1"
                                  << "2 files, one directory ticked.";
        QTest::newRow("untick all")
            << QStringList{"menu_EditUntickAll"} << QStringList{"-a", "-b", "-dir"} << "0 0 0"
            << "No file, no directories ticked.";
        QTest::newRow("invert") << QStringList{"menu_EditInvertTicks"}
                                << QStringList{"-a", "b", "dir"} << "1 0 1"
                                << "One file, one directory ticked.";
        QTest::newRow("remove ticked")
            << QStringList{"menu_EditRemoveTicked"} << QStringList{"-b", "-dir"} << "0 0 0"
            << "No file, no directories ticked.";
        QTest::newRow("remove all but one")
            << QStringList{"menu_EditInvertTicks", "menu_EditRemoveTicked"} << QStringList{"-a"}
            << "0 0 0"
            << "No file, no directories ticked.";
        QTest::newRow("remove all")
            << QStringList{"menu_EditTickAll", "menu_EditRemoveTicked"}
            << QStringList{"Drag files here to show and set the date"} << "0 0 0"
            << "No file, no directories ticked.";
    }
    void bulkCommands() {
        QFETCH(QStringList, commands);
        QFETCH(QStringList, after);
        QFETCH(QString, ticked);
        QFETCH(QString, title);
        Desk d;
        QStringList paths = d.make({"a", "b"});
        QVERIFY(QDir(d.dir.path()).mkdir("dir"));
        listPaths(d.w, paths << in(d, "dir"));
        tick(d.w, 1, false);
        for (const QString& command : commands)
            child<QAction>(d.w, qPrintable(command))->trigger();
        QCOMPARE(entries(d.w), after);
        QCOMPARE(caption(d.w, "labTickedFiles") + caption(d.w, "labTickedSysFiles") +
                     caption(d.w, "labTickedDirectories"),
                 ticked + ' ');
        QCOMPARE(d.w.windowTitle(), "Chronodex - " + title);
        QCOMPARE(child<QPushButton>(d.w, "com_UptateTimestamp")->isEnabled(), ticked[0] != '0');
        const auto isFile = [](const QString& e) { return e.endsWith('a') || e.endsWith('b'); };
        QCOMPARE(caption(d.w, "labTotalFiles"),
                 QString("%1 ").arg(std::ranges::count_if(after, isFile)));
        // Only an empty list goes back to the look of the start, without the editor rows.
        QCOMPARE(child<QWidget>(d.w, "fra_NewValues")->isHidden(), !isFile(after[0]));
        QVERIFY(QFile::exists(paths[0]) && QFile::exists(paths[1]));
    }

    // The files at every level below the ticked folders, in the order of their names (a
    // subfolder's where its name comes), ticked by the list's rules; a link to a folder is not
    // followed, a folder that cannot be read is named; the entries listed keep their ticks.
    void filesInFolders() {
        Desk d;
        for (const char* folder : {"top/a/deep", "top/m", "gone"})
            QVERIFY(QDir(d.dir.path()).mkpath(folder));
        d.make({"top/b.txt", "top/a/z.txt", "top/a/deep/c.txt", "top/a.txt", "top/m/x", "y"});
        MAKE_SYSTEM_FILE_OR_SKIP(in(d, "top/a/s"));
        QVERIFY(QFile::link(in(d, "top/a"), in(d, "top/link")));
        listPaths(d.w, {in(d, "y"), in(d, "top"), in(d, "gone")});
        tick(d.w, 0, false);
        tick(d.w, 1, true);
        tick(d.w, 2, true);
        QVERIFY(QDir(in(d, "gone")).removeRecursively());
        auto seen = onNextFlashMessage(clickButton(0));
        child<QAction>(d.w, "menu_EditFolderFiles")->trigger();
        QCOMPARE(entries(d.w),
                 QStringList({"-y", "top", "gone", "c.txt", "-s", "z.txt", "a.txt", "b.txt", "x"}));
        QCOMPARE(d.w.FilePaths().at(4), in(d, "top/a/deep/c.txt"));
        QCOMPARE(caption(d.w, "labTotalFiles"), QStringLiteral("7 "));
        QVERIFY2(seen->message.startsWith("You dragded a system file here.") &&
                     seen->message.endsWith("This folder could not be read:\r\n\t" + in(d, "gone") +
                                            "\r\n"),
                 qPrintable(seen->message));
    }

    // The list holds 32,767 entries at most: one file more is refused as a drop is, and the
    // list stays as it was; up to the limit they are added.
    void folderFilesOverflow_data() {
        QTest::addColumn<int>("files");
        QTest::newRow("up to the limit") << 1;
        QTest::newRow("one more") << 2;
    }
    void folderFilesOverflow() {
        QFETCH(int, files);
        Desk d;
        QVERIFY(QDir(d.dir.path()).mkdir("f"));
        d.make(QStringList{"f/1", "f/2"}.mid(0, files));
        const QString file = d.make({"x"}).first();
        QStringList paths(MaxEntries - 1, file);
        paths[0] = in(d, "f");
        std::vector<EntryKind> kinds(paths.size(), EntryKind::File);
        kinds[0] = EntryKind::Directory;
        d.w.FilePaths().assign(paths, kinds, {true});
        auto seen = onNextFlashMessage(clickButton(0), 300);
        child<QAction>(d.w, "menu_EditFolderFiles")->trigger();
        QCOMPARE(d.w.PathCount(), files == 1 ? MaxEntries : MaxEntries - 1);
        QCOMPARE(seen->shown, files == 2);
        if (files == 2) {
            QCOMPARE(seen->message, "Overflow: the list can hold at most 32,767 entries\r\n6");
            QCOMPARE(seen->title, QStringLiteral("Chronodex - Warning:"));
        }
    }

    // Cancel between two files: the files before stay written and are reported, the rest keep
    // their stamps, and Undo puts back exactly those written.
    void cancelUpdate() {
        MainWindowOptions o = pinnedOptions(false);
        o.progressAfterMs = 0;
        frm_MainWindow w(o);
        Desk d;
        const QStringList files = d.make({"1", "2", "3", "4", "5"});
        listPaths(w, files);
        QTimer cancel; // looks at every pass of the events that the update lets run
        connect(&cancel, &QTimer::timeout, [] {
            auto* dlg = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
            if (dlg && dlg->value() == 2) dlg->cancel();
        });
        cancel.start(0);
        auto report = onNextFlashMessage(clickButton(0));
        writeModified(w, QStringLiteral("30|4|2024|13|14|15"));
        const qint64 written = utcSeconds(2024, 4, 30, 13, 14, 15);
        QCOMPARE(modifiedOf(files),
                 QList<qint64>({written, written, d.before, d.before, d.before}));
        QCOMPARE(report->title, QStringLiteral("Chronodex - Not written"));
        QCOMPARE(report->message,
                 "Stopped by Cancel after 2 of 5 entries: those written stay written (\"Undo last "
                 "update\" puts them back); the other 3 were left as they were.\r\n");
        child<QAction>(w, "menu_EditUndo")->trigger();
        QCOMPARE(modifiedOf(files), QList<qint64>(5, d.before));
    }

    // Cancel while a command reads the ticked entries (photos on a slow card): no preview, and
    // nothing written.
    void cancelReading() {
        MainWindowOptions o = pinnedOptions(false);
        o.progressAfterMs = 0;
        frm_MainWindow w(o);
        Desk d;
        const QStringList files = d.make({"IMG_20190504_101111.jpg", "IMG_20190504_101112.jpg"});
        listPaths(w, files);
        bool previewed = false;
        QTimer cancel;
        connect(&cancel, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* dlg = qobject_cast<QProgressDialog*>(modal); dlg && dlg->value() == 1)
                dlg->cancel();
            if (auto* dlg = qobject_cast<QDialog*>(modal);
                dlg && !qobject_cast<QProgressDialog*>(modal))
                previewed = true, dlg->reject();
        });
        cancel.start(0);
        child<QAction>(w, "menu_EditDatesFromNames")->trigger();
        QVERIFY(!previewed);
        QCOMPARE(modifiedOf(files), QList<qint64>(2, d.before));
    }
};

QTEST_MAIN(tst_ListWindow)
#include "tst_listwindow.moc"
