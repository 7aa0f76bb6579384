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
    if (!image.save(path, format)) qFatal("cannot save %s", qPrintable(path));
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
