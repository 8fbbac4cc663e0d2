#pragma once
// The options of kalvora-cli's calculation (the command line without a command word).

#include <optional>
#include <string>
#include <vector>

#include "cli/options.h"
#include "driver/calculation.h"

namespace kalvora {

struct CliOptions {
    bool help = false;
    bool json = false;
    CalculationInput input;
    std::optional<std::string> reportPath;  // --report FILE.rtf|FILE.pdf
};

// Parses the arguments after the program name; throws ArgumentError for a bad or missing one.
CliOptions ParseArguments(const std::vector<std::string>& args);

std::string UsageText();

}  // namespace kalvora
