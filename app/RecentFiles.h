#pragma once
// The four most recently opened files, newest first, kept in section "Recent File List" of the
// settings as "File1" to "File4". Paths are kept as the file system spells them, byte for byte.

#include <QString>

#include <string>
#include <vector>

class Settings;

class CRecentFileList {
public:
    CRecentFileList(Settings& settings, int size);

    void ReadList();
    // Puts `path` first, once, and stores the list.
    void Add(const std::string& path);
    void Remove(int index);

    int GetSize() const { return static_cast<int>(m_paths.size()); }
    const std::string& operator[](int index) const { return m_paths[std::size_t(index)]; }
    // "&1 /path/to/MASTER": the menu text of an entry, long paths shortened in the middle.
    QString MenuText(int index) const;

private:
    void WriteList(const std::vector<std::string>& before);

    Settings& m_settings;
    int m_nSize;
    std::vector<std::string> m_paths;
};
