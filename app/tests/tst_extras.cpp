// The Edit menu's commands beyond one date, through the window: shifting the ticked files'
// dates, undoing the last command, dates from photos.
#include "frm_MainWindow.h"
#include "frm_ShiftDates.h"

#include "dialogdriver.h"
#include "filehelpers.h"
#include "photofixture.h"
#include "windowprobe.h"

#include <QAction>
#include <QComboBox>
#include <QSpinBox>
#include <QtTest>

using namespace chronodex;
using namespace chronodex::testing;

namespace {

QAction* menuItem(const frm_MainWindow& w, const char* name) {
    return w.findChild<QAction*>(QLatin1String(name));
}

struct Files {
    QTemporaryDir dir;
    QStringList paths;
    std::vector<qint64> stamps;
    // Files with different stamps, a day and some apart.
    explicit Files(int count) {
        for (int i = 0; i < count; ++i) {
            paths << makeFile(dir, QStringLiteral("f%1.txt").arg(i));
            stamps.push_back(utcSeconds(2020, 3, 1 + i, 10 + i, 7 * i, i));
            setStamps(paths.last(), stamps.back(), stamps.back());
        }
    }
    qint64 mtime(int i) const { return modifiedSeconds(paths[i]); }
    qint64 atime(int i) const { return accessedSeconds(paths[i]); }
};

} // namespace

class tst_Extras : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(); }
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    // Each ticked file's own stamps move by exactly the amount; an unticked one stays.
    void shift_data() {
        QTest::addColumn<bool>("earlier");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("hours");
        QTest::newRow("+1 hour") << false << 0 << 1;
        QTest::newRow("-400 days") << true << 400 << 0;
    }
    void shift() {
        QFETCH(bool, earlier);
        QFETCH(int, days);
        QFETCH(int, hours);
        Files f(3);
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime(), false));
        listPaths(w, f.paths);
        setTick(w, 1, false);
        bool shown = false;
        QString preview;
        whenOpen<frm_ShiftDates>([&](frm_ShiftDates* d) {
            shown = true;
            preview = d->previewText();
            d->cbo_Direction->setCurrentIndex(earlier ? 1 : 0);
            d->spn_Days->setValue(days);
            d->spn_Hours->setValue(hours);
            d->com_OK->click();
        });
        menuItem(w, "menu_EditShift")->trigger();
        QVERIFY(shown);
        QVERIFY(preview.startsWith(QStringLiteral("2 ticked entries; the first one:\nModified: "
                                                  "1/03/2020, 10:00:00am")));
        const qint64 by = (earlier ? -1 : 1) * (qint64(days) * 86400 + hours * 3600);
        for (int i : {0, 2}) {
            QCOMPARE(f.mtime(i), f.stamps[i] + by);
            QCOMPARE(f.atime(i), f.stamps[i] + by);
        }
        QCOMPARE(f.mtime(1), f.stamps[1]);
        QVERIFY(menuItem(w, "menu_EditUndo")->isEnabled());
    }

    // Undo puts back what the last command wrote, only that, and then has nothing to undo.
    void undo() {
        Files f(2);
        QVERIFY(QFile::setPermissions(f.paths[1], QFile::ReadOwner));
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime(), false));
        listPaths(w, f.paths);
        QVERIFY(!menuItem(w, "menu_EditUndo")->isEnabled()); // nothing kept yet
        w.menu_Edit_Click();
        QVERIFY(menuItem(w, "menu_EditShift")->isEnabled());
        setTick(w, 0, false);
        setTick(w, 1, false);
        w.menu_Edit_Click();
        QVERIFY(!menuItem(w, "menu_EditShift")->isEnabled()); // nothing ticked to shift
        QVERIFY(!menuItem(w, "menu_EditPhotos")->isEnabled());
        setTick(w, 0, true);
        setTick(w, 1, true);
        w.row(Accessed).check->setCheckState(Qt::Unchecked);
        setRowTexts(w, Modified, {"1", "6", "2024", "12", "0", "0"});
        auto report = onNextFlashMessage(clickButton(0)); // the read-only file is named
        button(w, "com_UptateTimestamp")->click();
        QVERIFY(report->shown);
        QCOMPARE(f.mtime(0), utcSeconds(2024, 6, 1, 12));
        QVERIFY(menuItem(w, "menu_EditUndo")->isEnabled());

        auto none = onNextFlashMessage(clickButton(0), 300);
        menuItem(w, "menu_EditUndo")->trigger();
        QVERIFY(!none->shown); // everything written was put back
        QCOMPARE(f.mtime(0), f.stamps[0]);
        QCOMPARE(f.mtime(1), f.stamps[1]);
        QVERIFY(!menuItem(w, "menu_EditUndo")->isEnabled());
        QCOMPARE(caption(w, "lab_OModfiedValue"), QStringLiteral(" 1/03/2020, 10:00:00am"));
    }

    // A photo takes the date it was taken; a file without one is named and left alone.
    void datesFromPhotos() {
        QTemporaryDir dir;
        const QString dated =
            makePhoto(dir, QStringLiteral("dated.jpg"), "JPG", "2019:07:14 09:30:05", "");
        const QString undated = makePhoto(dir, QStringLiteral("undated.jpg"), "JPG", "", "");
        const qint64 before = utcSeconds(2001, 2, 3);
        for (const QString& p : {dated, undated})
            QVERIFY(setStamps(p, before, before));
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime(), false));
        listPaths(w, {dated, undated});
        auto report = onNextFlashMessage(clickButton(0));
        menuItem(w, "menu_EditPhotos")->trigger();
        QVERIFY(report->shown);
        QCOMPARE(report->title, QStringLiteral("Chronodex - Not written"));
        QVERIFY(
            report->message.contains(QStringLiteral("undated.jpg: no date taken in this file.")));
        QCOMPARE(modifiedSeconds(dated), utcSeconds(2019, 7, 14, 9, 30, 5));
        QCOMPARE(modifiedSeconds(undated), before);
        QCOMPARE(caption(w, "lab_OModfiedValue"), QStringLiteral(" 14/07/2019, 9:30:05am"));
    }
};

QTEST_MAIN(tst_Extras)
#include "tst_extras.moc"
