#include "ui/Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kBuiltInWidth = 238;
constexpr int kBuiltInHeight = 157;
constexpr int kToolIconSize = 16;

QImage TransparentImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A handheld radio: body, antenna, display and keypad dots, scaled to `size`.
void PaintRadio(QPainter& painter, int size) {
    const qreal s = size / 32.0;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 44, 52));
    painter.drawRoundedRect(QRectF(19 * s, 1 * s, 3 * s, 11 * s), 1.5 * s, 1.5 * s);
    QLinearGradient body(0, 9 * s, 0, 31 * s);
    body.setColorAt(0, QColor(70, 78, 92));
    body.setColorAt(1, QColor(28, 32, 40));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(8 * s, 9 * s, 16 * s, 22 * s), 3 * s, 3 * s);
    painter.setBrush(QColor(120, 220, 200));
    painter.drawRect(QRectF(10.5 * s, 12 * s, 11 * s, 6 * s));
    painter.setBrush(QColor(230, 120, 40));
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col)
            painter.drawEllipse(QRectF((11 + 4 * col) * s, (20 + 3.5 * row) * s, 2 * s, 2 * s));
    }
}

QIcon IconFrom(const QImage& image) {
    return QIcon(QPixmap::fromImage(image));
}

} // namespace

QImage DrawProgramIcon(int size) {
    QImage image = TransparentImage(size, size);
    QPainter painter(&image);
    PaintRadio(painter, size);
    return image;
}

QImage DrawBackgroundTile() {
    constexpr int kTile = 160;
    QImage image(kTile, kTile, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, kTile, kTile);
    sky.setColorAt(0, QColor(214, 228, 240));
    sky.setColorAt(1, QColor(190, 210, 230));
    painter.fillRect(image.rect(), sky);
    // Faint radio waves around a point, cut by the tile edges so tiles join.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 255, 255, 110), 2));
    for (int radius = 16; radius < kTile; radius += 22)
        painter.drawEllipse(QPointF(kTile / 2.0, kTile / 2.0), radius, radius);
    return image;
}

QImage BuiltInBackground() {
    QImage image(kBuiltInWidth, kBuiltInHeight, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 136));
    QPainter painter(&image);
    painter.setPen(QColor(140, 140, 150));
    for (int x = 0; x < kBuiltInWidth; x += 17)
        painter.drawLine(x, 0, x, kBuiltInHeight - 1);
    for (int y = 0; y < kBuiltInHeight; y += 17)
        painter.drawLine(0, y, kBuiltInWidth - 1, y);
    return image;
}

QIcon CloseButtonIcon() {
    QImage image = TransparentImage(kToolIconSize, kToolIconSize);
    QPainter painter(&image);
    painter.setPen(QPen(QColor(60, 60, 60), 2));
    painter.drawLine(4, 4, 11, 11);
    painter.drawLine(11, 4, 4, 11);
    return IconFrom(image);
}

namespace {

// Undo: an arrow turning back to the left; Redo: its mirror image.
void PaintTurnArrow(QPainter& painter, bool mirrored) {
    if (mirrored) {
        painter.translate(kToolIconSize, 0);
        painter.scale(-1, 1);
    }
    const QColor blue(40, 90, 170);
    QPainterPath bend;
    bend.moveTo(5, 6);
    bend.lineTo(10, 6);
    bend.cubicTo(15, 6, 15, 13, 10, 13);
    bend.lineTo(7, 13);
    painter.setPen(QPen(blue, 2, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(bend);
    QPainterPath head;
    head.moveTo(1, 6);
    head.lineTo(6, 2);
    head.lineTo(6, 10);
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(blue);
    painter.drawPath(head);
}

} // namespace

QIcon ToolIcon(ToolPicture picture) {
    QImage image = TransparentImage(kToolIconSize, kToolIconSize);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (picture == ToolPicture::Print) {
        painter.setPen(QColor(50, 50, 50));
        painter.setBrush(Qt::white);
        painter.drawRect(4, 1, 8, 6);
        painter.setBrush(QColor(150, 150, 160));
        painter.drawRoundedRect(1, 6, 14, 6, 2, 2);
        painter.setBrush(Qt::white);
        painter.drawRect(4, 10, 8, 5);
        return IconFrom(image);
    }
    if (picture == ToolPicture::Undo || picture == ToolPicture::Redo) {
        PaintTurnArrow(painter, picture == ToolPicture::Redo);
        return IconFrom(image);
    }
    // Read: an arrow from the radio down into the computer; Write: the other way.
    PaintRadio(painter, 12);
    QPainterPath arrow;
    if (picture == ToolPicture::Read) {
        arrow.moveTo(13, 15);
        arrow.lineTo(9.5, 10);
        arrow.lineTo(16, 10);
    } else {
        arrow.moveTo(13, 8);
        arrow.lineTo(9.5, 13);
        arrow.lineTo(16, 13);
    }
    arrow.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(picture == ToolPicture::Read ? QColor(30, 140, 60) : QColor(200, 60, 40));
    painter.drawPath(arrow);
    return IconFrom(image);
}
