#pragma once

#include <QByteArray>
#include <QString>

// Small file helpers shared by the design tests.
QByteArray ReadAll(const QString& path);
void WriteAll(const QString& path, const QByteArray& data);

// The file the default design saves to.
extern const QByteArray kDefaultDesignFile;
