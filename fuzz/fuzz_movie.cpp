// Fuzz target: a video's bytes, walked box by box for the creation time of its movie header
// as "Dates from photos" reads it from a file.
#include "moviedate.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    chronodex::movieCreatedFrom(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
