// The warning sound.
#pragma once

#include "platform/sound.h"

#include <QString>

namespace chronodex {

// Asks the player to play a wave file in the background (repeating with LoopSound) and
// returns at once. Only names ending in ".wav" or ".dat" (any letter case), and the empty
// name, are played; anything else returns false, after a message box when ShowError is
// true. A file that does not exist plays the system's warning sound instead.
// The player stops the sound when it is destroyed; the message dialog owns one.
bool PlayWAV(platform::SoundPlayer& player, const QString& WavFile, bool LoopSound, bool ShowError);

} // namespace chronodex
