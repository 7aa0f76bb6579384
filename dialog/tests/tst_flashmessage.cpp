// The message dialog really shown on the offscreen platform, answered by scheduled clicks
// and keys or by its own timer; its text functions and its sound.
#include "frm_FlashMessage.h"
#include "icons.h"
#include "playwav.h"
#include "textfunctions.h"

#include "dialogdriver.h"

using namespace chronodex;
using namespace chronodex::testing;

namespace {

struct Answer {
    const char *name, *buttonText, *act; // act: the index of the button to click, or a key
    int result;
    const char *buttons, *focused; // the four labels, hidden ones empty; the focused one
};

} // namespace

Q_DECLARE_METATYPE(Answer)

class tst_FlashMessage : public QObject {
    Q_OBJECT

    QMainWindow owner;

    int widest(const QString& text, int fontSize = 10) {
        frm_FlashMessage d(&owner);
        d.prepare({.TheMessage = text, .FontSize = fontSize});
        return d.widestLine();
    }

  private slots:
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(&owner); }
    void initTestCase() {
        owner.setWindowIcon(chronodexIcon());
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
    }

    // The first visible button from the left has the focus; Escape does nothing. (The
    // window tests click the buttons of their questions and let the timer run out.)
    void answers_data() {
        QTest::addColumn<Answer>("row");
        for (const Answer& row : std::initializer_list<Answer>{
                 {"Enter", "&No|&Yes", "Return", 1, "&No|&Yes||", "&Yes"},
                 {"Escape, then the first button", "", "Escape", 0, "&OK|||", "&OK"},
                 {"gap in the middle", "One||Three", "0", 0, "One||Three|", "Three"},
                 {"six labels, four used", "1|2|3|4|5|6", "3", 3, "1|2|3|4", "4"},
                 {"blank gives OK", "   ", "0", 0, "&OK|||", "&OK"},
             })
            QTest::newRow(row.name) << row;
    }
    void answers() {
        QFETCH(Answer, row);
        const QString act = row.act;
        auto seen = onNextFlashMessage([act](frm_FlashMessage* d) {
            QTest::keyClick(d, act == "Return" ? Qt::Key_Return : Qt::Key_Escape);
            if (d->isVisible()) d->button(act.toInt())->click();
        });
        QCOMPARE(FlashMessage(&owner, {.Timer = 0, .ButtonText = row.buttonText}), row.result);
        QCOMPARE(seen->buttons.join('|'), QString(row.buttons));
        QCOMPARE(seen->focused, QString(row.focused));
    }

    void layout() {
        frm_FlashMessage d(&owner);
        d.prepare({.TheMessage = QStringLiteral("Short."),
                   .TheTitle = QStringLiteral("#AppName# - #AppName# - #appname#")});
        QCOMPARE(d.windowTitle(), QStringLiteral("Chronodex - Chronodex - #appname#"));
        QCOMPARE(d.widestLine(), 1500);
        QCOMPARE(d.clientWidthTwips(), 1564);
        QCOMPARE(d.buttonLeftTwips(0), 581);
        QCOMPARE(d.buttonLeftTwips(1), 581 - 919);
        QCOMPARE(d.buttonTopTwips(), d.lastLineBottom() + 64);
        QCOMPARE(d.clientHeightTwips(), d.lastLineBottom() + 64 + 375 + 128);
        // Lines: an empty line in the middle takes a line; a final CR LF adds none.
        const auto bottom = [&](const QString& text) {
            d.prepare({.TheMessage = text});
            return d.lastLineBottom();
        };
        const int line = bottom(QStringLiteral("a")) - 120;
        QVERIFY(qAbs(bottom(QStringLiteral("a\r\nb\r\n")) - (120 + 2 * line)) <= 1);
        QVERIFY(qAbs(bottom(QStringLiteral("a\r\n\r\nb")) - (120 + 3 * line)) <= 1);
        QCOMPARE(bottom(QString()), 0);
        QCOMPARE(d.windowTitle(), QStringLiteral("Chronodex - Warning:"));
    }

    // A line is laid out for its text, 64 twips per point of the font size for each tab
    // (formed in 16 bits), and no less than where the tab stops put its end.
    void tabs() {
        QCOMPARE(lineWidthTwips(1000, 2, 10), 720 + 1000 + 1280.0);
        QCOMPARE(lineWidthTwips(0, 52, 10), 720 + 33280 - 65536.0);
        const QString text = QStringLiteral("A line long enough to pass the least width.");
        QVERIFY(widest(text) > 1500);
        QVERIFY(widest("\t\t" + text) >= widest(text) + 1280 - 1);
        // With size 0 (the dialog's own font) there is no allowance: the stops alone decide.
        // The first tab moves the text to the first stop, also after a run shorter than one.
        const int stop = widest("\t" + text, 0) - widest(text, 0);
        QVERIFY(stop > 0);
        QVERIFY(qAbs(widest("ab\t" + text, 0) - (widest(text, 0) + stop)) <= 1);
        QVERIFY(qAbs(widest("\t\t" + text, 0) - (widest(text, 0) + 2 * stop)) <= 2);
    }

    void icons_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("picture"); // -2 the owner's icon, -1 none, else MessagePicture
        QTest::newRow("0 program icon") << 0 << -2;
        QTest::newRow("2 information") << 2 << int(MessagePicture::Information);
        QTest::newRow("15 warning copy") << 15 << int(MessagePicture::Warning);
        QTest::newRow("-1 none") << -1 << -1;
        QTest::newRow("16 none") << 16 << -1;
    }
    void icons() {
        QFETCH(int, number);
        QFETCH(int, picture);
        frm_FlashMessage d(&owner);
        d.prepare({.IconNumber = number});
        const int size = d.iconImage()->pixmap().width();
        const QPixmap expected = picture == -1   ? QPixmap()
                                 : picture == -2 ? owner.windowIcon().pixmap(size, size)
                                                 : messagePicture(MessagePicture(picture), size);
        QCOMPARE(d.iconImage()->pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
                 expected.toImage().convertToFormat(QImage::Format_ARGB32));
        QCOMPARE(d.windowIcon().isNull(), picture == -1);
    }

    // Text drawn before the dialog is shown is there when it is shown: red in the top line.
    void drawnTextIsVisible() {
        frm_FlashMessage d(&owner);
        d.prepare({.TheMessage = "WWWW", .Timer = 0, .IconNumber = -1, .FontColour = 0x0000FF});
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QVERIFY(!d.grab(QRect(0, 0, d.width(), 20)).toImage().allGray());
    }

    // Each row: the text, what to find, its replacement, whether case matters, the result,
    // and how often CountStrInStr finds it (with AnyCase the opposite of matchCase).
    void swapAndCount_data() {
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<int>("count");
        QTest::newRow("any case") << QStringList{"aXbxc", "x", "-", "", "a-b-c"} << 2;
        QTest::newRow("exact case") << QStringList{"aXbxc", "x", "-", "1", "aXb-c"} << 1;
        QTest::newRow("empty find") << QStringList{"abc", "", "-", "1", "abc"} << 0;
        QTest::newRow("no overlap") << QStringList{"aaa", "aa", "b", "1", "ba"} << 1;
        QTest::newRow("deleted") << QStringList{"a|b|c", "|", "", "1", "abc"} << 2;
        QTest::newRow("inserted text not searched")
            << QStringList{"ab", "a", "aa", "1", "aab"} << 1;
        QTest::newRow("keeps case of the rest") << QStringList{"ABcAb", "ab", "x", "", "xcx"} << 2;
    }
    void swapAndCount() {
        QFETCH(QStringList, row);
        QFETCH(int, count);
        const bool matchCase = !row[3].isEmpty();
        QCOMPARE(swapString(row[0], row[1], row[2], matchCase), row[4]);
        QCOMPARE(int(CountStrInStr(row[0], row[1], !matchCase)), count);
    }

    // Only .wav and .dat files (and none, for the default sound) are handed on; with
    // ShowError a refusal is reported in the standard message box.
    void playWav_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("played");
        QTest::newRow("wav") << "C:\\WINDOWS\\Media\\Windows Error.wav" << true;
        QTest::newRow("dat") << "beep.dat" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("mp3") << "song.mp3" << false;
        QTest::newRow("three characters") << "wav" << false;
    }
    void playWav() {
        QFETCH(QString, file);
        QFETCH(bool, played);
        platform::SoundPlayer player;
        QCOMPARE(PlayWAV(player, file, false, false), played);
        if (played) return;
        auto box = closeNextMessageBox();
        QCOMPARE(PlayWAV(player, file, false, true), false);
        QCOMPARE(box->title, QStringLiteral("Chronodex - Sound file error."));
        QCOMPARE(box->text, "Can't play this wave file, wrong .wav extent passed to function.\r"
                            "PlayWAV(\"" +
                                file + "\", ...");
    }
};

QTEST_MAIN(tst_FlashMessage)
#include "tst_flashmessage.moc"
