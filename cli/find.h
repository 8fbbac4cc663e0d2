#pragma once
// kalvora-cli find: searches a span of dates for the best times of one undertaking, printed one line per window
// or as one JSON object.

#include <iosfwd>
#include <string>
#include <vector>

#include "finder/finder.h"

namespace kalvora {

struct FindOptions {
    bool help = false;
    bool json = false;
    FinderQuery query;
    WindowListing listing;
};

// Parses the arguments after "find"; throws ArgumentError (cli/arguments.h) naming a bad or missing argument.
FindOptions ParseFindArguments(const std::vector<std::string>& args);

std::string FindUsageText();

// {"windows": [{"start": "YYYY-MM-DDTHH:MM", "end": ..., "rating": ..., ...}]}
std::string WindowsJson(const std::vector<FoundWindow>& windows);
// One readable line per window.
std::string WindowsText(const std::vector<FoundWindow>& windows);

// Runs "find" (arguments after it). Exit status: 0 success, 2 bad arguments, 1 a failure while writing output.
int RunFind(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kalvora
