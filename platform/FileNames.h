#pragma once
// File names in a quote directory. Directories that were written on a file system that ignores
// case arrive as MASTER/F1.DAT or master/f1.dat, so every name is looked for exactly first and
// then ignoring case.

#include "platform/FileGuard.h"

#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

bool IsPathSeparator(char c);

// Where the last component of `path` starts: just after its last separator, or 0 without one.
std::size_t FileNameStart(std::string_view path);

// Appends the separator unless the text is empty or already ends in a separator (or, on Windows,
// is a bare drive such as "C:").
void AppendSeparator(std::string& directory);

// The names under which `name` may exist in a directory, best first: the exact name, the usual
// spellings (upper, lower and capitalised case), then any other entry that matches ignoring case.
// `entries` are the directory's entries that equal `name` ignoring case, or nullptr when the
// directory cannot be listed (then the spellings are all there is to try).
std::vector<std::string> CandidateNames(std::string_view name,
                                        const std::vector<std::string>* entries);

// Opens `name` in `directory` (empty, or ending in a separator) for reading. Tries the exact
// name, then the name in upper, lower and capitalised case, then any entry of the directory whose
// name matches ignoring case. Only regular files are opened (see RegularFile.h); gives no file
// when nothing can be opened. `resolved`, when given, receives the path that was opened, `size`
// its size.
CFilePtr OpenFileNoCase(const std::string& directory, std::string_view name, const char* mode,
                        std::string* resolved = nullptr, long long* size = nullptr);

// The name under which an entry `name` exists in `directory`, matched as above (whatever kind
// of file it is), or an empty text when there is none.
std::string ExistingNameNoCase(const std::string& directory, std::string_view name);

// Full path of an existing subdirectory `name` of `directory`, matched as above, or an empty text
// when there is none.
std::string ResolveSubdirectory(const std::string& directory, std::string_view name);

// A text that is equal for two paths naming the same directory (device and inode where the system
// has them), or empty when the directory does not exist.
std::string DirectoryIdentity(const std::string& directory);

// The text with its ASCII letters in lower case, for matching names ignoring case.
std::string AsciiFolded(std::string_view text);

// Compares ASCII texts ignoring case; bytes above 0x7F compare as they are.
bool EqualsNoCase(std::string_view a, std::string_view b);
char AsciiUpper(char c);
char AsciiLower(char c);
