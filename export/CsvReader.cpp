#include "export/CsvReader.h"

#include <QStringDecoder>

bool ReadCsv(const QByteArray& bytes, QList<SCsvRecord>& records, QString* why)
{
    records.clear();
    const auto fail = [why](const QString& problem) {
        if (why)
            *why = problem;
        return false;
    };
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return fail(QStringLiteral("the file is not UTF-8 text"));

    qsizetype i = text.startsWith(QChar(0xFEFF)) ? 1 : 0;
    int line = 1;
    while (i < text.size()) {
        SCsvRecord record{{}, line};
        bool endOfRecord = false;
        while (!endOfRecord) {
            QString field;
            if (i < text.size() && text[i] == u'"') {
                const int opened = line;
                for (++i;; ++i) {
                    if (i >= text.size())
                        return fail(QStringLiteral("line %1: a quoted field is never closed").arg(opened));
                    if (text[i] == u'"') {
                        if (i + 1 < text.size() && text[i + 1] == u'"') {
                            field += u'"';
                            ++i;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (text[i] == u'\n')
                        ++line;
                    field += text[i];
                }
                if (i < text.size() && text[i] != u',' && text[i] != u'\n' && text[i] != u'\r')
                    return fail(QStringLiteral("line %1: text after the closing quote of a field").arg(line));
            } else {
                while (i < text.size() && text[i] != u',' && text[i] != u'\n' && text[i] != u'\r')
                    field += text[i++];
            }
            record.fields.append(field);
            if (i < text.size() && text[i] == u',') {
                ++i;
                continue;
            }
            // End of the record: CR LF, LF, a lone CR or the end of the text.
            if (i < text.size() && text[i] == u'\r')
                ++i;
            if (i < text.size() && text[i] == u'\n')
                ++i;
            ++line;
            endOfRecord = true;
        }
        if (!(record.fields.size() == 1 && record.fields.front().isEmpty()))
            records.append(record);
    }
    return true;
}
