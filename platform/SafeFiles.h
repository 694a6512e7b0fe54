#pragma once
// Writing a file so that a crash or a full disk never leaves the user without it: write a work
// file, flush it to the disk, then move it over the original in one step.

#include <cstdio>
#include <string>

// Flushes the stream and the system's buffers of its file to the disk; false on any failure.
bool FlushToDisk(std::FILE* file);

// Moves `from` over `to` in one atomic step (the old `to` stays whole until the move is done).
bool ReplaceFile(const std::string& from, const std::string& to);
