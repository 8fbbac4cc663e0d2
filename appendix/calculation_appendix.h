#pragma once
// The report's appendix for one calculation, composed above both the driver and the report: for whom, the chosen muhurtha with its place and zone, both moments'
// names with the minutes their tithi, nakshatra, yoga and karana end, the planets, every factor with its points,
// the muhurtha's day with its sunrise, sunset and periods, and the day's season (lunar month, samvat years, vetoes).

#include <string>

#include "astro/calendar.h"
#include "driver/calculation.h"
#include "driver/day_view.h"
#include "driver/limbs.h"
#include "driver/panels.h"
#include "driver/people_calculation.h"
#include "report/appendix.h"
#include "report/report_builder.h"

namespace kalvora {

// The appendix of a calculation, from the pages it was run on and the times computed beside it. The muhurtha's
// place is the atlas place it came from; where it came from none (its zone taken from the time-zone picker or
// typed), the City, State and Country boxes of the muhurtha page name it (none from the command line).
ReportAppendix MakeReportAppendix(const CalculationInput& input, const Calculation& calculation,
                                  const CalculationTimes& times, const PlaceText& muhurthaPlaceBoxes = {});

// The report's inputs for several people: the first person's muhurtha and date, a section for each person who was
// evaluated, and the combined verdict. The first person must have been evaluated.
ReportInput MakePeopleReportInput(const PeopleCalculation& people);

// "14:32" for a minute on the given date, "03:10 on December 11, 2026" for one on another date.
std::string ClockMinuteOnDay(ClockMinute minute, LocalDate day);

// "UTC+05:30", "UTC-03:00", "UTC+05:21:10" (seconds only where the offset has them).
std::string UtcOffsetText(int offsetSeconds);

// The zone as the calculation used it: "Asia/Kolkata (IST), UTC+05:30" for a zone of the database (with
// ", daylight saving" while it is in force), "UTC-05:00 as typed, daylight saving: clock at UTC-04:00" for a typed
// offset.
std::string MomentZoneText(const TypedZone& zone, const MomentOrigin& origin);

// The atlas place a moment came from: "New Delhi, National Capital Territory of Delhi, India"; "" for a place
// whose coordinates were typed.
std::string MomentPlaceText(const MomentOrigin& origin);

}  // namespace kalvora
