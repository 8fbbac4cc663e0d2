#include "report/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <random>

namespace kalvora {
namespace {

bool Fail(std::string* cause, std::string text) {
    if (cause) *cause = std::move(text);
    return false;
}

bool FailWithErrno(std::string* cause) { return Fail(cause, std::strerror(errno)); }

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// A new, empty file beside the target, readable and writable as the process's file-creation mask allows.
int CreateTemporary(const std::string& folder, std::string* name) {
    std::random_device source;
    std::mt19937_64 random(source());
    constexpr std::string_view Digits = "0123456789abcdef";
    for (int attempt = 0; attempt < 64; ++attempt) {
        std::string candidate = folder + "/.kalvora-";
        std::uint64_t bits = random();
        for (int k = 0; k < 12; ++k, bits >>= 4) candidate += Digits[bits & 15];
        candidate += ".tmp";
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            *name = std::move(candidate);
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

bool ReplaceFile(const std::string& path, std::string_view bytes, std::string* cause) {
    if (path.empty()) return Fail(cause, "no file name");
    // What is replaced: the file itself, or the regular file a symbolic link leads to.
    std::string target = path;
    std::optional<mode_t> keptMode;
    struct stat found {};
    if (::lstat(path.c_str(), &found) == 0) {
        if (S_ISLNK(found.st_mode)) {
            struct stat linked {};
            if (::stat(path.c_str(), &linked) != 0) return Fail(cause, "it is a symbolic link to nothing");
            if (!S_ISREG(linked.st_mode)) return Fail(cause, "it is a symbolic link to something other than a regular file");
            const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
            if (!resolved) return FailWithErrno(cause);
            target = resolved.get();
            found = linked;
        } else if (!S_ISREG(found.st_mode)) {
            return Fail(cause, "it is not a regular file");
        }
        keptMode = found.st_mode & 07777;
    } else if (errno != ENOENT) {
        return FailWithErrno(cause);
    }

    std::string temporary;
    const int fd = CreateTemporary(FolderOf(target), &temporary);
    if (fd < 0) return FailWithErrno(cause);
    bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0 && (!keptMode || ::fchmod(fd, *keptMode) == 0);
    int failure = written ? 0 : errno;
    if (::close(fd) != 0 && written) {
        written = false;
        failure = errno;
    }
    if (written && ::rename(temporary.c_str(), target.c_str()) != 0) {
        written = false;
        failure = errno;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        return Fail(cause, std::strerror(failure));
    }
    return true;
}

}  // namespace kalvora
