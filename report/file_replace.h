#pragma once
// Writing a report file all at once, so that a failed write never costs the user the file that was there.

#include <string>
#include <string_view>

namespace kalvora {

// Puts `bytes` at `path`: they are written to a temporary file in the same folder, which then takes the file's name
// (keeping an existing file's permissions), so a failure leaves any earlier file as it was and no temporary behind.
// Only a regular file is replaced: a symbolic link to one is kept and its target replaced, while a device, a folder,
// a pipe, or a link to one of them or to nothing, is refused. On failure returns false with the cause in `cause`
// ("it is not a regular file", "No space left on device").
bool ReplaceFile(const std::string& path, std::string_view bytes, std::string* cause);

}  // namespace kalvora
