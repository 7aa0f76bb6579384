// The platform's standard message box: an exclamation icon, one OK button and a title.
#pragma once

#include <QString>

namespace chronodex {

void showStandardMessageBox(const QString& title, const QString& text);

} // namespace chronodex
