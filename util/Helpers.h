#pragma once

#include <QString>
#include <QStringList>

// Directory of the running executable, ending in a separator. Queried once and
// cached for the life of the process, so later calls return the same text
// even after the working directory changes. Empty when the query fails.
QString GetModuleDirectory();

// Full path of the running executable.
QString GetModulePath();

// "%d"
QString IntToString(int value);

// "%.2lf", independent of the process locale.
QString DoubleToString(double value);

// Appends the parts of source between delimiters to parts. n delimiters give
// n + 1 parts, empty ones included; an empty source gives one empty part.
// The list is not cleared first.
void SplitString(QStringList& parts, const QString& source, const QString& delimiter);
