// The shift dialog, driven from the keyboard alone.
#include "dialogdriver.h"
#include "frm_ShiftDates.h"

#include <QCheckBox>
#include <QComboBox>

using namespace chronodex;

Q_DECLARE_METATYPE(chronodex::ShiftAmount)

constexpr int StillOpen = -1;

class tst_ShiftDialog : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(); }

    // Keys as QKeySequence names, blank-separated, each sent to the control that has the
    // focus when it comes; the preview after the first entry's "Modified: 3/03/2024,
    // 2:05:09pm  ->  " (empty: not checked).
    void keyboard_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("result");
        QTest::addColumn<ShiftAmount>("amount");
        QTest::addColumn<bool>("accessed");
        QTest::addColumn<QString>("preview");
        const auto row = [](const char* keys, int result, ShiftAmount amount, bool accessed,
                            const QString& preview = {}) {
            QTest::newRow(keys) << QString(keys) << result << amount << accessed << preview;
        };
        row("Down Tab 4 0 0 Return", QDialog::Accepted, {-400, 0, 0, 0}, true,
            QStringLiteral("28/01/2023, 2:05:09pm\n"
                           "Accessed: 1/01/2024, 12:00:00am  \u2192  27/11/2022, 12:00:00am"));
        row("Alt+H 1 Alt+I 9 Alt+S 3 0 Tab Tab Space Alt+O", QDialog::Accepted, {0, 1, 9, 30},
            false, QStringLiteral("3/03/2024, 3:14:39pm"));
        row("Alt+D 5 Esc", QDialog::Rejected, {5, 0, 0, 0}, true);
        row("Return", StillOpen, {}, true); // no amount: Return does nothing
    }
    void keyboard() {
        QFETCH(QString, keys);
        QFETCH(int, result);
        QFETCH(ShiftAmount, amount);
        QFETCH(bool, accessed);
        QFETCH(QString, preview);
        // Where the system cannot set a creation date, its box is off, disabled and says why;
        // where it can (Windows) it starts ticked, and is unticked here.
        frm_ShiftDates dlg;
        const bool settable = platform::canSetCreationTime();
        const QCheckBox* created = dlg.chk_Kind[Created];
        QCOMPARE(QList({created->isEnabled(), created->toolTip().isEmpty(), dlg.kinds()[Created]}),
                 QList({settable, settable, settable}));
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
        if (!preview.isEmpty())
            QCOMPARE(dlg.previewText(),
                     QStringLiteral("12 ticked entries; the first one:\nModified: "
                                    "3/03/2024, 2:05:09pm  \u2192  ") +
                         preview);
        QCOMPARE(dlg.com_OK->isEnabled(), dlg.seconds() != 0);
    }
};

QTEST_MAIN(tst_ShiftDialog)
#include "tst_shiftdialog.moc"
