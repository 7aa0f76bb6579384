#include "playwav.h"

#include "appinfo.h"
#include "messagebox.h"

#include "platform/sound.h"

namespace chronodex {

bool PlayWAV(platform::SoundPlayer& player, const QString& WavFile, bool LoopSound,
             bool ShowError) {
    const QString extension = WavFile.right(4).toUpper();
    if (extension == QLatin1String(".DAT") || extension == QLatin1String(".WAV") ||
        WavFile.isEmpty()) {
        if (player.play(WavFile.toStdString(), LoopSound)) return true;
        if (ShowError)
            showStandardMessageBox(
                currentVersion().productName + QStringLiteral(" - Sound file error."),
                QStringLiteral("The sound could not be requested from the system.\r\n\tErr 1"));
        return false;
    }
    if (ShowError)
        showStandardMessageBox(
            currentVersion().productName + QStringLiteral(" - Sound file error."),
            QStringLiteral("Can't play this wave file, wrong .wav extent passed to "
                           "function.\rPlayWAV(\"") +
                WavFile + QStringLiteral("\", ..."));
    return false;
}

} // namespace chronodex
