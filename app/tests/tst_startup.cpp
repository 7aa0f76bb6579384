// The window as it stands after start-up, at a pinned clock.
#include "dialogdriver.h"
#include "frm_MainWindow.h"
#include "listmodel.h"
#include "twips.h"
#include "windowprobe.h"

#include "platform/files.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace chronodex;
using namespace chronodex::testing;

namespace {

MainWindowOptions pinned(const QDateTime& now) {
    MainWindowOptions o = defaultMainWindowOptions();
    o.clock = [now] { return now; };
    o.creationWritable = true;
    return o;
}

} // namespace

class tst_Startup : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(); }
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void titleAndList() {
        frm_MainWindow w(pinned(QDateTime(QDate(2026, 3, 3), QTime(9, 5, 7))));
        QCOMPARE(w.windowTitle(), QStringLiteral("Chronodex - version 0.00.0003"));
        QCOMPARE(entryCount(w), 1);
        QCOMPARE(entryNames(w).value(0),
                 QStringLiteral("Drag files here to show and set the date"));
        QCOMPARE(w.PathCount(), -1);
        QVERIFY(!w.findChild<QMenu*>(QStringLiteral("menu_EditSortList"))->isEnabled());
        QCOMPARE(w.findChild<QPlainTextEdit*>(QStringLiteral("txt_FilePathValue"))->toPlainText(),
                 QStringLiteral(" - Drag files here to show and set the date - "));
        for (const char* name :
             {"lab_OSizeValue", "lab_OCreatedValue", "lab_OModfiedValue", "lab_OAccessedValue"}) {
            auto* l = w.findChild<QLabel*>(QLatin1String(name));
            QCOMPARE(l->text(), QStringLiteral(" N/A "));
            QVERIFY(!l->isEnabled());
        }
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("labTotalFiles"))->text(),
                 QStringLiteral("0 "));
    }

    // Shown and focused, as on a desktop: the list's focus does not pick the hint entry, so
    // the title keeps the version and the ticked counts stay as laid out until a drop.
    void shownAndFocused() {
        frm_MainWindow w(pinned(QDateTime(QDate(2026, 3, 3), QTime(9, 5, 7))));
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.fileList()->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(w.fileList()->hasFocus());
        QCoreApplication::processEvents();
        QCOMPARE(w.windowTitle(), QStringLiteral("Chronodex - version 0.00.0003"));
        QCOMPARE(currentEntry(w), -1);
        for (const char* name : {"labTickedFiles", "labTickedSysFiles", "labTickedDirectories"}) {
            auto* l = w.findChild<QLabel*>(QLatin1String(name));
            QCOMPARE(l->text(), QStringLiteral("0 "));
            QVERIFY(!l->isEnabled());
        }
    }

    // The help document is looked for in the program folder, given in the system's own
    // form: its last part is the folder's name when split at the system's separator.
    void programFolder() {
        const QString folder = defaultMainWindowOptions().programFolder;
        QCOMPARE(SplitPath(folder, true, QLatin1Char(platform::pathSeparator)),
                 QFileInfo(QCoreApplication::applicationDirPath()).fileName());
    }

    void comboLists_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("text");
        QTest::newRow("day") << "day" << 31 << " 1"
                             << " 31"
                             << "3";
        QTest::newRow("month") << "month" << 12 << " 1"
                               << " 12"
                               << "3";
        QTest::newRow("year") << "year" << 61 << " 1976"
                              << " 2036"
                              << "2026";
        QTest::newRow("hour") << "hour" << 24 << " 0"
                              << " 23"
                              << "9";
        QTest::newRow("minute") << "minute" << 60 << " 0"
                                << " 59"
                                << "5";
        QTest::newRow("second") << "second" << 60 << " 0"
                                << " 59"
                                << "7";
    }
    void comboLists() {
        QFETCH(QString, field);
        QFETCH(int, entries);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, text);
        // 3 March 2026 at 09:05:07 (a 31-day list even in a 30-day month is checked below).
        frm_MainWindow w(pinned(QDateTime(QDate(2026, 3, 3), QTime(9, 5, 7))));
        for (const char* row : {"C", "M", "A"}) {
            auto* box = w.findChild<QComboBox*>(QStringLiteral("com_%1_%2").arg(row, field));
            QVERIFY(box);
            QCOMPARE(box->count(), entries);
            QCOMPARE(box->itemText(0), first);
            QCOMPARE(box->itemText(entries - 1), last);
            QCOMPARE(box->currentText(), text);
            QCOMPARE(box->currentIndex(), -1);
            QVERIFY(box->isEditable());
        }
    }

    void dayListIgnoresMonthLength() {
        frm_MainWindow w(pinned(QDateTime(QDate(2026, 4, 30), QTime(23, 59, 59))));
        auto* day = w.findChild<QComboBox*>(QStringLiteral("com_M_day"));
        QCOMPARE(day->count(), 31);
        QCOMPARE(day->currentText(), QStringLiteral("30"));
    }

    void rowsAndButtons() {
        frm_MainWindow w(pinned(QDateTime(QDate(2026, 1, 1), QTime(0, 0, 0))));
        for (StampKind k : AllStampKinds) {
            QCOMPARE(w.row(k).check->checkState(), Qt::Unchecked);
            for (QComboBox* box : w.row(k).fields)
                QVERIFY(!box->isEnabled());
            for (QLabel* sep : w.row(k).separators)
                QVERIFY(!sep->isEnabled());
            QVERIFY(w.row(k).caption->isEnabled());
        }
        for (const char* name : {"com_NowTime", "com_ResetTime", "com_UptateTimestamp"})
            QVERIFY(!w.findChild<QPushButton*>(QLatin1String(name))->isEnabled());

        // A program change of a row's tick runs its handler as a click would.
        w.row(Modified).check->setCheckState(Qt::Checked);
        for (QComboBox* box : w.row(Modified).fields)
            QVERIFY(box->isEnabled());
        QVERIFY(w.findChild<QPushButton*>(QStringLiteral("com_NowTime"))->isEnabled());
        QVERIFY(w.findChild<QPushButton*>(QStringLiteral("com_ResetTime"))->isEnabled());
        // No list entry is ticked, so there is nothing to update.
        QVERIFY(!w.findChild<QPushButton*>(QStringLiteral("com_UptateTimestamp"))->isEnabled());
        w.row(Modified).check->setCheckState(Qt::Unchecked);
        QVERIFY(!w.findChild<QPushButton*>(QStringLiteral("com_NowTime"))->isEnabled());
    }

    void geometry() {
        frm_MainWindow w(pinned(QDateTime::currentDateTime()));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* frame = w.findChild<QGroupBox*>(QStringLiteral("fra_NewValues"));
        QVERIFY(!frame->isVisible());
        QCOMPARE(w.centralWidget()->width(), twipsToPixelsX(5055, &w));
        // The client area ends where the hidden frame begins.
        QCOMPARE(w.centralWidget()->height(), twipsToPixelsY(5640, &w));
        QCOMPARE(w.height(), w.menuBar()->height() + w.centralWidget()->height());
        QCOMPARE(w.minimumSize(), w.maximumSize()); // the user cannot resize it
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(w.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!w.windowIcon().isNull());

        auto* test = w.findChild<QPushButton*>(QStringLiteral("com_TEST"));
        QVERIFY(!test->isVisible());
        QCOMPARE(test->focusPolicy(), Qt::NoFocus);
    }

    void menus() {
        frm_MainWindow w(pinned(QDateTime::currentDateTime()));
        const auto items = w.findChildren<QAction*>(QStringLiteral("menu_EditSortUsing"));
        QCOMPARE(items.size(), 4);
        QStringList captions;
        for (QAction* a : w.sortItems()) {
            captions << a->text();
            QVERIFY(!a->isChecked());
        }
        QCOMPARE(captions,
                 QStringList({"A-Z, a-z", "Aa-Zz", "Full path A-Z, a-z", "Full path Aa-Zz"}));
        QCOMPARE(w.findChild<QAction*>(QStringLiteral("menu_HelpAbout"))->text(),
                 QStringLiteral("&About this application"));
        emit w.findChild<QMenu*>(QStringLiteral("menu_Help"))->aboutToShow();
        QCOMPARE(w.findChild<QAction*>(QStringLiteral("menu_HelpAbout"))->text(),
                 QStringLiteral("&About Chronodex"));
    }

    void aboutBox() {
        frm_MainWindow w(pinned(QDateTime::currentDateTime()));
        auto seen = testing::onNextFlashMessage(testing::clickButton(0));
        w.findChild<QAction*>(QStringLiteral("menu_HelpAbout"))->trigger();
        QVERIFY(seen->shown);
        QCOMPARE(seen->title, QStringLiteral("About Chronodex."));
        QCOMPARE(seen->timer, 25000);
        QVERIFY(seen->message.startsWith(QStringLiteral("Chronodex  (Chronodex)\r\n")));
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
