#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <unordered_map>

// An initialization-file store with the classic private-profile behaviour:
// one section "[Name]" per header line, "key=value" lines below it, section
// and key names matched without regard to case, values read back without one
// pair of enclosing quotes and cut to kReadLimit characters.
//
// The file is read once, on the first operation, and its sections and keys
// are indexed then, so that each later read or write costs the same on a
// file of any length. Every write changes the copy in memory, and Flush()
// writes the whole text back in one atomic step (a temporary file in the
// same folder renamed over the target), so a failed write never leaves a
// half-written file. Lines end with CR LF, LF or a lone CR; values are kept
// as the bytes they are, UTF-8 or not (see ByteText.h). Writes keep every other section,
// key, comment and line order as they were; an existing key is replaced in
// place, a missing key goes after the last line of its section and a missing
// section goes to the end of the file.
class CIniFile
{
public:
    // Longest value a read returns, in characters.
    static constexpr int kReadLimit = 254;
    // The same for the program's settings (recent paths), which the
    // framework reads through a buffer of its own, as long as a path may be.
    static constexpr int kSettingsReadLimit = 4095;
    // A file larger than this, or one that is not a regular file (a pipe,
    // a device), is read as empty: reading it could take all memory or
    // never end. A save over such a file fails rather than replace what it
    // could not read.
    static constexpr qint64 kMaxFileSize = 1024 * 1024;
    // What a read decodes to, and a write encodes from, a CR LF pair.
    static constexpr char kLineBreakMarker[] = "___LF___";

    // When besideExecutable is set, fileName is taken relative to the
    // executable's directory.
    CIniFile(const QString& fileName, bool besideExecutable);
    virtual ~CIniFile();

    // Reads the whole file at path, or says why it cannot: missing, not a
    // regular file, larger than kMaxFileSize, or the system's reason.
    static bool ReadWholeFile(const QString& path, QByteArray& text, QString* why);

    // Takes text instead of reading the file; a later Flush() still writes
    // to m_strFileName.
    void LoadText(const QByteArray& text);

    CIniFile(const CIniFile&) = delete;
    CIniFile& operator=(const CIniFile&) = delete;

    // An empty section name means "General".
    static QString SectionName(const QString& section);

    QString GetString(const QString& section, const QString& key, const QString& def, bool decode,
                      int limit = kReadLimit);
    bool WriteString(const QString& section, const QString& key, const QString& text, bool encode);
    bool GetBool(const QString& section, const QString& key, bool def);
    bool WriteBool(const QString& section, const QString& key, bool value);
    int GetInt(const QString& section, const QString& key, int def);
    bool WriteInt(const QString& section, const QString& key, int value);
    double GetDouble(const QString& section, const QString& key, double def);
    bool WriteDouble(const QString& section, const QString& key, double value);

    // One call reads (save false) or writes (save true) one value.
    void ExchangeBool(bool save, const QString& section, const QString& key, bool& value);
    void ExchangeInt(bool save, const QString& section, const QString& key, int& value);
    void ExchangeString(bool save, const QString& section, const QString& key, QString& value,
                        bool lineBreaks);
    void ExchangeIntPair(bool save, const QString& section, const QString& key, int& first,
                         int& second);
    void ExchangeFloatPair(bool save, const QString& section, const QString& key, float& first,
                           float& second);
    void ExchangeFloat(bool save, const QString& section, const QString& key, float& value);

    // Writes the changed text to the file. True when nothing was changed or
    // the whole file was written; false leaves an existing file untouched
    // and puts the reason into why. A file or folder without its owner's
    // write permission counts as unwritable, whoever runs the program.
    bool Flush(QString* why = nullptr);
    // The text Flush writes, with every write made so far.
    QByteArray Text() const;

    // Locale-independent conversions with the profile's reading rules, shared
    // with anything that takes values in the design file's forms.
    static int ParseInt(const QString& text);     // leading decimal modulo 2^32, else 0
    static int ParseIntClamped(const QString& text); // the same, clamped to int like strtol
    static double ParseDouble(const QString& text); // leading number, else 0; nan/inf give 0
    static QString FormatDouble(double value);    // "%f"

    QString m_strFileName;

private:
    // Where a key's line is: a line of the file, or the line added after
    // one (the last line of its section) by a write.
    struct KeyLine
    {
        int line = -1;
        int inserted = -1; // index into m_inserted[line], -1 for a line of the file
    };
    // The first section of a name: its header line, its last non-blank line
    // and the line after it; its keys are indexed on first use.
    struct SectionIndex
    {
        int headerLine = -1;
        int lastLine = -1;
        int endLine = -1;
        bool keysIndexed = false;
        QHash<QByteArray, KeyLine> keys; // case-folded name to the first line of that key
    };

    void Load();
    void IndexSections();
    SectionIndex* FindSection(const QString& section);
    QByteArrayView LineAt(const KeyLine& where) const;
    // Adds a line of a write's own at the end.
    void AppendLine(const QByteArray& line);
    // Writes current (save), or reads the key into its comma-separated parts
    // and says whether there are exactly two of them to take.
    bool ExchangePair(bool save, const QString& section, const QString& key, const QString& current,
                      QStringList& parts);
    QString ReadRaw(const QString& section, const QString& key, bool* found);

    bool m_loaded = false;
    bool m_dirty = false;
    bool m_hasBom = false;
    // Why an existing file could not be read; a save must not replace it.
    QString m_unreadable;
    QByteArray m_eol = "\n";
    // The text read, and its lines; a line points into m_text until a write
    // replaces it, and then into m_writtenLines.
    QByteArray m_text;
    QList<QByteArrayView> m_lines;
    QList<QByteArray> m_writtenLines;
    // Lines added to a section, after the line they follow, in order.
    QHash<int, QList<QByteArray>> m_inserted;
    // By case-folded name; a node container, so that a section stays where it
    // is while others are added.
    std::unordered_map<QByteArray, SectionIndex> m_sections;
};
