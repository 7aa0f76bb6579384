#include "phototaken.h"

#include "moviedate.h"

#include "platform/civil.h"

#include <exiv2/exiv2.hpp>

#include <array>
#include <cctype>
#include <exception>
#include <system_error>

namespace chronodex {

std::optional<DateTime> parseExifDate(const std::string& text) {
    // Positions of the digits in "YYYY:MM:DD HH:MM:SS".
    if (text.size() < 19) return std::nullopt;
    const auto number = [&](std::size_t from, std::size_t digits) -> std::optional<int> {
        int value = 0;
        for (std::size_t i = from; i < from + digits; ++i) {
            if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    for (std::size_t at : {4, 7, 10, 13, 16})
        if (std::isdigit(static_cast<unsigned char>(text[at]))) return std::nullopt;
    const std::array<std::optional<int>, 6> f{number(0, 4),  number(5, 2),  number(8, 2),
                                              number(11, 2), number(14, 2), number(17, 2)};
    for (const auto& field : f)
        if (!field) return std::nullopt;
    const DateTime value{*f[0], *f[1], *f[2], *f[3], *f[4], *f[5]};
    const auto day = dateWithCarry(value.year, value.month, value.day);
    if (value.year < MinYear || value.month < 1 || value.month > 12 || value.day < 1 || !day ||
        day->month != value.month || value.hour > 23 || value.minute > 59 || value.second > 59)
        return std::nullopt;
    return value;
}

std::optional<int> parseExifOffset(const std::string& text) {
    if (text.size() < 6 || (text[0] != '+' && text[0] != '-') || text[3] != ':')
        return std::nullopt;
    for (std::size_t i : {1, 2, 4, 5})
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
    const int hours = (text[1] - '0') * 10 + (text[2] - '0');
    const int minutes = (text[4] - '0') * 10 + (text[5] - '0');
    if (hours > 14 || minutes > 59) return std::nullopt;
    return (text[0] == '-' ? -1 : 1) * (hours * 60 + minutes);
}

namespace {

std::string readFailure(platform::ReadFailure why) {
    switch (why) {
    case platform::ReadFailure::Missing:
        return "it no longer exists";
    case platform::ReadFailure::Directory:
        return "it is a directory";
    case platform::ReadFailure::NotAFile:
        return "it is not a file";
    case platform::ReadFailure::TooLarge:
        return "it is too large to be read as a photo";
    case platform::ReadFailure::Replaced:
        return "it was replaced since it was listed";
    default:
        return "it cannot be read";
    }
}

} // namespace

PhotoTaken photoTakenAt(const std::filesystem::path& file, const platform::FileId* expected) {
    PhotoTaken result;
    if (isMovieName(file)) {
        // A video's movie header gives a UTC instant.
        const MovieCreated movie = movieCreatedAt(file, expected);
        const auto civil = movie.created ? platform::civilOf(*movie.created) : std::nullopt;
        result.taken = civil ? fromSystemTime(*civil) : std::nullopt;
        if (result.taken)
            result.offsetMinutes = 0;
        else
            result.reason =
                movie.reason.empty() ? "no creation date in its movie header" : movie.reason;
        return result;
    }
    // Opened once, checked to be a regular file before anything is read (a FIFO never
    // blocks), read whole into memory for the library.
    const platform::FileContents contents =
        platform::readFileContents(file, PhotoSizeLimit, expected);
    if (contents.failure != platform::ReadFailure::None) {
        result.reason = readFailure(contents.failure);
        return result;
    }
    return photoTakenFrom(contents.bytes);
}

PhotoTaken photoTakenFrom(const std::string& bytes) {
    PhotoTaken result;
    try {
        // Both are no more than a check once done; HEIF and AVIF are read only when asked for.
        Exiv2::XmpParser::initialize();
#if !EXIV2_TEST_VERSION(0, 28, 0) && defined(EXV_ENABLE_BMFF)
        Exiv2::enableBMFF(true);
#endif
        auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(bytes.data()),
                                               static_cast<long>(bytes.size()));
        image->readMetadata();
        const Exiv2::ExifData& exif = image->exifData();
        const auto text = [&exif](const char* key) -> std::string {
            const auto found = exif.findKey(Exiv2::ExifKey(key));
            return found == exif.end() ? std::string() : found->toString();
        };
        for (const auto& [key, offset] :
             {std::pair{"Exif.Photo.DateTimeOriginal", "Exif.Photo.OffsetTimeOriginal"},
              std::pair{"Exif.Image.DateTime", "Exif.Photo.OffsetTime"}}) {
            if (const auto taken = parseExifDate(text(key))) {
                result.taken = taken;
                result.offsetMinutes = parseExifOffset(text(offset));
                return result;
            }
        }
        result.reason = "no date taken in this file";
    } catch (const std::exception& e) {
        result.reason = std::string("it cannot be read as a photo (") + e.what() + ")";
    }
    return result;
}

std::optional<platform::Instant> takenInstant(const PhotoTaken& photo, bool& skipped) {
    skipped = false;
    if (!photo.taken) return std::nullopt;
    if (photo.offsetMinutes)
        return platform::Instant{platform::secondsFromCivil(toSystemTime(*photo.taken)) -
                                     std::int64_t(*photo.offsetMinutes) * 60,
                                 0};
    const platform::LocalToUtc utc = utcFromLocal(*photo.taken);
    skipped = utc.skipped;
    if (!utc.utc) return std::nullopt;
    return platform::instantOf(*utc.utc);
}

platform::WriteOutcome writeTakenDate(const std::filesystem::path& file,
                                      const platform::Instant& taken,
                                      const platform::FileId* expected) {
    // The creation date too, where the file's drive takes one.
    return platform::writeFileTimes(
        file.native(), {taken, std::nullopt, taken, true, std::nullopt, true}, expected);
}

} // namespace chronodex
