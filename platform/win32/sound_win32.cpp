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
    const DWORD repeat = loop ? SND_LOOP : 0;
    // The result is not examined: a missing file still plays the default sound. No name
    // at all plays the warning sound (PlaySound given no name would stop sounds instead).
    if (name.empty())
        PlaySoundW(L"SystemExclamation", nullptr, SND_ALIAS | SND_ASYNC | repeat);
    else
        PlaySoundW(name.c_str(), nullptr, SND_FILENAME | SND_ASYNC | repeat);
    return true;
}

} // namespace platform
