#include "design/IniFile.h"

#include "util/AtomicFileWrite.h"
#include "util/ByteText.h"
#include "util/Helpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

const QString kDefaultSection = QStringLiteral("General");
const QByteArray kUtf8Bom("\xEF\xBB\xBF");

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView Trimmed(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

// "[name]" gives true and name; any other line false.
bool IsSectionHeader(QByteArrayView line, QByteArrayView* name)
{
    const QByteArrayView t = Trimmed(line);
    if (!t.startsWith('['))
        return false;
    const qsizetype close = t.indexOf(']');
    *name = Trimmed(t.sliced(1, (close < 0 ? t.size() : close) - 1));
    return true;
}

// "key=value" gives true, key and value; comments and other lines false.
bool IsKeyLine(QByteArrayView line, QByteArrayView* key, QByteArrayView* value = nullptr)
{
    const QByteArrayView t = Trimmed(line);
    if (t.isEmpty() || t.startsWith(';') || t.startsWith('['))
        return false;
    const qsizetype eq = t.indexOf('=');
    if (eq < 0)
        return false;
    *key = Trimmed(t.first(eq));
    if (value)
        *value = Trimmed(t.sliced(eq + 1));
    return true;
}

// Names are matched as the profile functions match them: letter case aside.
// ASCII, by far the usual, is folded without decoding.
// A name already folded is returned without a copy, sharing the bytes of
// name, which must then outlive the result.
QByteArray FoldedNameSharing(QByteArrayView name)
{
    bool lower = true;
    for (const char c : name) {
        if (uchar(c) >= 0x80)
            return BytesFromText(TextFromBytes(name.toByteArray()).toCaseFolded());
        lower = lower && !(c >= 'A' && c <= 'Z');
    }
    if (lower)
        return QByteArray::fromRawData(name.data(), name.size());
    QByteArray folded = name.toByteArray();
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return folded;
}

QByteArray FoldedName(const QString& name)
{
    const QByteArray bytes = BytesFromText(name);
    const QByteArray folded = FoldedNameSharing(bytes);
    return QByteArray(folded.constData(), folded.size());
}

// Cuts a value read back to limit characters, never inside a character.
QString Limit(QString text, int limit)
{
    if (text.size() > limit) {
        qsizetype cut = limit;
        if (text.at(cut - 1).isHighSurrogate())
            --cut;
        text.truncate(cut);
    }
    return text;
}

// A value from the file loses one pair of enclosing quotes.
QString Unquoted(QString text)
{
    if (text.size() > 1 && (text.front() == u'"' || text.front() == u'\'') && text.back() == text.front())
        text = text.mid(1, text.size() - 2);
    return text;
}

// A value line must stay one line: after marker encoding, any remaining line
// break would start a new key of its own in the file.
QString OneLine(QString text)
{
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

QString Reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

CIniFile::CIniFile(const QString& fileName, bool besideExecutable)
    : m_strFileName(besideExecutable ? GetModuleDirectory() + fileName : fileName)
{
}

CIniFile::~CIniFile() = default;

QString CIniFile::SectionName(const QString& section)
{
    return section.isEmpty() ? kDefaultSection : section;
}

bool CIniFile::ReadWholeFile(const QString& path, QByteArray& text, QString* why)
{
    text.clear();
    const auto fail = [why](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return fail(Reason(ENOENT));
    if (!info.isFile())
        return fail(QStringLiteral("not a regular file"));
    if (info.size() > kMaxFileSize)
        return fail(QStringLiteral("larger than 1 MiB"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    // One byte more than allowed tells a file that grew since the check.
    text = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    if (text.size() > kMaxFileSize) {
        text.clear();
        return fail(QStringLiteral("larger than 1 MiB"));
    }
    return true;
}

void CIniFile::Load()
{
    if (m_loaded)
        return;
    QByteArray text;
    QString why;
    const bool exists = QFileInfo(m_strFileName).exists() || QFileInfo(m_strFileName).isSymLink();
    if (exists && !ReadWholeFile(m_strFileName, text, &why))
        text.clear();
    LoadText(text);
    if (exists && !why.isEmpty())
        m_unreadable = why;
}

void CIniFile::LoadText(const QByteArray& text)
{
    m_loaded = true;
    m_dirty = false;
    m_hasBom = false;
    m_unreadable.clear();
    m_lines.clear(); // before m_text and m_writtenLines, whose bytes they share
    m_writtenLines.clear();
    m_inserted.clear();
    m_sections.clear();
    QByteArray data = text;
    if (data.startsWith(kUtf8Bom)) {
        m_hasBom = true;
        data.remove(0, kUtf8Bom.size());
    }
    // The line end of the file is kept for every line a write adds.
    if (data.contains("\r\n"))
        m_eol = "\r\n";
    else if (!data.contains('\n') && data.contains('\r'))
        m_eol = "\r";
    else
        m_eol = "\n";
    // CR LF, LF and a lone CR each end a line. The lines share the bytes
    // of m_text until a write replaces one.
    m_text = data;
    const char* bytes = m_text.constData();
    m_lines.reserve(std::count(bytes, bytes + m_text.size(), '\n') + std::count(bytes, bytes + m_text.size(), '\r') + 1);
    qsizetype start = 0;
    for (qsizetype i = 0; i < m_text.size(); ++i) {
        if (bytes[i] != '\n' && bytes[i] != '\r')
            continue;
        m_lines.append(QByteArrayView(bytes + start, i - start));
        if (bytes[i] == '\r' && i + 1 < m_text.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < m_text.size())
        m_lines.append(QByteArrayView(bytes + start, m_text.size() - start));
    IndexSections();
}

void CIniFile::IndexSections()
{
    SectionIndex* current = nullptr;
    for (int i = 0; i < m_lines.size(); ++i) {
        QByteArrayView header;
        if (IsSectionHeader(m_lines[i], &header)) {
            const QByteArray name = FoldedNameSharing(header); // shares m_text
            // Only the first section of a name counts, as in the profile functions.
            const auto [where, added] = m_sections.try_emplace(name);
            current = added ? &where->second : nullptr;
            if (current) {
                current->headerLine = i;
                current->lastLine = i;
                current->endLine = i + 1;
            }
            continue;
        }
        if (!current)
            continue;
        current->endLine = i + 1;
        if (!Trimmed(m_lines[i]).isEmpty())
            current->lastLine = i;
    }
}

CIniFile::SectionIndex* CIniFile::FindSection(const QString& section)
{
    const auto found = m_sections.find(FoldedName(SectionName(section)));
    if (found == m_sections.end())
        return nullptr;
    SectionIndex& index = found->second;
    if (!index.keysIndexed) {
        index.keys.reserve(index.endLine - index.headerLine);
        for (int i = index.headerLine + 1; i < index.endLine; ++i) {
            QByteArrayView key;
            if (!IsKeyLine(m_lines[i], &key))
                continue;
            KeyLine& slot = index.keys[FoldedNameSharing(key)]; // shares m_text
            if (slot.line < 0) // the first of equal keys counts
                slot = KeyLine{i, -1};
        }
        index.keysIndexed = true;
    }
    return &index;
}

QByteArrayView CIniFile::LineAt(const KeyLine& where) const
{
    return where.inserted < 0 ? m_lines[where.line] : QByteArrayView(m_inserted.constFind(where.line)->at(where.inserted));
}

void CIniFile::AppendLine(const QByteArray& line)
{
    m_writtenLines.append(line);
    m_lines.append(m_writtenLines.back());
}

QString CIniFile::ReadRaw(const QString& section, const QString& key, bool* found)
{
    Load();
    *found = false;
    SectionIndex* index = FindSection(section);
    if (!index)
        return {};
    const auto where = index->keys.constFind(FoldedName(key));
    if (where == index->keys.cend())
        return {};
    *found = true;
    QByteArrayView name;
    QByteArrayView value;
    IsKeyLine(LineAt(where.value()), &name, &value);
    return Unquoted(TextFromBytes(value.toByteArray()));
}

QString CIniFile::GetString(const QString& section, const QString& key, const QString& def, bool decode,
                            int limit)
{
    bool found = false;
    QString text = ReadRaw(section, key, &found);
    // A missing key gives the default as it is, quotes included.
    text = Limit(found ? text : def, limit);
    if (decode)
        text.replace(QLatin1String(kLineBreakMarker), QStringLiteral("\r\n"));
    return text;
}

bool CIniFile::WriteString(const QString& section, const QString& key, const QString& text, bool encode)
{
    Load();
    QString value = text;
    if (encode)
        value.replace(QStringLiteral("\r\n"), QLatin1String(kLineBreakMarker));
    const QByteArray bytes = BytesFromText(OneLine(value));

    SectionIndex* index = FindSection(section);
    const QByteArray folded = FoldedName(key);
    const auto where = index ? index->keys.constFind(folded) : QHash<QByteArray, KeyLine>::const_iterator();
    if (index && where != index->keys.cend()) {
        // Keep the key as the file spells it; only the value changes.
        const QByteArrayView old = LineAt(where.value());
        const QByteArray line = old.first(old.indexOf('=') + 1).toByteArray() + bytes;
        if (where->inserted < 0) {
            m_writtenLines.append(line);
            m_lines[where->line] = m_writtenLines.back();
        } else {
            m_inserted[where->line][where->inserted] = line;
        }
    } else {
        const QByteArray line = BytesFromText(OneLine(key)) + '=' + bytes;
        if (index) {
            // After the last line of the section; later keys follow this one.
            QList<QByteArray>& after = m_inserted[index->lastLine];
            index->keys.insert(folded, KeyLine{index->lastLine, int(after.size())});
            after.append(line);
        } else {
            if (!m_lines.isEmpty() && !Trimmed(m_lines.back()).isEmpty())
                m_lines.append(QByteArrayView());
            const QString name = OneLine(SectionName(section));
            AppendLine('[' + BytesFromText(name) + ']');
            AppendLine(line);
            SectionIndex& added = m_sections[FoldedName(name)];
            added.headerLine = int(m_lines.size()) - 2;
            added.lastLine = added.endLine = int(m_lines.size()) - 1;
            added.keysIndexed = true;
            added.keys.insert(folded, KeyLine{added.lastLine, -1});
        }
    }
    m_dirty = true;
    return true;
}

bool CIniFile::GetBool(const QString& section, const QString& key, bool def)
{
    const QString text = GetString(section, key, QString(), false);
    if (text.isEmpty())
        return def;
    return text.front() == u'1';
}

bool CIniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    return WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"), false);
}

int CIniFile::GetInt(const QString& section, const QString& key, int def)
{
    const QString text = GetString(section, key, QString(), false);
    if (text.isEmpty())
        return def;
    return ParseInt(text);
}

bool CIniFile::WriteInt(const QString& section, const QString& key, int value)
{
    return WriteString(section, key, IntToString(value), false);
}

double CIniFile::GetDouble(const QString& section, const QString& key, double def)
{
    const QString text = GetString(section, key, QString(), false);
    if (text.isEmpty())
        return def;
    return ParseDouble(text);
}

bool CIniFile::WriteDouble(const QString& section, const QString& key, double value)
{
    return WriteString(section, key, FormatDouble(value), false);
}

void CIniFile::ExchangeBool(bool save, const QString& section, const QString& key, bool& value)
{
    if (save)
        WriteBool(section, key, value);
    else
        value = GetBool(section, key, value);
}

void CIniFile::ExchangeInt(bool save, const QString& section, const QString& key, int& value)
{
    if (save)
        WriteInt(section, key, value);
    else
        value = GetInt(section, key, value);
}

void CIniFile::ExchangeString(bool save, const QString& section, const QString& key, QString& value,
                              bool lineBreaks)
{
    if (save)
        WriteString(section, key, value, lineBreaks);
    else
        value = GetString(section, key, value, lineBreaks);
}

bool CIniFile::ExchangePair(bool save, const QString& section, const QString& key,
                            const QString& current, QStringList& parts)
{
    if (save) {
        WriteString(section, key, current, false);
        return false;
    }
    SplitString(parts, GetString(section, key, current, false), QStringLiteral(","));
    return parts.size() == 2;
}

void CIniFile::ExchangeIntPair(bool save, const QString& section, const QString& key, int& first,
                               int& second)
{
    QStringList parts;
    if (!ExchangePair(save, section, key, IntToString(first) + u',' + IntToString(second), parts))
        return;
    first = ParseIntClamped(parts[0]);
    second = ParseIntClamped(parts[1]);
}

namespace {

float NarrowFinite(double value)
{
    const float narrowed = float(value);
    return std::isfinite(narrowed) ? narrowed : 0.0f;
}

} // namespace

void CIniFile::ExchangeFloatPair(bool save, const QString& section, const QString& key, float& first,
                                 float& second)
{
    QStringList parts;
    if (!ExchangePair(save, section, key, FormatDouble(first) + u',' + FormatDouble(second), parts))
        return;
    first = NarrowFinite(ParseDouble(parts[0]));
    second = NarrowFinite(ParseDouble(parts[1]));
}

void CIniFile::ExchangeFloat(bool save, const QString& section, const QString& key, float& value)
{
    if (save)
        WriteDouble(section, key, double(value));
    else
        value = NarrowFinite(GetDouble(section, key, double(value)));
}

bool CIniFile::Flush(QString* why)
{
    if (!m_dirty)
        return true;
    if (!m_unreadable.isEmpty()) {
        // Replacing a file not read whole would throw away what was not read.
        if (why)
            *why = QStringLiteral("the existing file cannot be read whole (%1)").arg(m_unreadable);
        return false;
    }
    if (!WriteFileAtomically(m_strFileName, Text(), why))
        return false;
    m_dirty = false;
    return true;
}

QByteArray CIniFile::Text() const
{
    QByteArray data;
    data.reserve(kUtf8Bom.size() + m_text.size() + m_lines.size() * m_eol.size() + 4096);
    if (m_hasBom)
        data += kUtf8Bom;
    // The lines that others follow, in order, so that a line costs no lookup.
    QList<int> followed = m_inserted.keys();
    std::sort(followed.begin(), followed.end());
    auto next = followed.cbegin();
    for (int i = 0; i < m_lines.size(); ++i) {
        data.append(m_lines[i]);
        data += m_eol;
        if (next == followed.cend() || *next != i)
            continue;
        for (const QByteArray& line : *m_inserted.constFind(i)) {
            data += line;
            data += m_eol;
        }
        ++next;
    }
    return data;
}

namespace {

// The digits after optional blanks and one sign, and whether the sign was a minus.
const char* SkipToDigits(const QByteArray& bytes, bool* negative)
{
    const char* p = bytes.constData();
    const char* end = p + bytes.size();
    while (p < end && (IsBlank(*p) || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f'))
        ++p;
    *negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        *negative = *p++ == '-';
    return p;
}

} // namespace

int CIniFile::ParseInt(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    bool negative = false;
    const char* p = SkipToDigits(bytes, &negative);
    const char* end = bytes.constData() + bytes.size();
    uint32_t value = 0; // wraps modulo 2^32, as the profile reader does
    for (; p < end && *p >= '0' && *p <= '9'; ++p)
        value = value * 10u + uint32_t(*p - '0');
    if (negative)
        value = 0u - value;
    return int(value);
}

int CIniFile::ParseIntClamped(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    bool negative = false;
    const char* p = SkipToDigits(bytes, &negative);
    const char* end = bytes.constData() + bytes.size();
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t(std::numeric_limits<int>::max()) + 1;
    for (; p < end && *p >= '0' && *p <= '9'; ++p)
        value = std::min<int64_t>(value * 10 + (*p - '0'), kLimit); // saturate, never overflow
    if (negative)
        value = -value;
    return int(std::clamp<int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

double CIniFile::ParseDouble(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    bool negative = false;
    const char* p = SkipToDigits(bytes, &negative);
    const char* end = bytes.constData() + bytes.size();
    if (p < end && (*p == '+' || *p == '-'))
        return 0.0; // a second sign is no number
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(p, end, value, std::chars_format::general);
    if (ptr == p || ec != std::errc() || !std::isfinite(value))
        return 0.0; // no number, out of range, or nan/inf
    return negative ? -value : value;
}

QString CIniFile::FormatDouble(double value)
{
    char buffer[400];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    if (ec != std::errc())
        return QStringLiteral("0.000000");
    return QString::fromLatin1(buffer, ptr - buffer);
}
