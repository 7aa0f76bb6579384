// File names as bytes: every byte string survives the trip through the program's text and
// back, and shows with replacement characters where it is not text.
#include "fspath.h"

#include <QtTest>

using namespace chronodex;

class tst_FsPath : public QObject {
    Q_OBJECT

  private slots:
    // Each sequence that is not UTF-8 (overlong, an encoded surrogate, past U+10FFFF, cut
    // short at the end) shows one replacement character per byte.
    void roundTrip_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown"); // null: not checked
        QByteArray every;                   // bytes 1 to 255, each alone a character or not UTF-8
        for (int b = 1; b < 256; ++b)
            every += char(b);
        QTest::newRow("every byte") << every << QString();
        QTest::newRow("ASCII, UTF-8, the least of two, three and four bytes")
            << QByteArray(
                   "/tmp/a b/caf\xC3\xA9\xF0\x9F\x93\x85\xC2\x80\xE0\xA0\x80\xF0\x90\x80\x80")
            << QStringLiteral("/tmp/a b/caf\u00E9\U0001F4C5\u0080\u0800\U00010000");
        QTest::newRow("Latin-1, controls")
            << QByteArray("d\xE9j\xE0 a\tb\x7F") << QStringLiteral("d\uFFFDj\uFFFD a\uFFFDb\uFFFD");
        QTest::newRow("not UTF-8") << QByteArray("\xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80 a\xE2\x82")
                                   << QStringLiteral("\uFFFD\uFFFD \uFFFD\uFFFD\uFFFD "
                                                     "\uFFFD\uFFFD\uFFFD\uFFFD a\uFFFD\uFFFD");
    }
    void roundTrip() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        const QString text = fromNativeBytes(bytes);
        QCOMPARE(toNativeBytes(text), bytes);
        QCOMPARE(QByteArray(toFsPath(text).c_str()), bytes);
        QCOMPARE(QByteArray::fromStdString(toNativePath(text)), bytes); // reads and writes
        if (!shown.isNull()) QCOMPARE(displayText(text), shown);
    }

    // A dropped file's URL gives the name's bytes, whether the URL can decode them as text or not.
    void fromUrl() {
        QCOMPARE(toNativeBytes(pathFromUrl(QUrl::fromEncoded("file:///tmp/caf%E9%20x.txt"))),
                 QByteArray("/tmp/caf\xE9 x.txt"));
        QCOMPARE(pathFromUrl(QUrl::fromEncoded("file://localhost/tmp/caf%C3%A9%20x")),
                 QStringLiteral("/tmp/caf\u00E9 x"));
        QCOMPARE(pathFromUrl(QUrl::fromLocalFile(QStringLiteral("/tmp/\u00E9 #1.txt"))),
                 QStringLiteral("/tmp/\u00E9 #1.txt"));
    }
};

QTEST_GUILESS_MAIN(tst_FsPath)
#include "tst_fspath.moc"
