#include "cli/OutputSink.h"

#include "cli/SignalCleanup.h"
#include "platform/SafeFiles.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

COutputSink::COutputSink() : m_buffer(new char[kBlockSize]) {}

COutputSink::~COutputSink() {
    Discard();
}

void COutputSink::UseStandardOutput() {
    m_fd = STDOUT_FILENO;
}

bool COutputSink::UseFile(const std::string& path, std::string& problem) {
    // A name of its own, so that two exports to one file never write into the same work file.
    auto work = std::make_unique<CWorkFile>(path, CWorkFile::UniqueName{});
    if (!work->IsOpen()) {
        problem = "cannot create a file beside " + path + ": " + std::strerror(work->Error());
        return false;
    }
    // Whole blocks go straight to the descriptor; the stream only flushes and closes the file.
    m_fd = ::fileno(work->File());
    m_strPath = path;
    m_pWork = std::move(work);
    RemoveOnSignal(m_pWork->WorkPath());
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
    if (!m_pWork)
        return m_nError == 0;
    m_fd = -1;
    if (m_nError == 0 && m_pWork->Commit() != CWorkFile::Failure::kNone)
        m_nError = m_pWork->Error();
    Discard();
    return m_nError == 0;
}

void COutputSink::Discard() {
    if (!m_pWork)
        return;
    m_fd = -1;
    m_pWork.reset(); // removes the work file unless it was committed
    StopRemovingOnSignal();
}
