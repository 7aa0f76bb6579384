// The list on the window: drops that replace and append, kinds and ticks, totals, the warning
// about system files and directories, refused drops, and the Edit menu's sorts and duplicate
// removal.
#include "windowprobe.h"

using namespace chronodex;
using namespace chronodex::testing;

namespace {

// The three totals; one greyed out is marked "~".
QStringList totals(const frm_MainWindow& w) {
    QStringList out;
    for (const char* name : {"labTotalFiles", "labTotalSysFiles", "labTotalDirectories"})
        out << (child<QLabel>(w, name)->isEnabled() ? "" : "~") + caption(w, name);
    return out;
}

} // namespace

class tst_Intake : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString a, b, c, sub;

  private slots:
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(); }
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        a = makeFile(dir, QStringLiteral("a.txt"));
        b = makeFile(dir, QStringLiteral("b.txt"));
        c = makeFile(dir, QStringLiteral("c.txt"));
        sub = nativePath(dir.filePath(QStringLiteral("sub")));
        QDir().mkpath(sub);
    }

    // A drop replaces the list. An entry whose file was deleted since the drop is sorted like
    // any other, counts as a system file and keeps its tick. An append (Shift) keeps the ticks
    // the user gave the listed entries; only new entries are ticked by the rule (files ticked,
    // directories not). Ctrl+Shift replaces.
    void replaceOnTheList() {
        frm_MainWindow w(pinnedOptions());
        w.sortItems()[2]->setChecked(true);
        dropOnList(w, {a}, Qt::ShiftModifier); // onto the hint entry: it is not kept
        QCOMPARE(entries(w), QStringList({"a.txt"}));
        QVERIFY(!w.sortItems()[2]->isChecked());                    // a drop clears the sort mark
        QVERIFY(child<QMenu>(w, "menu_EditSortList")->isEnabled()); // even for one entry
        QVERIFY(dropOnList(w, {b, a, a}));
        QCOMPARE(entries(w), QStringList({"b.txt", "a.txt", "a.txt"}));
        QCOMPARE(w.FilePaths().entries(), QStringList({b, a, a}));
        QCOMPARE(totals(w), QStringList({"3 ", "0 ", "0 "}));
        QCOMPARE(currentEntry(w), 0);
        // The path table keeps the system's own form, split at its separator.
        QCOMPARE(panel(w).mid(1, 2), QStringList({QLatin1Char(' ') + nativePath(dir.path()) + ' ',
                                                  QStringLiteral(" b.txt ")}));
        QCOMPARE(w.windowTitle(), QStringLiteral("Chronodex - 3 files, no directories ticked."));
        QVERIFY(!drop(child<QWidget>(w, "fra_NewValues"), urlsOf({c}).get()));
        QCOMPARE(w.PathCount(), 3);
        // Every control of "Original date values:" takes a drop, as the list does: the
        // windowing system offers a drag to each that says it takes drops.
        for (QWidget* control : child<QWidget>(w, "fra_OldValues")->findChildren<QWidget*>())
            QVERIFY2(control->acceptDrops(), qPrintable(control->objectName()));
        QVERIFY(drop(child<QWidget>(w, "txt_FileNameValue"), urlsOf({c}).get()));
        QCOMPARE(entries(w), QStringList({"c.txt"}));

        const QString gone = makeFile(dir, QStringLiteral("0gone"));
        dropOnList(w, {a, gone});
        QVERIFY(QFile::remove(gone));
        w.sortItems()[0]->trigger();
        QCOMPARE(entries(w), QStringList({"0gone", "a.txt"}));
        QCOMPARE(totals(w), QStringList({"2 ", "1 ", "0 "}));

        auto answered = onNextFlashMessage(clickButton(0)); // the warning about the directory
        dropOnList(w, {a, b, sub});
        tick(w, 1, false);
        tick(w, 2, true);
        answered = onNextFlashMessage(clickButton(0));
        dropOnList(w, {c, sub}, Qt::ShiftModifier);
        QCOMPARE(entries(w), QStringList({"a.txt", "-b.txt", "sub", "c.txt", "-sub"}));
        QCOMPARE(currentEntry(w), 0);
        answered = onNextFlashMessage(clickButton(0));
        dropOnList(w, {c, sub}, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(entries(w), QStringList({"c.txt", "-sub"}));
    }

    // The objects are named by kind: "sys" a system file, "d" a directory, else a file.
    void warnings_data() {
        QTest::addColumn<QString>("list");   // the entries as the list shows them, between "|"
        QTest::addColumn<QString>("counts"); // the totals: files, system files, directories
        QTest::addColumn<QString>("message");
        const QString never = "For safety reasions you should not edit the date of ";
        QTest::newRow("one system file, two directories")
            << "plain|-sys0|-d0|-d1"
            << "2 |1 |2 "
            << "You dragded a system file here.\r\n" + never +
                   "this file.\r\nPlease don't tick this item.\r\nYou dragded 2 directories "
                   "here.\r\nThis version can only edit file dates, sorry.\r\n";
        QTest::newRow("two system files, one directory")
            << "plain|-sys0|-sys1|-d0"
            << "3 |2 |1 "
            << "You dragded 2 system files here.\r\n" + never +
                   "these files.\r\nPlease don't tick them.\r\nYou dragded a directory "
                   "here.\r\nThis version can only edit file dates, sorry.\r\n";
    }
    void warnings() {
        QFETCH(QString, list);
        QFETCH(QString, counts);
        QFETCH(QString, message);
        QTemporaryDir here;
        QStringList paths;
        for (const QString& shown : list.split(QLatin1Char('|'))) {
            const QString name = shown.mid(shown.startsWith(QLatin1Char('-')) ? 1 : 0);
            paths << nativePath(here.filePath(name));
            if (name.startsWith(QLatin1String("sys")))
                MAKE_SYSTEM_FILE_OR_SKIP(paths.last());
            else if (name.startsWith(QLatin1Char('d')))
                QDir().mkdir(paths.last());
            else
                makeFile(here, name);
        }
        frm_MainWindow w(pinnedOptions());
        QString title; // the window as the warning finds it: complete
        auto seen = onNextFlashMessage([&w, &title](frm_FlashMessage* dlg) {
            title = w.windowTitle();
            dlg->button(0)->click();
        });
        dropOnList(w, paths);
        QVERIFY(seen->shown);
        QCOMPARE(title, QStringLiteral("Chronodex - One file, no directories ticked."));
        QCOMPARE(seen->message, message + "\r\nSee the help file for more information.");
        QCOMPARE(entries(w).join(QLatin1Char('|')), list);
        QCOMPARE(totals(w).join(QLatin1Char('|')), counts);
    }

    // Drops that are refused say why and change nothing; one that would pass 32,767 entries
    // is refused too.
    void refused_data() {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<QString>("message");
        const QString missing = nativePath(dir.filePath(QStringLiteral("missing.txt")));
        QTest::newRow("web link")
            << QList{QUrl(QStringLiteral("https://example.org/a.txt"))}
            << "Can't load this object.\r\nError:\r\nThis object is not a file or a directory";
        QTest::newRow("missing file") << QList{QUrl::fromLocalFile(c), QUrl::fromLocalFile(missing)}
                                      << "File not found: " + missing + "\r\n53";
        QTest::newRow("32,768 entries")
            << QList<QUrl>(32766, QUrl::fromLocalFile(a))
            << "Overflow: the list can hold at most 32,767 entries\r\n6";
    }
    void refused() {
        QFETCH(QList<QUrl>, urls);
        QFETCH(QString, message);
        frm_MainWindow w(pinnedOptions());
        dropOnList(w, {a, b});
        w.sortItems()[1]->setChecked(true);
        tick(w, 1, false);
        QMimeData mime;
        mime.setUrls(urls);
        auto seen = onNextFlashMessage(clickButton(0));
        const bool files = urls[0].isLocalFile(); // taken, then refused
        QCOMPARE(drop(w.fileList()->viewport(), &mime, Qt::ShiftModifier), files);
        QVERIFY(seen->shown);
        QCOMPARE(seen->message, message);
        QCOMPARE(entries(w), QStringList({"a.txt", "-b.txt"}));
        QVERIFY(w.sortItems()[1]->isChecked());
        if (urls.size() < 3) return; // while one that reaches it is taken
        dropOnList(w, QStringList(32765, a), Qt::ShiftModifier);
        QCOMPARE(caption(w, "labTotalFiles"), QStringLiteral("32,767 "));
    }

    // Sorting and removing duplicates are ways of looking at the list: each entry keeps the
    // tick the user gave it, a kept duplicate that of the entry that stays, and an update
    // then writes exactly the ticked files. The order's mark is kept by a removal.
    void sortsAndDuplicates_data() {
        QTest::addColumn<int>("command"); // a sort order, or -1 for the duplicate removal
        QTest::addColumn<QStringList>("list");
        QTest::newRow("Full path A-Z, a-z")
            << 2 << QStringList{"-A.txt", "B.txt", "a.txt", "b.txt", "-b.txt"};
        QTest::newRow("remove duplicates")
            << -1 << QStringList{"b.txt", "-A.txt", "a.txt", "B.txt"};
    }
    void sortsAndDuplicates() {
        QFETCH(int, command);
        QFETCH(QStringList, list);
        Desk d;
        // b.txt twice: the first ticked, the second not.
        const QStringList paths = d.make({"b.txt", "A.txt", "a.txt", "B.txt", "b.txt"});
        if (QDir(d.dir.path()).entryList(QDir::Files).size() < 4)
            QSKIP("this file system ignores letter case: A.txt and a.txt are one file");
        frm_MainWindow& w = d.w;
        dropOnList(w, paths);
        tick(w, 1, false); // A.txt
        tick(w, 4, false); // the second b.txt
        clickEntry(w, 2);
        w.sortItems()[1]->setChecked(true);
        emit child<QMenu>(w, "menu_Edit")->aboutToShow();
        QAction* remove = child<QAction>(w, "menu_EditRemoveCopies");
        QCOMPARE(remove->text(), QStringLiteral("&Remove duplicated files (1)"));
        (command >= 0 ? w.sortItems()[std::size_t(command)] : remove)->trigger();
        QCOMPARE(entries(w), list);
        QCOMPARE(currentEntry(w), 0);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(w.sortItems()[std::size_t(i)]->isChecked(), i == (command < 0 ? 1 : command));
        QCOMPARE(totals(w)[0], QString::number(list.size()) + ' ');
        emit child<QMenu>(w, "menu_Edit")->aboutToShow();
        QCOMPARE(remove->isEnabled(), command >= 0);

        writeModified(w, QStringLiteral("1|6|2020|0|0|0"));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(modifiedSeconds(paths[i]), i == 1 ? d.before : utcSeconds(2020, 6, 1));
    }
};

QTEST_MAIN(tst_Intake)
#include "tst_intake.moc"
