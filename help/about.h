// The About box's text, built from the program's version information.
#pragma once

#include "appinfo.h"

#include <QString>

namespace chronodex {

// Fixed lines of the About box.
inline const QString aboutBuildDate = QStringLiteral("2/06/2025 -  4:40pm");
inline const QString aboutWebsite = QStringLiteral("https://chronodex.example.org");
inline const QString aboutEmail = QStringLiteral("chronodex@example.org");

QString aboutText(const VersionInfo& v);

} // namespace chronodex
