#pragma once

#include <QHash>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>

// The folder an image set or a batch writes into, and the files planned in
// it: which may be written, and which two plans would be one file.
//
// A planned file may not be one of the run's inputs (compared by device and
// inode, so that another name or a hard link of an input is caught too),
// nor a symbolic link that leads out of the folder: the file outside would
// be replaced. A link to a file inside the folder is followed, and counts
// as that file. Two claims are one file when their names are equal, or
// equal after case folding in a folder that ignores letter case: one of the
// file systems known to (FAT, exFAT, HFS+, SMB) or a case-folding ext4 or
// F2FS folder. Other case-ignoring file systems (a FUSE mount, say) are
// taken as case-sensitive.
class COutputFolder
{
public:
    enum class ELetterCase { AsTheFileSystem, Ignored };

    COutputFolder(const QString& folder, const QStringList& inputs,
                  ELetterCase letterCase = ELetterCase::AsTheFileSystem);

    // Adds a file the run reads; one that does not exist is none.
    void AddInput(const QString& path);

    bool IgnoresCase() const { return m_ignoresCase; }
    QString FilePath(const QString& fileName) const;

    // Claims fileName for owner (a batch's row by its CSV line, 0 for a
    // single set). Empty when the file may be written; else why not, naming
    // the earlier owner of the same file.
    QString Claim(const QString& fileName, int owner);

private:
    struct SClaim
    {
        QString fileName;
        int owner = 0;
    };
    using SFileId = QPair<quint64, quint64>; // device, inode

    QString m_folder;
    QString m_canonical; // empty while the folder does not exist
    bool m_ignoresCase = false;
    QSet<SFileId> m_inputs;
    QHash<QString, SClaim> m_claims; // by the name the file system sees
};
