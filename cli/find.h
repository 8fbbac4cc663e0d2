#pragma once
// kalvora-cli find: searches a span of dates for the best times of one undertaking, printed one line per window
// or as one JSON object.

#include <iosfwd>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/people_options.h"
#include "cli/places.h"
#include "finder/finder.h"

namespace kalvora {

struct FindOptions : SearchPeopleOptions {
    bool help = false;
    bool json = false;
    std::optional<std::string> icsPath;  // --ics: the windows listed, also as a calendar file
    WindowListing listing;
    MomentSources placeSources;  // the searched place's place and zone options
    std::optional<std::string> zoneId;  // the zone the searched clock follows, when one is named
};

// Parses the arguments after "find", then the searched place and the birth's place and zone; with a zone id the
// query's clock follows that zone over the span. Throws ArgumentError (cli/arguments.h) naming a bad or missing
// argument.
FindOptions ParseFindArguments(const std::vector<std::string>& args);

std::string FindUsageText();

// {"windows": [{"start": "YYYY-MM-DDTHH:MM", "end": ..., "rating": ..., ..., "offset": "+05:30"}]}, each window
// searched for several people ending with "people": [{"name", "rating"}] and "combined": {"rating", "decidedBy":
// [names], "reason"} (its own fields being the first person's); when the
// vetoes left out the whole span, also "vetoedBy": [{"id", "start", "end"}] (each span whole, end its first minute
// no longer in force) and "nextAllowed": "YYYY-MM-DD" (null when none comes within a year); last "conventions".
std::string WindowsJson(const std::vector<FoundWindow>& windows,
                        const std::optional<VetoedSpan>& vetoed = std::nullopt, const Conventions& conventions = {});
// One readable line per window; with `showOffsets` (a clock that follows a zone) each line ends with the
// window's offset, "UTC-04:00". A window searched for several people then names the combined rating and each
// person's: "combined Average: Asha Good, Ravi Good; Surya bala bad for Ravi".
std::string WindowsText(const std::vector<FoundWindow>& windows, bool showOffsets = false);

// Runs "find" (arguments after it). Exit status: 0 success, 2 bad arguments, 1 a failure while writing output.
int RunFind(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kalvora
