// Fuzz target: a photo's bytes, read for the date it was taken as "Dates from photos" reads
// them (libexiv2 on memory), and the Exif date and offset texts themselves.
#include "phototaken.h"

#include <exiv2/exiv2.hpp>

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute); // the library's warnings about broken files
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    chronodex::photoTakenFrom(bytes);
    chronodex::parseExifDate(bytes);
    chronodex::parseExifOffset(bytes);
    return 0;
}
