// Paths cross into the platform layer as std::filesystem::path.
#pragma once

#include <QFile>
#include <QString>

#include <filesystem>

namespace chronodex {

// Windows paths are wide; elsewhere a path is the name in the local 8-bit encoding, which
// needs no conversion inside std::filesystem (this runs for every entry of long lists).
inline std::filesystem::path toFsPath(const QString& path) {
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

} // namespace chronodex
