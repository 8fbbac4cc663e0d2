#pragma once
// The season of a year at a glance: the lunar months as bands across the year from 1 January to 31 December of
// the zone's clock, the veto spans over them as labelled bars (one row per veto, each with its own hatching so that
// the drawing reads in black and white), the Gregorian months along the top, today as a line, and a legend. A
// pointer resting on a band or bar shows its exact start and end.

#include <optional>
#include <vector>

#include <QString>
#include <QWidget>

#include "driver/season_year.h"

namespace kalvora {

class YearStrip : public QWidget {
    Q_OBJECT
public:
    explicit YearStrip(QWidget* parent = nullptr);

    // Draws a year, with today marked when it falls inside it.
    void ShowSeason(const SeasonYear& season, std::optional<ClockMinute> today);

    // The text shown on hovering at a point of the drawing; "" where nothing is drawn.
    QString TipAt(const QPointF& point) const;

    // One band or bar of the drawing, where it lies and what its tooltip says.
    struct Piece {
        QRectF rect;
        QString label;  // written on it where it fits
        QString tip;
        int row = 0;    // 0 the months, 1 + Veto the vetoes
        bool adhika = false;
        bool kshaya = false;
        bool alternate = false;  // every second month's tint
        bool fromBefore = false;  // begun before the year
        bool intoNext = false;    // running into the next year
    };
    // The bands and bars as drawn at the present size: the months, then the vetoes.
    std::vector<Piece> Pieces() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    double XOf(ClockMinute minute) const;
    double RowTop(int row) const;
    double LegendTop() const;
    // The legend's entries placed in lines that wrap at `right`: each entry's top left corner.
    std::vector<QPointF> LegendPlaces(double right) const;

    std::optional<SeasonYear> season_;
    std::optional<ClockMinute> today_;
};

}  // namespace kalvora
