#include "tests/support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

CTempDir::CTempDir(const std::string& prefix) {
    std::string pattern = (fs::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a directory below " +
                                 fs::temp_directory_path().string());
    m_strPath = pattern + static_cast<char>(fs::path::preferred_separator);
}

CTempDir::~CTempDir() {
    std::error_code error;
    fs::remove_all(m_strPath, error);
}

std::string CTempDir::MakeSubdirectory(const std::string& name) const {
    fs::create_directories(m_strPath + name);
    return m_strPath + name + static_cast<char>(fs::path::preferred_separator);
}
