#include "platform/FileNames.h"

#include "platform/DirectoryListing.h"
#include "platform/RegularFile.h"

#include <algorithm>
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

std::string AsciiFolded(std::string_view text) {
    std::string folded(text);
    for (char& c : folded)
        c = AsciiLower(c);
    return folded;
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

// The spellings that real directories use.
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

// The names under which `name` may exist in `directory`: its listing says which exist, so
// absent files cost no failed opens.
std::vector<std::string> CandidatesIn(const std::string& directory, std::string_view name) {
    const auto entries = EntriesNamedNoCase(directory, name);
    return CandidateNames(name, entries ? &*entries : nullptr);
}

bool IsDirectory(const std::string& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

} // namespace

std::vector<std::string> CandidateNames(std::string_view name,
                                        const std::vector<std::string>* entries) {
    const auto variants = CaseVariants(name);
    std::vector<std::string> candidates;
    auto add = [&](const std::string& candidate) {
        if (std::find(candidates.begin(), candidates.end(), candidate) == candidates.end())
            candidates.push_back(candidate);
    };
    if (!entries) {
        for (const std::string& variant : variants)
            add(variant);
        return candidates;
    }
    for (const std::string& variant : variants)
        if (std::find(entries->begin(), entries->end(), variant) != entries->end())
            add(variant);
    for (const std::string& entry : *entries)
        add(entry);
    return candidates;
}

std::size_t FileNameStart(std::string_view path) {
    std::size_t cut = path.size();
    while (cut > 0 && !IsPathSeparator(path[cut - 1]))
        --cut;
    return cut;
}

CFilePtr OpenFileNoCase(const std::string& directory, std::string_view name, const char* mode,
                        std::string* resolved, long long* size) {
    for (const std::string& candidate : CandidatesIn(directory, name)) {
        const std::string path = directory + candidate;
        if (CFilePtr file = OpenRegularFile(path, mode, size)) {
            if (resolved)
                *resolved = path;
            return file;
        }
    }
    return {};
}

std::string ExistingNameNoCase(const std::string& directory, std::string_view name) {
    std::error_code error;
    for (const std::string& candidate : CandidatesIn(directory, name))
        if (fs::exists(fs::symlink_status(directory + candidate, error)))
            return candidate;
    return {};
}

std::string ResolveSubdirectory(const std::string& directory, std::string_view name) {
    for (const std::string& candidate : CandidatesIn(directory, name))
        if (IsDirectory(directory + candidate))
            return directory + candidate;
    return {};
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
