#include "fspath.h"

#include "platform/names.h"

#include <QDir>
#include <QUrl>

#include <algorithm>

namespace chronodex {
namespace {

std::u16string_view textOf(const QString& path) {
    return {reinterpret_cast<const char16_t*>(path.utf16()), static_cast<std::size_t>(path.size())};
}

} // namespace

QString fromNativeBytes(const QByteArray& bytes) {
    return QString::fromStdU16String(platform::textOfBytes(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

QByteArray toNativeBytes(const QString& path) {
    const std::string bytes = platform::bytesOfText(textOf(path));
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::filesystem::path toFsPath(const QString& path) {
    return platform::pathOf(textOf(path));
}

QString fromFsPath(const std::filesystem::path& path) {
    if (!platform::namesAreBytes()) return QString::fromStdU16String(path.u16string());
    const std::string bytes = path.string(); // where names are bytes: the bytes themselves
    return fromNativeBytes(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

platform::NativePath toNativePath(const QString& path) {
    return platform::nativePathOf(textOf(path));
}

QString pathFromUrl(const QUrl& url) {
    // A file URL of another host names no local path here; Qt's own reading serves it, as it
    // does where names are text. The path table keeps the system's own separators.
    const QString host = url.host();
    const bool local = host.isEmpty() || host == QLatin1String("localhost");
    if (!platform::namesAreBytes() || !local) return QDir::toNativeSeparators(url.toLocalFile());
    // The URL keeps its path decoded wherever that is plain text, and such a path is the name
    // as it stands: a drop of thousands of files is read without decoding each one twice. A
    // path that still holds a %XX (a byte that is not UTF-8, a control character, '%', '#',
    // '?', an encoded '/') or a UTF-16 surrogate (a character beyond U+FFFF, or a byte kept
    // as text) is turned back into the name's bytes in full.
    const QString path = url.path(QUrl::PrettyDecoded);
    const auto plain = [](QChar c) { return c != QLatin1Char('%') && !c.isSurrogate(); };
    if (std::all_of(path.begin(), path.end(), plain)) return path;
    return fromNativeBytes(
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

QString displayText(const QString& path) {
    // Read through a const view: the text is copied only when a character must change.
    QString out = path;
    const QChar* in = path.constData();
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t c = in[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < path.size() &&
            QChar::isLowSurrogate(in[i + 1].unicode())) {
            ++i; // a character beyond 16 bits, whose second half may look like a byte
            continue;
        }
        if (platform::isEscapedByte(c) || c < 0x20 || c == 0x7F) out[i] = QChar(0xFFFD);
    }
    return out;
}

} // namespace chronodex
