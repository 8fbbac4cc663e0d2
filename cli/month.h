#pragma once
// kalvora-cli month: every date of a month at a place, each day as the day command gives it, and with an
// undertaking chosen each date's best window; as a line a date or as one JSON object.

#include <iosfwd>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/people_options.h"
#include "cli/places.h"
#include "month/month.h"
#include "month/month_sheet.h"

namespace kalvora {

struct MonthOptions : SearchPeopleOptions {
    bool help = false;
    bool json = false;
    std::optional<std::string> icsPath;  // --ics: the calendar file to write
    std::optional<std::string> pdfPath;  // --pdf: the month on one landscape page
    Paper paper = Paper::A4;             // --paper a4|letter
    int year = 0;
    int month = 0;
    MomentInput place;      // place and zone of the days, as the day command takes them
    MomentSources sources;
    std::optional<TimeZone> zone;  // the zone followed, when one is named
};

// Reads "1" to "12", with or without a leading zero. Throws ArgumentError naming `option`.
int ParseMonthNumber(std::string_view option, std::string_view text);

MonthOptions ParseMonthArguments(const std::vector<std::string>& args);
std::string MonthUsageText();
// The month query of parsed options.
MonthQuery MonthQueryOf(const MonthOptions& options);

// {"year": N, "month": N, "days": [DAY...]}, each DAY the day command's object, then with an undertaking "best":
// {"start", "end", "rating"} (times "YYYY-MM-DDTHH:MM", the rating the combined one of several people) or null;
// last "conventions".
std::string MonthJson(const MonthView& month, const Conventions& conventions = {});
// The notes under the month's title on paper: the place and clock, and with an undertaking what was searched.
std::vector<std::string> MonthNotes(const MonthOptions& options);
// A line a date: weekday, tithi and nakshatra at sunrise with their ends, lunar month, vetoes, best window.
std::string MonthText(const MonthView& month);

// Runs "month" (arguments after it). Exit status: 0 success, 2 bad arguments, 1 a failure while writing output.
int RunMonth(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kalvora
