// File names as bytes: every byte string survives the trip through the program's text and
// back, and shows with replacement characters where it is not text.
#include "fspath.h"

#include <QtTest>

using namespace chronodex;

class tst_FsPath : public QObject {
    Q_OBJECT

  private slots:
    void roundTrip_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ASCII") << QByteArray("/tmp/a.txt") << QStringLiteral("/tmp/a.txt");
        QTest::newRow("UTF-8") << QByteArray("caf\xC3\xA9") << QStringLiteral("caf\u00E9");
        QTest::newRow("four bytes")
            << QByteArray("\xF0\x9F\x93\x85") << QStringLiteral("\U0001F4C5");
        QTest::newRow("Latin-1") << QByteArray("caf\xE9") << QStringLiteral("caf\uFFFD");
        QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << QStringLiteral("\uFFFD\uFFFD");
        QTest::newRow("encoded surrogate")
            << QByteArray("\xED\xA0\x80") << QStringLiteral("\uFFFD\uFFFD\uFFFD");
        QTest::newRow("past U+10FFFF")
            << QByteArray("\xF4\x90\x80\x80") << QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD");
        QTest::newRow("cut short at the end")
            << QByteArray("a\xE2\x82") << QStringLiteral("a\uFFFD\uFFFD");
        QTest::newRow("control characters")
            << QByteArray("a\tb\x7F") << QStringLiteral("a\uFFFDb\uFFFD");
    }
    void roundTrip() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        const QString text = fromNativeBytes(bytes);
        QCOMPARE(toNativeBytes(text), bytes);
        QCOMPARE(QByteArray(toFsPath(text).c_str()), bytes);
        QCOMPARE(displayText(text), shown);
    }

    void everyByte() {
        for (int b = 1; b < 256; ++b) {
            const QByteArray bytes(1, static_cast<char>(b));
            QCOMPARE(toNativeBytes(fromNativeBytes(bytes)), bytes);
        }
    }

    void fromUrl() {
        QCOMPARE(toNativeBytes(pathFromUrl(QUrl::fromEncoded("file:///tmp/caf%E9%20x.txt"))),
                 QByteArray("/tmp/caf\xE9 x.txt"));
        QCOMPARE(pathFromUrl(QUrl::fromLocalFile(QStringLiteral("/tmp/\u00E9 #1.txt"))),
                 QStringLiteral("/tmp/\u00E9 #1.txt"));
    }
};

QTEST_GUILESS_MAIN(tst_FsPath)
#include "tst_fspath.moc"
