#include "platform/SafeFiles.h"

#include "platform/FileNames.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
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

namespace {

// Creates or empties the regular file `path`. Whatever else has that name (a folder, a link, a
// FIFO, a device) is not written through and stays as it is.
std::FILE* OpenForWriting(const std::string& path, int& error) {
#ifdef _WIN32
    std::FILE* file = std::fopen(path.c_str(), "wb");
    error = file ? 0 : errno;
    return file;
#else
    // Never waits for a reader of a FIFO.
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    struct stat status {};
    std::FILE* file = nullptr;
    if (::fstat(fd, &status) != 0)
        error = errno;
    else if (!S_ISREG(status.st_mode))
        error = EEXIST;
    else if (::ftruncate(fd, 0) != 0)
        error = errno;
    else if (!(file = ::fdopen(fd, "wb")))
        error = errno;
    if (!file)
        ::close(fd);
    return file;
#endif
}

} // namespace

CWorkFile::CWorkFile(std::string target) : CWorkFile(target, target + ".part") {}

CWorkFile::CWorkFile(std::string target, std::string work)
    : m_strTarget(std::move(target)), m_strWork(std::move(work)) {
    m_pFile = OpenForWriting(m_strWork, m_nError);
}

CWorkFile::CWorkFile(std::string target, UniqueName) : m_strTarget(std::move(target)) {
    const std::size_t cut = FileNameStart(m_strTarget);
    m_strWork = m_strTarget.substr(0, cut) + "." + m_strTarget.substr(cut) + ".partial-XXXXXX";
#ifdef _WIN32
    if (_mktemp_s(m_strWork.data(), m_strWork.size() + 1) != 0) {
        m_nError = errno;
        return;
    }
    m_pFile = OpenForWriting(m_strWork, m_nError);
#else
    const int fd = ::mkstemp(m_strWork.data());
    if (fd < 0) {
        m_nError = errno;
        return;
    }
    // mkstemp makes the file private; what is written gets the permissions of any new file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    m_pFile = ::fdopen(fd, "wb");
    if (!m_pFile) {
        m_nError = errno;
        ::close(fd);
        ::unlink(m_strWork.c_str());
    }
#endif
}

CWorkFile::~CWorkFile() {
    Discard();
}

CWorkFile::Failure CWorkFile::Commit(const Replacer& replace) {
    if (!m_pFile) {
        m_nError = m_nError != 0 ? m_nError : EBADF;
        return Failure::kWrite;
    }
    errno = 0;
    // A write that failed on the way leaves its mark on the stream even when the flush succeeds.
    bool written = std::ferror(m_pFile) == 0 && FlushToDisk(m_pFile);
    if (!written)
        m_nError = errno != 0 ? errno : EIO;
    // Closing the file is its last write, so its result counts.
    if (std::fclose(std::exchange(m_pFile, nullptr)) != 0 && written) {
        m_nError = errno;
        written = false;
    }
    if (written) {
        errno = 0;
        if (replace(m_strWork, m_strTarget))
            return Failure::kNone;
        m_nError = errno != 0 ? errno : EIO;
    }
    std::remove(m_strWork.c_str());
    return written ? Failure::kReplace : Failure::kWrite;
}

void CWorkFile::Discard() {
    if (!m_pFile)
        return;
    std::fclose(std::exchange(m_pFile, nullptr));
    std::remove(m_strWork.c_str());
}
