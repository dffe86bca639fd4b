#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The command line in one table. The parser, the --help text and the manual
// page (see ManualPage.h) are all made from it, so they cannot disagree:
// a new option is one entry here plus its handling.
struct SCommandLineOption
{
    QStringList names;   // without dashes, one-letter names first: {"h", "help"}
    QString valueName;   // placeholder of the option's value; empty for a switch
    QString description; // one paragraph of plain text
    // The value may be left out; when given it is attached: --fit=4,2.
    bool optionalValue = false;
};

// Every option, in the order --help and the manual page list them.
const std::vector<SCommandLineOption>& CommandLineOptions();

// The forms of a call, each without the program name ("[DESIGN.nfd]").
const QStringList& CommandLineSynopsis();

// What the program does with its arguments: one paragraph.
const QString& CommandLineDescription();

// How an option is written: "-h, --help", "--export OUT.png",
// "--fit[=PADX[,PADY]]".
QString OptionSignature(const SCommandLineOption& option);

// True when argument is one of the options, alone or with "=value" attached
// ("--export", "--export=a.png", "-h").
bool IsCommandLineOption(const char* argument);

// True when the arguments ask for the render server: --serve before any "--".
bool IsServeInvocation(int argc, char* argv[]);

// The program's arguments as text, the program's name first, each decoded
// from the locale's encoding.
QStringList ArgumentList(int argc, char* argv[]);

// The text --help prints: synopsis, description and the options, wrapped
// to lines of at most width characters where words allow.
QString FormatHelpText(const QString& program, int width = 80);
