// The message dialog really shown on the offscreen platform, answered by scheduled keys.
// (The window tests click the buttons of the program's questions, see their labels and
// timers, and let the timers run out.)
#include "frm_FlashMessage.h"
#include "playwav.h"
#include "textfunctions.h"

#include "dialogdriver.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

using namespace chronodex;
using namespace chronodex::testing;

class tst_FlashMessage : public QObject {
    Q_OBJECT

    QMainWindow owner;

  private slots:
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(&owner); }
    void initTestCase() {
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
    }

    // The leftmost button has the focus, so Enter presses it; Escape does nothing. Text drawn
    // before the dialog is shown is there when it is shown: red in the top line.
    void keysAndText() {
        bool drawn = false;
        auto seen = onNextFlashMessage([&drawn](frm_FlashMessage* d) {
            drawn = !d->grab(QRect(0, 0, d->width(), 20)).toImage().allGray();
            QTest::keyClick(d, Qt::Key_Escape);
            QTest::keyClick(d, Qt::Key_Return);
        });
        FlashArgs args{.TheMessage = "WWWW", .IconNumber = -1, .ButtonText = "&No|&Yes"};
        args.FontColour = 0x0000FF; // red
        QCOMPARE(FlashMessage(&owner, args), 1);
        QCOMPARE(seen->focused, QStringLiteral("&Yes"));
        QVERIFY(drawn);
    }

    // The layout in twips: the least width, the buttons right to left under the last line.
    // An empty line in the middle takes a line; a final CR LF adds none. A line is laid out
    // for its text, 64 twips per point of the font size for each tab, and no less than where
    // the tab stops put its end.
    void layout() {
        frm_FlashMessage d(&owner);
        d.prepare({.TheMessage = QStringLiteral("Short."),
                   .TheTitle = QStringLiteral("#AppName# - #AppName# - #appname#")});
        QCOMPARE(d.windowTitle(), QStringLiteral("Chronodex - Chronodex - #appname#"));
        const int last = d.lastLineBottom();
        QCOMPARE(QList<int>({d.widestLine(), d.clientWidthTwips(), d.buttonLeftTwips(0),
                             d.buttonLeftTwips(1), d.buttonTopTwips() - last,
                             d.clientHeightTwips() - last}),
                 QList<int>({1500, 1564, 581, 581 - 919, 64, 64 + 375 + 128}));
        const auto bottom = [&](const QString& text) {
            d.prepare({.TheMessage = text});
            return d.lastLineBottom();
        };
        const int line = bottom(QStringLiteral("a")) - 120;
        QVERIFY(qAbs(bottom(QStringLiteral("a\r\nb\r\n")) - (120 + 2 * line)) <= 1);
        QVERIFY(qAbs(bottom(QStringLiteral("a\r\n\r\nb")) - (120 + 3 * line)) <= 1);
        const auto widest = [&](const QString& text, int fontSize = 10) {
            d.prepare({.TheMessage = text, .FontSize = fontSize});
            return d.widestLine();
        };
        const QString text = QStringLiteral("A line long enough to pass the least width.");
        QVERIFY(widest(text) > 1500);
        QVERIFY(widest("\t\t" + text) >= widest(text) + 1280 - 1);
        // With size 0 (the dialog's own font) there is no allowance: the stops alone decide.
        // The first tab moves the text to the first stop, also after a run shorter than one.
        const int stop = widest("\t" + text, 0) - widest(text, 0);
        QVERIFY(stop > 0);
        QVERIFY(qAbs(widest("ab\t" + text, 0) - (widest(text, 0) + stop)) <= 1);
    }

    // PlayWAV plays the program's own warning sound, and says nothing on the terminal even
    // without a sound card; a name without the .wav extent is refused, and with ShowError the
    // refusal is said first.
    void playWav() {
        QTemporaryFile said;
        const int terminal = dup(2);
        QVERIFY(said.open() && dup2(said.handle(), 2) >= 0); // 2 here, 0 on Windows
        {
            platform::SoundPlayer player; // stops its sound when it goes
            QVERIFY(PlayWAV(player, "C:\\WINDOWS\\Media\\Windows Error.wav", false, false));
            (void)QTest::qWaitFor([&] { return said.size() > 0; }, 1500); // its time to fail
        }
        dup2(terminal, 2), close(terminal);
        QFile stderrText(said.fileName());
        QCOMPARE(stderrText.open(QIODevice::ReadOnly) ? stderrText.readAll() : "?", "");
        platform::SoundPlayer player;
        QVERIFY(!PlayWAV(player, "song.mp3", false, false));
        auto box = closeNextMessageBox();
        QVERIFY(!PlayWAV(player, "song.mp3", false, true));
        QCOMPARE(QStringList({box->title, box->text}),
                 QStringList({"Chronodex - Sound file error.",
                              "Can't play this wave file, wrong .wav extent passed to function.\r"
                              "PlayWAV(\"song.mp3\", ..."}));
    }

    // swapString replaces every match, left to right, never inside what it put in;
    // CountStrInStr counts the matches that do not overlap.
    void swapAndCount_data() {
        QTest::addColumn<QStringList>("row"); // source, find, with, exact case, result, count
        const auto row = [](const char* name, const QStringList& r) { QTest::newRow(name) << r; };
        row("any case", {"aXbxc", "x", "-", "0", "a-b-c", "2"});
        row("exact case", {"aXbxc", "x", "-", "1", "aXb-c", "1"});
        row("empty find", {"abc", "", "-", "1", "abc", "0"});
        row("no overlap", {"aaa", "aa", "b", "1", "ba", "1"});
        row("inserted text not searched", {"ab", "a", "aa", "1", "aab", "1"});
        row("keeps case of the rest", {"ABcAb", "ab", "x", "0", "xcx", "2"});
    }
    void swapAndCount() {
        QFETCH(QStringList, row);
        const bool exact = row[3] == QLatin1String("1");
        QCOMPARE(swapString(row[0], row[1], row[2], exact), row[4]);
        QCOMPARE(int(CountStrInStr(row[0], row[1], !exact)), row[5].toInt());
    }
};

QTEST_MAIN(tst_FlashMessage)
#include "tst_flashmessage.moc"
