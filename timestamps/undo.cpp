#include "undo.h"

#include "fspath.h"

#include <algorithm>

namespace chronodex {

void UndoStore::keep(const QString& path, const platform::FileTimes& before,
                     const platform::WriteOutcome& outcome, const platform::FileId& id) {
    if (!outcome.written()) return;
    const auto changed = [](platform::StampWrite w) {
        return w == platform::StampWrite::Written || w == platform::StampWrite::Rounded;
    };
    Kept kept{path, {}, id};
    if (changed(outcome.created)) kept.stamps.created = before.created;
    if (changed(outcome.accessed)) kept.stamps.accessed = before.accessed;
    if (changed(outcome.modified)) kept.stamps.modified = before.modified;
    if (!kept.stamps.created && !kept.stamps.accessed && !kept.stamps.modified) return;
    if (std::exchange(fresh_, false)) entries_.clear();
    entries_.push_back(std::move(kept));
}

std::vector<EntryOutcome> UndoStore::undo() {
    std::vector<EntryOutcome> outcomes;
    outcomes.reserve(entries_.size());
    // Last kept, first put back: a file listed twice was written twice, and ends with what it
    // had before the first write. Only the object written is written again.
    for (auto k = entries_.rbegin(); k != entries_.rend(); ++k)
        outcomes.push_back(
            {k->path, platform::writeFileTimes(toNativePath(k->path), k->stamps, k->id.toCheck())});
    std::reverse(outcomes.begin(), outcomes.end()); // reported in the list's order
    entries_.clear();
    fresh_ = false;
    return outcomes;
}

} // namespace chronodex
