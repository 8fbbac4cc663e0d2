#pragma once
// The program's emblem, drawn rather than loaded: a twelve-fold zodiac wheel in gold around a night-blue disc with
// the crescent Moon and a rising star. Used in the header, on the result panels, in the about box and as the icon.

#include <QIcon>
#include <QWidget>

class QPainter;

namespace kalvora {

// Paints the emblem into the largest square centred in rect.
void PaintEmblem(QPainter& painter, const QRectF& rect);

QPixmap EmblemPixmap(int size, qreal devicePixelRatio = 1.0);
QIcon EmblemIcon();

class EmblemWidget : public QWidget {
    Q_OBJECT
public:
    explicit EmblemWidget(int size, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace kalvora
