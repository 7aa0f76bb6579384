// "Dates from photos": the date and time a photo was taken, as its camera wrote it into the
// Exif data (Exif.Photo.DateTimeOriginal, else Exif.Image.DateTime), and the stamps made from
// it. Camera clocks carry no time zone: the date is local time.
#pragma once

#include "datetime.h"

#include "platform/files.h"

#include <filesystem>
#include <optional>
#include <string>

namespace chronodex {

struct PhotoTaken {
    // The date and time taken, local time; nothing when the file gives none.
    std::optional<DateTime> taken;
    // Why there is none, in the user's words: "no date taken in this file"; "it no longer
    // exists", "it is a directory", "it is not a file"; or "it cannot be read as a photo"
    // with the library's own words in brackets.
    std::string reason;
};

// Reads the date taken from any image format libexiv2 knows (JPEG, TIFF, PNG, WebP, HEIF
// where the library reads it, raw formats). Never throws.
PhotoTaken photoTakenAt(const std::filesystem::path& file);

// An Exif date "YYYY:MM:DD HH:MM:SS" (any single character between the fields, anything
// after the seconds); nothing for the blank or zero dates cameras write when their clock was
// not set, and for anything that is not a real date and time.
std::optional<DateTime> parseExifDate(const std::string& text);

// The UTC instant of a camera time. A time in the hour the clocks skip is read with the
// offset in force before the change, as the camera's clock did not go forward either.
std::optional<platform::SystemTime> takenInstant(const DateTime& taken);

// Sets the file's modified stamp, and its created stamp where the system can set it, to the
// date taken.
platform::WriteOutcome writeTakenDate(const std::filesystem::path& file, const DateTime& taken);

} // namespace chronodex
