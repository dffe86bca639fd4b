#include "design/IniFile.h"

#include "util/AtomicFileWrite.h"
#include "util/Helpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

const QString kDefaultSection = QStringLiteral("General");
const QByteArray kUtf8Bom("\xEF\xBB\xBF");

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArray Trimmed(const QByteArray& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

// "[name]" gives name; any other line gives a null array.
QByteArray SectionOfLine(const QByteArray& line)
{
    const QByteArray t = Trimmed(line);
    if (!t.startsWith('['))
        return {};
    const qsizetype close = t.indexOf(']');
    const QByteArray name = Trimmed(t.mid(1, close < 0 ? -1 : close - 1));
    return name.isNull() ? QByteArray("") : name;
}

// "key=value" gives key and sets value; comments and other lines give null.
QByteArray KeyOfLine(const QByteArray& line, QByteArray* value = nullptr)
{
    const QByteArray t = Trimmed(line);
    if (t.isEmpty() || t.startsWith(';') || t.startsWith('['))
        return {};
    const qsizetype eq = t.indexOf('=');
    if (eq < 0)
        return {};
    if (value)
        *value = Trimmed(t.mid(eq + 1));
    const QByteArray key = Trimmed(t.left(eq));
    return key.isNull() ? QByteArray("") : key;
}

bool SameName(const QByteArray& fileName, const QString& name)
{
    return QString::fromUtf8(fileName).compare(name, Qt::CaseInsensitive) == 0;
}

QString LimitRead(QString text, int limit)
{
    if (text.size() > 1 && (text.front() == u'"' || text.front() == u'\'') && text.back() == text.front())
        text = text.mid(1, text.size() - 2);
    if (text.size() > limit) {
        qsizetype cut = limit;
        if (text.at(cut - 1).isHighSurrogate())
            --cut; // never split a character
        text.truncate(cut);
    }
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

void CIniFile::Load()
{
    if (m_loaded)
        return;
    const QFileInfo info(m_strFileName);
    QFile file(m_strFileName);
    const bool readable = info.isFile() && info.size() <= kMaxFileSize && file.open(QIODevice::ReadOnly);
    LoadText(readable ? file.read(kMaxFileSize) : QByteArray());
}

void CIniFile::LoadText(const QByteArray& text)
{
    m_loaded = true;
    m_dirty = false;
    m_hasBom = false;
    m_lines.clear();
    QByteArray data = text;
    if (data.startsWith(kUtf8Bom)) {
        m_hasBom = true;
        data.remove(0, kUtf8Bom.size());
    }
    if (data.isEmpty())
        return;
    m_eol = data.contains("\r\n") ? QByteArray("\r\n") : QByteArray("\n");
    if (data.endsWith('\n'))
        data.chop(1);
    m_lines = data.split('\n');
    for (QByteArray& line : m_lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
}

CIniFile::Location CIniFile::Find(const QString& section, const QString& key) const
{
    Location where;
    const QString name = SectionName(section);
    for (int i = 0; i < m_lines.size(); ++i) {
        const QByteArray header = SectionOfLine(m_lines[i]);
        if (where.sectionLine < 0) {
            if (!header.isNull() && SameName(header, name)) {
                where.sectionLine = i;
                where.lastLine = i;
            }
            continue;
        }
        if (!header.isNull())
            break; // the next section begins
        if (!Trimmed(m_lines[i]).isEmpty())
            where.lastLine = i;
        if (where.keyLine < 0) {
            const QByteArray lineKey = KeyOfLine(m_lines[i]);
            if (!lineKey.isNull() && SameName(lineKey, key))
                where.keyLine = i;
        }
    }
    return where;
}

QString CIniFile::ReadRaw(const QString& section, const QString& key, bool* found, int limit)
{
    Load();
    const Location where = Find(section, key);
    *found = where.keyLine >= 0;
    if (!*found)
        return {};
    QByteArray value;
    KeyOfLine(m_lines[where.keyLine], &value);
    return LimitRead(QString::fromUtf8(value), limit);
}

QString CIniFile::GetString(const QString& section, const QString& key, const QString& def, bool decode,
                            int limit)
{
    bool found = false;
    QString text = ReadRaw(section, key, &found, limit);
    if (!found)
        text = LimitRead(def, limit);
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
    value = OneLine(value);

    const Location where = Find(section, key);
    if (where.keyLine >= 0) {
        // Keep the key as the file spells it; only the value changes.
        const QByteArray original = m_lines[where.keyLine];
        const qsizetype eq = original.indexOf('=');
        m_lines[where.keyLine] = original.left(eq + 1) + value.toUtf8();
    } else {
        const QByteArray line = OneLine(key).toUtf8() + '=' + value.toUtf8();
        if (where.sectionLine >= 0) {
            m_lines.insert(where.lastLine + 1, line);
        } else {
            if (!m_lines.isEmpty() && !Trimmed(m_lines.back()).isEmpty())
                m_lines.append(QByteArray());
            m_lines.append('[' + OneLine(SectionName(section)).toUtf8() + ']');
            m_lines.append(line);
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
    first = ParseInt(parts[0]);
    second = ParseInt(parts[1]);
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
    QByteArray data;
    if (m_hasBom)
        data += kUtf8Bom;
    for (const QByteArray& line : std::as_const(m_lines)) {
        data += line;
        data += m_eol;
    }
    if (!WriteFileAtomically(m_strFileName, data, why))
        return false;
    m_dirty = false;
    return true;
}

int CIniFile::ParseInt(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    const char* p = bytes.constData();
    const char* end = p + bytes.size();
    while (p < end && (IsBlank(*p) || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f'))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
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
    const char* p = bytes.constData();
    const char* end = p + bytes.size();
    while (p < end && (IsBlank(*p) || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f'))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
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
