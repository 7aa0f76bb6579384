// The window after start-up, at a pinned clock. Selecting an entry shows the object's path,
// name, size and stamps, and loads the stamps into the editor rows; "Set time to now" and
// "Reset time values" refill the ticked rows.
#include "fonts.h"
#include "selection.h"
#include "twips.h"

#include "windowprobe.h"

using namespace chronodex;
using namespace chronodex::testing;

namespace {

// The birth time the file system reports for a path, as the program takes it; NoDate where
// the file system keeps none (a directory's failed read gives 01:00).
DateTime birthOf(const QString& path, int noDateHour = 0) {
    const QDateTime t = stampOf(path, QFileDevice::FileBirthTime);
    if (!t.isValid()) return NoDate(noDateHour);
    return DateTime{t.date().year(), t.date().month(),  t.date().day(),
                    t.time().hour(), t.time().minute(), t.time().second()};
}
// A value as an editor row shows it (rowText).
QString fields(const DateTime& v) {
    return QString::asprintf("%d|%d|%d|%d|%d|%d", v.day, v.month, v.year, v.hour, v.minute,
                             v.second);
}

} // namespace

class tst_Selection : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(); }
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    // At start-up: the version in the title, the hint entry, no stamps, the menus. Each
    // field's list in every row: its length, first and last item, and the clock's value as
    // its text (30 April: the day list still runs to 31). The rows start closed; a program
    // change of a row's tick runs its handler as a click would. With no list entry ticked
    // there is nothing to update.
    void atStartUp() {
        frm_MainWindow w(pinnedOptions(true, QDateTime(QDate(2026, 4, 30), QTime(9, 5, 7))));
        QCOMPARE(w.windowTitle(), QStringLiteral("Chronodex - version 0.00.0003"));
        QCOMPARE(entries(w), QStringList({"Drag files here to show and set the date"}));
        QCOMPARE(w.PathCount(), -1);
        QVERIFY(!child<QMenu>(w, "menu_EditSortList")->isEnabled());
        QCOMPARE(panel(w)[1], QStringLiteral(" - Drag files here to show and set the date - "));
        QCOMPARE(panel(w).mid(4), QStringList(4, QStringLiteral("~ N/A ")));
        QCOMPARE(caption(w, "labTotalFiles"), QStringLiteral("0 "));
        const auto enabled = [&w](StampKind k) {
            QList<bool> out{w.row(k).caption->isEnabled()};
            for (QComboBox* box : w.row(k).fields)
                out << box->isEnabled();
            for (QLabel* sep : w.row(k).separators)
                out << sep->isEnabled();
            for (const char* name : {"com_NowTime", "com_ResetTime", "com_UptateTimestamp"})
                out << button(w, name)->isEnabled();
            return out;
        };
        const QList<bool> closed = QList<bool>({true}) + QList<bool>(6 + 5 + 3, false);
        for (StampKind kind : AllStampKinds) {
            QStringList lists;
            for (const QComboBox* box : w.row(kind).fields) {
                QVERIFY(box->isEditable() && box->currentIndex() == -1);
                lists << box->objectName() + '|' + QString::number(box->count()) + '|' +
                             box->itemText(0) + '|' + box->itemText(box->count() - 1) + '|' +
                             box->currentText();
            }
            const QString c = QStringLiteral("com_") + stampLetter(kind) + '_';
            QCOMPARE(lists, QStringList({c + "day|31| 1| 31|30", c + "month|12| 1| 12|4",
                                         c + "year|61| 1976| 2036|2026", c + "hour|24| 0| 23|9",
                                         c + "minute|60| 0| 59|5", c + "second|60| 0| 59|7"}));
            QCOMPARE(w.row(kind).check->checkState(), Qt::Unchecked);
            QCOMPARE(enabled(kind), closed);
        }
        w.row(Modified).check->setCheckState(Qt::Checked);
        QCOMPARE(enabled(Modified), QList<bool>(1 + 6 + 5 + 2, true) + QList<bool>{false});
        w.row(Modified).check->setCheckState(Qt::Unchecked);
        QCOMPARE(enabled(Modified), closed);
        QStringList sorts;
        for (QAction* a : w.sortItems())
            sorts << a->text() + (a->isChecked() ? "*" : "");
        QCOMPARE(sorts,
                 QStringList({"A-Z, a-z", "Aa-Zz", "Full path A-Z, a-z", "Full path Aa-Zz"}));
        QCOMPARE(child<QAction>(w, "menu_HelpAbout")->text(),
                 QStringLiteral("&About this application"));
        emit child<QMenu>(w, "menu_Help")->aboutToShow();
        QCOMPARE(child<QAction>(w, "menu_HelpAbout")->text(), QStringLiteral("&About Chronodex"));
        auto seen = onNextFlashMessage(clickButton(0));
        child<QAction>(w, "menu_HelpAbout")->trigger();
        QVERIFY(seen->shown);
        QCOMPARE(seen->title, QStringLiteral("About Chronodex."));
        QCOMPARE(seen->timer, 25000);
        QVERIFY(seen->message.startsWith(QStringLiteral("Chronodex  (Chronodex)\r\n")));
        // The help document is looked for in the program folder, in the system's own form.
        QCOMPARE(SplitPath(defaultMainWindowOptions().programFolder, true,
                           QLatin1Char(platform::pathSeparator)),
                 QFileInfo(QCoreApplication::applicationDirPath()).fileName());

        // Shown and focused, as on a desktop: the list's focus does not pick the hint entry,
        // so the title keeps the version and the ticked counts stay as laid out until a drop.
        // The window has the size laid out in twips, ends where the hidden frame begins, and
        // cannot be resized.
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.fileList()->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(w.fileList()->hasFocus());
        QCoreApplication::processEvents();
        QCOMPARE(w.windowTitle(), QStringLiteral("Chronodex - version 0.00.0003"));
        QCOMPARE(currentEntry(w), -1);
        for (const char* name : {"labTickedFiles", "labTickedSysFiles", "labTickedDirectories"})
            QVERIFY(caption(w, name) == QLatin1String("0 ") &&
                    !child<QLabel>(w, name)->isEnabled());
        QVERIFY(!newValuesShown(w));
        QCOMPARE(w.centralWidget()->width(), twipsToPixelsX(5055, &w));
        QCOMPARE(w.centralWidget()->height(), twipsToPixelsY(5640, &w));
        QCOMPARE(w.height(), w.menuBar()->height() + w.centralWidget()->height());
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QVERIFY(!(w.windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint)));
        QVERIFY(!w.windowIcon().isNull());
        QVERIFY(!button(w, "com_TEST")->isVisible());
        QCOMPARE(button(w, "com_TEST")->focusPolicy(), Qt::NoFocus);
    }

    // The second of two entries is clicked; "{folder}" stands for its folder, "{born}" for its
    // creation stamp. Objects whose stamps are not written close the rows.
    void shows_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("texts");       // the panel's texts, between "|"
        QTest::addColumn<QString>("modifiedRow"); // empty: the rows are closed
        const QString stamps = "|{born}| 31/12/2023, 12:30:00am| 3/03/2024, 2:05:09pm";
        const QString noStamps = "|~ N/A|~ N/A |~ N/A |~ N/A ", file = "File path:|{folder}|";
        const QString written = "31|12|2023|0|30|0";
        QTest::newRow("file") << "file" << file + " x | File size:| 4,096 bytes" + stamps
                              << written;
        QTest::newRow("empty file")
            << "empty" << file + " x | File size:| 0 bytes" + stamps << written;
        QTest::newRow("hidden file")
            << "hidden" << file + " .x | File size:|~ N/A" + stamps << written;
        QTest::newRow("read-only file")
            << "readonly" << file + " x | File size:| 10 bytes" + stamps << QString();
        if (platform::testing::hasFifos())
            QTest::newRow("fifo") << "fifo" << file + " x | File size:" + noStamps << QString();
        QTest::newRow("directory")
            << "directory"
            << "Directory:|{path}|~ - |Directory size:|~ N/A|{born}|~ N/A |~ N/A "
            << "4|9|1752|0|0|0";
        QTest::newRow("vanished file")
            << "vanished" << file + " x | File size:" + noStamps << QString();
    }
    void shows() {
        QFETCH(QString, kind);
        QFETCH(QString, texts);
        QFETCH(QString, modifiedRow);
        QTemporaryDir dir;
        const QString name = kind == QLatin1String("hidden") ? QStringLiteral(".x") : "x";
        QString path = nativePath(dir.filePath(name));
        if (kind == QLatin1String("fifo"))
            QVERIFY(platform::testing::makeFifo(fsPath(path)));
        else if (kind == QLatin1String("directory"))
            QVERIFY(QDir().mkdir(path));
        else
            makeFile(dir, name, kind == QLatin1String("file") ? 4096 : kind == "empty" ? 0 : 10);
        // A fraction of a second is cut off, never rounded up.
        setStamps(path, utcSeconds(2024, 3, 3, 14, 5, 9), utcSeconds(2023, 12, 31, 0, 30, 0),
                  999999999);
        if (kind == QLatin1String("readonly"))
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        frm_MainWindow w(pinnedOptions());
        listPaths(w, {makeFile(dir, QStringLiteral("first")), path});
        QVERIFY(newValuesShown(w));
        if (kind == QLatin1String("vanished")) QVERIFY(QFile::remove(path));
        clickEntry(w, 1);

        const bool open = !modifiedRow.isEmpty();
        const DateTime born = birthOf(path, kind == QLatin1String("directory") ? 1 : 0);
        QStringList panel = texts.split(QLatin1Char('|'));
        panel.replaceInStrings(QStringLiteral("{born}"), stampText(born));
        panel.replaceInStrings(QStringLiteral("{folder}"), ' ' + nativePath(dir.path()) + ' ');
        panel.replaceInStrings(QStringLiteral("{path}"), ' ' + path + ' ');
        QCOMPARE(testing::panel(w), panel);
        QCOMPARE(newValuesShown(w), open);
        QCOMPARE(w.clientHeightTwips(), open ? 5640 + 2535 + 128 : 5640);
        const QString closed = QStringLiteral(" - | - | - | - | - | - ");
        QCOMPARE(rowText(w, Modified), open ? modifiedRow : closed);
        QCOMPARE(rowText(w, Created), open ? fields(born) : closed);
        for (StampKind k : AllStampKinds)
            QCOMPARE(w.row(k).check->checkState(), open ? Qt::Checked : Qt::Unchecked);
        if (kind != QLatin1String("file")) return;
        QCOMPARE(rowText(w, Accessed), QStringLiteral("3|3|2024|14|5|9"));
        QVERIFY(button(w, "com_UptateTimestamp")->isEnabled());
        QCOMPARE(w.windowTitle(), QStringLiteral("Chronodex - 2 files, no directories ticked."));
        tick(w, 0, false);
        tick(w, 1, false);
        QVERIFY(!button(w, "com_UptateTimestamp")->isEnabled()); // nothing ticked
        QCOMPARE(w.windowTitle(), QStringLiteral("Chronodex - No file, no directories ticked."));
    }

    void exactStamps_data() {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("shown");
        QTest::newRow("1850") << utcSeconds(1850, 6, 15, 10, 30, 0) << " 15/06/1850, 10:30:00am";
        QTest::newRow("no-date day") << utcSeconds(1752, 9, 4, 15, 0, 0) << "~ N/A ";
        QTest::newRow("beyond 9999") << utcSeconds(30000, 1, 1) << "error";
    }
    void exactStamps() {
        QFETCH(qint64, seconds);
        QFETCH(QString, shown);
        auto dir = anyYearDir();
        if (!dir) QSKIP("no folder whose file system holds the year 1850 (on Linux: /dev/shm)");
        const QString path = makeFile(*dir, QStringLiteral("s"));
        QVERIFY(setStamps(path, seconds, seconds));
        frm_MainWindow w(pinnedOptions());
        if (shown == QLatin1String("error")) {
            auto box = closeNextMessageBox();
            listPaths(w, {path});
            QVERIFY(box->shown);
            QCOMPARE(box->title, QStringLiteral("Chronodex - Get file date error."));
            QVERIFY(box->text.contains(QStringLiteral("\r\nError number: ")));
            QVERIFY(!newValuesShown(w)); // the stamps count as not read
            QCOMPARE(panel(w).mid(5), QStringList(3, QStringLiteral("~ N/A ")));
            return;
        }
        listPaths(w, {path});
        QCOMPARE(panel(w).mid(6), QStringList(2, shown)); // modified and accessed
    }

    // Where creation stamps cannot be written, the Created row shows the value, unticked.
    // "Set time to now" fills the ticked rows from one clock reading; "Reset time values"
    // then refills only the ticked rows, from the stamps on disk at that moment: none for a
    // read-only file, the directory's own for a directory.
    void setTimeToNowThenReset() {
        QTemporaryDir dir;
        const QString path = makeFile(dir, QStringLiteral("a.txt"));
        const QString ro = makeFile(dir, QStringLiteral("ro.txt"));
        QVERIFY(setStamps(path, utcSeconds(2000, 1, 1), utcSeconds(2000, 1, 1)));
        frm_MainWindow w(pinnedOptions(false));
        listPaths(w, {path, nativePath(dir.path()), ro});
        QVERIFY(!w.row(Created).check->isEnabled() && !w.row(Created).isTicked());
        QCOMPARE(rowText(w, Created), fields(birthOf(path)));
        w.row(Created).check->setCheckState(Qt::Checked);
        w.row(Modified).check->setCheckState(Qt::Unchecked);
        button(w, "com_NowTime")->click();
        const QString now = QStringLiteral("3|3|2026|9|5|7"), y2000 = "1|1|2000|0|0|0";
        QCOMPARE(rowText(w, Created), now);
        QCOMPARE(rowText(w, Accessed), now);
        QCOMPARE(rowText(w, Modified), y2000);

        w.row(Created).check->setCheckState(Qt::Unchecked);
        QVERIFY(setStamps(path, utcSeconds(2011, 11, 11, 11, 11, 11), utcSeconds(2012, 1, 1)));
        button(w, "com_ResetTime")->click();
        QCOMPARE(rowText(w, Accessed), QStringLiteral("11|11|2011|11|11|11"));
        QCOMPARE(rowText(w, Modified), y2000);
        QCOMPARE(rowText(w, Created), now);

        clickEntry(w, 1);
        w.row(Created).check->setCheckState(Qt::Checked);
        button(w, "com_NowTime")->click();
        button(w, "com_ResetTime")->click();
        QCOMPARE(rowText(w, Created), fields(birthOf(dir.path(), 1)));
        QCOMPARE(rowText(w, Accessed), now);

        QVERIFY(QFile::setPermissions(ro, QFile::ReadOwner));
        {
            const QSignalBlocker quiet(w.fileList()->selectionModel()); // the rows stay open
            clickEntry(w, 2);
        }
        const QString created = rowText(w, Created);
        button(w, "com_ResetTime")->click();
        QCOMPARE(rowText(w, Created), created);
        QCOMPARE(rowText(w, Accessed), now);
    }

    // As the program starts: its own windows take the dialog font from the application;
    // message boxes and menus keep the system's. Last, as it changes the application.
    void programFont() {
        const QFont box = QApplication::font("QMessageBox"), menu = QApplication::font("QMenu");
        setProgramFont();
        QCOMPARE(QApplication::font(), dialogFont());
        QCOMPARE(QApplication::font("QMessageBox"), box);
        QCOMPARE(QApplication::font("QMenu"), menu);
    }
};

QTEST_MAIN(tst_Selection)
#include "tst_selection.moc"
