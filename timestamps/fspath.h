// Paths cross into the platform layer as std::filesystem::path.
#pragma once

#include <QString>

#include <filesystem>

namespace chronodex {

inline std::filesystem::path toFsPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

} // namespace chronodex
