// The date a photo was taken: photos made here, their Exif dates written with libexiv2.
#include "batch.h"
#include "filehelpers.h"
#include "photofixture.h"
#include "phototaken.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QtTest>

#include <exiv2/exiv2.hpp>

using namespace chronodex;
using chronodex::testing::accessedSeconds;
using chronodex::testing::makeFile;
using chronodex::testing::makePhoto;
using chronodex::testing::modifiedSeconds;
using chronodex::testing::utcSeconds;

Q_DECLARE_METATYPE(chronodex::DateTime)

namespace {

std::filesystem::path fsPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

} // namespace

class tst_Photos : public QObject {
    Q_OBJECT

  private slots:
    void takenAt_data() {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QString>("original");
        QTest::addColumn<QString>("imageDate");
        QTest::addColumn<DateTime>("taken"); // NoDate: none
        QTest::addColumn<QString>("reason");
        const QString none = QStringLiteral("no date taken in this file");
        QTest::newRow("JPEG, date taken first")
            << QByteArray("JPG") << "2019:07:14 09:30:05"
            << "2021:01:02 03:04:05" << DateTime{2019, 7, 14, 9, 30, 5} << QString();
        QTest::newRow("JPEG, image date only")
            << QByteArray("JPG") << ""
            << "2021:01:02 03:04:05" << DateTime{2021, 1, 2, 3, 4, 5} << QString();
        QTest::newRow("JPEG, clock never set") << QByteArray("JPG") << "0000:00:00 00:00:00"
                                               << "    :  :     :  :  " << NoDate() << none;
        QTest::newRow("JPEG, not a real day") << QByteArray("JPG") << "2023:02:29 10:00:00"
                                              << "" << NoDate() << none;
        QTest::newRow("JPEG without Exif") << QByteArray("JPG") << ""
                                           << "" << NoDate() << none;
        QTest::newRow("PNG, date taken") << QByteArray("PNG") << "2008:12:31 23:59:59"
                                         << "" << DateTime{2008, 12, 31, 23, 59, 59} << QString();
    }
    void takenAt() {
        QFETCH(QByteArray, format);
        QFETCH(QString, original);
        QFETCH(QString, imageDate);
        QFETCH(DateTime, taken);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = makePhoto(dir, QStringLiteral("photo.") + format.toLower(), format,
                                       original.toStdString(), imageDate.toStdString());
        const PhotoTaken found = photoTakenAt(fsPath(path));
        QCOMPARE(found.taken.has_value(), reason.isEmpty());
        if (found.taken) QCOMPARE(*found.taken, taken);
        QCOMPARE(QString::fromStdString(found.reason), reason);
    }

    void notAPhoto_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("text file") << "text"
                                   << "it cannot be read as a photo (";
        QTest::newRow("missing file") << "missing"
                                      << "it no longer exists";
        QTest::newRow("directory") << "directory"
                                   << "it is a directory";
        if (platform::testing::hasFifos())
            QTest::newRow("FIFO, not opened") << "fifo"
                                              << "it is not a file";
    }
    void notAPhoto() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("notes.jpg"));
        if (kind == QLatin1String("text")) makeFile(dir, QStringLiteral("notes.jpg"), 300);
        if (kind == QLatin1String("directory")) QVERIFY(QDir(dir.path()).mkdir("notes.jpg"));
        if (kind == QLatin1String("fifo")) QVERIFY(platform::testing::makeFifo(fsPath(path)));
        const PhotoTaken found = photoTakenAt(fsPath(path));
        QVERIFY(!found.taken);
        QVERIFY2(QString::fromStdString(found.reason).startsWith(reason), found.reason.c_str());
    }

    // The file's modified stamp becomes the date taken, read as local time in the zone of
    // the day; a time in the hour the clocks skip keeps the offset from before the change.
    void setModifiedFromPhoto_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("original");
        QTest::addColumn<qint64>("utc");
        QTest::newRow("Berlin summer") << QByteArray("Europe/Berlin") << "2019:07:14 09:30:05"
                                       << utcSeconds(2019, 7, 14, 7, 30, 5);
        QTest::newRow("New York winter") << QByteArray("America/New_York") << "2020:01:10 18:00:00"
                                         << utcSeconds(2020, 1, 10, 23);
        QTest::newRow("New York, skipped hour")
            << QByteArray("America/New_York") << "2026:03:08 02:30:00"
            << utcSeconds(2026, 3, 8, 7, 30);
    }
    void setModifiedFromPhoto() {
        QFETCH(QByteArray, zone);
        QFETCH(QString, original);
        QFETCH(qint64, utc);
        if (const QString why = testing::ZoneScope::unavailable(zone); !why.isEmpty())
            QSKIP(qPrintable(why));
        testing::ZoneScope scope(zone);
        QTemporaryDir dir;
        const QString path =
            makePhoto(dir, QStringLiteral("photo.jpg"), "JPG", original.toStdString(), "");
        const PhotoTaken found = photoTakenAt(fsPath(path));
        QVERIFY(found.taken);
        const qint64 accessedBefore = accessedSeconds(path);
        const platform::WriteOutcome outcome = writeTakenDate(fsPath(path), *found.taken);
        QVERIFY(outcome.written());
        QCOMPARE(outcome.modified, platform::StampWrite::Written);
        QCOMPARE(modifiedSeconds(path), utc);
        QCOMPARE(accessedSeconds(path), accessedBefore);
    }

    // The command as the window runs it: a photo without a date is named and left alone,
    // the other gets its date taken, and an undo puts back what it had.
    void datesFromPhotos() {
        QTemporaryDir dir;
        const QStringList paths{
            makePhoto(dir, QStringLiteral("dated.jpg"), "JPG", "2019:07:14 09:30:05", ""),
            makePhoto(dir, QStringLiteral("undated.jpg"), "JPG", "", "")};
        const qint64 before = utcSeconds(2024, 5, 6, 7, 8, 9);
        for (const QString& path : paths)
            QVERIFY(testing::setStamps(path, before, before));
        std::vector<TickedEntry> entries;
        std::vector<EntryChange> changes;
        for (const QString& path : paths) {
            const TickedEntry entry{fsPath(path), QFileInfo(path).fileName()};
            const PhotoTaken found = photoTakenAt(entry.file);
            EntryChange change;
            if (found.taken) {
                change.written = {platform::canSetCreationTime(), true, false};
                change.newLocal = {*found.taken, *found.taken, NoDate(1)};
                change.write = [file = entry.file, taken = *found.taken] {
                    return writeTakenDate(file, taken);
                };
            } else {
                change.skip = QString::fromStdString(found.reason);
            }
            entries.push_back(entry);
            changes.push_back(std::move(change));
        }
        UndoStore undo;
        const BatchResult result =
            applyChanges(entries, changes, undo, [](const QString&) { return true; });
        QCOMPARE(result.report(entries.size()),
                 QStringLiteral("1 of 2 ticked entries was left as it was:\r\n"
                                "\tundated.jpg: no date taken in this file."));
        QCOMPARE(modifiedSeconds(paths[0]), utcSeconds(2019, 7, 14, 9, 30, 5));
        QCOMPARE(modifiedSeconds(paths[1]), before);
        QVERIFY(undo.undo().size() == 1);
        QCOMPARE(modifiedSeconds(paths[0]), before);
    }
};

QTEST_MAIN(tst_Photos)
#include "tst_photos.moc"
