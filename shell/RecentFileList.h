#pragma once

#include <QString>
#include <QStringList>

class CIniFile;

// The most recently opened or saved design files, newest first, each path at
// most once, at most GetMaxSize() of them. Kept in the settings file as
// section "Recent File List", keys File1 to FileN.
class CRecentFileList
{
public:
    static const QString kSection;

    explicit CRecentFileList(int maxSize);

    int GetMaxSize() const { return m_maxSize; }
    const QStringList& GetPaths() const { return m_paths; }

    // Puts path (made absolute) in front; an older entry of it goes, and so
    // does the oldest entry when the list is full.
    void Add(const QString& path);
    void Remove(int index);

    // Replaces the list by the file's entries; empty keys are skipped.
    void ReadList(CIniFile& settings);
    // Writes every key, the unused ones empty, so that no stale entry stays.
    void WriteList(CIniFile& settings) const;

private:
    static QString EntryKey(int index);

    int m_maxSize;
    QStringList m_paths;
};
