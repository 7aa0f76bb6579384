// "Undo last update": the stamps that the last command's entries had before it wrote them,
// exactly as their file systems kept them, kept in memory only and put back on request.
#pragma once

#include "update.h"

#include "platform/files.h"

#include <QString>

#include <vector>

namespace chronodex {

class UndoStore {
  public:
    // A new command starts: what the previous one kept is forgotten once this one keeps
    // something, so a command that writes nothing leaves the last undo as it was.
    void begin() { fresh_ = true; }

    // Keeps what a file had before a write, when that write was done: only the stamps the
    // outcome reports as written are kept, so an undo puts back exactly what was changed.
    // `path` is the entry's path text as the list holds it; it becomes the system's path only
    // when the undo writes. `before` is what the writer reports the file had.
    // `id` is the object written, the only one the undo writes to.
    void keep(const QString& path, const platform::FileTimes& before,
              const platform::WriteOutcome& outcome, const platform::FileId& id);

    bool canUndo() const { return !entries_.empty(); }
    std::size_t size() const { return entries_.size(); }

    // Puts the kept stamps back, the last kept first, and forgets them. The outcomes, each
    // under its entry's path text, are for notWrittenReport (with `exactly`): the entries
    // that could not be put back, or not exactly, and why.
    std::vector<EntryOutcome> undo();

  private:
    struct Kept {
        QString path;
        platform::StampsToWrite stamps;
        platform::FileId id;
    };
    std::vector<Kept> entries_;
    bool fresh_ = false;
};

} // namespace chronodex
