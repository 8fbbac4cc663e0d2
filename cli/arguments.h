#pragma once
// The command line of kalvora-cli: every value is checked, and a bad one is reported as an ArgumentError whose
// message names the argument.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "driver/calculation.h"

namespace kalvora {

struct ArgumentError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct CliOptions {
    bool help = false;
    bool json = false;
    CalculationInput input;
    std::optional<std::string> reportPath;  // --report FILE.rtf|FILE.pdf
};

// Parses the arguments after the program name; throws ArgumentError for a bad or missing one.
CliOptions ParseArguments(const std::vector<std::string>& args);

// The individual value parsers (each throws ArgumentError naming `option`).
void ParseDateTime(std::string_view option, std::string_view text, MomentInput& moment);  // YYYY-MM-DDTHH:MM[:SS]
void ParseLatitude(std::string_view option, std::string_view text, MomentInput& moment);  // DD:MM(N|S)
void ParseLongitude(std::string_view option, std::string_view text, MomentInput& moment); // DDD:MM(E|W)
void ParseZone(std::string_view option, std::string_view text, MomentInput& moment);      // (+|-)HH:MM
std::string ParseWeekday(std::string_view option, std::string_view text);                 // Sunday .. Saturday

std::string UsageText();

}  // namespace kalvora
