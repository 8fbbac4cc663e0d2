#pragma once
// One command line run in a child shell, for tests of whole programs as a user starts them: the exit status and
// what it wrote to standard output (standard error is discarded).

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace kalvora::testing {

struct ProgramResult {
    int status = -1;
    std::string out;
};

inline ProgramResult RunShell(const std::string& commandLine) {
    ProgramResult r;
    FILE* pipe = popen((commandLine + " 2>/dev/null").c_str(), "r");
    if (!pipe) return r;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) r.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

}  // namespace kalvora::testing
