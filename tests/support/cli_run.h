#pragma once
// One run of kalvora-cli's commands inside the test process: the exit status and what it wrote.

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace kalvora::testing {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline CliRun RunCommandLine(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    CliRun r;
    r.status = RunCli(args, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

}  // namespace kalvora::testing
