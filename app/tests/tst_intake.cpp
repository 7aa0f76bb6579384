// The list on the window: drops that replace and append, kinds and ticks, totals, the warning
// about system files and directories, refused drops, and the Edit menu's sorts and duplicate
// removal.
#include "frm_MainWindow.h"

#include "dialogdriver.h"
#include "filehelpers.h"
#include "windowprobe.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

using namespace chronodex;
using namespace chronodex::testing;

namespace {

// The three totals; one greyed out is marked "~".
QStringList totals(const frm_MainWindow& w) {
    QStringList out;
    for (const char* name : {"labTotalFiles", "labTotalSysFiles", "labTotalDirectories"})
        out << (label(w, name)->isEnabled() ? "" : "~") + caption(w, name);
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

    void replaceOnTheList() {
        frm_MainWindow w(pinnedOptions());
        w.sortItems()[2]->setChecked(true);
        dropOnList(w, {a}, Qt::ShiftModifier); // onto the hint entry: it is not kept
        QCOMPARE(entryNames(w), QStringList({"a.txt"}));
        QVERIFY(!w.sortItems()[2]->isChecked());                    // a drop clears the sort mark
        QVERIFY(child<QMenu>(w, "menu_EditSortList")->isEnabled()); // even for one entry
        QVERIFY(dropOnList(w, {b, a, a}));
        QCOMPARE(entryNames(w), QStringList({"b.txt", "a.txt", "a.txt"}));
        QCOMPARE(entryTicks(w), QList<bool>({true, true, true}));
        QCOMPARE(w.FilePaths().entries(), QStringList({b, a, a}));
        QCOMPARE(totals(w), QStringList({"3 ", "0 ", "0 "}));
        QCOMPARE(currentEntry(w), 0);
        // The path table keeps the system's own form, split at its separator.
        QCOMPARE(panel(w).mid(1, 2), QStringList({QLatin1Char(' ') + nativePath(dir.path()) + ' ',
                                                  QStringLiteral(" b.txt ")}));
        QCOMPARE(w.windowTitle(), QStringLiteral("Chronodex - 3 files, no directories ticked."));
        QVERIFY(!dropFiles(child<QWidget>(w, "fra_NewValues"), {c}));
        QCOMPARE(w.PathCount(), 3);
        // Every control of "Original date values:" takes a drop, as the list does: the
        // windowing system offers a drag to each that says it takes drops.
        for (QWidget* control : child<QWidget>(w, "fra_OldValues")->findChildren<QWidget*>())
            QVERIFY2(control->acceptDrops(), qPrintable(control->objectName()));
        for (const char* name : {"txt_FileNameValue", "labTotalFiles", "lab_OModfiedValue"}) {
            QVERIFY2(dropFiles(child<QWidget>(w, name), {c}), name);
            QCOMPARE(entryNames(w), QStringList({"c.txt"}));
            dropOnList(w, {a});
        }
    }

    // An append keeps the ticks the user gave the listed entries; only new entries are
    // ticked by the rule (files ticked, directories not).
    void append_data() {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QList<bool>>("ticks");
        QTest::newRow("Shift appends")
            << int(Qt::ShiftModifier) << QStringList{"a.txt", "b.txt", "sub", "c.txt", "sub"}
            << QList<bool>{true, false, true, true, false};
        QTest::newRow("Ctrl+Shift replaces")
            << int(Qt::ShiftModifier | Qt::ControlModifier) << QStringList{"c.txt", "sub"}
            << QList<bool>{true, false};
    }
    void append() {
        QFETCH(int, modifiers);
        QFETCH(QStringList, expected);
        QFETCH(QList<bool>, ticks);
        frm_MainWindow w(pinnedOptions());
        const auto answered = onNextFlashMessage(clickButton(0)); // the warning about the directory
        dropOnList(w, {a, b, sub});
        tick(w, 1, false);
        tick(w, 2, true);
        const auto answeredAgain = onNextFlashMessage(clickButton(0));
        dropOnList(w, {c, sub}, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(entryNames(w), expected);
        QCOMPARE(entryTicks(w), ticks);
        QCOMPARE(currentEntry(w), 0);
        QCOMPARE(w.PathCount(), int(expected.size()));
    }

    void warnings_data() {
        QTest::addColumn<int>("systemFiles");
        QTest::addColumn<int>("directories");
        QTest::addColumn<QString>("message");
        const QString never = "For safety reasions you should not edit the date of ";
        QTest::newRow("one system file, two directories")
            << 1 << 2
            << "You dragded a system file here.\r\n" + never +
                   "this file.\r\nPlease don't tick this item.\r\nYou dragded 2 directories "
                   "here.\r\nThis version can only edit file dates, sorry.\r\n";
        QTest::newRow("two system files, one directory")
            << 2 << 1
            << "You dragded 2 system files here.\r\n" + never +
                   "these files.\r\nPlease don't tick them.\r\nYou dragded a directory "
                   "here.\r\nThis version can only edit file dates, sorry.\r\n";
    }
    void warnings() {
        QFETCH(int, systemFiles);
        QFETCH(int, directories);
        QFETCH(QString, message);
        QTemporaryDir here;
        QStringList paths{makeFile(here, QStringLiteral("plain"))};
        for (int i = 0; i < systemFiles; ++i) {
            paths << nativePath(here.filePath(QStringLiteral("sys%1").arg(i)));
            MAKE_SYSTEM_FILE_OR_SKIP(paths.last());
        }
        for (int i = 0; i < directories; ++i) {
            paths << nativePath(here.filePath(QStringLiteral("d%1").arg(i)));
            QDir().mkdir(paths.last());
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
        QCOMPARE(seen->title, QStringLiteral("Chronodex - Warning."));
        QCOMPARE(seen->message, message + "\r\nSee the help file for more information.");
        QCOMPARE(seen->buttons, QStringList({"&OK", "", "", ""}));
        QCOMPARE(seen->timer, 15000);
        QCOMPARE(entryTicks(w), QList<bool>({true}) + QList<bool>(systemFiles + directories));
        QCOMPARE(totals(w), QStringList({QString::number(1 + systemFiles) + " ",
                                         QString::number(systemFiles) + " ",
                                         QString::number(directories) + " "}));
    }

    // Drops that are refused say why and change nothing.
    void refused_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("text") << "text";
        QTest::newRow("web link") << "web";
        QTest::newRow("missing file") << "missing";
    }
    void refused() {
        QFETCH(QString, kind);
        frm_MainWindow w(pinnedOptions());
        dropOnList(w, {a, b});
        w.sortItems()[1]->setChecked(true);
        tick(w, 1, false);

        auto mime = std::make_unique<QMimeData>();
        const QString missing = nativePath(dir.filePath(QStringLiteral("missing.txt")));
        QString message = QStringLiteral(
            "Can't load this object.\r\nError:\r\nThis object is not a file or a directory");
        if (kind == QLatin1String("text"))
            mime->setText(a);
        else if (kind == QLatin1String("web"))
            mime->setUrls({QUrl(QStringLiteral("https://example.org/a.txt"))});
        else
            mime = urlsOf({c, missing}), message = "File not found: " + missing + "\r\n53";
        auto seen = onNextFlashMessage(clickButton(0));
        QVERIFY(!drop(w.fileList()->viewport(), mime.get(), Qt::ShiftModifier) ||
                kind == QLatin1String("missing"));
        QVERIFY(seen->shown);
        QCOMPARE(seen->title, QStringLiteral("Chronodex - Warning:"));
        QCOMPARE(seen->message, message);
        QCOMPARE(seen->timer, 5000);
        QCOMPARE(entryNames(w), QStringList({"a.txt", "b.txt"}));
        QCOMPARE(entryTicks(w), QList<bool>({true, false}));
        QCOMPARE(w.FilePaths().entries(), QStringList({a, b}));
        QVERIFY(w.sortItems()[1]->isChecked());
    }

    // A full list refuses a drop that would pass 32,767 entries, and keeps what it holds.
    void listLimit() {
        frm_MainWindow w(pinnedOptions());
        dropOnList(w, QStringList(32766, a));
        QCOMPARE(caption(w, "labTotalFiles"), QStringLiteral("32,766 "));
        auto seen = onNextFlashMessage(clickButton(0));
        dropOnList(w, {a, b}, Qt::ShiftModifier);
        QVERIFY(seen->shown);
        QVERIFY(seen->message.endsWith(QStringLiteral("\r\n6")));
        QCOMPARE(entryCount(w), 32766);
        dropOnList(w, {b}, Qt::ShiftModifier);
        QCOMPARE(entryCount(w), 32767);
    }

    // Sorting and removing duplicates are ways of looking at the list: each entry keeps the
    // tick the user gave it, a kept duplicate that of the entry that stays, and an update
    // then writes exactly the ticked files. The order's mark is kept by a removal.
    void sortsAndDuplicates_data() {
        QTest::addColumn<int>("command"); // a sort order, or -1 for the duplicate removal
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<bool>>("ticks");
        const QList<bool> sorted{false, true, true, true, false};
        const QStringList byCase{"A.txt", "B.txt", "a.txt", "b.txt", "b.txt"};
        const QStringList byLetter{"A.txt", "a.txt", "b.txt", "B.txt", "b.txt"};
        QTest::newRow("Aa-Zz") << 1 << byLetter << sorted;
        QTest::newRow("Full path A-Z, a-z") << 2 << byCase << sorted;
        QTest::newRow("remove duplicates") << -1 << QStringList{"b.txt", "A.txt", "a.txt", "B.txt"}
                                           << QList<bool>{true, false, true, true};
    }
    void sortsAndDuplicates() {
        QFETCH(int, command);
        QFETCH(QStringList, names);
        QFETCH(QList<bool>, ticks);
        QTemporaryDir here;
        makeFile(here, QStringLiteral("A.txt"));
        if (QFile::exists(here.filePath(QStringLiteral("a.txt"))))
            QSKIP("this file system ignores letter case: A.txt and a.txt are one file");
        QStringList paths;
        for (const char* n : {"b.txt", "A.txt", "a.txt", "B.txt"})
            paths << makeFile(here, QString::fromLatin1(n));
        paths << paths[0]; // b.txt twice: the first ticked, the second not
        const qint64 before = utcSeconds(2001, 2, 3);
        for (const QString& p : paths)
            setStamps(p, before, before);
        frm_MainWindow w(pinnedOptions(pinnedNow(), false));
        dropOnList(w, paths);
        tick(w, 1, false); // A.txt
        tick(w, 4, false); // the second b.txt
        clickEntry(w, 2);
        w.sortItems()[1]->setChecked(true);
        emit child<QMenu>(w, "menu_Edit")->aboutToShow();
        QAction* remove = menuItem(w, "menu_EditRemoveCopies");
        QCOMPARE(remove->text(), QStringLiteral("&Remove duplicated files (1)"));
        (command >= 0 ? w.sortItems()[std::size_t(command)] : remove)->trigger();
        QCOMPARE(entryNames(w), names);
        QCOMPARE(entryTicks(w), ticks);
        QCOMPARE(currentEntry(w), 0);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(w.sortItems()[std::size_t(i)]->isChecked(), i == (command < 0 ? 1 : command));
        QCOMPARE(totals(w)[0], QString::number(names.size()) + ' ');
        emit child<QMenu>(w, "menu_Edit")->aboutToShow();
        QCOMPARE(remove->isEnabled(), command >= 0);

        writeModified(w, {"1", "6", "2020", "0", "0", "0"});
        for (int i = 0; i < 4; ++i)
            QCOMPARE(modifiedSeconds(paths[i]), i == 1 ? before : utcSeconds(2020, 6, 1));
    }

    // An entry whose file was deleted since the drop is sorted like any other, counts as a
    // system file and keeps its tick.
    void deletedBeforeASort() {
        const QString gone = makeFile(dir, QStringLiteral("0gone"));
        frm_MainWindow w(pinnedOptions());
        dropOnList(w, {a, gone});
        QVERIFY(QFile::remove(gone));
        w.sortItems()[0]->trigger();
        QCOMPARE(w.FilePaths().entries(), QStringList({gone, a}));
        QCOMPARE(entryTicks(w), QList<bool>({true, true}));
        QCOMPARE(totals(w), QStringList({"2 ", "1 ", "0 "}));
    }
};

QTEST_MAIN(tst_Intake)
#include "tst_intake.moc"
