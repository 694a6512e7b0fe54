#pragma once
// The checks the framework makes before it lets a document open a path.

#include <string>

// True when `path` names a file or a folder that can be read now. Otherwise `message` says why,
// in words for the user. Devices, pipes and sockets are refused: reading one may never end.
bool CanOpenForReading(const std::string& path, std::string& message);

// The absolute form of `path` (relative to the working directory), without resolving links; an
// empty path stays empty.
std::string FullPath(const std::string& path);

// The path shortened in the middle to at most `limit` characters, for messages and menus.
std::string ShortenedPath(const std::string& path, std::size_t limit);

// True when `path` names a file of the quote folder `directory` (IsQuoteFileName). The program
// only reads those, so nothing it writes may go there.
bool IsQuoteFileIn(const std::string& path, const std::string& directory);
