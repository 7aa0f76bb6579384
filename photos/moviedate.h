// The date a video was made: the creation time in its movie header ('mvhd' inside 'moov'),
// which MP4, MOV, M4V and 3GP files keep as seconds since 1904-01-01 00:00:00 UTC. The boxes
// of the file are walked by their headers only, read at their places, so a video of any
// length costs a few small reads wherever its header lies. Standard C++, no Qt.
#pragma once

#include "platform/files.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace chronodex {

struct MovieCreated {
    // The instant the movie header gives; nothing when there is none.
    std::optional<platform::Instant> created;
    // Why there is none, in the user's words: "no creation date in its movie header", "it has
    // no movie header", or a reason of the reading ("it no longer exists", ...).
    std::string reason;
};

// The files read as videos, by their name's extension (any case): .mp4, .mov, .m4v, .3gp.
bool isMovieName(const std::filesystem::path& file);

// The creation time of a movie whose bytes are read through `readAt` (`length` bytes long).
MovieCreated movieCreatedIn(std::uint64_t length, const platform::ReadAt& readAt);
// The same from bytes in memory.
MovieCreated movieCreatedFrom(const std::string& bytes);
// The same from a file, through one checked open that leaves its accessed stamp as it was.
// With `expected`, only the object listed is read.
MovieCreated movieCreatedAt(const std::filesystem::path& file,
                            const platform::FileId* expected = nullptr);

} // namespace chronodex
