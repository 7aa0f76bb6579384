// What "Original date values:" shows for the selected object, read afresh from the file
// system each time an entry is selected.
#pragma once

#include "datetime.h"

#include <QString>

#include <array>
#include <optional>

namespace chronodex {

struct SelectionView {
    bool isDirectory = false;
    QString pathHeading; // "Directory:" or "File path:"
    QString pathText; // the directory part (or the whole path of a directory), one blank each side
    QString nameText; // the name, one blank each side, or " - " for a directory
    bool nameEnabled = true;
    QString sizeHeading; // "Directory size:" or " File size:"
    QString sizeText;    // " 4,096 bytes" or " N/A"
    bool sizeEnabled = false;
    // The stamps were read and may be edited and written: the editor rows are loaded.
    bool stampsRead = false;
    // The stamps were read and are shown, also for a file that may not be written.
    bool stampsShown = false;
    DateTime created = NoDate(0), modified = NoDate(0), accessed = NoDate(0);
    // Why the stamps, shown, cannot be written: the reason in words; empty where they can.
    QString notWritable;
    // The file's drive lets the program set its creation stamp.
    bool creationSettable = false;
    // The stamps exactly as kept (created, modified, accessed), where read.
    std::array<std::optional<platform::Instant>, 3> exact;
};

// Reads the object behind a path. One that was deleted or moved since it was listed shows
// its own path and name, with no size and no stamps.
SelectionView readSelection(const QString& path);

// The caption of a stamp label: a blank and the date, or " N/A " for no date; in the hour
// the clocks repeat, with the offset that tells which of the two it is.
QString stampText(const DateTime& value, const std::optional<platform::Instant>& exact = {});

} // namespace chronodex
