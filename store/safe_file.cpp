#include "store/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace kalvora {
namespace {

[[noreturn]] void Refuse(const std::string& path, const std::string& why) {
    throw FileWriteFailure("could not write " + path + ": " + why);
}

std::string SystemReason(int error) { return std::strerror(error); }

// The path the bytes go to: the path itself, or the regular file a symbolic link at it names.
std::filesystem::path Destination(const std::string& path) {
    namespace fs = std::filesystem;
    if (path.empty()) Refuse("''", "the file name is empty");
    std::error_code error;
    const fs::file_status link = fs::symlink_status(path, error);
    if (link.type() == fs::file_type::not_found) return path;
    if (error) Refuse(path, error.message());
    const fs::path target = link.type() == fs::file_type::symlink ? fs::canonical(path, error) : fs::path(path);
    if (error) Refuse(path, "the link leads nowhere (" + error.message() + ")");
    const fs::file_status status = fs::status(target, error);
    if (status.type() == fs::file_type::not_found) return target;
    if (error) Refuse(path, error.message());
    if (status.type() != fs::file_type::regular) Refuse(path, "it is not a regular file, and is left as it is");
    return target;
}

}  // namespace

void WriteFileSafely(const std::string& path, std::string_view bytes) {
    const std::filesystem::path target = Destination(path);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string temporary = (folder / ("." + target.filename().string() + ".part-XXXXXX")).string();
    const int fd = mkstemp(temporary.data());
    if (fd < 0) Refuse(path, SystemReason(errno));
    const auto fail = [&](int error) {
        close(fd);
        unlink(temporary.c_str());
        Refuse(path, SystemReason(error));
    };
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) fail(n < 0 ? errno : ENOSPC);
        done += static_cast<std::size_t>(n);
    }
    // A new file is made readable as any file the user writes would be (mkstemp makes it private); a replaced
    // file keeps its permissions.
    struct stat old {};
    const mode_t mode = stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : [] {
        const mode_t mask = umask(0);
        umask(mask);
        return static_cast<mode_t>(0666 & ~mask);
    }();
    if (fchmod(fd, mode) != 0 || fsync(fd) != 0) fail(errno);
    if (close(fd) != 0) {
        const int error = errno;
        unlink(temporary.c_str());
        Refuse(path, SystemReason(error));
    }
    if (rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        unlink(temporary.c_str());
        Refuse(path, SystemReason(error));
    }
}

}  // namespace kalvora
