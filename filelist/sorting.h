// The Edit menu's list commands: four sort orders and the removal of duplicated paths.
#pragma once

#include "listmodel.h"

#include <vector>

namespace chronodex {

// Sorts slots 1 to n of the path table, stably, by the name part or the full path, with or
// without regard to letter case (keys upper-cased), comparing UTF-16 code units: upper-case
// letters before lower-case in the case-sensitive orders, and characters between the two
// (such as "_") after all letters in the others. Slot 0 stays first; each entry keeps its
// kind and tick. The same order as n full bubble-sort passes, in n log n with each key
// formed once.
void SortPaths(FilePathTable& paths, bool IgnoreCase, bool FullPath, QChar separator);
// The same order as positions: entry k of the sorted list is entry order[k] of `paths`.
std::vector<int> sortedOrder(const QStringList& paths, bool IgnoreCase, bool FullPath,
                             QChar separator);

// Maps a sort item's index to its flags: 0 names, 1 names ignoring case, 2 full paths,
// 3 full paths ignoring case; anything else is 0.
struct SortOrder {
    bool IgnoreCase = false;
    bool FullPath = false;
};
SortOrder sortOrderFor(int Index);

// The number of entries that have an identical path (exact, case-sensitive) later in the
// list: what removing duplicates takes away.
int DuplicateCount(const FilePathTable& paths);

// The entries with every repeated path after its first occurrence removed, in order.
QStringList withoutDuplicates(const QStringList& paths);
// The positions of the entries that removal keeps: the first occurrence of each path.
std::vector<int> firstOccurrences(const QStringList& paths);

// The items at the given positions, in that order.
template <class List> List pick(const List& items, const std::vector<int>& positions) {
    List out;
    out.reserve(static_cast<decltype(out.size())>(positions.size()));
    for (int i : positions)
        out.push_back(items[static_cast<decltype(out.size())>(i)]);
    return out;
}

} // namespace chronodex
