#include "appinfo.h"

#include "version.h"

namespace chronodex {

VersionInfo currentVersion() {
    VersionInfo v;
    v.productName = QStringLiteral(CHRONODEX_PRODUCT_NAME);
    v.title = QStringLiteral(CHRONODEX_PRODUCT_NAME);
    v.major = CHRONODEX_VERSION_MAJOR;
    v.minor = CHRONODEX_VERSION_MINOR;
    v.revision = CHRONODEX_VERSION_REVISION;
    v.legalNotice = QStringLiteral(CHRONODEX_LEGAL_NOTICE);
    v.description = QStringLiteral(CHRONODEX_DESCRIPTION);
    v.comments = QStringLiteral(CHRONODEX_COMMENTS);
    return v;
}

QString versionNumberText(const VersionInfo& v) {
    return QStringLiteral("%1.%2.%3")
        .arg(v.major)
        .arg(v.minor, 2, 10, QLatin1Char('0'))
        .arg(v.revision, 4, 10, QLatin1Char('0'));
}

QString windowTitleFor(const VersionInfo& v) {
    return v.productName + QStringLiteral(" - version ") + versionNumberText(v);
}

} // namespace chronodex
