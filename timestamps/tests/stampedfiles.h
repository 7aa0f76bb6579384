// Files with known stamps, for the tests that read, shift and put back real files' stamps.
#pragma once

#include "filehelpers.h"

namespace chronodex::testing {

struct Stamps {
    qint64 accessed = 0, modified = 0;
    bool operator==(const Stamps&) const = default;
};

inline Stamps stampsOf(const QString& path) {
    return {accessedSeconds(path), modifiedSeconds(path)};
}

// Makes the named files in `dir` with their stamps; their paths, in the same order.
inline QStringList stampedFiles(const QTemporaryDir& dir, const QStringList& names,
                                const std::vector<Stamps>& stamps) {
    QStringList paths;
    for (qsizetype i = 0; i < names.size(); ++i) {
        paths << makeFile(dir, names[i]);
        if (!setStamps(paths[i], stamps.at(i).accessed, stamps.at(i).modified))
            qFatal("cannot set the stamps of %s", qPrintable(paths[i]));
    }
    return paths;
}

} // namespace chronodex::testing
