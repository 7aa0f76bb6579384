// "Undo last update": the stamps that the last command's entries had before it wrote them,
// kept in memory only, and put back on request.
#pragma once

#include "update.h"

#include "platform/files.h"

#include <QString>

#include <filesystem>
#include <utility>
#include <vector>

namespace chronodex {

class UndoStore {
  public:
    // A new command starts: what the previous one kept is forgotten.
    void begin() { entries_.clear(); }

    // Keeps what a file had before a write, when that write was done: only the stamps the
    // outcome reports as written are kept, so an undo puts back exactly what was changed.
    // `path` is the entry's path text as the list holds it; it becomes the system's path only
    // when the undo writes. `before` is what platform::readFileTimes gave right before the
    // write, or what the outcome of platform::writeFileTimes reports the file had.
    void keep(const QString& path, const platform::FileTimes& before,
              const platform::WriteOutcome& outcome);

    // Reads the file's stamps, runs `write` (which writes them and returns its outcome) and
    // keeps what the file had when the write was done. Returns the outcome.
    template <class Write>
    platform::WriteOutcome record(const std::filesystem::path& file, const QString& path,
                                  Write&& write) {
        const platform::FileTimes before = platform::readFileTimes(file);
        platform::WriteOutcome outcome = std::forward<Write>(write)();
        keep(path, before, outcome);
        return outcome;
    }

    bool canUndo() const { return !entries_.empty(); }
    std::size_t size() const { return entries_.size(); }

    // Puts the kept stamps back, the last kept first, and forgets them. The outcomes, each
    // under its entry's path text, are for notWrittenReport: the entries that could not be
    // put back, and why.
    std::vector<EntryOutcome> undo();

  private:
    struct Kept {
        QString path;
        std::optional<platform::SystemTime> created, accessed, modified;
    };
    std::vector<Kept> entries_;
};

} // namespace chronodex
