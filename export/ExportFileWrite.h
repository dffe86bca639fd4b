#pragma once

#include <QByteArray>
#include <QString>

// The one way the exports put a file on disk: bytes go to a temporary file
// beside path that replaces path only once every byte was written and
// flushed, so an interrupted or failed export never leaves a half-written
// image and never spoils the file it was to replace. False, with the
// reason in why (when given), when the file could not be written.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* why);
