// The shift dialog, driven from the keyboard alone.
#include "dialogdriver.h"
#include "frm_ShiftDates.h"

#include "platform/files.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace chronodex;

Q_DECLARE_METATYPE(chronodex::ShiftAmount)

namespace {

constexpr int StillOpen = -1;

} // namespace

class tst_ShiftDialog : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(); }

    // Keys as QKeySequence names, blank-separated, each sent to the control that has the
    // focus when it comes.
    void keyboard_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("result");
        QTest::addColumn<ShiftAmount>("amount");
        QTest::addColumn<bool>("accessed");
        QTest::addColumn<QString>("preview");
        QTest::newRow("400 days earlier, Return")
            << "Down Tab 4 0 0 Return" << int(QDialog::Accepted) << ShiftAmount{-400, 0, 0, 0}
            << true
            << QStringLiteral("12 ticked entries; the first one:\n"
                              "Modified: 3/03/2024, 2:05:09pm  \u2192  28/01/2023, 2:05:09pm\n"
                              "Accessed: 1/01/2024, 12:00:00am  \u2192  27/11/2022, 12:00:00am");
        QTest::newRow("1 hour 30 seconds later, modified only")
            << "Alt+H 1 Alt+S 3 0 Tab Tab Space Enter" << int(QDialog::Accepted)
            << ShiftAmount{0, 1, 0, 30} << false
            << QStringLiteral("12 ticked entries; the first one:\n"
                              "Modified: 3/03/2024, 2:05:09pm  \u2192  3/03/2024, 3:05:39pm");
        QTest::newRow("Alt+O takes it") << "Alt+I 9 Alt+O" << int(QDialog::Accepted)
                                        << ShiftAmount{0, 0, 9, 0} << true << QString();
        QTest::newRow("Escape cancels") << "Alt+D 5 Esc" << int(QDialog::Rejected)
                                        << ShiftAmount{5, 0, 0, 0} << true << QString();
        QTest::newRow("no amount: Return does nothing")
            << "Return" << StillOpen << ShiftAmount{} << true << QString();
    }
    void keyboard() {
        QFETCH(QString, keys);
        QFETCH(int, result);
        QFETCH(ShiftAmount, amount);
        QFETCH(bool, accessed);
        QFETCH(QString, preview);
        // Where the creation date can be set (Windows) its box starts ticked; here it is
        // unticked, as it is where it cannot be set.
        frm_ShiftDates dlg;
        dlg.chk_Kind[Created]->setChecked(false);
        dlg.setPreview(
            {std::nullopt, DateTime{2024, 3, 3, 14, 5, 9}, DateTime{2024, 1, 1, 0, 0, 0}}, 12);
        int finished = StillOpen;
        connect(&dlg, &QDialog::finished, [&](int r) { finished = r; });
        dlg.open();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QCOMPARE(QApplication::focusWidget(), dlg.cbo_Direction);
        for (const QString& name : keys.split(QLatin1Char(' '))) {
            const QKeyCombination key = QKeySequence::fromString(name)[0];
            QVERIFY2(key.key() != Qt::Key_unknown, qPrintable(name));
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        }
        QTRY_COMPARE(finished, result); // a mnemonic clicks its button a moment later
        QCOMPARE(dlg.isVisible(), result == StillOpen);
        QCOMPARE(dlg.amount(), amount);
        QCOMPARE(dlg.kinds(), (std::array<bool, 3>{false, true, accessed}));
        if (!preview.isEmpty()) QCOMPARE(dlg.previewText(), preview);
        QCOMPARE(dlg.com_OK->isEnabled(), dlg.seconds() != 0);
    }

    // Where the system cannot set a creation date, its box is off, disabled and says why.
    void createdOnlyWhereSettable() {
        frm_ShiftDates dlg;
        QCheckBox* created = dlg.chk_Kind[Created];
        QCOMPARE(created->isEnabled(), platform::canSetCreationTime());
        QCOMPARE(created->toolTip().isEmpty(), platform::canSetCreationTime());
        QCOMPARE(dlg.kinds()[Created], platform::canSetCreationTime());
    }
};

QTEST_MAIN(tst_ShiftDialog)
#include "tst_shiftdialog.moc"
