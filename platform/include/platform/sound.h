// Background playback of a sound file, with the system's warning sound standing in when
// the file is missing. No Qt here.
#pragma once

#include <string>

namespace platform {

// Asks the system to play the file (or, when it does not exist, the default warning sound)
// without waiting for it to finish; `loop` repeats it. Returns false only when the request
// could not be made at all.
bool playSoundAsync(const std::string& file, bool loop);

} // namespace platform
