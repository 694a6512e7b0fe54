#include "platform/RegularFile.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <filesystem>
#include <system_error>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifndef _WIN32

namespace {

// The error that stands for a file that exists but is not a regular file.
int NotRegularError(mode_t mode) {
    return S_ISDIR(mode) ? EISDIR : ENODEV;
}

// Keeps `fd` (opened without waiting) when it is a regular file; closes it otherwise.
int KeepRegularDescriptor(int fd, long long* size) {
    if (fd < 0)
        return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = NotRegularError(info.st_mode);
        ::close(fd);
        errno = error;
        return -1;
    }
    if (size)
        *size = static_cast<long long>(info.st_size);
    return fd;
}

CFilePtr AdoptRegularFile(int fd, const char* mode, long long* size) {
    long long known = -1;
    fd = KeepRegularDescriptor(fd, &known);
    if (fd < 0)
        return {};
    std::FILE* file = ::fdopen(fd, mode);
    if (!file) {
        ::close(fd);
        return {};
    }
    if (size)
        *size = known;
    return CFilePtr{file};
}

bool IsReadMode(const char* mode) {
    if (mode && mode[0] == 'r' && !std::strchr(mode, '+'))
        return true;
    errno = EINVAL;
    return false;
}

// Opening does not wait on a FIFO without a writer when it does not block; what was opened is
// then looked at before a byte is read. (Reads of a regular file never block, so the flag may
// stay.)
constexpr int kOpenFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

} // namespace

CFilePtr OpenRegularFile(const std::string& path, const char* mode, long long* size) {
    if (!IsReadMode(mode))
        return {};
    return AdoptRegularFile(::open(path.c_str(), kOpenFlags), mode, size);
}

CFilePtr OpenRegularFileAt(int directoryFd, const std::string& name, const char* mode,
                           long long* size) {
    if (!IsReadMode(mode))
        return {};
    return AdoptRegularFile(::openat(directoryFd, name.c_str(), kOpenFlags), mode, size);
}

int OpenRegularDescriptorAt(int directoryFd, const std::string& name, long long* size) {
    return KeepRegularDescriptor(::openat(directoryFd, name.c_str(), kOpenFlags), size);
}

long long OpenFileSize(std::FILE* file) {
    struct stat info {};
    return ::fstat(::fileno(file), &info) == 0 ? static_cast<long long>(info.st_size) : -1;
}

std::string UnreadableReason(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        const int error = errno;
        struct stat link {};
        if (error == ENOENT && ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
            return "a broken link";
        return std::strerror(error);
    }
    if (S_ISDIR(info.st_mode))
        return "a directory, not a regular file";
    if (S_ISFIFO(info.st_mode))
        return "a FIFO, not a regular file";
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        return "a device, not a regular file";
    if (!S_ISREG(info.st_mode))
        return "not a regular file";
    if (!OpenRegularFile(path, "rb"))
        return std::strerror(errno);
    return {};
}

#else

CFilePtr OpenRegularFile(const std::string& path, const char* mode, long long* size) {
    std::error_code error;
    if (!mode || mode[0] != 'r' || !std::filesystem::is_regular_file(path, error))
        return {};
    CFilePtr file{std::fopen(path.c_str(), mode)};
    if (file && size)
        *size = OpenFileSize(file.get());
    return file;
}

long long OpenFileSize(std::FILE* file) {
    const long long at = _ftelli64(file);
    if (at < 0 || _fseeki64(file, 0, SEEK_END) != 0)
        return -1;
    const long long size = _ftelli64(file);
    _fseeki64(file, at, SEEK_SET);
    return size;
}

std::string UnreadableReason(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error)
        return error.message();
    if (!std::filesystem::is_regular_file(status))
        return "not a regular file";
    if (!OpenRegularFile(path, "rb"))
        return std::strerror(errno);
    return {};
}

#endif
