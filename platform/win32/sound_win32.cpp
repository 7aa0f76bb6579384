// PlaySound in the background; Windows plays its default sound when the file is missing.
#include "platform/sound.h"

#include "wide.h"

#include <mmsystem.h>

namespace platform {

bool playSoundAsync(const std::string& file, bool loop) {
    const std::wstring name = widen(file);
    // The result is not examined: a missing file still plays the default sound.
    PlaySoundW(name.empty() ? nullptr : name.c_str(), nullptr,
               loop ? (SND_ASYNC | SND_LOOP) : SND_ASYNC);
    return true;
}

} // namespace platform
