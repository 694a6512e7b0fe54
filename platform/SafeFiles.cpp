#include "platform/SafeFiles.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

bool FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return ::fsync(::fileno(file)) == 0;
#endif
}

bool ReplaceFile(const std::string& from, const std::string& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (error)
        return false;
#ifndef _WIN32
    // The rename itself lives in the directory: flush that too, so the new name survives a crash.
    const std::filesystem::path directory = std::filesystem::path(to).parent_path();
    const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
    return true;
}
