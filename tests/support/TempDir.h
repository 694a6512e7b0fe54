#pragma once
// Scratch directories for tests and fuzz inputs.

#include <string>

// A fresh directory below the system's temporary directory, removed with everything in it when
// the object goes, so parallel runs never see each other's files. `Path()` ends in the separator.
class CTempDir {
public:
    explicit CTempDir(const std::string& prefix = "tickvane-test-");
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::string& Path() const { return m_strPath; }
    std::string operator/(const std::string& name) const { return m_strPath + name; }
    // Creates subdirectory `name` and gives its path with a trailing separator.
    std::string MakeSubdirectory(const std::string& name) const;

private:
    std::string m_strPath;
};
