#include "about.h"

#include "textfunctions.h"

namespace chronodex {

QString aboutText(const VersionInfo& v) {
    const QString crlf = QStringLiteral("\r\n");
    QString t = v.productName + QStringLiteral("  (") + v.title + QLatin1Char(')') + crlf + crlf;
    t += QStringLiteral("Version;\t\t") + versionNumberText(v) + QStringLiteral(" (") +
         aboutBuildDate + QLatin1Char(')') + crlf;
    t += QStringLiteral("By;\t\t") + v.legalNotice + crlf;
    t += QStringLiteral("Website;\t") + aboutWebsite + crlf;
    t += QStringLiteral("Email;\t\t") + aboutEmail + crlf;
    if (!v.description.isEmpty())
        t += crlf + QStringLiteral("Description:") + crlf +
             swapString(v.description, QStringLiteral("|"), crlf, true) + crlf;
    if (!v.comments.isEmpty())
        t += crlf + QStringLiteral("Comments:") + crlf +
             swapString(v.comments, QStringLiteral("|"), crlf, true) + crlf;
    return t;
}

} // namespace chronodex
