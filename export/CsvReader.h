#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// One record of a CSV file and the line it starts on (from 1).
struct SCsvRecord
{
    QStringList fields;
    int line = 0;
};

// Reads CSV text record by record, as RFC 4180 has it: UTF-8 (a leading
// byte-order mark is skipped), fields separated by commas, records by CR LF
// or LF; a field in double quotes may hold commas, line breaks and quotes
// written twice (""). Blank lines hold no record. Only the record at hand
// is held, so a file of any length takes the same memory besides its text.
class CCsvReader
{
public:
    // text must outlive the reader. Text that is not UTF-8 is refused at
    // once: the first Next() fails.
    explicit CCsvReader(QByteArrayView text);

    // The next record; false at the end of the text or at a fault: a quote
    // that is never closed or text after a closing quote (Problem() says
    // which, and where).
    bool Next(SCsvRecord& record);
    // Empty after a clean end.
    const QString& Problem() const { return m_problem; }

private:
    bool Fail(const QString& problem);

    QByteArrayView m_text;
    qsizetype m_at = 0;
    int m_line = 1;
    QString m_problem;
};
