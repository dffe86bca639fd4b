#include "util/Helpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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
    // QString::number is locale independent and rounds like printf's "%.2f".
    return QString::number(value, 'f', 2);
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
