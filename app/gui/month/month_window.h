#pragma once
// The "Month" window dlgMonth: the month's days at the muhurtha page's place as a grid, a week a row starting on
// the locale's first day of the week. Each day shows its tithi and nakshatra at sunrise with their ends, the lunar
// month and paksha where they change, sunrise and sunset and the season's vetoes; with the pages' undertaking and
// people, also its best window and rating, marked by a symbol besides the colour. Clicking a day shows its Day
// tab on the main window; "Show Best Window" shows the selected day's best window as a full result.

#include <functional>
#include <optional>
#include <string>

#include <QDialog>
#include <QTableWidget>

#include "app/gui/shell/shell.h"
#include "driver/people_calculation.h"
#include "month/month.h"
#include "month/month_sheet.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;

namespace kalvora {

// The grid of a month: a cell a date (empty cells before the first and after the last), with an accessible
// description that lists every date's marks, so that a screen reader can read the month's vetoed and rated days.
class MonthGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit MonthGrid(QWidget* parent = nullptr);

    void ShowMonth(const MonthView& month);
    // The month shown, as laid out for the grid, the printed page and the PDF.
    const MonthSheet& Sheet() const { return sheet_; }
    // The cell of a date of the month shown, null for another date.
    QTableWidgetItem* CellOf(LocalDate date) const;
    // The date of a cell, none for an empty cell.
    std::optional<LocalDate> DateAt(int row, int column) const;

private:
    MonthSheet sheet_;
};

// The clock and place a month is shown at, as read from the muhurtha page.
struct MonthPlace {
    QString caption;  // the place as the page names it ("" for none)
    TypedPlace place;
    TypedZone zone;      // the page's typed zone, taken when there is no zone id
    std::string zoneId;  // the zone of the chosen place or zone ("" for a typed zone)
    Conventions conventions;  // the preferences': the sunrise and ayanamsa of the days, their season and the search
};

// What the window needs from the main window.
struct MonthPages {
    // Runs the pages' checks (each shows its own message) and reads the undertaking and people; none when a check
    // fails.
    std::function<std::optional<PeopleInput>()> read;
    // Shows a date's Day tab on the main window.
    std::function<void(LocalDate date)> showDay;
    // Shows one minute of a subject as the main window's full result.
    std::function<void(const std::string& subject, LocalDate date, int minute)> show;
    // Messages, the printer and where to save the PDF.
    ShellServices shell;
};

class MonthWindow : public QDialog {
    Q_OBJECT
public:
    // Opens on the month holding `date` (its year brought into the years the program computes).
    MonthWindow(MonthPlace place, MonthPages pages, LocalDate date, QWidget* parent = nullptr);

    // Shows a month (1..12) of a year; months outside the years the program computes are refused quietly.
    void ShowMonth(int year, int month);
    // Shows a month at another place (the pages' place as it is now).
    void ShowMonthAt(MonthPlace place, int year, int month);
    // Best windows ticked: the pages' undertaking and people are read (their checks may refuse) and searched.
    void SetBestWindows(bool on);

    const MonthView& Month() const { return month_; }
    MonthGrid* Grid() const { return grid_; }

    // The month as it is shown, with the place and what was searched, for the printed page and the PDF.
    MonthSheet PrintedSheet() const;
    // "Print...": the printer's dialog, then the month on one landscape page.
    void Print();
    // "Export as PDF...": asks where, then saves the month on one landscape page of the locale's paper (Letter
    // where the locale measures in US units, else A4). Errors are shown as messages.
    void ExportPdf();

    // The selected date's Day tab, and its best window's full result (nothing without one).
    void ShowSelectedDay();
    void ShowSelectedBest();

private:
    const MonthDay* SelectedDay() const;
    void UpdateButtons();

    MonthPlace place_;
    MonthPages pages_;
    std::optional<PeopleInput> people_;  // the undertaking and people while best windows are ticked
    QString searchedText_;               // what is searched, "" while best windows are not ticked
    MonthView month_;

    MonthGrid* grid_ = nullptr;           // tblMonth
    QLabel* title_ = nullptr;             // lblMonthTitle
    QLabel* clock_ = nullptr;             // lblMonthClock
    QLabel* searched_ = nullptr;          // lblMonthSearched
    QLabel* legend_ = nullptr;            // lblMonthLegend
    QPushButton* previous_ = nullptr;     // cmdMonthPrevious
    QPushButton* next_ = nullptr;         // cmdMonthNext
    QDateEdit* goTo_ = nullptr;           // dtpMonthGoTo
    QCheckBox* best_ = nullptr;           // chkMonthBest
    QPushButton* showDay_ = nullptr;      // cmdMonthShowDay
    QPushButton* showBest_ = nullptr;     // cmdMonthShowBest
    QPushButton* print_ = nullptr;        // cmdMonthPrint
    QPushButton* exportPdf_ = nullptr;    // cmdMonthExportPdf
};

}  // namespace kalvora
