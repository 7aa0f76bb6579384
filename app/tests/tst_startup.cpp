// The window as it stands after start-up, at a pinned clock.
#include "dialogdriver.h"
#include "frm_MainWindow.h"
#include "listmodel.h"
#include "twips.h"
#include "windowprobe.h"

#include "platform/files.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

using namespace chronodex;
using namespace chronodex::testing;

class tst_Startup : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(); }
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void titleAndList() {
        frm_MainWindow w(pinnedOptions());
        QCOMPARE(w.windowTitle(), QStringLiteral("Chronodex - version 0.00.0003"));
        QCOMPARE(entryNames(w), QStringList({"Drag files here to show and set the date"}));
        QCOMPARE(w.PathCount(), -1);
        QVERIFY(!child<QMenu>(w, "menu_EditSortList")->isEnabled());
        QCOMPARE(panel(w)[1], QStringLiteral(" - Drag files here to show and set the date - "));
        QCOMPARE(panel(w).mid(4), QStringList(4, QStringLiteral("~ N/A ")));
        QCOMPARE(caption(w, "labTotalFiles"), QStringLiteral("0 "));
    }

    // Shown and focused, as on a desktop: the list's focus does not pick the hint entry, so
    // the title keeps the version and the ticked counts stay as laid out until a drop.
    void shownAndFocused() {
        frm_MainWindow w(pinnedOptions());
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.fileList()->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(w.fileList()->hasFocus());
        QCoreApplication::processEvents();
        QCOMPARE(w.windowTitle(), QStringLiteral("Chronodex - version 0.00.0003"));
        QCOMPARE(currentEntry(w), -1);
        for (const char* name : {"labTickedFiles", "labTickedSysFiles", "labTickedDirectories"}) {
            QCOMPARE(caption(w, name), QStringLiteral("0 "));
            QVERIFY(!label(w, name)->isEnabled());
        }
    }

    // The help document is looked for in the program folder, given in the system's own
    // form: its last part is the folder's name when split at the system's separator.
    void programFolder() {
        const QString folder = defaultMainWindowOptions().programFolder;
        QCOMPARE(SplitPath(folder, true, QLatin1Char(platform::pathSeparator)),
                 QFileInfo(QCoreApplication::applicationDirPath()).fileName());
    }

    // Each field's list, in every row, with the clock's value as its text (30 April: the
    // day list still runs to 31).
    void comboLists() {
        frm_MainWindow w(pinnedOptions(QDateTime(QDate(2026, 4, 30), QTime(9, 5, 7))));
        const struct {
            const char* field;
            int entries;
            const char *first, *last, *text;
        } lists[] = {{"day", 31, " 1", " 31", "30"},         {"month", 12, " 1", " 12", "4"},
                     {"year", 61, " 1976", " 2036", "2026"}, {"hour", 24, " 0", " 23", "9"},
                     {"minute", 60, " 0", " 59", "5"},       {"second", 60, " 0", " 59", "7"}};
        for (int f = 0; f < FieldCount; ++f) {
            const auto& l = lists[f];
            for (StampKind kind : AllStampKinds) {
                const QComboBox* box = w.row(kind).fields[f];
                QCOMPARE(box->objectName(),
                         QStringLiteral("com_%1_%2").arg(stampLetter(kind), l.field));
                QCOMPARE(box->count(), l.entries);
                QCOMPARE(box->itemText(0), QLatin1String(l.first));
                QCOMPARE(box->itemText(l.entries - 1), QLatin1String(l.last));
                QCOMPARE(box->currentText(), QLatin1String(l.text));
                QCOMPARE(box->currentIndex(), -1);
                QVERIFY(box->isEditable());
            }
        }
    }

    // The rows start closed; a program change of a row's tick runs its handler as a click
    // would. With no list entry ticked there is nothing to update.
    void rowsAndButtons() {
        frm_MainWindow w(pinnedOptions());
        const auto enabled = [&w](StampKind k) {
            QList<bool> out{w.row(k).caption->isEnabled()};
            for (QComboBox* box : w.row(k).fields)
                out << box->isEnabled();
            for (QLabel* sep : w.row(k).separators)
                out << sep->isEnabled();
            return out;
        };
        const auto buttons = [&w] {
            QList<bool> out;
            for (const char* name : {"com_NowTime", "com_ResetTime", "com_UptateTimestamp"})
                out << button(w, name)->isEnabled();
            return out;
        };
        for (StampKind k : AllStampKinds) {
            QCOMPARE(w.row(k).check->checkState(), Qt::Unchecked);
            QCOMPARE(enabled(k), QList<bool>({true}) + QList<bool>(6 + 5, false));
        }
        QCOMPARE(buttons(), QList<bool>({false, false, false}));
        w.row(Modified).check->setCheckState(Qt::Checked);
        QCOMPARE(enabled(Modified), QList<bool>(1 + 6 + 5, true));
        QCOMPARE(buttons(), QList<bool>({true, true, false}));
        w.row(Modified).check->setCheckState(Qt::Unchecked);
        QCOMPARE(buttons(), QList<bool>({false, false, false}));
    }

    void geometry() {
        frm_MainWindow w(pinnedOptions());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(!newValuesShown(w));
        QCOMPARE(w.centralWidget()->width(), twipsToPixelsX(5055, &w));
        // The client area ends where the hidden frame begins.
        QCOMPARE(w.centralWidget()->height(), twipsToPixelsY(5640, &w));
        QCOMPARE(w.height(), w.menuBar()->height() + w.centralWidget()->height());
        QCOMPARE(w.minimumSize(), w.maximumSize()); // the user cannot resize it
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(w.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!w.windowIcon().isNull());
        QVERIFY(!button(w, "com_TEST")->isVisible());
        QCOMPARE(button(w, "com_TEST")->focusPolicy(), Qt::NoFocus);
    }

    void menus() {
        frm_MainWindow w(pinnedOptions());
        QCOMPARE(w.findChildren<QAction*>(QStringLiteral("menu_EditSortUsing")).size(), 4);
        QStringList captions;
        for (QAction* a : w.sortItems()) {
            captions << a->text();
            QVERIFY(!a->isChecked());
        }
        QCOMPARE(captions,
                 QStringList({"A-Z, a-z", "Aa-Zz", "Full path A-Z, a-z", "Full path Aa-Zz"}));
        QCOMPARE(menuItem(w, "menu_HelpAbout")->text(), QStringLiteral("&About this application"));
        emit child<QMenu>(w, "menu_Help")->aboutToShow();
        QCOMPARE(menuItem(w, "menu_HelpAbout")->text(), QStringLiteral("&About Chronodex"));
        auto seen = onNextFlashMessage(clickButton(0));
        menuItem(w, "menu_HelpAbout")->trigger();
        QVERIFY(seen->shown);
        QCOMPARE(seen->title, QStringLiteral("About Chronodex."));
        QCOMPARE(seen->timer, 25000);
        QVERIFY(seen->message.startsWith(QStringLiteral("Chronodex  (Chronodex)\r\n")));
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
