#pragma once

#include "design/DesignValues.h"

#include <QList>
#include <QString>

#include <optional>

// The designs a new button can start from, built into the program as design
// files (res/presets/NAME.nfd), so that the command line, the editor's
// gallery and a server all offer the same ones.
struct SPreset
{
    QString name;        // as the command line takes it: "primary"
    QString title;       // as the gallery shows it
    QString description; // one line in English, for --list-presets
};

// Every preset, in the gallery's order (the plain default design is not one
// of them).
const QList<SPreset>& BuiltInPresets();

// The preset's design: the default design with every value the preset's
// file gives. Nothing for a name that is no preset (letter case counts).
std::optional<CDesignValues> LoadPreset(const QString& name);
