#pragma once
// The files of one directory, listed once and opened relative to it. Reading thousands of small
// files of one folder (as an export does) costs the system more in walking each whole path, and
// in checking each time that the folder is unchanged, than in reading the files; this takes one
// listing and one open directory for all of them. Names match as OpenFileNoCase matches them.

#include "platform/FileGuard.h"
#include "platform/ReadOnlyFile.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CFolderFiles {
public:
    // `directory` is empty (the working directory) or ends in a separator.
    explicit CFolderFiles(std::string directory);
    ~CFolderFiles();
    CFolderFiles(const CFolderFiles&) = delete;
    CFolderFiles& operator=(const CFolderFiles&) = delete;

    const std::string& Directory() const { return m_strDirectory; }
    // Opens `name` for reading when it is a regular file, as OpenFileNoCase does, with the
    // directory as it was listed when this object was made.
    CFilePtr Open(std::string_view name, long long* size = nullptr) const;
    // The same, opened as cheaply as the listing allows: an entry that it says is a regular file
    // is opened without following links and read without asking again what it is (a FIFO put in
    // its place since is opened without waiting and gives nothing). Its size is asked for only
    // when the reader wants it.
    CReadOnlyFile OpenForReading(std::string_view name) const;
    // Whether an entry matches `name` ignoring case; true when the directory could not be listed.
    bool MayHave(std::string_view name) const;
    // The names of the directory's entries, "." and ".." left out.
    std::vector<std::string> Names() const;

private:
    // The names in the listing that `name` matches in any case: none when it is not there, and
    // nullptr when the folder could not be listed (every name is then tried).
    const std::vector<std::string>* ListedAs(std::string_view name) const;
    std::string m_strDirectory;
    int m_fd = -1;
    bool m_bListed = false;
    std::unordered_map<std::string, std::vector<std::string>> m_namesByFolded;
    // The entries that the listing says are regular files (not links to them).
    std::unordered_map<std::string, bool> m_regular;
};
