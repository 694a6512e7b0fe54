#include "platform/FolderFiles.h"

#include "platform/FileNames.h"
#include "platform/RegularFile.h"

#include <utility>

#ifdef _WIN32
#include <filesystem>
#include <system_error>
#else
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
    while (const dirent* entry = ::readdir(entries)) {
        m_namesByFolded[AsciiFolded(entry->d_name)].emplace_back(entry->d_name);
        if (entry->d_type == DT_REG)
            m_regular.emplace(entry->d_name, true);
    }
    ::closedir(entries);
}

CFolderFiles::~CFolderFiles() {
    if (m_fd >= 0)
        ::close(m_fd);
}

const std::vector<std::string>* CFolderFiles::ListedAs(std::string_view name) const {
    static const std::vector<std::string> none;
    if (!m_bListed)
        return nullptr;
    const auto found = m_namesByFolded.find(AsciiFolded(name));
    return found == m_namesByFolded.end() ? &none : &found->second;
}

CFilePtr CFolderFiles::Open(std::string_view name, long long* size) const {
    if (m_fd < 0)
        return {};
    for (const std::string& candidate : CandidateNames(name, ListedAs(name)))
        if (CFilePtr file = OpenRegularFileAt(m_fd, candidate, "rb", size))
            return file;
    return {};
}

CReadOnlyFile CFolderFiles::OpenForReading(std::string_view name) const {
    if (m_fd < 0)
        return {};
    constexpr int kFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    for (const std::string& candidate : CandidateNames(name, ListedAs(name))) {
        if (m_regular.count(candidate)) {
            const int fd = ::openat(m_fd, candidate.c_str(), kFlags | O_NOFOLLOW);
            if (fd >= 0)
                return CReadOnlyFile(fd, -1);
        }
        // A link, a name the listing could not tell, or one replaced since: looked at first.
        long long size = -1;
        const int fd = OpenRegularDescriptorAt(m_fd, candidate, &size);
        if (fd >= 0)
            return CReadOnlyFile(fd, size);
    }
    return {};
}

bool CFolderFiles::MayHave(std::string_view name) const {
    return !m_bListed || m_namesByFolded.count(AsciiFolded(name)) > 0;
}

std::vector<std::string> CFolderFiles::Names() const {
    std::vector<std::string> names;
    for (const auto& [folded, spelled] : m_namesByFolded)
        for (const std::string& name : spelled)
            if (name != "." && name != "..")
                names.push_back(name);
    return names;
}

#else

CFolderFiles::CFolderFiles(std::string directory) : m_strDirectory(std::move(directory)) {}

CFolderFiles::~CFolderFiles() = default;

CFilePtr CFolderFiles::Open(std::string_view name, long long* size) const {
    return OpenFileNoCase(m_strDirectory, name, "rb", nullptr, size);
}

CReadOnlyFile CFolderFiles::OpenForReading(std::string_view name) const {
    long long size = -1;
    CFilePtr file = Open(name, &size);
    return file ? CReadOnlyFile(std::move(file), size) : CReadOnlyFile();
}

bool CFolderFiles::MayHave(std::string_view) const {
    return true;
}

std::vector<std::string> CFolderFiles::Names() const {
    std::vector<std::string> names;
    std::error_code error;
    const std::string path = m_strDirectory.empty() ? std::string(".") : m_strDirectory;
    for (std::filesystem::directory_iterator it(path, error);
         !error && it != std::filesystem::directory_iterator(); it.increment(error))
        names.push_back(it->path().filename().string());
    return names;
}

#endif
