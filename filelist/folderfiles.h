// The files inside folders, at every level below them, for the list.
#pragma once

#include "progress.h"

#include <QStringList>

namespace chronodex {

struct FolderFiles {
    QStringList files;      // in the order of the walk
    QStringList unreadable; // folders that could not be read, as the list would show them
    bool stopped = false;   // Cancel was pressed: the walk ended early
    bool overflow = false;  // more than the limit were found: the walk ended there
};

// Walks each folder in turn, depth first. A folder's entries are taken in the byte order of
// their names (on Windows, of their UTF-16 names), a subfolder's files where its name comes.
// Every object
// that is not a folder is a file, a link to a file too; a link to a folder is not followed,
// and a folder reached twice (a junction or a bind mount looping back) is walked once.
// Stops after `limit` + 1 files. `progress` is told before each folder is read, with the
// number of folders read so far.
FolderFiles filesInFolders(const QStringList& folders, qsizetype limit,
                           const Progress& progress = {});

} // namespace chronodex
