// Paths cross into the platform layer as std::filesystem::path. On Windows a path is wide
// text; elsewhere it is bytes, which need not be UTF-8 (old disks and archives hold names in
// other encodings). Such bytes travel inside the program's QStrings as the lone surrogates
// U+DC80 to U+DCFF, one per byte, so that every name reaches the system exactly as the
// system gave it, and show as replacement characters.
#pragma once

#include "platform/names.h"

#include <QByteArray>
#include <QString>

#include <filesystem>

class QUrl;

namespace chronodex {

// The program's text of a path the system gave as bytes, and those bytes back.
QString fromNativeBytes(const QByteArray& bytes);
QByteArray toNativeBytes(const QString& path);

std::filesystem::path toFsPath(const QString& path);
// The program's text of a path the system gave.
QString fromFsPath(const std::filesystem::path& path);
// The same path as the system's own string, for the calls made once per entry of the list.
platform::NativePath toNativePath(const QString& path);

// The path of a local file URL, byte for byte as its percent-encoding carries it.
QString pathFromUrl(const QUrl& url);

// A path or name as the window shows it: bytes that are not text, and control characters
// such as a newline, as the replacement character.
QString displayText(const QString& path);

} // namespace chronodex
