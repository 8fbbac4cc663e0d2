// kalvora-cli: the muhurtha calculation from the command line.

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return kalvora::RunCli(args, std::cout, std::cerr);
}
