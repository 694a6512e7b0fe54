#include "cli/Progress.h"

#include <cstdio>

#include <unistd.h>

CProgress::CProgress() : m_bTerminal(::isatty(STDERR_FILENO) == 1), m_start(Clock::now()) {}

CProgress::~CProgress() {
    Clear();
}

void CProgress::Show(int securities, long long rows) {
    if (!m_bTerminal)
        return;
    const Clock::time_point now = Clock::now();
    if (now - m_start < std::chrono::seconds(1) || now - m_last < std::chrono::milliseconds(200))
        return;
    m_last = now;
    std::fprintf(stderr, "\rtickvane-cli: exporting, %d securities, %lld rows", securities, rows);
    m_bShown = true;
}

void CProgress::Clear() {
    if (m_bShown)
        std::fputs("\r\033[K", stderr);
    m_bShown = false;
}
