#pragma once
// The month as a sheet: the grid of its dates laid out by weeks (a week a row, starting on a given weekday) with
// each date's lines of text, as the Month window shows them and the printed page and PDF draw them. Every mark
// is a symbol in the text as well as a tint, so that the sheet reads in black and white.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "month/month.h"
#include "muhurtha/rating.h"

namespace kalvora {

// The mark of a rating beside its colour: a star for Good, a diamond for Average, a cross for Bad ("" for none).
std::string RatingSymbol(Rating rating);
// The mark of a veto of the season in force during the day: a circle struck through.
inline constexpr std::string_view VetoSymbol = "\u2298";

struct MonthCell {
    LocalDate date;
    int row = 0;
    int column = 0;                  // 0 = the week's first day
    std::vector<std::string> lines;  // date and weekday with sunrise and sunset, tithi, nakshatra, then the marks
    std::string dateText;            // the first line's two parts: "7 Mon" and "☀ 07:04–17:19"
    std::string sunText;
    bool vetoed = false;             // a veto of the season is in force during the day
    std::optional<Rating> best;      // the best window's rating; none without a rated window or a search
    std::size_t bestLine = 0;        // the index of the best window's line in `lines` when searched
};

struct MonthSheet {
    std::string title;                    // "December 2026"
    std::vector<std::string> notes;       // lines under the title: the place and clock, what was searched
    std::array<std::string, 7> headings;  // the weekday names, the week's first day first
    int rows = 0;                         // weeks
    std::vector<MonthCell> cells;         // in date order
    std::string legend;                   // what the symbols mean
    std::string description;              // every marked day, for a screen reader
};

// The paper a month is printed or saved on, always landscape.
enum class Paper { A4, Letter };

// The sheet of a month with the week starting on `firstWeekday` (1 = Sunday .. 7 = Saturday, as the day's
// weekday counts). The cells are placed from the 1st, so a date the clocks skipped leaves its cell empty.
MonthSheet LayOutMonth(const MonthView& month, int firstWeekday);

// The notes of a sheet: where and on which clock its days are counted ("New Delhi: each day from sunrise, on the
// clock of Asia/Kolkata."), and with an undertaking what its best windows are ("Marriage for Asha, Ravi: ...").
std::string MonthClockNote(std::string_view place, std::string_view clock);
std::string MonthSearchNote(const FinderQuery& search);

}  // namespace kalvora
