// Photos made by the tests: a small picture with the Exif dates a camera would write.
#pragma once

#include <exiv2/exiv2.hpp>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <string>

namespace chronodex::testing {

// A small picture in the given format with the given Exif dates (none where empty).
inline QString makePhoto(const QTemporaryDir& dir, const QString& name, const char* format,
                         const std::string& original, const std::string& imageDate) {
    const QString path = dir.filePath(name);
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    // The Qt built for Windows here writes no JPEG: then the picture is exiv2's own blank one.
    if (!image.save(path, format)) {
        if (qstrcmp(format, "JPG") != 0) qFatal("cannot save %s", qPrintable(path));
        Exiv2::ImageFactory::create(Exiv2::ImageType::jpeg, QFile::encodeName(path).toStdString());
    }
    if (original.empty() && imageDate.empty()) return path;
    auto photo = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    photo->readMetadata();
    Exiv2::ExifData& exif = photo->exifData();
    if (!original.empty()) exif["Exif.Photo.DateTimeOriginal"] = original;
    if (!imageDate.empty()) exif["Exif.Image.DateTime"] = imageDate;
    photo->writeMetadata();
    return path;
}

} // namespace chronodex::testing
