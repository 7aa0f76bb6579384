// Background playback of a sound file, with the system's warning sound standing in when
// the file is missing. No Qt here.
#pragma once

#include <memory>
#include <string>

namespace platform {

// Plays one sound at a time in the background. Whatever it still plays when it is
// destroyed is stopped, so nothing of it outlives its owner.
class SoundPlayer {
  public:
    SoundPlayer();
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Starts playing the file (or, when it does not exist, the default warning sound)
    // and returns at once; `loop` repeats it. What was playing before is stopped. Returns
    // false only when the request could not be made at all.
    bool play(const std::string& file, bool loop);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace platform
