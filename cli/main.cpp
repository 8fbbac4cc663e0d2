// kalvora-cli: the muhurtha calculation from the command line.

#include <csignal>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "kalvora_version.h"

int main(int argc, char** argv) {
    // Past a file-size limit a write then fails (and the report's temporary file is removed) instead of the
    // program being stopped half-way.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args.front() == "--version") {
        std::cout << "kalvora-cli " KALVORA_VERSION "\n";
        return 0;
    }
    try {
        return kalvora::RunCli(args, std::cout, std::cerr);
    } catch (const std::exception& e) {
        // Every command reports its own failures; this is the last guard, so that nothing ends in an abort.
        std::cerr << "kalvora-cli: " << e.what() << '\n';
        return 1;
    }
}
