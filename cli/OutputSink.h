#pragma once
// Where tickvane-cli export writes: large blocks straight to a file descriptor, no stream buffer
// in between. Given a file name, it writes a temporary file beside it and gives it the name only
// when everything is written and on the disk, so an interrupted export never leaves half a file
// under the name asked for (an interrupting signal removes the temporary file, too).

#include "platform/SafeFiles.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

class COutputSink {
public:
    // Rows are formatted straight into the block; it is written out when it fills up.
    static constexpr std::size_t kBlockSize = std::size_t(1) << 18;

    COutputSink();
    ~COutputSink();
    COutputSink(const COutputSink&) = delete;
    COutputSink& operator=(const COutputSink&) = delete;

    // Writes to standard output.
    void UseStandardOutput();
    // Writes to a temporary file beside `path`; false with the reason when it cannot be created.
    bool UseFile(const std::string& path, std::string& problem);

    // A place for at least `room` bytes (at most kBlockSize); Commit() keeps what was written.
    char* Reserve(std::size_t room) {
        if (m_nUsed + room > kBlockSize)
            Flush();
        return m_buffer.get() + m_nUsed;
    }
    void Commit(char* end) { m_nUsed = static_cast<std::size_t>(end - m_buffer.get()); }
    void Append(std::string_view text);

    // False once a write has failed; Problem() then says why.
    bool Good() const { return m_nError == 0; }
    std::string Problem() const;
    // Writes what is left and, for a file, moves it into place. False when anything failed.
    bool Finish();

private:
    void Flush();
    void Discard();

    std::unique_ptr<char[]> m_buffer; // left uninitialised: a small export touches little of it
    std::size_t m_nUsed = 0;
    int m_fd = -1;
    int m_nError = 0;
    std::string m_strPath;
    std::unique_ptr<CWorkFile> m_pWork; // null while writing to standard output
};
