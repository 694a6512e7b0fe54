#pragma once
// Quote files are read only when they are regular files. A FIFO would block the reader until
// someone writes to it and a device such as /dev/zero feeds it without end, so anything else in
// the place of a quote file is refused at once, before a single byte is read.

#include "platform/FileGuard.h"

#include <string>

// Opens `path` (links followed) for reading, mode "r" or "rb", when it is a regular file, and
// gives its size in bytes through `size` when asked. Never waits: a FIFO, a device, a directory,
// a broken or looping link gives no file, with errno set.
CFilePtr OpenRegularFile(const std::string& path, const char* mode, long long* size = nullptr);

#ifndef _WIN32
// The same for `name` within the open directory `directoryFd`, which spares the system the walk
// through the whole path when many files of one directory are read.
CFilePtr OpenRegularFileAt(int directoryFd, const std::string& name, const char* mode,
                           long long* size = nullptr);
// The same as a bare descriptor for reading, or -1.
int OpenRegularDescriptorAt(int directoryFd, const std::string& name, long long* size = nullptr);
#endif

// The size in bytes of an open file, or -1 when the system cannot tell.
long long OpenFileSize(std::FILE* file);

// Why `path` cannot be read as a regular file, in words for a message ("a FIFO, not a regular
// file", "a broken link", "No such file or directory"); empty when it can be read.
std::string UnreadableReason(const std::string& path);
