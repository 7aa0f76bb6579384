#include "sorting.h"

#include <QSet>

#include <algorithm>
#include <numeric>
#include <string_view>
#include <vector>

namespace chronodex {

std::vector<int> sortedOrder(const QStringList& entries, bool IgnoreCase, bool FullPath,
                             QChar separator) {
    const auto n = static_cast<std::size_t>(entries.size());
    // Keys point into the paths; only the upper-cased ones are new texts.
    std::vector<QString> upper(IgnoreCase ? n : 0);
    std::vector<std::u16string_view> keys(n);
    for (std::size_t i = 0; i < n; ++i) {
        QStringView key = entries[static_cast<qsizetype>(i)];
        if (!FullPath) key = key.mid(key.lastIndexOf(separator) + 1);
        if (IgnoreCase) {
            upper[i] = key.toString().toUpper();
            key = upper[i];
        }
        keys[i] = std::u16string_view(key.utf16(), static_cast<std::size_t>(key.size()));
    }
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    // std::u16string_view compares char16_t code units numerically; the stable sort keeps equal
    // keys in their earlier order, as the passes of a bubble sort do.
    std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) {
        return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)];
    });
    return order;
}

void SortPaths(FilePathTable& paths, bool IgnoreCase, bool FullPath, QChar separator) {
    paths.reorder(sortedOrder(paths.entries(), IgnoreCase, FullPath, separator));
}

SortOrder sortOrderFor(int Index) {
    switch (Index) {
    case 1:
        return {true, false};
    case 2:
        return {false, true};
    case 3:
        return {true, true};
    default:
        return {false, false};
    }
}

int DuplicateCount(const FilePathTable& paths) {
    const QStringList entries = paths.entries();
    QSet<QString> distinct;
    distinct.reserve(entries.size());
    for (const QString& p : entries)
        distinct.insert(p);
    // Of k equal paths, k - 1 have an identical one after them.
    return static_cast<int>(entries.size() - distinct.size());
}

std::vector<int> firstOccurrences(const QStringList& paths) {
    QSet<QString> seen;
    seen.reserve(paths.size());
    std::vector<int> kept;
    kept.reserve(static_cast<std::size_t>(paths.size()));
    for (qsizetype i = 0; i < paths.size(); ++i)
        if (!seen.contains(paths[i])) {
            seen.insert(paths[i]);
            kept.push_back(static_cast<int>(i));
        }
    return kept;
}

QStringList withoutDuplicates(const QStringList& paths) {
    return pick(paths, firstOccurrences(paths));
}

} // namespace chronodex
