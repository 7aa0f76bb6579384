// The fonts of the program's windows.
#pragma once

#include <QFont>

class QWidget;

namespace chronodex {

// MS Sans Serif where it exists (Windows), else the first metric-compatible face the system
// has, at 8.25 points and not bold.
QFont dialogFont();

// Makes the dialog font the application's, so that the program's own windows share one face;
// standard message boxes, menus and tooltips keep the font they had. Call it once, before the
// first window.
void setProgramFont();

// A frame's caption is bold; what stands inside it is not.
void boldCaption(QWidget* frame, const QFont& regular);

} // namespace chronodex
