#include "shell/RecentFileList.h"

#include "design/IniFile.h"

#include <QDir>
#include <QFileInfo>

const QString CRecentFileList::kSection = QStringLiteral("Recent File List");

CRecentFileList::CRecentFileList(int maxSize)
    : m_maxSize(maxSize)
{
}

QString CRecentFileList::EntryKey(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

void CRecentFileList::Add(const QString& path)
{
    const QString full = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    m_paths.removeAll(full);
    m_paths.prepend(full);
    while (m_paths.size() > m_maxSize)
        m_paths.removeLast();
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < m_paths.size())
        m_paths.removeAt(index);
}

void CRecentFileList::ReadList(CIniFile& settings)
{
    m_paths.clear();
    for (int i = 0; i < m_maxSize; ++i) {
        const QString path =
            settings.GetString(kSection, EntryKey(i), QString(), false, CIniFile::kSettingsReadLimit);
        if (!path.isEmpty() && !m_paths.contains(path))
            m_paths.append(path);
    }
}

void CRecentFileList::WriteList(CIniFile& settings) const
{
    for (int i = 0; i < m_maxSize; ++i)
        settings.WriteString(kSection, EntryKey(i), m_paths.value(i), false);
}
