#pragma once

#include <QByteArray>
#include <QString>

// Text that came from bytes and must go back to the very same bytes: design
// file values, file names. Valid UTF-8 decodes as usual; every byte that is
// not part of valid UTF-8 (a Latin-1 caption, a Linux file name in another
// encoding) becomes one of the unpaired surrogates U+DC80 to U+DCFF, which
// valid UTF-8 can never produce, and turns back into that byte on encoding.
QString TextFromBytes(const QByteArray& bytes);
QByteArray BytesFromText(const QString& text);
