// The zone ids of the system's zone database, read from the folder of its compiled zones.

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

#include "zone/zone.h"

namespace kalvora {

namespace {

// The folder GLib reads the compiled zones from: TZDIR when set, else the system's.
std::filesystem::path ZoneFolder() {
    const char* tzdir = std::getenv("TZDIR");
    return tzdir != nullptr && tzdir[0] != '\0' ? std::filesystem::path(tzdir)
                                                : std::filesystem::path("/usr/share/zoneinfo");
}

bool IsCompiledZone(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::array<char, 4> magic{};
    return in.read(magic.data(), magic.size()) && std::string_view(magic.data(), magic.size()) == "TZif";
}

// Files of the folder that are not zones a place keeps: the copies of the whole database for POSIX time and
// for time with leap seconds, the system's own zone, the rules GLib takes for POSIX strings, and the zone of
// computers whose zone is not set.
bool LeftOut(std::string_view id) {
    constexpr auto names = std::to_array<std::string_view>({"posix", "right", "localtime", "posixrules", "Factory"});
    const std::string_view top = id.substr(0, id.find('/'));
    return std::ranges::find(names, top) != names.end();
}

}  // namespace

std::vector<std::string> ZoneIds() {
    std::vector<std::string> ids;
    const std::filesystem::path folder = ZoneFolder();
    std::error_code error;
    std::filesystem::recursive_directory_iterator walk(
        folder, std::filesystem::directory_options::follow_directory_symlink, error);
    for (; !error && walk != std::filesystem::recursive_directory_iterator(); walk.increment(error)) {
        const std::string id = walk->path().lexically_relative(folder).generic_string();
        if (LeftOut(id)) {
            if (walk->is_directory(error)) walk.disable_recursion_pending();
            continue;
        }
        if (walk->is_regular_file(error) && IsCompiledZone(walk->path())) ids.push_back(id);
    }
    std::ranges::sort(ids);
    return ids;
}

}  // namespace kalvora
