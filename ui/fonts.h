// The fonts of the program's windows.
#pragma once

#include <QFont>

class QWidget;

namespace chronodex {

// The family where the system has it; else the first sans-serif face it has of Arial, Tahoma
// and their stand-ins (Liberation Sans, DejaVu Sans). A missing face would be replaced by the
// system's default, a serif one where no Windows fonts are installed (Wine).
QString availableFamily(const QString& family);

// MS Sans Serif where it exists (Windows), else the first metric-compatible face the system
// has, at 8.25 points and not bold.
QFont dialogFont();

// Makes the dialog font the application's, so that the program's own windows share one face;
// standard message boxes, menus and tooltips keep the size and face they had, a face the
// system does not have replaced as above. Call it once, before the first window.
void setProgramFont();

// A frame's caption is bold; what stands inside it is not.
void boldCaption(QWidget* frame, const QFont& regular);

} // namespace chronodex
