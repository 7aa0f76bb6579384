#include "moviedate.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace chronodex {

namespace {

// Seconds from 1904-01-01 to 1970-01-01, both UTC.
constexpr std::int64_t From1904 = 2082844800;
// Boxes looked at on one level before giving up: real files have a handful.
constexpr int MostBoxes = 4096;

std::uint64_t bigEndian(const std::string& bytes, std::size_t at, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = at; i < at + width; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

struct Box {
    std::uint64_t body = 0, end = 0; // where its contents start, and its end
    std::string type;
};

// The box whose header lies at `at`, within `end`; nothing when its header is cut short, the
// system fails to read it, or its size does not fit.
std::optional<Box> boxAt(std::uint64_t at, std::uint64_t end, const platform::ReadAt& readAt,
                         bool& failed) {
    if (end - at < 8) return std::nullopt;
    const auto head = readAt(at, 16);
    if (!head) failed = true;
    if (!head || head->size() < 8) return std::nullopt;
    Box box{at + 8, 0, head->substr(4, 4)};
    std::uint64_t size = bigEndian(*head, 0, 4);
    if (size == 1) { // a 64-bit size follows the type
        if (head->size() < 16) return std::nullopt;
        size = bigEndian(*head, 8, 8);
        box.body = at + 16;
    } else if (size == 0) { // up to the end of what holds it
        size = end - at;
    }
    if (size < box.body - at || size > end - at) return std::nullopt;
    box.end = at + size;
    return box;
}

// The first box of this type between `from` and `end`.
std::optional<Box> findBox(std::uint64_t from, std::uint64_t end, const char* type,
                           const platform::ReadAt& readAt, bool& failed) {
    for (int n = 0; n < MostBoxes && from < end; ++n) {
        const auto box = boxAt(from, end, readAt, failed);
        if (!box) return std::nullopt;
        if (box->type == type) return box;
        from = box->end;
    }
    return std::nullopt;
}

} // namespace

bool isMovieName(const std::filesystem::path& file) {
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".mp4" || ext == ".mov" || ext == ".m4v" || ext == ".3gp";
}

MovieCreated movieCreatedIn(std::uint64_t length, const platform::ReadAt& readAt) {
    MovieCreated out;
    bool failed = false;
    const auto moov = findBox(0, length, "moov", readAt, failed);
    const auto mvhd = moov ? findBox(moov->body, moov->end, "mvhd", readAt, failed) : std::nullopt;
    // Version and flags, then the creation time: 32 bits in version 0, 64 in version 1.
    const auto header = mvhd ? readAt(mvhd->body, 12) : std::nullopt;
    if (failed || (mvhd && !header)) {
        out.reason = "it cannot be read";
        return out;
    }
    const std::size_t width = header && !header->empty() && (*header)[0] == 1 ? 8 : 4;
    if (!header || header->size() < 4 + width || mvhd->end - mvhd->body < 4 + width) {
        out.reason = "it has no movie header";
        return out;
    }
    const std::uint64_t since1904 = bigEndian(*header, 4, width);
    // Zero is what a device writes that did not know the time; a time that is no date of the
    // years 1904 to 9999 is none either.
    constexpr std::uint64_t Year10000 = 253402300800ULL + From1904;
    if (since1904 == 0 || since1904 >= Year10000) {
        out.reason = "no creation date in its movie header";
        return out;
    }
    out.created = platform::Instant{static_cast<std::int64_t>(since1904) - From1904, 0};
    return out;
}

MovieCreated movieCreatedFrom(const std::string& bytes) {
    return movieCreatedIn(bytes.size(),
                          [&bytes](std::uint64_t at, std::size_t n) -> std::optional<std::string> {
                              if (at >= bytes.size()) return std::string();
                              return bytes.substr(static_cast<std::size_t>(at), n);
                          });
}

MovieCreated movieCreatedAt(const std::filesystem::path& file, const platform::FileId* expected) {
    MovieCreated out;
    const platform::ReadFailure failure = platform::readFileParts(
        file,
        [&out](std::uint64_t length, const platform::ReadAt& readAt) {
            out = movieCreatedIn(length, readAt);
        },
        expected);
    switch (failure) {
    case platform::ReadFailure::None:
        break;
    case platform::ReadFailure::Missing:
        out.reason = "it no longer exists";
        break;
    case platform::ReadFailure::Directory:
        out.reason = "it is a directory";
        break;
    case platform::ReadFailure::NotAFile:
        out.reason = "it is not a file";
        break;
    case platform::ReadFailure::Replaced:
        out.reason = "it was replaced since it was listed";
        break;
    default:
        out.reason = "it cannot be read";
        break;
    }
    return out;
}

} // namespace chronodex
