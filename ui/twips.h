// Layout is given in twips: 1440 to the logical inch (15 to a pixel at 96 DPI).
#pragma once

#include <QPaintDevice>
#include <QRect>

namespace chronodex {

inline int twipsToPixelsX(int twips, const QPaintDevice* device) {
    return qRound(twips * device->logicalDpiX() / 1440.0);
}
inline int twipsToPixelsY(int twips, const QPaintDevice* device) {
    return qRound(twips * device->logicalDpiY() / 1440.0);
}
inline double pixelsToTwipsX(double pixels, const QPaintDevice* device) {
    return pixels * 1440.0 / device->logicalDpiX();
}
inline double pixelsToTwipsY(double pixels, const QPaintDevice* device) {
    return pixels * 1440.0 / device->logicalDpiY();
}
inline QRect twipsRect(int left, int top, int width, int height, const QPaintDevice* device) {
    return QRect(twipsToPixelsX(left, device), twipsToPixelsY(top, device),
                 twipsToPixelsX(width, device), twipsToPixelsY(height, device));
}

} // namespace chronodex
