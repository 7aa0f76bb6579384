// "Dates from photos": the date and time a photo was taken, as its camera wrote it into the
// Exif data (Exif.Photo.DateTimeOriginal, else Exif.Image.DateTime), with the photo's own
// offset from UTC where it has one (Exif.Photo.OffsetTimeOriginal, OffsetTime), and the
// stamps made from it. Without an offset, the camera's clock is taken as local time here.
#pragma once

#include "datetime.h"

#include "platform/files.h"

#include <filesystem>
#include <optional>
#include <string>

namespace chronodex {

struct PhotoTaken {
    // The date and time taken, as the camera's clock showed it; nothing when the file gives
    // none.
    std::optional<DateTime> taken;
    // The photo's own offset from UTC in minutes, where it gives one.
    std::optional<int> offsetMinutes;
    // Why there is no date, in the user's words: "no date taken in this file"; "it no longer
    // exists", "it is a directory", "it is not a file", "it is too large to be read as a
    // photo"; or "it cannot be read as a photo" with the library's own words in brackets.
    std::string reason;
};

// The largest file read as a photo: raw images run to a hundred megabytes or so.
inline constexpr std::size_t PhotoSizeLimit = std::size_t(256) << 20;

// Reads the date taken from any image format libexiv2 knows (JPEG, TIFF, PNG, WebP, HEIC,
// HEIF, AVIF and CR3 where the library reads them, raw formats), through one checked open of
// the file, leaving its accessed stamp as it was; a video (isMovieName) gives the creation
// time of its movie header, in UTC (offset 0). Never throws.
// With `expected`, only the object listed is read.
PhotoTaken photoTakenAt(const std::filesystem::path& file,
                        const platform::FileId* expected = nullptr);

// The same from a photo's bytes already in memory: the date taken, or "no date taken in this
// file", or "it cannot be read as a photo" with the library's words. Never throws.
PhotoTaken photoTakenFrom(const std::string& bytes);

// An Exif date "YYYY:MM:DD HH:MM:SS" (any single character between the fields, anything
// after the seconds); nothing for the blank or zero dates cameras write when their clock was
// not set, and for anything that is not a real date and time.
std::optional<DateTime> parseExifDate(const std::string& text);

// An Exif offset "+09:00" or "-05:30", in minutes; nothing for anything else.
std::optional<int> parseExifOffset(const std::string& text);

// The instant a photo was taken: by its own offset where it has one, else its camera time
// read as local time here (the first of a repeated hour). Nothing for a camera time in the
// hour the clocks skip here, with `skipped` set, or one that cannot be converted.
std::optional<platform::Instant> takenInstant(const PhotoTaken& photo, bool& skipped);

// Sets the file's modified stamp, and its created stamp where the system can set it, to the
// instant taken (a file that has it to the second keeps its fraction of a second).
platform::WriteOutcome writeTakenDate(const std::filesystem::path& file,
                                      const platform::Instant& taken,
                                      const platform::FileId* expected = nullptr);

} // namespace chronodex
