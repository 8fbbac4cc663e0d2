#pragma once
// The frame every kalvora-cli command runs in: the arguments are parsed (a bad one is status 2), --help prints the
// usage, the command runs and writes its output. Exit statuses: 0 done, 2 bad arguments, 1 a failure while
// working or writing.

#include <exception>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/options.h"

namespace kalvora {

// A failure of a running command, with the exit status it gives.
struct CommandError : std::runtime_error {
    CommandError(const std::string& message, int exitStatus) : std::runtime_error(message), status(exitStatus) {}
    int status;
};

template <typename Options>
int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               Options (*parse)(const std::vector<std::string>&), std::string (*usage)(),
               const std::function<void(const Options&, std::ostream&)>& run) {
    Options options;
    try {
        options = parse(args);
    } catch (const ArgumentError& e) {
        err << "kalvora-cli: " << e.what() << '\n';
        return 2;
    } catch (const std::exception& e) {
        // A failure while reading what the arguments name (a saved person, the atlas) is not a bad argument.
        err << "kalvora-cli: " << e.what() << '\n';
        return 1;
    }
    if (options.help) {
        out << usage();
        return 0;
    }
    try {
        run(options, out);
        out.flush();
        if (!out) throw CommandError("could not write the output", 1);
    } catch (const CommandError& e) {
        err << "kalvora-cli: " << e.what() << '\n';
        return e.status;
    } catch (const std::exception& e) {
        err << "kalvora-cli: " << e.what() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace kalvora
