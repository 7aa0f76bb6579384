// The window after start-up, at a pinned clock. Selecting an entry shows the object's path,
// name, size and stamps, and loads the stamps into the editor rows; "Set time to now" and
// "Reset time values" refill the ticked rows.
#include "fonts.h"
#include "selection.h"
#include "testfiles.h"

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

    // At start-up: the hint entry, no stamps, nothing to sort. Each row shows the clock's
    // value in lists of the real days, months, years and times, and starts closed; a program change
    // of a row's tick runs its handler as a click would. With no list entry ticked there is nothing
    // to update. The help document is looked for in the program folder, in the system's own form.
    void atStartUp() {
        frm_MainWindow w(pinnedOptions(true, QDateTime(QDate(2026, 4, 30), QTime(9, 5, 7))));
        QVERIFY(!child<QMenu>(w, "menu_EditSortList")->isEnabled());
        QCOMPARE(panel(w)[1], QStringLiteral(" - Drag files here to show and set the date - "));
        QCOMPARE(panel(w).mid(4), QStringList(4, QStringLiteral("~ N/A ")));
        QStringList lists; // each field's first and last item; years: 50 back, 10 ahead
        for (const QComboBox* box : w.row(Accessed).fields)
            lists << box->itemText(0) + '|' + box->itemText(box->count() - 1);
        QCOMPARE(lists,
                 QStringList({" 1| 31", " 1| 12", " 1976| 2036", " 0| 23", " 0| 59", " 0| 59"}));
        const auto enabled = [&w](StampKind k) { // the first and last field, the buttons
            return QList<bool>{w.row(k).fields[Day]->isEnabled(),
                               w.row(k).fields[Second]->isEnabled(),
                               child<QPushButton>(w, "com_NowTime")->isEnabled(),
                               child<QPushButton>(w, "com_ResetTime")->isEnabled(),
                               child<QPushButton>(w, "com_UptateTimestamp")->isEnabled()};
        };
        for (StampKind kind : AllStampKinds) {
            QCOMPARE(rowText(w, kind), QStringLiteral("30|4|2026|9|5|7"));
            QVERIFY(!w.row(kind).isTicked());
            QCOMPARE(enabled(kind), QList<bool>(5, false));
        }
        w.row(Modified).check->setCheckState(Qt::Checked);
        QCOMPARE(enabled(Modified), QList<bool>({true, true, true, true, false}));
        w.row(Modified).check->setCheckState(Qt::Unchecked);
        QCOMPARE(enabled(Modified), QList<bool>(5, false));
        QCOMPARE(SplitPath(defaultMainWindowOptions().programFolder, true,
                           QLatin1Char(platform::pathSeparator)),
                 QFileInfo(QCoreApplication::applicationDirPath()).fileName());

        // Shown and focused, as on a desktop: the list's focus does not pick the hint entry,
        // so the title keeps the version and the rows stay hidden until a drop.
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.fileList()->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(w.fileList()->hasFocus());
        QCoreApplication::processEvents();
        QCOMPARE(w.windowTitle(), QStringLiteral("Chronodex - version 0.00.0003"));
        QCOMPARE(currentEntry(w), -1);
        QVERIFY(!newValuesShown(w));
        auto* size = child<QLabel>(w, "lab_OSizeValue"); // disabled, on a field's colour
        QCOMPARE(size->grab().toImage().pixelColor(1, 1),
                 size->palette().color(QPalette::Active, QPalette::Base));
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
        QTest::newRow("hidden file")
            << "hidden" << file + " .x | File size:|~ N/A" + stamps << written;
        QTest::newRow("read-only file")
            << "readonly" << file + " x | File size:| 10 bytes" + stamps << QString();
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
        if (kind == QLatin1String("directory"))
            QVERIFY(QDir().mkdir(path));
        else
            makeFile(dir, name, kind == QLatin1String("file") ? 4096 : 10);
        // A fraction of a second is cut off, never rounded up.
        setStamps(path, utcSeconds(2024, 3, 3, 14, 5, 9), utcSeconds(2023, 12, 31, 0, 30, 0),
                  999999999);
        if (kind == QLatin1String("readonly"))
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        frm_MainWindow w(pinnedOptions());
        auto* size = child<QLabel>(w, "lab_OSize"); // in a face wider than the layout's
        size->setFont(QFont(QStringLiteral("DejaVu Sans"), 9, QFont::Normal));
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
        QVERIFY(size->fontMetrics().horizontalAdvance(size->text()) <= size->width()); // fits
        const bool readOnly = kind == QLatin1String("readonly"); // says why, in the rows' place
        QCOMPARE(newValuesShown(w), open || readOnly);
        QCOMPARE(caption(w, "lab_NotWritable"),
                 readOnly ? "This file cannot be written: the file is read-only." : "");
        const QString closed = QStringLiteral(" - | - | - | - | - | - ");
        QCOMPARE(rowText(w, Modified), open ? modifiedRow : closed);
        QCOMPARE(rowText(w, Created), open ? fields(born) : closed);
        // Linux sets the creation date of files on NTFS drives only.
        const bool settable = platform::testing::onWindows || kind == QLatin1String("directory");
        for (StampKind k : AllStampKinds)
            QCOMPARE(w.row(k).check->checkState(),
                     open && (k != Created || settable) ? Qt::Checked : Qt::Unchecked);
        if (kind != QLatin1String("file")) return;
        QCOMPARE(rowText(w, Accessed), QStringLiteral("3|3|2024|14|5|9"));
        QVERIFY(child<QPushButton>(w, "com_UptateTimestamp")->isEnabled());
        QCOMPARE(w.windowTitle(), QStringLiteral("Chronodex - 2 files, no directories ticked."));
        tick(w, 0, false);
        tick(w, 1, false);
        QVERIFY(!child<QPushButton>(w, "com_UptateTimestamp")->isEnabled()); // nothing ticked
        QCOMPARE(w.windowTitle(), QStringLiteral("Chronodex - No file, no directories ticked."));
    }

    void exactStamps_data() {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("shown");
        QTest::newRow("1850") << utcSeconds(1850, 6, 15, 10, 30, 0) << " 15/06/1850, 10:30:00am";
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
    // then refills only the ticked rows, from the stamps on disk at that moment: the
    // directory's own for a directory.
    void setTimeToNowThenReset() {
        Desk d;
        const QString path = d.make({"a.txt"})[0];
        listPaths(d.w, {path, nativePath(d.dir.path())});
        QVERIFY(!d.w.row(Created).check->isEnabled() && !d.w.row(Created).isTicked());
        QCOMPARE(rowText(d.w, Created), fields(birthOf(path)));
        d.w.row(Created).check->setCheckState(Qt::Checked);
        d.w.row(Modified).check->setCheckState(Qt::Unchecked);
        child<QPushButton>(d.w, "com_NowTime")->click();
        const QString now = QStringLiteral("3|3|2026|9|5|7"), before = "3|2|2001|4|5|6";
        QCOMPARE(rowText(d.w, Created), now);
        QCOMPARE(rowText(d.w, Accessed), now);
        QCOMPARE(rowText(d.w, Modified), before);

        d.w.row(Created).check->setCheckState(Qt::Unchecked);
        QVERIFY(setStamps(path, utcSeconds(2011, 11, 11, 11, 11, 11), utcSeconds(2012, 1, 1)));
        child<QPushButton>(d.w, "com_ResetTime")->click();
        QCOMPARE(rowText(d.w, Accessed), QStringLiteral("11|11|2011|11|11|11"));
        QCOMPARE(rowText(d.w, Modified), before);
        QCOMPARE(rowText(d.w, Created), now);

        clickEntry(d.w, 1);
        d.w.row(Created).check->setCheckState(Qt::Checked);
        child<QPushButton>(d.w, "com_NowTime")->click();
        child<QPushButton>(d.w, "com_ResetTime")->click();
        QCOMPARE(rowText(d.w, Created), fields(birthOf(d.dir.path(), 1)));
        QCOMPARE(rowText(d.w, Accessed), now);
    }

    // As the program starts: its own windows take the dialog font from the application;
    // message boxes and menus keep the system's size and face, but a face the system lacks, or
    // draws in another face (Wine's "MS Shell Dlg" without Windows fonts), gives way to a
    // sans-serif one it has. Last, as it changes the application.
    void programFont() {
        QApplication::setFont(QFont(QStringLiteral("No Such Face"), 7), "QMenu");
        QApplication::setFont(QFont(QStringLiteral("MS Shell Dlg"), 7), "QTipLabel"); // an alias
        setProgramFont();
        QCOMPARE(QApplication::font(), dialogFont());
        for (const char* c : {"QMenu", "QTipLabel", "QMessageBox"}) {
            const QFont f = QApplication::font(c);
            QVERIFY(QStringList({f.family(), "Liberation Sans", "DejaVu Sans", "Arial", "Tahoma"})
                        .contains(QFontInfo(f).family())); // drawn in a face asked for
        }
        QCOMPARE(QApplication::font("QMenu").pointSize(), 7);
    }
};

QTEST_MAIN(tst_Selection)
#include "tst_selection.moc"
