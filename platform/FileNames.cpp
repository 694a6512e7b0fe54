#include "platform/FileNames.h"

#include <array>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

bool IsPathSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

void AppendSeparator(std::string& directory) {
    if (directory.empty() || IsPathSeparator(directory.back()))
        return;
#ifdef _WIN32
    if (directory.back() == ':')
        return;
#endif
    directory += kPathSeparator;
}

namespace {

// The spellings that real directories use, tried before the directory is listed.
std::array<std::string, 4> CaseVariants(std::string_view name) {
    std::array<std::string, 4> variants{std::string(name), std::string(name), std::string(name),
                                        std::string(name)};
    for (std::size_t i = 0; i < name.size(); ++i) {
        variants[1][i] = AsciiUpper(name[i]);
        variants[2][i] = AsciiLower(name[i]);
        variants[3][i] = i == 0 ? AsciiUpper(name[i]) : AsciiLower(name[i]);
    }
    return variants;
}

fs::path DirectoryPath(const std::string& directory) {
    return directory.empty() ? fs::path(".") : fs::path(directory);
}

// Calls `accept` with each entry of `directory` whose name equals `name` ignoring case, until it
// returns true.
template <typename Accept>
bool ScanNoCase(const std::string& directory, std::string_view name, Accept accept) {
    std::error_code error;
    fs::directory_iterator it(DirectoryPath(directory), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string entry = it->path().filename().string();
        if (EqualsNoCase(entry, name) && accept(directory + entry))
            return true;
    }
    return false;
}

bool IsDirectory(const std::string& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

} // namespace

std::FILE* OpenFileNoCase(const std::string& directory, std::string_view name, const char* mode,
                          std::string* resolved) {
    std::FILE* file = nullptr;
    auto tryOpen = [&](const std::string& path) {
        file = std::fopen(path.c_str(), mode);
        if (file && resolved)
            *resolved = path;
        return file != nullptr;
    };
    const auto variants = CaseVariants(name);
    for (std::size_t i = 0; i < variants.size(); ++i) {
        bool seen = false;
        for (std::size_t j = 0; j < i; ++j)
            seen = seen || variants[j] == variants[i];
        if (!seen && tryOpen(directory + variants[i]))
            return file;
    }
    ScanNoCase(directory, name, tryOpen);
    return file;
}

std::string ResolveSubdirectory(const std::string& directory, std::string_view name) {
    std::string found;
    auto accept = [&](const std::string& path) {
        if (!IsDirectory(path))
            return false;
        found = path;
        return true;
    };
    for (const std::string& variant : CaseVariants(name))
        if (accept(directory + variant))
            return found;
    ScanNoCase(directory, name, accept);
    return found;
}

std::string DirectoryIdentity(const std::string& directory) {
    const fs::path path = DirectoryPath(directory);
#ifndef _WIN32
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return {};
    return std::to_string(info.st_dev) + ':' + std::to_string(info.st_ino);
#else
    std::error_code error;
    fs::path canonical = fs::canonical(path, error);
    return error ? std::string() : canonical.string();
#endif
}
