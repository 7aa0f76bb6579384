// The message dialog really shown on the offscreen platform, answered by scheduled clicks
// or by its own timer.
#include "frm_FlashMessage.h"
#include "icons.h"

#include "dialogdriver.h"

#include <QLabel>
#include <QMainWindow>
#include <QtTest>

using namespace chronodex;
using namespace chronodex::testing;

class tst_FlashMessage : public QObject {
    Q_OBJECT

    QMainWindow owner;

  private slots:
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(&owner); }
    void initTestCase() {
        owner.setWindowIcon(chronodexIcon());
        owner.resize(400, 300);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
    }

    void cancelOk_data() {
        QTest::addColumn<int>("click");
        QTest::newRow("right-hand &Cancel") << 0;
        QTest::newRow("left-hand &OK") << 1;
    }
    void cancelOk() {
        QFETCH(int, click);
        auto seen = onNextFlashMessage(clickButton(click));
        const int result = FlashMessage(&owner, {.TheMessage = QStringLiteral("Go on?"),
                                                 .Timer = 0,
                                                 .ButtonText = QStringLiteral("&Cancel|&OK")});
        QCOMPARE(result, click);
        QCOMPARE(seen->buttons, QStringList({"&Cancel", "&OK", "", ""}));
        QCOMPARE(seen->focused, QStringLiteral("&OK")); // the leftmost visible button
    }

    void enterPressesFocusedButton() {
        const auto answered =
            onNextFlashMessage([](frm_FlashMessage* d) { QTest::keyClick(d, Qt::Key_Return); });
        QCOMPARE(FlashMessage(&owner, {.Timer = 0, .ButtonText = QStringLiteral("&No|&Yes")}), 1);
    }

    void escapeDoesNothingAndCloseBoxGivesMinusOne() {
        const auto answered = onNextFlashMessage([](frm_FlashMessage* d) {
            QTest::keyClick(d, Qt::Key_Escape);
            QVERIFY(d->isVisible());
            d->close();
        });
        QCOMPARE(FlashMessage(&owner, {.Timer = 0}), -1);
    }

    void timerClosesWithMinusOne() {
        auto seen = onNextFlashMessage(nullptr);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(FlashMessage(&owner, {.Timer = 60}), -1);
        QVERIFY(seen->shown);
        QVERIFY(clock.elapsed() >= 50);
    }

    void labels_data() {
        QTest::addColumn<QString>("buttonText");
        QTest::addColumn<QStringList>("visible");
        QTest::newRow("gap in the middle") << "One||Three" << QStringList{"One", "", "Three", ""};
        QTest::newRow("six labels, four used") << "1|2|3|4|5|6" << QStringList{"1", "2", "3", "4"};
        QTest::newRow("blank gives OK") << "   " << QStringList{"&OK", "", "", ""};
        QTest::newRow("empty gives OK") << "" << QStringList{"&OK", "", "", ""};
    }
    void labels() {
        QFETCH(QString, buttonText);
        QFETCH(QStringList, visible);
        auto seen = onNextFlashMessage(clickButton(0));
        QCOMPARE(FlashMessage(&owner, {.Timer = 0, .ButtonText = buttonText}), 0);
        QCOMPARE(seen->buttons, visible);
    }

    void layoutNumbers() {
        frm_FlashMessage d(&owner);
        d.prepare({.TheMessage = QStringLiteral("Short.")});
        QCOMPARE(d.widestLine(), 1500);
        QCOMPARE(d.clientWidthTwips(), 1564);
        QCOMPARE(d.buttonLeftTwips(0), 581);
        QCOMPARE(d.buttonLeftTwips(1), 581 - 919);
        QCOMPARE(d.buttonTopTwips(), d.lastLineBottom() + 64);
        QCOMPARE(d.clientHeightTwips(), d.lastLineBottom() + 64 + 375 + 128);

        // Two tabs at 10 points widen the decided width by 2 x 10 x 64 twips; the laid-out
        // width also covers where the tab stops really put the text.
        QCOMPARE(lineWidthTwips(1000, 2, 10), 720 + 1000 + 1280.0);
        QCOMPARE(lineWidthTwips(1000, 0, 10), 1720.0);
        const QString text = QStringLiteral("A line long enough to pass the least width.");
        frm_FlashMessage plain(&owner), tabbed(&owner);
        plain.prepare({.TheMessage = text});
        tabbed.prepare({.TheMessage = QStringLiteral("\t\t") + text});
        QVERIFY(plain.widestLine() > 1500);
        QVERIFY(tabbed.widestLine() >= plain.widestLine() + 1280 - 1);

        // Lines: an empty line in the middle takes a line; a final CR LF adds none.
        frm_FlashMessage one(&owner), two(&owner), three(&owner), none(&owner);
        one.prepare({.TheMessage = QStringLiteral("a")});
        two.prepare({.TheMessage = QStringLiteral("a\r\nb\r\n")});
        three.prepare({.TheMessage = QStringLiteral("a\r\n\r\nb")});
        none.prepare({.TheMessage = QString()});
        const int line = one.lastLineBottom() - 120;
        QVERIFY(qAbs(two.lastLineBottom() - (120 + 2 * line)) <= 1);
        QVERIFY(qAbs(three.lastLineBottom() - (120 + 3 * line)) <= 1);
        QCOMPARE(none.lastLineBottom(), 0);
    }

    void title() {
        frm_FlashMessage d(&owner);
        d.prepare({.TheTitle = QStringLiteral("#AppName# - #AppName# - #appname#")});
        QCOMPARE(d.windowTitle(), QStringLiteral("Chronodex - Chronodex - #appname#"));
        frm_FlashMessage byDefault(&owner);
        byDefault.prepare({});
        QCOMPARE(byDefault.windowTitle(), QStringLiteral("Chronodex - Warning:"));
    }

    void icons_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("picture"); // -2 the window icon, -1 none, else MessagePicture
        QTest::newRow("0 program icon") << 0 << -2;
        QTest::newRow("2 information") << 2 << int(MessagePicture::Information);
        QTest::newRow("7 warning copy") << 7 << int(MessagePicture::Warning);
        QTest::newRow("12 beyond the store") << 12 << int(MessagePicture::Warning);
        QTest::newRow("-1 none") << -1 << -1;
        QTest::newRow("16 none") << 16 << -1;
    }
    void icons() {
        QFETCH(int, number);
        QFETCH(int, picture);
        frm_FlashMessage d(&owner);
        d.prepare({.IconNumber = number});
        const QPixmap shown = d.iconImage()->pixmap();
        if (picture == -1) {
            QVERIFY(shown.isNull());
            QVERIFY(d.windowIcon().isNull());
            return;
        }
        QVERIFY(!d.windowIcon().isNull());
        const int size = shown.width();
        const QPixmap expected = picture == -2
                                     ? owner.windowIcon().pixmap(size, size)
                                     : messagePicture(static_cast<MessagePicture>(picture), size);
        QCOMPARE(shown.toImage().convertToFormat(QImage::Format_ARGB32),
                 expected.toImage().convertToFormat(QImage::Format_ARGB32));
    }

    // Text drawn before the dialog is shown is there when it is shown.
    void drawnTextIsVisible() {
        frm_FlashMessage d(&owner);
        d.prepare({.TheMessage = QStringLiteral("WWWWWWWW"), .Timer = 0, .FontColour = 0x000000FF});
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        const QImage image = d.grab().toImage();
        bool red = false;
        for (int y = 0; y < image.height() && !red; ++y)
            for (int x = 0; x < image.width() && !red; ++x)
                red = image.pixelColor(x, y).red() > 150 && image.pixelColor(x, y).green() < 100;
        QVERIFY(red);
    }
};

QTEST_MAIN(tst_FlashMessage)
#include "tst_flashmessage.moc"
