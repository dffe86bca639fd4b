#pragma once

#include <QString>

class CNacreformDoc;

// Design parameters given by key and value outside a design file (a batch
// file's columns), written as a design file writes them and checked more
// strictly than a design file is read: a value that the file would quietly
// read as 0 is refused here.

// The design key named like key, letter case aside; empty when none is.
QString FindDesignKey(const QString& key);

// Whether value has the form key (a design key) takes; why says what is
// wrong, quoting the value.
bool CheckDesignValue(const QString& key, const QString& value, QString* why);

// Checks value for key (a design key) and sets it in doc; the renderer
// follows RenderID. False, with why, for a value of the wrong form: a
// number that is no number, a pair without exactly two numbers, a switch
// other than 0 or 1, a line break in a one-line text, a colour in none of
// the forms ParseDesignColor knows (colours are set as their decimal value).
bool ApplyDesignValue(CNacreformDoc& doc, const QString& key, const QString& value, QString* why);
