#include "sorting.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace chronodex {
namespace {

// The paths seen so far, as views into the list's own strings. The standard library hashes
// such a view in about a third of the time a QSet<QString> takes per path here.
class SeenPaths {
  public:
    explicit SeenPaths(qsizetype n) { seen_.reserve(static_cast<std::size_t>(n)); }
    // True when the path was not seen before.
    bool add(const QString& path) {
        return seen_
            .insert(std::u16string_view(reinterpret_cast<const char16_t*>(path.utf16()),
                                        static_cast<std::size_t>(path.size())))
            .second;
    }

  private:
    std::unordered_set<std::u16string_view> seen_;
};

} // namespace

std::vector<int> sortedOrder(const QStringList& entries, bool IgnoreCase, bool FullPath,
                             QChar separator) {
    const auto n = static_cast<std::size_t>(entries.size());
    std::vector<QStringView> keys(n);
    for (std::size_t i = 0; i < n; ++i) {
        keys[i] = entries[static_cast<qsizetype>(i)];
        if (!FullPath) keys[i] = keys[i].mid(keys[i].lastIndexOf(separator) + 1);
    }
    // What every key begins with (the folder, in the full-path orders) cannot change the
    // order: it is left out, so that it is neither upper-cased nor compared. A surrogate
    // pair is never split.
    qsizetype common = n > 0 ? keys[0].size() : 0;
    for (std::size_t i = 1; i < n && common > 0; ++i) {
        const QStringView a = keys[0].first(std::min(common, keys[i].size()));
        common = std::mismatch(a.begin(), a.end(), keys[i].begin()).first - a.begin();
    }
    if (common > 0 && keys[0][common - 1].isHighSurrogate()) --common;
    for (std::size_t i = 0; i < n; ++i)
        keys[i] = keys[i].mid(common);
    // The upper-case keys, one after another in one string: ASCII keys upper-cased here,
    // others by Qt (a character may become two).
    std::u16string upper;
    if (IgnoreCase) {
        std::vector<std::size_t> ends(n);
        for (std::size_t i = 0; i < n; ++i) {
            const QStringView k = keys[i];
            if (std::all_of(k.begin(), k.end(), [](QChar c) { return c.unicode() < 0x80; })) {
                for (QChar c : k) {
                    const char16_t u = c.unicode();
                    upper += u >= 'a' && u <= 'z' ? static_cast<char16_t>(u - 'a' + 'A') : u;
                }
            } else {
                const QString u = k.toString().toUpper();
                upper.append(reinterpret_cast<const char16_t*>(u.utf16()),
                             static_cast<std::size_t>(u.size()));
            }
            ends[i] = upper.size();
        }
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t begin = i > 0 ? ends[i - 1] : 0;
            keys[i] = QStringView(upper.data() + begin, static_cast<qsizetype>(ends[i] - begin));
        }
    }
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    // Keys compare by UTF-16 code units; the stable sort keeps equal keys in their earlier
    // order, as the passes of a bubble sort do.
    std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) {
        return keys[static_cast<std::size_t>(a)].compare(keys[static_cast<std::size_t>(b)]) < 0;
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
    // Of k equal paths, k - 1 have an identical one after them: all but the first occurrences.
    const QStringList entries = paths.entries();
    return static_cast<int>(entries.size() -
                            static_cast<qsizetype>(firstOccurrences(entries).size()));
}

std::vector<int> firstOccurrences(const QStringList& paths) {
    SeenPaths seen(paths.size());
    std::vector<int> kept;
    kept.reserve(static_cast<std::size_t>(paths.size()));
    for (qsizetype i = 0; i < paths.size(); ++i)
        if (seen.add(paths[i])) kept.push_back(static_cast<int>(i));
    return kept;
}

QStringList withoutDuplicates(const QStringList& paths) {
    return pick(paths, firstOccurrences(paths));
}

} // namespace chronodex
