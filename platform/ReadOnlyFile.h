#pragma once
// A regular file open for reading, by its descriptor where the system has them. Reading the many
// small price files of a folder costs the system calls of each open more than the bytes: a stream
// would ask for the descriptor's flags and its size before the first read, neither of which a
// file that is read whole in one block needs. The size is asked for only when it is wanted.

#include "platform/FileGuard.h"

#include <cstddef>

class CReadOnlyFile {
public:
    CReadOnlyFile() = default;
#ifndef _WIN32
    // Takes `fd`, a regular file opened for reading; `size` is -1 until someone asks for it.
    CReadOnlyFile(int fd, long long size);
#endif
    // Takes a stream of a regular file; `size` as above.
    CReadOnlyFile(CFilePtr file, long long size);
    ~CReadOnlyFile();
    CReadOnlyFile(CReadOnlyFile&& other) noexcept;
    CReadOnlyFile& operator=(CReadOnlyFile&& other) noexcept;
    CReadOnlyFile(const CReadOnlyFile&) = delete;
    CReadOnlyFile& operator=(const CReadOnlyFile&) = delete;

    explicit operator bool() const {
        return m_fd >= 0 || m_file;
    }

    // Reads up to `bytes` from where the last read ended; fewer only at the file's end (a read of
    // a regular file gives all that is there) or on a failure.
    std::size_t Read(void* data, std::size_t bytes);
    // The same from byte `offset`; later reads go on after what it gave.
    std::size_t ReadAt(long long offset, void* data, std::size_t bytes);
    // The size in bytes, asked of the system the first time; -1 when it cannot tell.
    long long Size();
    // Tells the size found otherwise (a read that ended before the block did).
    void KnowSize(long long size) {
        m_nSize = size;
    }

private:
    void Close();

    int m_fd = -1;
    CFilePtr m_file;
    long long m_nSize = -1;
};
