#pragma once

#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// What the font configuration answered in earlier runs, kept in a file so
// that a run whose questions were all asked before never loads the
// configuration: reading its files takes a headless export longer than
// drawing the button.
//
// Beside the answers the file keeps what they were drawn from: the
// configuration library's version, the environment variables it reads, and
// the time, size and inode of every configuration file and folder it read
// and of every font folder it scanned (present or not). The answers are
// taken only while all of these are as they were, the same test the
// configuration makes of its own caches. A missing, unreadable, malformed or
// outdated file is as good as none.
//
// Not safe across threads: its owner locks.
class CFontAnswerCache
{
public:
    // Reads the answers kept at path, if they are current; an empty path
    // keeps answers in memory only.
    explicit CFontAnswerCache(QString path);

    // $XDG_CACHE_HOME/nacreform/font-answers.json, or under ~/.cache.
    static QString DefaultPath();

    // The answer to question, when it is known.
    const QStringList* Find(const QString& question) const;

    // Notes what the configuration just loaded was read from; call right
    // after loading it. A long-running program's answers stay those of the
    // configuration it loaded, so that is what they are stamped with, not
    // what the files say when an answer comes to be written.
    void StampConfiguration();

    // Keeps answer for Save. Past kMaxAnswers, answers are given but not
    // kept: questions can come from anyone's design.
    void Remember(const QString& question, const QStringList& answer);

    // Writes the file anew when answers were added since it was read and
    // the configuration is stamped: once at the end of a run, rather than
    // once an answer.
    void Save();

    static constexpr int kMaxAnswers = 512;

private:
    QString m_path;
    QHash<QString, QStringList> m_answers;
    QJsonObject m_stamp; // empty until the configuration is loaded
    bool m_unsaved = false;
};
