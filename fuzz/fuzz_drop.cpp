// Fuzz target: a drop's URL list as a file manager hands it over, read into the program's
// paths, and a name's bytes through the program's text of them and through a file URL.
#include "fspath.h"
#include "intake.h"

#include <QMimeData>
#include <QUrl>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    QMimeData mime;
    mime.setData(QStringLiteral("text/uri-list"), bytes);
    const chronodex::ReadDrop drop = chronodex::readDrop(&mime);
    for (const QString& path : drop.data.files)
        chronodex::displayText(path);

    // Any bytes are a name on Linux: the program's text of them gives them back exactly.
    const QString name = chronodex::fromNativeBytes(bytes);
    if (chronodex::toNativeBytes(name) != bytes) std::abort();
    // So does a local file URL that carries them percent-encoded, as a drop does.
    if (bytes.startsWith('/') && !bytes.contains('\0')) {
        const QUrl url = QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"));
        if (chronodex::toNativeBytes(chronodex::pathFromUrl(url)) != bytes) std::abort();
    }
    return 0;
}
