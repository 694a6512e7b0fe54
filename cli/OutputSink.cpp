#include "cli/OutputSink.h"

#include "platform/SafeFiles.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

namespace {

// The temporary file that a signal must remove, as a fixed text: a handler may not allocate.
char g_szTemporary[4096];

extern "C" void RemoveTemporaryAndDie(int signal) {
    if (g_szTemporary[0] != '\0')
        ::unlink(g_szTemporary);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void WatchSignals(const std::string& temporary) {
    if (temporary.size() >= sizeof g_szTemporary)
        return;
    std::memcpy(g_szTemporary, temporary.c_str(), temporary.size() + 1);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, RemoveTemporaryAndDie);
}

void StopWatching() {
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, SIG_DFL);
    g_szTemporary[0] = '\0';
}

} // namespace

COutputSink::COutputSink() : m_buffer(new char[kBlockSize]) {}

COutputSink::~COutputSink() {
    Discard();
}

void COutputSink::UseStandardOutput() {
    m_fd = STDOUT_FILENO;
}

bool COutputSink::UseFile(const std::string& path, std::string& problem) {
    std::size_t cut = path.rfind('/');
    cut = cut == std::string::npos ? 0 : cut + 1;
    std::string temporary = path.substr(0, cut) + "." + path.substr(cut) + ".partial-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        problem = "cannot create a file beside " + path + ": " + std::strerror(errno);
        return false;
    }
    // mkstemp makes the file private; the export gets the permissions of any new file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    m_fd = fd;
    m_strPath = path;
    m_strTemporary = temporary;
    WatchSignals(temporary);
    return true;
}

void COutputSink::Append(std::string_view text) {
    while (!text.empty()) {
        const std::size_t room = std::min(text.size(), kBlockSize);
        char* at = Reserve(room);
        std::memcpy(at, text.data(), room);
        Commit(at + room);
        text.remove_prefix(room);
    }
}

void COutputSink::Flush() {
    const char* at = m_buffer.get();
    std::size_t left = m_nUsed;
    m_nUsed = 0;
    while (left > 0 && m_nError == 0) {
        const ssize_t written = ::write(m_fd, at, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            m_nError = written < 0 ? errno : EIO;
            return;
        }
        at += written;
        left -= static_cast<std::size_t>(written);
    }
}

std::string COutputSink::Problem() const {
    return "cannot write " + (m_strPath.empty() ? std::string("the output") : m_strPath) + ": " +
           std::strerror(m_nError);
}

bool COutputSink::Finish() {
    Flush();
    if (m_strTemporary.empty())
        return m_nError == 0;
    const int fd = std::exchange(m_fd, -1);
    if (m_nError == 0 && ::fsync(fd) != 0)
        m_nError = errno;
    if (::close(fd) != 0 && m_nError == 0)
        m_nError = errno;
    if (m_nError == 0 && !ReplaceFile(m_strTemporary, m_strPath))
        m_nError = errno != 0 ? errno : EIO;
    if (m_nError != 0) {
        Discard();
        return false;
    }
    m_strTemporary.clear();
    StopWatching();
    return true;
}

void COutputSink::Discard() {
    if (m_strTemporary.empty())
        return;
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    ::unlink(m_strTemporary.c_str());
    m_strTemporary.clear();
    StopWatching();
}
