#pragma once

#include <QString>

// Where the settings file "Nacreform.ini" lives: beside the executable for a
// portable copy of the program, run from a folder it can write; in the
// user's own configuration folder for an installed program, or when the
// folder (or the file, if it exists) cannot be written. Write permission is
// judged as the settings store judges it (the owner's permission bits), so
// the choice holds for root too.
QString ChooseSettingsPath(const QString& moduleDirectory, const QString& userConfigDirectory);

// True when moduleDirectory is the "bin" folder of an installation prefix
// that holds the program's desktop entry (PREFIX/share/applications), as
// `cmake --install` and the Debian package lay it out. Such a folder is
// shared by every user even where it is writable (root, a home prefix).
bool IsInstalledProgramDirectory(const QString& moduleDirectory);

// The per-user folder: "Nacreform" in the XDG configuration folder.
QString UserConfigDirectory();

// The name the program is installed under: its desktop entry is
// ApplicationId() + ".desktop", its icon ApplicationId().
QString ApplicationId();
