#pragma once

#include <QString>

// The manual page nacreform.1: a hand-written roff template whose command
// line parts are filled in from the option table (CommandLineOptions.h), so
// the page and --help list the same options in the same words.
//
// Placeholders: @SYNOPSIS@, @DESCRIPTION@ and @OPTIONS@ each on a line of
// its own; @VERSION@ and @DATE@ anywhere.
QString MakeManualPage(const QString& templateText, const QString& version, const QString& date);

// Plain text as a roff text line: backslashes kept, a leading control
// character defused, and dashes that begin an option or a number written as
// minus signs (a hyphen inside a word such as "32-bit" stays a hyphen).
QString RoffText(const QString& text);
