#include "export/CsvReader.h"

#include <QStringDecoder>

#include <algorithm>

namespace {

// The text is checked a slice at a time, so that no copy of the whole of
// it is made; a slice ends before a character's first byte.
constexpr qsizetype kCheckSlice = 1024 * 1024;

bool IsUtf8(QByteArrayView text)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype limit = std::min(at + kCheckSlice, text.size());
        qsizetype end = limit;
        while (end < text.size() && end > at && (uchar(text[end]) & 0xC0) == 0x80)
            --end;
        if (end == at)
            end = limit; // no first byte in the slice: the decoder finds the fault
        const QString slice = decoder.decode(text.sliced(at, end - at));
        if (decoder.hasError())
            return false;
        at = end;
    }
    return true;
}

bool EndsField(char c)
{
    return c == ',' || c == '\n' || c == '\r';
}

} // namespace

CCsvReader::CCsvReader(QByteArrayView text) : m_text(text)
{
    if (!IsUtf8(m_text))
        Fail(QStringLiteral("the file is not UTF-8 text"));
    else if (m_text.startsWith("\xEF\xBB\xBF"))
        m_at = 3;
}

bool CCsvReader::Fail(const QString& problem)
{
    m_problem = problem;
    m_at = m_text.size();
    return false;
}

bool CCsvReader::Next(SCsvRecord& record)
{
    const qsizetype size = m_text.size();
    const char* const text = m_text.data();
    while (m_at < size) {
        record.fields.clear();
        record.line = m_line;
        for (bool endOfRecord = false; !endOfRecord;) {
            QByteArray field;
            if (m_at < size && text[m_at] == '"') {
                const int opened = m_line;
                for (++m_at;; ++m_at) {
                    if (m_at >= size)
                        return Fail(QStringLiteral("line ") + QString::number(opened)
                                    + QStringLiteral(": a quoted field is never closed"));
                    if (text[m_at] == '"') {
                        if (m_at + 1 < size && text[m_at + 1] == '"') {
                            field += '"';
                            ++m_at;
                            continue;
                        }
                        ++m_at;
                        break;
                    }
                    if (text[m_at] == '\n')
                        ++m_line;
                    field += text[m_at];
                }
                if (m_at < size && !EndsField(text[m_at]))
                    return Fail(QStringLiteral("line ") + QString::number(m_line)
                                + QStringLiteral(": text after the closing quote of a field"));
            } else {
                const qsizetype start = m_at;
                while (m_at < size && !EndsField(text[m_at]))
                    ++m_at;
                field = QByteArray(text + start, m_at - start);
            }
            record.fields.append(QString::fromUtf8(field));
            if (m_at < size && text[m_at] == ',') {
                ++m_at;
                continue;
            }
            // End of the record: CR LF, LF, a lone CR or the end of the text.
            if (m_at < size && text[m_at] == '\r')
                ++m_at;
            if (m_at < size && text[m_at] == '\n')
                ++m_at;
            ++m_line;
            endOfRecord = true;
        }
        if (!(record.fields.size() == 1 && record.fields.front().isEmpty()))
            return true;
    }
    return false;
}
