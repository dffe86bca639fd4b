#pragma once

#include <QByteArray>
#include <QString>

// Reads one named section out of an ELF executable or shared object on disk
// (32- or 64-bit, either byte order). Nothing is trusted: offsets and sizes
// are checked against the file before anything is read.
//
// Returns false when the file cannot be read, is no ELF file, or has no such
// section with contents; then contents is left empty.
bool ReadElfSection(const QString& path, const QByteArray& sectionName, QByteArray& contents);
