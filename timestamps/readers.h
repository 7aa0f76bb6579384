// Reading what the file system knows of one object: a file's three stamps, a directory's
// creation stamp and a file's length. Stamps are shown in local time, converted from the
// file system's UTC by the rules of each date; fractions of a second are dropped.
#pragma once

#include "core/datetime.h"

#include "platform/files.h"

#include <QString>

#include <array>
#include <optional>

namespace chronodex {

// A file's stamps and whether the program may write them.
struct FileDates {
    DateTime created = NoDate(0), modified = NoDate(0), accessed = NoDate(0);
    // Every stamp the file keeps was read (a stamp it does not keep stays NoDate(0)).
    bool read = false;
    // The file could be opened for reading and writing without sharing: only such a file's
    // stamps are edited and written. A read-only file or a file in use is read, not writable.
    bool writable = false;
    // Why it is not writable (read-only file, write-protected drive, in use...).
    platform::WriteFailure unwritable{};
    // Its drive lets the program set its creation stamp.
    bool creationSettable = false;
    // The stamps exactly as the file system keeps them, in the order created, modified,
    // accessed; empty where not kept.
    std::array<std::optional<platform::Instant>, 3> exact;
};

// Reads a file's stamps without opening it for writing. A stamp before the year 100 or
// after 9999, which the program cannot show, is reported in a message box and the stamps
// count as not read (stamps read before it are kept). Directories, other non-regular objects
// and missing paths are not read, without a message.
FileDates ReadFileDates(const QString& path);

// The window's reader: fills the three stamps of a file (each NoDate(0) when not read) and
// returns true when the file may be written and every stamp it keeps was read. Files that
// may not be written (read-only, in use), directories and other non-regular objects give
// false and NoDate(0), without a message. A stamp the program cannot show is reported as
// ReadFileDates does. Where the file system keeps no creation stamp, `created` stays
// NoDate(0).
// `exact`, when given, receives the stamps exactly as FileDates::exact does.
bool GetFileDates(const QString& path, DateTime& created, DateTime& modified, DateTime& accessed,
                  std::array<std::optional<platform::Instant>, 3>* exact = nullptr);

// The creation stamp of a directory (one trailing separator ignored), or NoDate(1). A drive
// root (C:\ , also C: or C:/; a share's root; / on Linux) goes to GetDriveCreated.
DateTime GetDirectoryCreated(QString path);

// A drive root has no creation stamp in this program: always NoDate(1).
DateTime GetDriveCreated(const QString& path);

// The length of a normal file in bytes; -1 for hidden and system files, directories,
// missing paths and files that cannot be read.
qint64 GetFileLength(const QString& path);

} // namespace chronodex
