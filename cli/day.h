#pragma once
// kalvora-cli day: the day of a date at a place (sunrise, sunset, the next sunrise, the limbs current during the
// day with their times, and the periods of the day), as text or as one JSON object; and the JSON of the limbs and
// of the day that the calculation's JSON carries too.

#include <array>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/birth_options.h"
#include "cli/json.h"
#include "cli/options.h"
#include "cli/places.h"
#include "driver/day_view.h"

namespace kalvora {

struct DayOptions {
    bool help = false;
    bool json = false;
    MomentInput place;  // place and zone; the date is `date`
    MomentSources sources;  // the place and zone options, resolved once all are read
    LocalDate date;
    Conventions conventions;  // the sunrise, and the ayanamsa of the day's sidereal limbs, lagnas and Moon marks
    Conventions& ConventionsChosen() { return conventions; }
};

// The place and zone options of the day, shared by the commands that show days (day, month): an options record O
// with `place` (MomentInput) and `sources` (MomentSources). The sunrise is a convention (cli/conventions_options.h).
namespace day_options {
template <typename O>
MomentInput& PlaceOf(O& o) { return o.place; }
template <typename O>
MomentSources& SourcesOf(O& o) { return o.sources; }
}  // namespace day_options

template <typename O>
constexpr auto DayPlaceRows() {
    return PlaceAndZoneRows<O, day_options::PlaceOf<O>, day_options::SourcesOf<O>>(DayOptionNames);
}

DayOptions ParseDayArguments(const std::vector<std::string>& args);
std::string DayUsageText();

// {"tithi": {"name", "start", "end"}, "nakshatra": ..., "yoga": ..., "karana": ...}, times "YYYY-MM-DDTHH:MM".
void WriteLimbsJson(JsonWriter& json, const std::array<LimbSpan, LimbCount>& limbs);
// [{"id", "start", "end"}], the vetoes' ids as the command line's --veto words, times "YYYY-MM-DDTHH:MM".
void WriteVetoesJson(JsonWriter& json, const std::vector<VetoMinutes>& vetoes);
// {"date", "sunrise", "sunset", "nextSunrise", "weekday", "limbs", "rahuKalam", "yamaganda", "gulika", "abhijit",
// "durmuhurta", "choghadiya", "hora"}, times "YYYY-MM-DDTHH:MM:SS", null where the Sun does not rise or set; then
// the season at the day's sunrise: "lunarMonth" {"amanta", "purnimanta", "adhika", "kshaya"}, "samvat" {"vikram",
// "shaka", "samvatsara"} and "season", the vetoes in force at some minute of the day (as WriteVetoesJson); then the
// rest of the day's table: "lagnas" [{"name", "start", "end"}], "varjyam", "amritKalam", "bhadra" and "panchaka"
// [{"start", "end"}], times "YYYY-MM-DDTHH:MM:SS".
void WriteDayJson(JsonWriter& json, const DayView& day, const DaySeason& season);
// The same keys into an object the caller has begun and will end, so that it may add keys after them.
void WriteDayFields(JsonWriter& json, const DayView& day, const DaySeason& season);
std::string DayJson(const DayView& day, const DaySeason& season);
// The day as readable lines, its season last.
std::string DayText(const DayView& day, const DaySeason& season);

// Runs "day" (arguments after it). Exit status: 0 success, 2 bad arguments, 1 a failure while writing output.
int RunDay(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kalvora
