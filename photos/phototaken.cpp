#include "phototaken.h"

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

PhotoTaken photoTakenAt(const std::filesystem::path& file) {
    PhotoTaken result;
    // Only regular files are opened: a FIFO would keep the reader waiting for a writer.
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (!std::filesystem::is_regular_file(status)) {
        result.reason = !std::filesystem::exists(status)        ? "it no longer exists"
                        : std::filesystem::is_directory(status) ? "it is a directory"
                                                                : "it is not a file";
        return result;
    }
    try {
        // Both are no more than a check once done; HEIF and AVIF are read only when asked for.
        Exiv2::XmpParser::initialize();
#if !EXIV2_TEST_VERSION(0, 28, 0) && defined(EXV_ENABLE_BMFF)
        Exiv2::enableBMFF(true);
#endif
        auto image = Exiv2::ImageFactory::open(file.string());
        image->readMetadata();
        const Exiv2::ExifData& exif = image->exifData();
        for (const char* key : {"Exif.Photo.DateTimeOriginal", "Exif.Image.DateTime"}) {
            const auto found = exif.findKey(Exiv2::ExifKey(key));
            if (found == exif.end()) continue;
            if (const auto taken = parseExifDate(found->toString())) {
                result.taken = taken;
                return result;
            }
        }
        result.reason = "no date taken in this file";
    } catch (const std::exception& e) {
        result.reason = std::string("it cannot be read as a photo (") + e.what() + ")";
    }
    return result;
}

std::optional<platform::SystemTime> takenInstant(const DateTime& taken) {
    if (const auto utc = utcFromLocal(taken); !utc.skipped) return utc.utc;
    // Three hours before lies before any gap the clocks make; the offset there holds up to it.
    constexpr std::int64_t Before = 3 * 3600;
    const auto earlier = addSeconds(taken, -Before);
    const auto utc = earlier ? utcFromLocal(*earlier).utc : std::nullopt;
    if (!utc) return std::nullopt;
    return platform::civilFromSeconds(platform::secondsFromCivil(*utc) + Before);
}

platform::WriteOutcome writeTakenDate(const std::filesystem::path& file, const DateTime& taken) {
    const auto utc = takenInstant(taken);
    if (!utc) {
        platform::WriteOutcome refused;
        refused.failure = platform::WriteFailure::Other;
        refused.message = "the date taken cannot be converted to this time zone";
        return refused;
    }
    const auto created = platform::canSetCreationTime() ? utc : std::nullopt;
    return platform::writeFileTimes(file, created, std::nullopt, utc);
}

} // namespace chronodex
