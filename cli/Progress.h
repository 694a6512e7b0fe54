#pragma once
// A line on stderr that counts the work while a long export runs on a terminal. It waits a second
// before it shows anything and then changes at most five times a second; off a terminal it says
// nothing.

#include <chrono>

class CProgress {
public:
    CProgress();
    ~CProgress();
    CProgress(const CProgress&) = delete;
    CProgress& operator=(const CProgress&) = delete;

    void Show(int securities, long long rows);
    // Makes room for a message on a line of its own.
    void Clear();

private:
    using Clock = std::chrono::steady_clock;
    bool m_bTerminal;
    bool m_bShown = false;
    Clock::time_point m_start;
    Clock::time_point m_last{};
};
