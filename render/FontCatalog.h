#pragma once

#include "render/FontAnswerCache.h"

#include <QByteArray>
#include <QChar>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <mutex>
#include <optional>

// One face of an installed font file.
struct SFontFace
{
    QByteArray file;
    int index = 0;
    // The face's own weight on the 100 ... 900 scale, for synthetic bold.
    int weight = 400;
    bool operator==(const SFontFace& other) const { return file == other.file && index == other.index; }
};

// The installed fonts, as the font configuration lists them, named and
// chosen the way the editor's font list and its text drawing have always
// named and chosen them: family names as the font list shows them (the
// generic "Sans Serif", "Serif" and "Monospace" among them), the regular or
// bold face nearest to the request, and for characters a family lacks the
// configuration's ordered fallbacks for the character's script. Needs no
// application object; safe from any thread.
//
// Answers are kept between runs (CFontAnswerCache), by the runs that call
// SaveAnswers (the command line's): a run that asks only what an earlier one
// asked, under the same configuration, never loads the configuration at all.
class CFontCatalog
{
public:
    static const CFontCatalog& Instance();

    // The installed family named name, letter case aside; empty when none is.
    QString InstalledFamily(const QString& name) const;
    // The first installed family the configuration gives for "sans-serif";
    // empty when there is none.
    QString SansSerifFamily() const;
    // The face of family nearest to the regular or bold weight.
    std::optional<SFontFace> Face(const QString& family, bool bold) const;
    // The families to try, in order, for characters of script that family
    // lacks.
    QStringList Fallbacks(const QString& family, QChar::Script script) const;

    // Keeps the answers of this run for the next (CFontAnswerCache::Save).
    void SaveAnswers() const;

private:
    CFontCatalog();

    // The answer to question, as kept, or else as compute (which may use the
    // families) gives it, then kept. Kept answers outlive the program that
    // gave them: a change to how a question is answered must raise the
    // file format in FontAnswerCache.cpp.
    template <typename Compute>
    QStringList Answer(const QString& question, Compute compute) const;
    // Loads the configuration and lists its families, on the first question
    // that needs them.
    void LoadConfiguration() const;

    std::optional<SFontFace> ConfiguredFace(const QString& family, bool bold) const;
    std::optional<SFontFace> GenericFace(const QByteArray& generic, bool bold) const;
    QStringList ConfiguredFallbacks(const QString& family, QChar::Script script) const;

    struct SStyle
    {
        SFontFace face; // its weight is the style's
        int width = 100;
        bool upright = true;
    };
    struct SFamily
    {
        QString name;
        QList<SStyle> styles;
        QByteArray generic; // the configuration's generic name it stands for
    };

    // Filled once, by LoadConfiguration, and read-only after.
    mutable std::once_flag m_loaded;
    mutable QList<SFamily> m_families;
    mutable QHash<QString, qsizetype> m_byFoldedName;

    mutable QMutex m_answersLock;
    mutable CFontAnswerCache m_answers;
};
