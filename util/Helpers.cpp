#include "util/Helpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace {

QString QueryExecutablePath()
{
    // Works before a QCoreApplication exists, unlike applicationFilePath().
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (!self.isEmpty())
        return self;
    return QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
}

} // namespace

QString GetModulePath()
{
    return QueryExecutablePath();
}

QString GetModuleDirectory()
{
    static QString cached;
    if (cached.isEmpty()) {
        const QString path = QueryExecutablePath();
        if (!path.isEmpty())
            cached = QDir::toNativeSeparators(QFileInfo(path).absolutePath() + QLatin1Char('/'));
    }
    return cached;
}

QString IntToString(int value)
{
    return QString::number(value);
}

QString DoubleToString(double value)
{
    // As printf's "%.2lf" in the C locale: the exact binary value is rounded
    // (0.125 gives 0.12) and a negative zero keeps its sign.
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    if (error != std::errc())
        return QStringLiteral("0.00");
    return QString::fromLatin1(buffer, end - buffer);
}

void SplitString(QStringList& parts, const QString& source, const QString& delimiter)
{
    if (delimiter.isEmpty()) {
        parts.append(source);
        return;
    }
    qsizetype start = 0;
    for (qsizetype found = source.indexOf(delimiter, start); found >= 0;
         found = source.indexOf(delimiter, start)) {
        parts.append(source.mid(start, found - start));
        start = found + delimiter.size();
    }
    parts.append(source.mid(start));
}
