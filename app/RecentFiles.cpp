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

void CRecentFileList::WriteList() {
    for (int i = 0; i < m_nSize; ++i)
        m_settings.WriteString(kSection, EntryName(i),
                               i < GetSize() ? m_paths[std::size_t(i)] : "");
}

void CRecentFileList::Add(const std::string& path) {
    if (path.empty())
        return;
    std::erase(m_paths, path);
    m_paths.insert(m_paths.begin(), path);
    if (GetSize() > m_nSize)
        m_paths.resize(std::size_t(m_nSize));
    WriteList();
}

void CRecentFileList::Remove(int index) {
    if (index < 0 || index >= GetSize())
        return;
    m_paths.erase(m_paths.begin() + index);
    WriteList();
}

QString CRecentFileList::MenuText(int index) const {
    QString path = QFile::decodeName(
        QByteArray::fromStdString(ShortenedPath(m_paths[std::size_t(index)], kMenuPathLimit)));
    path.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(path);
}
