#pragma once
// The day at a glance: one drawing of the whole day from sunrise to the next sunrise (or, where the Sun does not
// rise or set, of the local date from midnight to midnight). Lanes from top to bottom: the hours, day and night,
// Rahu kalam, Yamaganda and Gulika, Abhijit and the Durmuhurtas, the choghadiyas, then the tithi, nakshatra, yoga
// and karana with a tick where each changes; a line marks the chosen minute and a legend names the colours.

#include <optional>

#include <QWidget>

#include "driver/day_view.h"

namespace kalvora {

class DayTimeline : public QWidget {
    Q_OBJECT
public:
    explicit DayTimeline(QWidget* parent = nullptr);

    // Draws a day, with the chosen moment marked where it falls inside the drawn span.
    void ShowDay(const DayView& day, double chosenJdUt);

    // The span drawn, Julian days of universal time (valid once a day is shown).
    double StartJdUt() const { return startJdUt_; }
    double EndJdUt() const { return endJdUt_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Canvas;

    double XOf(double jdUt) const;
    double JdUtOfMinute(ClockMinute minute) const;

    // The parts of the drawing, in the order they are painted (each over the ones before).
    void PaintLanes(Canvas& canvas) const;         // the lanes' tracks and captions
    void PaintHours(Canvas& canvas) const;         // the local clock's whole hours, every third one named
    void PaintSky(Canvas& canvas) const;           // day and night, with sunrise and sunset
    void PaintPeriods(Canvas& canvas) const;       // the kalams, Abhijit and the Durmuhurtas, the choghadiyas
    void PaintLimbs(Canvas& canvas) const;         // each limb's values, with a tick where the next begins
    void PaintChosenMinute(Canvas& canvas) const;  // a line through every lane and its time in a flag above
    void PaintLegend(Canvas& canvas) const;        // the colours named, in rows that wrap at the right edge

    std::optional<DayView> day_;
    double chosenJdUt_ = 0.0;
    double startJdUt_ = 0.0;
    double endJdUt_ = 1.0;
};

}  // namespace kalvora
