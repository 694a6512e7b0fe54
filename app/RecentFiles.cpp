#include "app/RecentFiles.h"

#include "app/FileAccess.h"
#include "platform/Settings.h"

#include <QFile>

#include <algorithm>

namespace {

constexpr char kSection[] = "Recent File List";
constexpr std::size_t kMenuPathLimit = 60;

std::string EntryName(int index) {
    return "File" + std::to_string(index + 1);
}

} // namespace

CRecentFileList::CRecentFileList(Settings& settings, int size)
    : m_settings(settings), m_nSize(size) {}

void CRecentFileList::ReadList() {
    m_paths.clear();
    for (int i = 0; i < m_nSize; ++i) {
        const std::string path = m_settings.ReadString(kSection, EntryName(i), "");
        if (!path.empty() && std::find(m_paths.begin(), m_paths.end(), path) == m_paths.end())
            m_paths.push_back(path);
    }
}

// Every write of the settings file goes to the disk at once, so only entries that changed are
// written.
void CRecentFileList::WriteList(const std::vector<std::string>& before) {
    for (int i = 0; i < m_nSize; ++i) {
        const std::size_t at = std::size_t(i);
        const std::string now = at < m_paths.size() ? m_paths[at] : std::string();
        const std::string old = at < before.size() ? before[at] : std::string();
        if (now != old)
            m_settings.WriteString(kSection, EntryName(i), now);
    }
}

void CRecentFileList::Add(const std::string& path) {
    if (path.empty())
        return;
    const std::vector<std::string> before = m_paths;
    std::erase(m_paths, path);
    m_paths.insert(m_paths.begin(), path);
    if (GetSize() > m_nSize)
        m_paths.resize(std::size_t(m_nSize));
    WriteList(before);
}

void CRecentFileList::Remove(int index) {
    if (index < 0 || index >= GetSize())
        return;
    const std::vector<std::string> before = m_paths;
    m_paths.erase(m_paths.begin() + index);
    WriteList(before);
}

QString CRecentFileList::MenuText(int index) const {
    QString path = QFile::decodeName(
        QByteArray::fromStdString(ShortenedPath(m_paths[std::size_t(index)], kMenuPathLimit)));
    path.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(path);
}
