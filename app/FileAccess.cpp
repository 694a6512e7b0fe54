#include "app/FileAccess.h"

#include "platform/FileGuard.h"
#include "platform/FileNames.h"
#include "platform/RegularFile.h"
#include "quotes/QuoteFileName.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMessagePathLimit = 160;

std::string CannotOpen(const std::string& path, const std::string& reason) {
    return "Cannot open the file\n" + ShortenedPath(path, kMessagePathLimit) + "\n" + reason + ".";
}

} // namespace

bool CanOpenForReading(const std::string& path, std::string& message) {
    if (path.empty()) {
        message = "No file name was given.";
        return false;
    }
    std::error_code error;
    const fs::file_status status = fs::status(fs::path(path), error);
    if (error) {
        message = CannotOpen(path, error.message());
        return false;
    }
    if (fs::is_directory(status)) {
        fs::directory_iterator listing(fs::path(path), error);
        if (error) {
            message = CannotOpen(path, error.message());
            return false;
        }
        return true;
    }
    if (!fs::is_regular_file(status)) {
        message = CannotOpen(path, "It is a device or a pipe, not a file");
        return false;
    }
    // Opened without waiting, should the file have been swapped for a pipe since the test above.
    const CFilePtr file = OpenRegularFile(path, "rb");
    if (!file) {
        message = CannotOpen(path, std::error_code(errno, std::generic_category()).message());
        return false;
    }
    return true;
}

std::string FullPath(const std::string& path) {
    if (path.empty())
        return path;
    std::error_code error;
    const fs::path full = fs::absolute(fs::path(path), error);
    return error ? path : full.string();
}

std::string ShortenedPath(const std::string& path, std::size_t limit) {
    if (path.size() <= limit || limit < 8)
        return path;
    const std::size_t head = (limit - 3) / 3;
    const std::size_t tail = limit - 3 - head;
    return path.substr(0, head) + "..." + path.substr(path.size() - tail);
}

bool IsQuoteFileIn(const std::string& path, const std::string& directory) {
    const fs::path file(path);
    const std::string parent = file.has_parent_path() ? file.parent_path().string() : ".";
    const std::string identity = DirectoryIdentity(directory);
    if (identity.empty() || DirectoryIdentity(parent) != identity)
        return false;
    return IsQuoteFileName(file.filename().string());
}
