// The date a photo was taken: photos made here, their Exif dates written with libexiv2.
#include "filehelpers.h"
#include "moviedate.h"
#include "photofixture.h"
#include "phototaken.h"

using namespace chronodex;
using namespace chronodex::testing;

struct Photo {
    const char *name, *kind, *original, *imageDate; // kind: a format, "text", "missing", ...
    std::optional<DateTime> taken;
    const char* reason; // how the reason begins
};
Q_DECLARE_METATYPE(Photo)

class tst_Photos : public QObject {
    Q_OBJECT

  private slots:
    // (A JPEG without Exif data is named in the window's report of what was not written.)
    void takenAt_data() {
        QTest::addColumn<Photo>("row");
        const char* none = "no date taken in this file";
        for (const Photo& row : std::initializer_list<Photo>{
                 {"JPEG, date taken first", "JPG", "2019:07:14 09:30:05", "2021:01:02 03:04:05",
                  DateTime{2019, 7, 14, 9, 30, 5}, ""},
                 {"JPEG, image date only", "JPG", "", "2021:01:02 03:04:05",
                  DateTime{2021, 1, 2, 3, 4, 5}, ""},
                 {"clock never set", "JPG", "0000:00:00 00:00:00", "    :  :     :  :  ", {}, none},
                 {"JPEG, not a real day", "JPG", "2023:02:29 10:00:00", "", {}, none},
                 {"PNG", "PNG", "2008:12:31 23:59:59", "", DateTime{2008, 12, 31, 23, 59, 59}, ""},
                 {"text file", "text", "", "", {}, "it cannot be read as a photo ("},
                 {"missing file", "missing", "", "", {}, "it no longer exists"},
                 {"directory", "directory", "", "", {}, "it is a directory"},
                 {"FIFO", "fifo", "", "", {}, "it is not a file"},
             })
            if (qstrcmp(row.kind, "fifo") != 0 || platform::testing::hasFifos())
                QTest::newRow(row.name) << row;
    }
    void takenAt() {
        QFETCH(Photo, row);
        QTemporaryDir dir;
        const QString kind = row.kind, path = dir.filePath("photo.jpg");
        if (kind.isUpper()) makePhoto(dir, "photo.jpg", row.kind, row.original, row.imageDate);
        if (kind == "text") makeFile(dir, "photo.jpg", 300);
        if (kind == "directory") QVERIFY(QDir(dir.path()).mkdir("photo.jpg"));
        if (kind == "fifo") QVERIFY(platform::testing::makeFifo(fsPath(path)));
        const PhotoTaken found = photoTakenAt(fsPath(path));
        QVERIFY(found.taken == row.taken);
        QVERIFY2(found.reason.starts_with(row.reason), found.reason.c_str());
    }

    // The instant taken: the camera's time read as local time in the zone of the day, or by
    // the photo's own offset; a time in the hour the clocks skip here is no time at all.
    void instantTaken_data() {
        QTest::addColumn<QString>("original");
        QTest::addColumn<QString>("offset");
        QTest::addColumn<qint64>("utc"); // 0: skipped
        QTest::newRow("New York") << "2026:07:01 09:05:00"
                                  << "" << utcSeconds(2026, 7, 1, 13, 5);
        QTest::newRow("hour skipped") << "2026:03:08 02:30:00"
                                      << "" << qint64(0);
        QTest::newRow("+09:00") << "2026:07:01 09:05:00"
                                << "+09:00" << utcSeconds(2026, 7, 1, 0, 5);
        QTest::newRow("-05:30") << "2026:03:08 02:30:00"
                                << "-05:30" << utcSeconds(2026, 3, 8, 8);
    }
    void instantTaken() {
        QFETCH(QString, original);
        QFETCH(QString, offset);
        QFETCH(qint64, utc);
        if (const QString why = ZoneScope::unavailable("America/New_York"); !why.isEmpty())
            QSKIP(qPrintable(why));
        ZoneScope scope("America/New_York");
        QTemporaryDir dir;
        const QString path =
            makePhoto(dir, "photo.jpg", "JPG", original.toStdString(), "", offset.toStdString());
        bool skipped = false;
        const auto at = takenInstant(photoTakenAt(fsPath(path)), skipped);
        QCOMPARE(skipped, utc == 0);
        QCOMPARE(at.value_or(platform::Instant{}), (platform::Instant{utc, 0}));
    }

    // Videos made here: the creation time of the movie header, in UTC whatever the zone,
    // wherever the header lies and however its sizes are written.
    void movies_data() {
        const auto be = [](quint64 v, int bytes) {
            QByteArray out;
            for (int i = bytes - 1; i >= 0; --i)
                out += char((v >> (8 * i)) & 0xff);
            return out;
        };
        const auto box = [&](const char* type, const QByteArray& body) {
            return be(8 + body.size(), 4) + type + body;
        };
        const qint64 at = utcSeconds(2019, 5, 4, 10, 11, 12);
        const auto mvhd = [&](int version, quint64 since1904) {
            return box("mvhd", be(quint64(version) << 24, 4) + be(since1904, version ? 8 : 4) +
                                   QByteArray(80, 0));
        };
        const quint64 t = quint64(at) + 2082844800;
        const QByteArray ftyp = box("ftyp", "qt  \0\0\0\0qt  ");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("utc"); // 0: none, for `reason`
        QTest::addColumn<QString>("reason");
        QTest::newRow("MOV, header after the media")
            << "clip.MOV" << ftyp + box("mdat", "data") + box("moov", mvhd(0, t)) << at << "";
        QTest::newRow("MP4, 64-bit sizes, to the end")
            << "clip.mp4"
            << ftyp + be(1, 4) + "mdat" + be(16 + 3, 8) + "abc" + be(0, 4) + "moov" +
                   box("trak", "") + mvhd(1, t)
            << at << "";
        QTest::newRow("3GP, never set") << "a.3gp" << box("moov", mvhd(0, 0)) << qint64(0)
                                        << "no creation date in its movie header";
        QTest::newRow("no movie box")
            << "a.m4v" << ftyp + box("mdat", "") << qint64(0) << "it has no movie header";
        QTest::newRow("header cut short")
            << "a.mp4" << box("moov", mvhd(0, t)).left(30) << qint64(0) << "it has no movie header";
        QTest::newRow("size past the end") << "a.mp4" << be(4000, 4) + "moov" + mvhd(0, t)
                                           << qint64(0) << "it has no movie header";
    }
    void movies() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, utc);
        QFETCH(QString, reason);
        if (const QString why = ZoneScope::unavailable("America/New_York"); !why.isEmpty())
            QSKIP(qPrintable(why));
        ZoneScope scope("America/New_York");
        QTemporaryDir dir;
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        const MovieCreated movie = movieCreatedAt(fsPath(file.fileName()));
        QCOMPARE(movie.created.value_or(platform::Instant{}), (platform::Instant{utc, 0}));
        QCOMPARE(QString::fromStdString(movie.reason), reason);
        bool skipped = false;
        const PhotoTaken photo = photoTakenAt(fsPath(file.fileName()));
        QCOMPARE(takenInstant(photo, skipped).value_or(platform::Instant{}),
                 (platform::Instant{utc, 0}));
    }
};

QTEST_MAIN(tst_Photos)
#include "tst_photos.moc"
