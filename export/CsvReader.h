#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One record of a CSV file and the line it starts on (from 1).
struct SCsvRecord
{
    QStringList fields;
    int line = 0;
};

// Reads CSV text as RFC 4180 has it: UTF-8 (a leading byte-order mark is
// skipped), fields separated by commas, records by CR LF or LF; a field in
// double quotes may hold commas, line breaks and quotes written twice ("").
// Blank lines hold no record. False, with why, for text that is not UTF-8,
// a quote that is never closed or text after a closing quote.
bool ReadCsv(const QByteArray& text, QList<SCsvRecord>& records, QString* why);
