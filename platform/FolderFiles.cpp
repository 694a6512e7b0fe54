#include "platform/FolderFiles.h"

#include "platform/FileNames.h"
#include "platform/RegularFile.h"

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#endif

#ifndef _WIN32

CFolderFiles::CFolderFiles(std::string directory) : m_strDirectory(std::move(directory)) {
    const std::string path = m_strDirectory.empty() ? std::string(".") : m_strDirectory;
    m_fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0)
        return;
    // The listing reads through a descriptor of its own; m_fd stays for the opens.
    const int listed = ::dup(m_fd);
    DIR* entries = listed >= 0 ? ::fdopendir(listed) : nullptr;
    if (!entries) {
        if (listed >= 0)
            ::close(listed);
        return;
    }
    m_bListed = true;
    while (const dirent* entry = ::readdir(entries))
        m_namesByFolded[AsciiFolded(entry->d_name)].emplace_back(entry->d_name);
    ::closedir(entries);
}

CFolderFiles::~CFolderFiles() {
    if (m_fd >= 0)
        ::close(m_fd);
}

CFilePtr CFolderFiles::Open(std::string_view name, long long* size) const {
    if (m_fd < 0)
        return {};
    const std::vector<std::string> none;
    const std::vector<std::string>* entries = nullptr;
    if (m_bListed) {
        const auto found = m_namesByFolded.find(AsciiFolded(name));
        entries = found == m_namesByFolded.end() ? &none : &found->second;
    }
    for (const std::string& candidate : CandidateNames(name, entries))
        if (CFilePtr file = OpenRegularFileAt(m_fd, candidate, "rb", size))
            return file;
    return {};
}

#else

CFolderFiles::CFolderFiles(std::string directory) : m_strDirectory(std::move(directory)) {}

CFolderFiles::~CFolderFiles() = default;

CFilePtr CFolderFiles::Open(std::string_view name, long long* size) const {
    return OpenFileNoCase(m_strDirectory, name, "rb", nullptr, size);
}

#endif
