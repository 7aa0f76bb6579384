// Files dropped on the window: replace and append, kinds and ticks, totals, the warning
// about system files and directories, and drops that are refused.
#include "frm_MainWindow.h"

#include "dialogdriver.h"
#include "drops.h"
#include "filehelpers.h"
#include "windowprobe.h"

#include "platform/names.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

#include <chrono>
#include <filesystem>
#include <fstream>

using namespace chronodex;
using namespace chronodex::testing;

namespace {

QStringList totals(const frm_MainWindow& w) {
    return {caption(w, "labTotalFiles"), caption(w, "labTotalSysFiles"),
            caption(w, "labTotalDirectories")};
}

} // namespace

class tst_Intake : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString a, b, c;

  private slots:
    void cleanup() { CHRONODEX_NO_WINDOW_LEFT_OPEN(); }
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        a = makeFile(dir, QStringLiteral("a.txt"));
        b = makeFile(dir, QStringLiteral("b.txt"));
        c = makeFile(dir, QStringLiteral("c.txt"));
    }

    void replaceOnTheList() {
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime()));
        QVERIFY(dropFiles(w.fileList()->viewport(), {a, b}));
        QCOMPARE(entryNames(w), QStringList({"a.txt", "b.txt"}));
        QCOMPARE(entryTicks(w), QList<bool>({true, true}));
        QCOMPARE(w.FilePaths().entries(), QStringList({a, b}));
        QCOMPARE(w.PathCount(), 2);
        QCOMPARE(totals(w), QStringList({"2 ", "0 ", "0 "}));
        QVERIFY(label(w, "labTotalFiles")->isEnabled());
        QCOMPARE(currentEntry(w), 0);
        // The path table keeps the system's own form, split at its separator.
        QCOMPARE(boxText(w, "txt_FilePathValue"),
                 QLatin1Char(' ') + nativePath(dir.path()) + QLatin1Char(' '));
        QCOMPARE(boxText(w, "txt_FileNameValue"), QStringLiteral(" a.txt "));
        QCOMPARE(w.windowTitle(), QStringLiteral("Chronodex - 2 files, no directories ticked."));
        QVERIFY(w.findChild<QMenu*>(QStringLiteral("menu_EditSortList"))->isEnabled());
    }

    void newValuesTakesNoDrop() {
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime()));
        dropFiles(w.fileList()->viewport(), {a});
        QVERIFY(!dropFiles(w.findChild<QWidget*>(QStringLiteral("fra_NewValues")), {b}));
        QCOMPARE(entryNames(w), QStringList({"a.txt"}));
    }

    // An append keeps the ticks the user gave the listed entries; only new entries are
    // ticked by the rule (files ticked, directories not).
    void append_data() {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QList<bool>>("ticks");
        QTest::newRow("Shift appends")
            << int(Qt::ShiftModifier) << QStringList{"a.txt", "b.txt", "sub", "c.txt", "sub"}
            << QList<bool>{true, false, true, true, false};
        QTest::newRow("Ctrl+Shift replaces")
            << int(Qt::ShiftModifier | Qt::ControlModifier) << QStringList{"c.txt", "sub"}
            << QList<bool>{true, false};
        QTest::newRow("Alt+Shift replaces")
            << int(Qt::ShiftModifier | Qt::AltModifier) << QStringList{"c.txt", "sub"}
            << QList<bool>{true, false};
        QTest::newRow("no key replaces")
            << 0 << QStringList{"c.txt", "sub"} << QList<bool>{true, false};
    }
    void append() {
        QFETCH(int, modifiers);
        QFETCH(QStringList, expected);
        QFETCH(QList<bool>, ticks);
        const QString sub = dir.filePath(QStringLiteral("sub"));
        QDir().mkpath(sub);
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime()));
        const auto answered = onNextFlashMessage(clickButton(0)); // the warning about the directory
        dropFiles(w.fileList()->viewport(), {a, b, sub});
        setTick(w, 1, false);
        setTick(w, 2, true);
        const auto answeredAgain = onNextFlashMessage(clickButton(0));
        dropFiles(w.fileList()->viewport(), {c, sub}, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(entryNames(w), expected);
        QCOMPARE(entryTicks(w), ticks);
        QCOMPARE(currentEntry(w), 0);
        QCOMPARE(w.PathCount(), int(expected.size()));
    }

    // A file name is bytes: names that are not UTF-8, or hold a newline, blanks at either
    // end or 255 bytes, are listed, read and written like any other, on the real file.
    void anyFileName_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Latin-1, not UTF-8")
            << QByteArray("caf\xE9.txt") << QStringLiteral("caf\uFFFD.txt");
        QTest::newRow("broken sequence")
            << QByteArray("x\xE2\x82.txt") << QStringLiteral("x\uFFFD\uFFFD.txt");
        QTest::newRow("newline") << QByteArray("two\nlines") << QStringLiteral("two\uFFFDlines");
        QTest::newRow("blanks at both ends")
            << QByteArray("  padded.txt  ") << QStringLiteral("  padded.txt  ");
        QTest::newRow("UTF-8 beyond 16 bits")
            << QByteArray("\xF0\x9F\x93\x85.txt") << QStringLiteral("\U0001F4C5.txt");
        QTest::newRow("255 bytes")
            << QByteArray(251, 'n') + ".txt" << QString(251, QLatin1Char('n')) + ".txt";
    }
    void anyFileName() {
        if (!platform::namesAreBytes()) QSKIP("file names on Windows are UTF-16 text, not bytes");
        QFETCH(QByteArray, name);
        QFETCH(QString, shown);
        const QByteArray folder = QFile::encodeName(dir.path()) + '/';
        const QByteArray raw = folder + name;
        const std::filesystem::path file(raw.toStdString()); // the bytes, as they are
        QVERIFY2(std::ofstream(file).good(), "the file system refused the name");
        const qint64 before = utcSeconds(2001, 2, 3);
        QVERIFY(platform::testing::setFileTimes(file, before, before));

        auto mime = std::make_unique<QMimeData>();
        mime->setUrls({QUrl::fromLocalFile(a),
                       QUrl::fromEncoded("file://" + raw.toPercentEncoding("/")),
                       QUrl::fromLocalFile(b)});
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime(), false));
        QVERIFY(drop(w.fileList()->viewport(), mime.get()));
        QCOMPARE(entryNames(w), QStringList({"a.txt", shown, "b.txt"}));
        clickEntry(w, 1);
        QCOMPARE(boxText(w, "txt_FileNameValue"), QLatin1Char(' ') + shown + QLatin1Char(' '));
        QCOMPARE(caption(w, "lab_OModfiedValue"), QStringLiteral(" 3/02/2001, 12:00:00am"));

        setTick(w, 0, false);
        setTick(w, 2, false);
        w.row(Accessed).check->setCheckState(Qt::Unchecked);
        setRowTexts(w, Modified, {"1", "6", "2020", "0", "0", "0"});
        button(w, "com_UptateTimestamp")->click();
        const auto written =
            std::chrono::file_clock::to_sys(std::filesystem::last_write_time(file));
        QCOMPARE(
            qint64(std::chrono::floor<std::chrono::seconds>(written).time_since_epoch().count()),
            utcSeconds(2020, 6, 1));
        std::filesystem::remove(file);
    }

    void shiftOntoEmptyListReplaces() {
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime()));
        dropFiles(w.fileList()->viewport(), {a}, Qt::ShiftModifier);
        QCOMPARE(entryNames(w), QStringList({"a.txt"})); // the hint entry is not kept
    }

    void sameFileTwice() {
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime()));
        dropFiles(w.fileList()->viewport(), {a, a});
        dropFiles(w.fileList()->viewport(), {a}, Qt::ShiftModifier);
        QCOMPARE(entryNames(w), QStringList({"a.txt", "a.txt", "a.txt"}));
    }

    void warnings_data() {
        QTest::addColumn<int>("systemFiles");
        QTest::addColumn<int>("directories");
        QTest::addColumn<QString>("message");
        const QString tail = QStringLiteral("\r\nSee the help file for more information.");
        QTest::newRow("one system file")
            << 1 << 0
            << "You dragded a system file here.\r\nFor safety reasions you should not edit the "
               "date of this file.\r\nPlease don't tick this item.\r\n" +
                   tail;
        QTest::newRow("two system files")
            << 2 << 0
            << "You dragded 2 system files here.\r\nFor safety reasions you should not edit the "
               "date of these files.\r\nPlease don't tick them.\r\n" +
                   tail;
        QTest::newRow("one directory") << 0 << 1
                                       << "You dragded a directory here.\r\nThis version can only "
                                          "edit file dates, sorry.\r\n" +
                                              tail;
        QTest::newRow("both")
            << 1 << 2
            << "You dragded a system file here.\r\nFor safety reasions you should not edit the "
               "date of this file.\r\nPlease don't tick this item.\r\nYou dragded 2 directories "
               "here.\r\nThis version can only edit file dates, sorry.\r\n" +
                   tail;
    }
    void warnings() {
        QFETCH(int, systemFiles);
        QFETCH(int, directories);
        QFETCH(QString, message);
        QTemporaryDir here;
        QStringList paths{makeFile(here, QStringLiteral("plain"))};
        for (int i = 0; i < systemFiles; ++i) {
            paths << nativePath(here.filePath(QStringLiteral("sys%1").arg(i)));
            MAKE_SYSTEM_FILE_OR_SKIP(paths.last());
        }
        for (int i = 0; i < directories; ++i) {
            QDir(here.path()).mkdir(QStringLiteral("d%1").arg(i));
            paths << nativePath(here.filePath(QStringLiteral("d%1").arg(i)));
        }
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime()));
        auto seen = onNextFlashMessage(clickButton(0));
        dropFiles(w.fileList()->viewport(), paths);
        QVERIFY(seen->shown);
        QCOMPARE(seen->title, QStringLiteral("Chronodex - Warning."));
        QCOMPARE(seen->message, message);
        QCOMPARE(seen->buttons, QStringList({"&OK", "", "", ""}));
        QCOMPARE(seen->timer, 15000);
        QList<bool> expectedTicks{true};
        for (int i = 0; i < systemFiles + directories; ++i)
            expectedTicks << false;
        QCOMPARE(entryTicks(w), expectedTicks);
        QCOMPARE(totals(w), QStringList({QString::number(1 + systemFiles) + " ",
                                         QString::number(systemFiles) + " ",
                                         QString::number(directories) + " "}));
        QCOMPARE(currentEntry(w), 0);
    }

    void refused_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        const QString notAFile = QStringLiteral(
            "Can't load this object.\r\nError:\r\nThis object is not a file or a directory");
        QTest::newRow("text") << "text" << notAFile;
        QTest::newRow("web link") << "web" << notAFile;
        QTest::newRow("empty list") << "empty" << notAFile;
        QTest::newRow("missing file") << "missing"
                                      << "File not found: %1\r\n53";
    }
    void refused() {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime()));
        dropFiles(w.fileList()->viewport(), {a, b});
        w.sortItems()[1]->setChecked(true);
        setTick(w, 1, false);

        auto mime = std::make_unique<QMimeData>();
        const QString missing = nativePath(dir.filePath(QStringLiteral("missing.txt")));
        if (kind == QLatin1String("text"))
            mime->setText(a);
        else if (kind == QLatin1String("web"))
            mime->setUrls({QUrl(QStringLiteral("https://example.org/a.txt"))});
        else if (kind == QLatin1String("empty"))
            mime->setUrls({});
        else
            mime = fileList({c, missing});
        auto seen = onNextFlashMessage(clickButton(0));
        QVERIFY(!drop(w.fileList()->viewport(), mime.get(), Qt::ShiftModifier) ||
                kind == QLatin1String("missing"));
        QVERIFY(seen->shown);
        QCOMPARE(seen->title, QStringLiteral("Chronodex - Warning:"));
        QCOMPARE(seen->message, kind == QLatin1String("missing") ? message.arg(missing) : message);
        QCOMPARE(seen->timer, 5000);
        // Nothing changed.
        QCOMPARE(entryNames(w), QStringList({"a.txt", "b.txt"}));
        QCOMPARE(entryTicks(w), QList<bool>({true, false}));
        QCOMPARE(w.FilePaths().entries(), QStringList({a, b}));
        QVERIFY(w.sortItems()[1]->isChecked());
    }

    void dropClearsSortMarks() {
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime()));
        w.sortItems()[2]->setChecked(true);
        dropFiles(w.fileList()->viewport(), {a});
        for (QAction* item : w.sortItems())
            QVERIFY(!item->isChecked());
    }

    // A full list refuses a drop that would pass 32,767 entries, and keeps what it holds.
    void listLimit() {
        frm_MainWindow w(pinnedOptions(QDateTime::currentDateTime()));
        dropFiles(w.fileList()->viewport(), QStringList(32766, a));
        QCOMPARE(entryCount(w), 32766);
        QCOMPARE(caption(w, "labTotalFiles"), QStringLiteral("32,766 "));
        auto seen = onNextFlashMessage(clickButton(0));
        dropFiles(w.fileList()->viewport(), {a, b}, Qt::ShiftModifier);
        QVERIFY(seen->shown);
        QVERIFY(seen->message.endsWith(QStringLiteral("\r\n6")));
        QCOMPARE(entryCount(w), 32766);
        dropFiles(w.fileList()->viewport(), {b}, Qt::ShiftModifier);
        QCOMPARE(entryCount(w), 32767);
    }
};

QTEST_MAIN(tst_Intake)
#include "tst_intake.moc"
