#include "sorting.h"

#include <QSet>

#include <algorithm>
#include <numeric>
#include <string_view>
#include <vector>

namespace chronodex {

void SortPaths(FilePathTable& paths, bool IgnoreCase, bool FullPath, QChar separator) {
    const QStringList entries = paths.entries();
    const auto n = static_cast<std::size_t>(entries.size());
    std::vector<std::u16string> keys(n);
    for (std::size_t i = 0; i < n; ++i) {
        QString key = FullPath ? entries[static_cast<qsizetype>(i)]
                               : SplitPath(entries[static_cast<qsizetype>(i)], true, separator);
        if (IgnoreCase) key = key.toUpper();
        keys[i] = key.toStdU16String();
    }
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    // std::u16string compares char16_t code units numerically; the stable sort keeps equal
    // keys in their earlier order, as the passes of a bubble sort do.
    std::stable_sort(order.begin(), order.end(),
                     [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    QStringList sorted;
    sorted.reserve(static_cast<qsizetype>(n));
    for (std::size_t i : order)
        sorted.append(entries[static_cast<qsizetype>(i)]);
    paths.assign(sorted);
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

QStringList withoutDuplicates(const QStringList& paths) {
    QSet<QString> seen;
    seen.reserve(paths.size());
    QStringList kept;
    kept.reserve(paths.size());
    for (const QString& p : paths)
        if (!seen.contains(p)) {
            seen.insert(p);
            kept.append(p);
        }
    return kept;
}

} // namespace chronodex
