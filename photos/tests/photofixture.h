// Photos made by the tests: a small picture with the Exif dates a camera would write.
#pragma once

#include <exiv2/exiv2.hpp>

#include <QtGui>

namespace chronodex::testing {

// A small picture in the given format with the given Exif dates and offset of the date taken
// (none where empty).
inline QString makePhoto(const QTemporaryDir& dir, const QString& name, const char* format,
                         const std::string& original, const std::string& imageDate,
                         const std::string& offset = {}) {
    const QString path = dir.filePath(name);
    const std::string file = QFile::encodeName(path).toStdString();
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    // The Qt built for Windows here writes no JPEG: then the picture is exiv2's own blank one.
    if (!image.save(path, format)) Exiv2::ImageFactory::create(Exiv2::ImageType::jpeg, file);
    auto photo = Exiv2::ImageFactory::open(file);
    photo->readMetadata();
    if (!original.empty()) photo->exifData()["Exif.Photo.DateTimeOriginal"] = original;
    if (!imageDate.empty()) photo->exifData()["Exif.Image.DateTime"] = imageDate;
    if (!offset.empty()) photo->exifData()["Exif.Photo.OffsetTimeOriginal"] = offset;
    photo->writeMetadata();
    return path;
}

} // namespace chronodex::testing
