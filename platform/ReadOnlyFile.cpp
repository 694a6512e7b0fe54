#include "platform/ReadOnlyFile.h"

#include "platform/RegularFile.h"

#include <cerrno>
#include <utility>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifndef _WIN32
CReadOnlyFile::CReadOnlyFile(int fd, long long size) : m_fd(fd), m_nSize(size) {}
#endif

CReadOnlyFile::CReadOnlyFile(CFilePtr file, long long size)
    : m_file(std::move(file)), m_nSize(size) {
    if (m_file)
        std::setvbuf(m_file.get(), nullptr, _IONBF, 0);
}

CReadOnlyFile::~CReadOnlyFile() {
    Close();
}

CReadOnlyFile::CReadOnlyFile(CReadOnlyFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_file(std::move(other.m_file)), m_nSize(other.m_nSize) {
}

CReadOnlyFile& CReadOnlyFile::operator=(CReadOnlyFile&& other) noexcept {
    if (this != &other) {
        Close();
        m_fd = std::exchange(other.m_fd, -1);
        m_file = std::move(other.m_file);
        m_nSize = other.m_nSize;
    }
    return *this;
}

void CReadOnlyFile::Close() {
#ifndef _WIN32
    if (m_fd >= 0)
        ::close(m_fd);
#endif
    m_fd = -1;
    m_file.reset();
}

std::size_t CReadOnlyFile::Read(void* data, std::size_t bytes) {
    if (m_file)
        return std::fread(data, 1, bytes, m_file.get());
#ifndef _WIN32
    for (;;) {
        // A regular file gives all it has at once; asking again would only find its end.
        const ssize_t got = ::read(m_fd, data, bytes);
        if (got < 0 && errno == EINTR)
            continue;
        return got > 0 ? static_cast<std::size_t>(got) : 0;
    }
#else
    return 0;
#endif
}

std::size_t CReadOnlyFile::ReadAt(long long offset, void* data, std::size_t bytes) {
    if (m_file) {
#ifdef _WIN32
        if (_fseeki64(m_file.get(), offset, SEEK_SET) != 0)
            return 0;
#else
        if (::fseeko(m_file.get(), static_cast<off_t>(offset), SEEK_SET) != 0)
            return 0;
#endif
        return std::fread(data, 1, bytes, m_file.get());
    }
#ifndef _WIN32
    if (m_fd < 0 || ::lseek(m_fd, static_cast<off_t>(offset), SEEK_SET) < 0)
        return 0;
    return Read(data, bytes);
#else
    return 0;
#endif
}

long long CReadOnlyFile::Size() {
    if (m_nSize >= 0)
        return m_nSize;
    if (m_file)
        m_nSize = OpenFileSize(m_file.get());
#ifndef _WIN32
    else if (m_fd >= 0) {
        struct stat info {};
        if (::fstat(m_fd, &info) == 0)
            m_nSize = static_cast<long long>(info.st_size);
    }
#endif
    return m_nSize;
}
