#pragma once

#include <QString>

// Where the settings file "Nacreform.ini" lives: beside the executable when
// that folder (and the file, if it exists) can be written, as a portable copy
// of the program expects; otherwise in the user's own configuration folder,
// as an installed program needs. Write permission is judged as the settings
// store judges it (the owner's permission bits), so the choice holds for root
// too.
QString ChooseSettingsPath(const QString& moduleDirectory, const QString& userConfigDirectory);

// The per-user folder: "Nacreform" in the XDG configuration folder.
QString UserConfigDirectory();
