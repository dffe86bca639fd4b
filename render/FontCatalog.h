#pragma once

#include <QByteArray>
#include <QChar>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>

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

private:
    CFontCatalog();
    std::optional<SFontFace> GenericFace(const QByteArray& generic, bool bold) const;

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

    QList<SFamily> m_families;
    QHash<QString, qsizetype> m_byFoldedName;
    // What the configuration was asked once: the faces of the generic
    // families, the fallbacks of a family for a script.
    mutable QMutex m_answersLock;
    mutable QHash<QPair<QByteArray, bool>, std::optional<SFontFace>> m_genericFaces;
    mutable QHash<QPair<QString, int>, QStringList> m_fallbacks;
};
