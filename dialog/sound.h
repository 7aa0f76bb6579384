// The warning sound.
#pragma once

#include <QString>

namespace chronodex {

// Asks the system to play a wave file in the background (repeating with LoopSound) and
// returns at once. Only names ending in ".wav" or ".dat" (any letter case), and the empty
// name, are played; anything else returns false, after a message box when ShowError is
// true. A file that does not exist plays the system's warning sound instead.
bool PlayWAV(const QString& WavFile, bool LoopSound, bool ShowError);

} // namespace chronodex
