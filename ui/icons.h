// The program's pictures, painted in code: the main window's icon (a calendar page with a
// red circular arrow) and the message dialog's store of ten pictures.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace chronodex {

// The main window's icon at 16 to 64 pixels.
QIcon chronodexIcon();
// The same picture drawn at any size in pixels (the desktop's icon theme takes it at 16 to 256).
QPixmap chronodexPicture(int size);

enum class MessagePicture { Warning, Information, Stop, Gear, Question };

// One picture of the message dialog, drawn at the given size in pixels.
QPixmap messagePicture(MessagePicture picture, int size);

} // namespace chronodex
