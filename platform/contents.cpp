// A file's whole contents, up to a limit, through the one checked open of readFileParts: the
// same on every system.
#include "platform/files.h"

namespace platform {

FileContents readFileContents(const std::filesystem::path& path, std::size_t limit,
                              const FileId* expected) {
    FileContents out;
    ReadFailure inside = ReadFailure::None;
    out.failure = readFileParts(
        path,
        [&](std::uint64_t length, const ReadAt& readAt) {
            if (length > limit) {
                inside = ReadFailure::TooLarge;
                return;
            }
            // Fewer bytes when the file became shorter while it was read.
            auto bytes = readAt(0, static_cast<std::size_t>(length));
            if (bytes)
                out.bytes = std::move(*bytes);
            else
                inside = ReadFailure::Unreadable;
        },
        expected);
    if (out.failure == ReadFailure::None) out.failure = inside;
    return out;
}

} // namespace platform
