#pragma once
// The Day tab of the results: the day of the muhurtha's date at its place. At the top, where the chosen minute
// stands (in Rahu kalam, Yamaganda, Gulika or a Durmuhurta, said plainly) and, where the Sun does not rise or set,
// that it does not; then the timeline of the day; then its sunrise, sunset and periods, the values of the limbs
// with their times, the season (lunar month, samvat years and the vetoes in force during the day), the lagnas with
// Varjyam, Amrit kalam, Bhadra and Panchaka, and the choghadiya and hora tables.

#include <QWidget>

#include "driver/day_view.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace kalvora {

class DayTimeline;

class DayPanel : public QWidget {
    Q_OBJECT
public:
    explicit DayPanel(QWidget* parent = nullptr);

    // Shows a day and its season, with the chosen (typed) moment marked.
    void ShowDay(const DayView& day, const DaySeason& season, const MomentInput& chosen);

    QPushButton* back;   // cmdBack6
    QPushButton* month;  // cmdDayMonth: the month of the day shown

private:
    QLabel* title_ = nullptr;      // lblDayTitle
    QLabel* span_ = nullptr;       // lblDaySpan
    QLabel* chosen_ = nullptr;     // lblDayChosen
    QLabel* sunNote_ = nullptr;    // lblDaySunNote
    DayTimeline* timeline_ = nullptr;
    QTableWidget* sun_ = nullptr;          // tblDaySun: heading, time
    QTableWidget* periods_ = nullptr;      // tblDayPeriods: period, from - to
    QTableWidget* limbs_ = nullptr;        // tblDayLimbs: limb, value, from, to
    QTableWidget* choghadiyas_ = nullptr;  // tblDayChoghadiya: name, good or bad, from, to
    QTableWidget* horas_ = nullptr;        // tblDayHora: lord, from, to
    QTableWidget* season_ = nullptr;       // tblDaySeason: lunar month, samvat
    QTableWidget* vetoes_ = nullptr;       // tblDayVetoes: veto, what it is, from, to
    QTableWidget* lagnas_ = nullptr;       // tblDayLagnas: sign of the ascendant, from, to
    QTableWidget* marked_ = nullptr;       // tblDayMarked: Varjyam, Amrit kalam, Bhadra, Panchaka, from - to
    QLabel* noVeto_ = nullptr;             // lblDayNoVeto
    QLabel* seasonNote_ = nullptr;         // lblDaySeasonNote: how combustion is dated
    QWidget* periodsCard_ = nullptr;
    QWidget* partsRow_ = nullptr;          // the choghadiya and hora cards
};

}  // namespace kalvora
