#include "icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace chronodex {
namespace {

// Everything is drawn on a 64 x 64 grid and scaled to the size asked for.
QPixmap canvas(int size, QPainter& p) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    p.begin(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    return pixmap;
}

void drawCalendar(QPainter& p) {
    // The page with its red binding strip and two rings.
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(6, 10, 48, 46), 4, 4);
    p.setBrush(QColor(200, 40, 40));
    p.drawRect(QRectF(6, 10, 48, 12));
    p.setPen(QPen(QColor(60, 60, 60), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18, 6), QPointF(18, 15));
    p.drawLine(QPointF(42, 6), QPointF(42, 15));
    // A grid of days.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 120, 120));
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 5; ++col)
            p.drawRect(QRectF(11 + col * 8.5, 27 + row * 7, 5, 4));
    // The red circular arrow over the lower right corner.
    const QRectF ring(30, 30, 30, 30);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 8, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(ring, 120 * 16, 270 * 16);
    p.setPen(QPen(QColor(210, 20, 20), 5, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(ring, 120 * 16, 270 * 16);
    // Arrow head at the end of the arc (at 30 degrees).
    const QPointF c = ring.center();
    const double r = ring.width() / 2;
    const double a = qDegreesToRadians(30.0);
    const QPointF tip(c.x() + r * std::cos(a), c.y() - r * std::sin(a));
    QPainterPath head;
    head.moveTo(tip + QPointF(-7, -4));
    head.lineTo(tip + QPointF(7, -4));
    head.lineTo(tip + QPointF(0, 7));
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 20, 20));
    p.drawPath(head);
}

void drawDisc(QPainter& p, const QColor& colour) {
    p.setPen(QPen(colour.darker(130), 2));
    p.setBrush(colour);
    p.drawEllipse(QRectF(4, 4, 56, 56));
}

void drawSymbol(QPainter& p, const QString& text, const QColor& colour, int pixelSize) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(pixelSize);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(QRectF(0, 2, 64, 62), Qt::AlignCenter, text);
}

void drawWarning(QPainter& p) {
    QPolygonF diamond{QPointF(32, 2), QPointF(62, 32), QPointF(32, 62), QPointF(2, 32)};
    p.setPen(QPen(QColor(120, 90, 0), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(255, 210, 0));
    p.drawPolygon(diamond);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRectF(28.5, 15, 7, 24), 3, 3);
    p.drawEllipse(QRectF(28.5, 42, 7, 7));
}

void drawStop(QPainter& p) {
    drawDisc(p, QColor(210, 30, 30));
    p.setPen(QPen(Qt::white, 8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 19), QPointF(45, 45));
}

void drawGear(QPainter& p) {
    const QColor steel(95, 120, 150);
    p.setPen(Qt::NoPen);
    p.setBrush(steel);
    p.translate(32, 32);
    for (int i = 0; i < 8; ++i) {
        p.drawRoundedRect(QRectF(-5, -30, 10, 14), 2, 2);
        p.rotate(45);
    }
    p.drawEllipse(QPointF(0, 0), 21, 21);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(0, 0), 8, 8);
    p.translate(-32, -32);
}

} // namespace

QPixmap messagePicture(MessagePicture picture, int size) {
    QPainter p;
    QPixmap pixmap = canvas(size, p);
    switch (picture) {
    case MessagePicture::Warning:
        drawWarning(p);
        break;
    case MessagePicture::Information:
        drawDisc(p, QColor(30, 100, 210));
        drawSymbol(p, QStringLiteral("i"), Qt::white, 40);
        break;
    case MessagePicture::Stop:
        drawStop(p);
        break;
    case MessagePicture::Gear:
        drawGear(p);
        break;
    case MessagePicture::Question:
        drawDisc(p, QColor(30, 100, 210));
        drawSymbol(p, QStringLiteral("?"), Qt::white, 40);
        break;
    }
    p.end();
    return pixmap;
}

QPixmap chronodexPicture(int size) {
    QPainter p;
    const QPixmap picture = canvas(size, p);
    drawCalendar(p);
    p.end();
    return picture;
}

// Drawn once at its largest and scaled down: drawing the wide arcs at every size took as
// long as the rest of the window's icons and captions together.
QIcon chronodexIcon() {
    const QPixmap large = chronodexPicture(64);
    QIcon icon;
    for (int size : {16, 24, 32, 48})
        icon.addPixmap(large.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    icon.addPixmap(large);
    return icon;
}

} // namespace chronodex
