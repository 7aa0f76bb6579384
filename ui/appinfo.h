// The program's own version information, as the title, the messages and the About box
// read it.
#pragma once

#include <QString>

namespace chronodex {

struct VersionInfo {
    QString productName;
    QString title;
    int major = 0;
    int minor = 0;
    int revision = 0;
    QString legalNotice;
    QString description;
    QString comments;
};

// This build's version information, from the build system.
VersionInfo currentVersion();

// "0.00.0003": the major number, the minor with at least two digits and the revision with
// at least four (numbers wider than that are written in full).
QString versionNumberText(const VersionInfo& v);

// "Chronodex - version 0.00.0003".
QString windowTitleFor(const VersionInfo& v);

} // namespace chronodex
