#pragma once
// The "Season of the Year" window dlgSeasonYear: the year strip of the muhurtha page's place and zone, with the
// previous and next years a button away. The window reads the clock into a record, asks the driver for the year's
// season and draws it.

#include <optional>
#include <string>

#include <QDialog>

#include "driver/season_year.h"

class QLabel;
class QPushButton;

namespace kalvora {

class YearStrip;

// The clock the strip is drawn on, as read from the muhurtha page.
struct SeasonPlace {
    QString caption;     // the place as the page names it ("" for none)
    TypedZone zone;      // the page's typed zone, taken when there is no zone id
    std::string zoneId;  // the zone of the chosen place or zone ("" for a typed zone)
    Reckoning reckoning{};  // the preferences': places the Sun and the Moon, so the months and Kharmas
};

// The clock of a place over a year and the next: the zone's history, or the typed offset (also when the zone id
// is not in the zone database).
SeasonClock SeasonClockOfPlace(const SeasonPlace& place, int year);

class YearStripWindow : public QDialog {
    Q_OBJECT
public:
    // Opens on `year`, brought into FirstYear..LastYear.
    YearStripWindow(SeasonPlace place, int year, QWidget* parent = nullptr);

    // Shows a year (brought into FirstYear..LastYear).
    void ShowYear(int year);
    int Year() const { return season_.year; }
    const SeasonYear& Season() const { return season_; }
    YearStrip* Strip() const { return strip_; }

private:
    SeasonPlace place_;
    SeasonYear season_;
    YearStrip* strip_ = nullptr;          // picYearStrip
    QLabel* title_ = nullptr;             // lblSeasonYear
    QLabel* clock_ = nullptr;             // lblSeasonClock
    QPushButton* previous_ = nullptr;     // cmdSeasonPrevious
    QPushButton* next_ = nullptr;         // cmdSeasonNext
};

}  // namespace kalvora
