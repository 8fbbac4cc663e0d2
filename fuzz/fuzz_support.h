#pragma once
// What the fuzz targets share: the input read as a command line, a scratch folder that is removed when the process
// ends, and the check that stops the run on a broken promise.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora::fuzz {

// The input as the arguments of one command line: split on NUL when it holds one (so that an argument may hold a
// line break), else on line breaks (so that a seed is one argument per line). A separator at the very end closes
// the last argument instead of starting an empty one.
inline std::vector<std::string> SplitArguments(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const char separator = text.find('\0') != std::string_view::npos ? '\0' : '\n';
    std::vector<std::string> args;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = text.find(separator, from);
        args.emplace_back(text.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from));
        if (end == std::string_view::npos) break;
        from = end + 1;
    }
    return args;
}

// A fresh folder under the system's temporary folder ($TMPDIR), removed with everything in it at exit.
inline std::filesystem::path ScratchFolder(const char* what) {
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string("kalvora-fuzz-") + what + "-XXXXXX"))
                              .string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    static std::vector<std::filesystem::path> made;
    if (made.empty()) {
        std::atexit([] {
            for (const std::filesystem::path& folder : made) {
                std::error_code ignored;
                std::filesystem::remove_all(folder, ignored);
            }
        });
    }
    made.emplace_back(pattern);
    return made.back();
}

// Stops the run with the broken promise on standard error; the fuzzer keeps the input as a crash.
[[noreturn]] inline void Broken(const std::string& what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::abort();
}

inline void Check(bool kept, const std::string& what) {
    if (!kept) Broken(what);
}

}  // namespace kalvora::fuzz
