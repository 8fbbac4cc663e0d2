#include "app/gui/shell/emblem.h"

#include <cmath>
#include <numbers>

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace kalvora {

namespace {

QPointF OnCircle(qreal radius, qreal degrees) {
    const qreal a = degrees * std::numbers::pi / 180.0;
    return {radius * std::cos(a), radius * std::sin(a)};
}

QPainterPath Star(QPointF centre, qreal outer, qreal inner, int points) {
    QPainterPath path;
    for (int i = 0; i < 2 * points; ++i) {
        const QPointF p = centre + OnCircle(i % 2 == 0 ? outer : inner, -90.0 + i * 180.0 / points);
        if (i == 0) path.moveTo(p); else path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

QRadialGradient Glow(QPointF light, qreal radius, QColor inner, QColor outer) {
    QRadialGradient gradient(light, radius);
    gradient.setColorAt(0.0, inner);
    gradient.setColorAt(1.0, outer);
    return gradient;
}

}  // namespace

void PaintEmblem(QPainter& painter, const QRectF& rect) {
    const qreal side = std::min(rect.width(), rect.height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(rect.center());
    painter.scale(side / 200.0, side / 200.0);  // draw on a 200 x 200 square centred at 0,0

    // Gold wheel.
    painter.setPen(QPen(QColor(0x7A, 0x4A, 0x1C), 2.5));
    painter.setBrush(Glow(QPointF(-30, -40), 130, QColor(0xF6, 0xDF, 0x9C), QColor(0xB8, 0x73, 0x2C)));
    painter.drawEllipse(QPointF(0, 0), 97, 97);

    // Twelve houses of the zodiac: spokes between the rims and a dot in each house.
    painter.setPen(QPen(QColor(0x5E, 0x3A, 0x17), 2.0));
    for (int i = 0; i < 12; ++i) painter.drawLine(OnCircle(72, i * 30.0), OnCircle(95, i * 30.0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x5E, 0x3A, 0x17));
    for (int i = 0; i < 12; ++i) painter.drawEllipse(OnCircle(84, 15.0 + i * 30.0), 3.2, 3.2);

    // Night sky.
    painter.setPen(QPen(QColor(0x5E, 0x3A, 0x17), 2.0));
    painter.setBrush(Glow(QPointF(-20, -25), 90, QColor(0x3E, 0x4C, 0x82), QColor(0x1A, 0x21, 0x3F)));
    painter.drawEllipse(QPointF(0, 0), 71, 71);

    // Crescent Moon: a full disc with a second disc taken away.
    QPainterPath moon;
    moon.addEllipse(QPointF(-8, 4), 44, 44);
    QPainterPath bite;
    bite.addEllipse(QPointF(12, -8), 38, 38);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xF7, 0xEC, 0xD0));
    painter.drawPath(moon.subtracted(bite));

    // The rising star in the crescent's opening and a few small ones.
    painter.setBrush(QColor(0xF2, 0xB1, 0x4C));
    painter.drawPath(Star(QPointF(26, -6), 17, 6.5, 8));
    painter.setBrush(QColor(0xE9, 0xE3, 0xF5));
    for (const QPointF p : {QPointF(-40, -40), QPointF(40, 36), QPointF(-16, 52), QPointF(48, -36)})
        painter.drawEllipse(p, 2.2, 2.2);

    painter.restore();
}

QPixmap EmblemPixmap(int size, qreal devicePixelRatio) {
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    PaintEmblem(painter, QRectF(0, 0, size, size));
    return pixmap;
}

QIcon EmblemIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(EmblemPixmap(size));
    return icon;
}

EmblemWidget::EmblemWidget(int size, QWidget* parent) : QWidget(parent) {
    setFixedSize(size, size);
    setAttribute(Qt::WA_TranslucentBackground);
    setAccessibleName(QStringLiteral("Kalvora"));
    setAccessibleDescription(
        QStringLiteral("The emblem: a zodiac wheel in gold around a night-blue disc with the crescent Moon and a star"));
}

void EmblemWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintEmblem(painter, QRectF(rect()));
}

}  // namespace kalvora
