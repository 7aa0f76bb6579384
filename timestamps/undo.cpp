#include "undo.h"

#include "fspath.h"

#include <algorithm>

namespace chronodex {

void UndoStore::keep(const QString& path, const platform::FileTimes& before,
                     const platform::WriteOutcome& outcome) {
    if (!outcome.written() || !before.read) return;
    const auto wrote = [](platform::StampWrite w) { return w == platform::StampWrite::Written; };
    Kept kept{path, {}, {}, {}};
    if (wrote(outcome.created)) kept.created = before.created;
    if (wrote(outcome.accessed)) kept.accessed = before.accessed;
    if (wrote(outcome.modified)) kept.modified = before.modified;
    if (kept.created || kept.accessed || kept.modified) entries_.push_back(std::move(kept));
}

std::vector<EntryOutcome> UndoStore::undo() {
    std::vector<EntryOutcome> outcomes;
    outcomes.reserve(entries_.size());
    // Last kept, first put back: a file listed twice was written twice, and ends with what it
    // had before the first write. Every entry kept was a regular file when it was written.
    for (auto k = entries_.rbegin(); k != entries_.rend(); ++k)
        outcomes.push_back({k->path, platform::writeFileTimes(toNativePath(k->path), k->created,
                                                              k->accessed, k->modified, true)});
    std::reverse(outcomes.begin(), outcomes.end()); // reported in the list's order
    entries_.clear();
    return outcomes;
}

} // namespace chronodex
