#include "fspath.h"

#include <QFile>
#include <QUrl>

namespace chronodex {
namespace {

constexpr char16_t EscapeBase = 0xDC00; // byte b travels as U+DC00 + b (b is 0x80 or more)
constexpr char16_t Replacement = 0xFFFD;

bool isEscapedByte(char16_t c) {
    return c >= EscapeBase + 0x80 && c <= EscapeBase + 0xFF;
}

// The length of the well-formed UTF-8 sequence at `i`, and its code point; 0 when the bytes
// there are not one (overlong forms, surrogates and values past U+10FFFF included).
int utf8Sequence(const QByteArray& s, qsizetype i, char32_t& cp) {
    const auto byte = [&](qsizetype k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    int len = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    for (int k = 1; k < len; ++k) {
        const unsigned char b = byte(i + k);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

} // namespace

QString fromNativeBytes(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t cp = 0;
        const int len = utf8Sequence(bytes, i, cp);
        if (len == 0) {
            out.append(QChar(char16_t(EscapeBase + static_cast<unsigned char>(bytes[i]))));
            ++i;
            continue;
        }
        if (cp > 0xFFFF) {
            const char32_t v = cp - 0x10000;
            out.append(QChar(char16_t(0xD800 + (v >> 10))));
            out.append(QChar(char16_t(0xDC00 + (v & 0x3FF))));
        } else {
            out.append(QChar(char16_t(cp)));
        }
        i += len;
    }
    return out;
}

QByteArray toNativeBytes(const QString& path) {
    QByteArray out;
    out.reserve(path.size());
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t c = path[i].unicode();
        if (c < 0x80) {
            out.append(static_cast<char>(c));
        } else if (isEscapedByte(c)) {
            out.append(static_cast<char>(c - EscapeBase));
        } else if (QChar::isHighSurrogate(c) && i + 1 < path.size() &&
                   QChar::isLowSurrogate(path[i + 1].unicode())) {
            out.append(QString(path.constData() + i, 2).toUtf8());
            ++i;
        } else {
            out.append(QString(path[i]).toUtf8()); // a lone surrogate of no byte becomes U+FFFD
        }
    }
    return out;
}

std::filesystem::path toFsPath(const QString& path) {
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    const QByteArray bytes = toNativeBytes(path);
    return std::filesystem::path(
        std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
#endif
}

QString fromArgument(const char* argument, const QString& decoded) {
#ifdef Q_OS_WIN
    Q_UNUSED(argument);
    return decoded;
#else
    Q_UNUSED(decoded);
    return fromNativeBytes(QByteArray(argument));
#endif
}

QString pathFromUrl(const QUrl& url) {
#ifdef Q_OS_WIN
    return url.toLocalFile();
#else
    // A file URL of another host names no local path here; Qt's own reading serves it.
    if (!url.host().isEmpty() && url.host() != QLatin1String("localhost")) return url.toLocalFile();
    return fromNativeBytes(
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
#endif
}

QString displayText(const QString& path) {
    QString out = path;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const char16_t c = out[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < out.size() &&
            QChar::isLowSurrogate(out[i + 1].unicode())) {
            ++i; // a character beyond 16 bits, whose second half may look like a byte
            continue;
        }
        if (isEscapedByte(c) || c < 0x20 || c == 0x7F) out[i] = QChar(Replacement);
    }
    return out;
}

} // namespace chronodex
