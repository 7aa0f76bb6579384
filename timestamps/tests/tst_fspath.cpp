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
        const auto row = [](const char* name, const char* bytes, const QString& shown) {
            QTest::newRow(name) << QByteArray(bytes) << shown;
        };
        row("ASCII", "/tmp/a b.txt", QStringLiteral("/tmp/a b.txt"));
        row("UTF-8", "caf\xC3\xA9", QStringLiteral("caf\u00E9"));
        row("four bytes", "\xF0\x9F\x93\x85", QStringLiteral("\U0001F4C5"));
        row("least of three bytes", "\xE0\xA0\x80", QStringLiteral("\u0800"));
        row("least of four bytes", "\xF0\x90\x80\x80", QStringLiteral("\U00010000"));
        row("Latin-1", "d\xE9j\xE0 vu", QStringLiteral("d\uFFFDj\uFFFD vu"));
        row("overlong slash", "\xC0\xAF", QStringLiteral("\uFFFD\uFFFD"));
        row("encoded surrogate", "\xED\xA0\x80", QStringLiteral("\uFFFD\uFFFD\uFFFD"));
        row("past U+10FFFF", "\xF4\x90\x80\x80", QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD"));
        row("cut short at the end", "a\xE2\x82", QStringLiteral("a\uFFFD\uFFFD"));
        row("control characters", "a\tb\x7F", QStringLiteral("a\uFFFDb\uFFFD"));
    }
    void roundTrip() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        const QString text = fromNativeBytes(bytes);
        QCOMPARE(toNativeBytes(text), bytes);
        QCOMPARE(QByteArray(toFsPath(text).c_str()), bytes);
        QCOMPARE(QByteArray::fromStdString(toNativePath(text)), bytes); // reads and writes
        QCOMPARE(displayText(text), shown);
    }

    void everyByte() {
        for (int b = 1; b < 256; ++b)
            QCOMPARE(toNativeBytes(fromNativeBytes(QByteArray(1, char(b)))),
                     QByteArray(1, char(b)));
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
