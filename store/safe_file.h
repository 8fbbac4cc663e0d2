#pragma once
// Writing a whole file so that a failure never costs the file that was there: the bytes go to a new file beside
// it, which replaces the old one only once it is complete. Nothing but a regular file is ever replaced: a device,
// a folder or a pipe at the path is refused, and a symbolic link is written through to the regular file it names,
// the link kept.

#include <stdexcept>
#include <string>
#include <string_view>

namespace kalvora {

// A file that could not be written; the message names it and says why. The file at the path is then as it was,
// and no temporary file is left behind.
struct FileWriteFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void WriteFileSafely(const std::string& path, std::string_view bytes);

}  // namespace kalvora
