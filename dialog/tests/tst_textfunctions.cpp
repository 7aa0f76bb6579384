#include "playwav.h"
#include "textfunctions.h"

#include "dialogdriver.h"

#include <QtTest>

using namespace chronodex;

class tst_TextFunctions : public QObject {
    Q_OBJECT

  private slots:
    void swap_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("with");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<QString>("result");
        QTest::newRow("any case") << "aXbxc"
                                  << "x"
                                  << "-" << false << "a-b-c";
        QTest::newRow("exact case") << "aXbxc"
                                    << "x"
                                    << "-" << true << "aXb-c";
        QTest::newRow("empty find") << "abc"
                                    << ""
                                    << "-" << true << "abc";
        QTest::newRow("no overlap") << "aaa"
                                    << "aa"
                                    << "b" << true << "ba";
        QTest::newRow("deleted") << "a|b|c"
                                 << "|"
                                 << "" << true << "abc";
        QTest::newRow("inserted text not searched") << "ab"
                                                    << "a"
                                                    << "aa" << true << "aab";
        QTest::newRow("keeps case of the rest") << "ABcAb"
                                                << "ab"
                                                << "x" << false << "xcx";
        QTest::newRow("placeholder twice") << "#AppName# and #AppName#"
                                           << "#AppName#"
                                           << "Chronodex" << true << "Chronodex and Chronodex";
        QTest::newRow("placeholder other case") << "#appname#"
                                                << "#AppName#"
                                                << "Chronodex" << true << "#appname#";
        QTest::newRow("empty source") << ""
                                      << "x"
                                      << "y" << true << "";
    }
    void swap() {
        QFETCH(QString, source);
        QFETCH(QString, find);
        QFETCH(QString, with);
        QFETCH(bool, matchCase);
        QFETCH(QString, result);
        QCOMPARE(swapString(source, find, with, matchCase), result);
    }

    void count_data() {
        QTest::addColumn<QString>("whole");
        QTest::addColumn<QString>("find");
        QTest::addColumn<bool>("anyCase");
        QTest::addColumn<int>("count");
        QTest::newRow("two tabs") << "a\tb\tc"
                                  << "\t" << false << 2;
        QTest::newRow("empty find") << "abc"
                                    << "" << false << 0;
        QTest::newRow("any case") << "ABab"
                                  << "ab" << true << 2;
        QTest::newRow("exact case") << "ABab"
                                    << "ab" << false << 1;
        QTest::newRow("no overlap") << "aaa"
                                    << "aa" << false << 1;
        QTest::newRow("none") << "abc"
                              << "x" << false << 0;
    }
    void count() {
        QFETCH(QString, whole);
        QFETCH(QString, find);
        QFETCH(bool, anyCase);
        QFETCH(int, count);
        QCOMPARE(int(CountStrInStr(whole, find, anyCase)), count);
    }

    void playWav_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("played");
        QTest::newRow("wav") << "C:\\WINDOWS\\Media\\Windows Error.wav" << true;
        QTest::newRow("WAV") << "/no/such/SOUND.WAV" << true;
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
        if (!played) {
            // With ShowError the refusal is reported first, in the standard message box.
            auto box = testing::closeNextMessageBox();
            QCOMPARE(PlayWAV(player, file, false, true), false);
            QVERIFY(box->shown);
            QCOMPARE(box->title, QStringLiteral("Chronodex - Sound file error."));
            QCOMPARE(box->text,
                     QStringLiteral("Can't play this wave file, wrong .wav extent passed "
                                    "to function.\rPlayWAV(\"") +
                         file + QStringLiteral("\", ..."));
        }
    }
};

QTEST_MAIN(tst_TextFunctions)
#include "tst_textfunctions.moc"
