// PlaySound in the background; Windows plays its default sound when the file is missing,
// and owns the playing itself.
#include "platform/sound.h"

#include "wide.h"

#include <mmsystem.h>

namespace platform {

struct SoundPlayer::Impl {};

SoundPlayer::SoundPlayer() : impl_(std::make_unique<Impl>()) {}
SoundPlayer::~SoundPlayer() = default;

bool SoundPlayer::play(const std::string& file, bool loop) {
    const std::wstring name = widen(file);
    // The result is not examined: a missing file still plays the default sound.
    PlaySoundW(name.empty() ? nullptr : name.c_str(), nullptr,
               loop ? (SND_ASYNC | SND_LOOP) : SND_ASYNC);
    return true;
}

} // namespace platform
