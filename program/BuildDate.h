#pragma once

#include <QString>

// Month number 1-12 of an English month abbreviation ("Jan" ... "Dec",
// matched case-sensitively on its first three characters); -1 otherwise.
int MonthFromAbbreviation(const char* text);

// "yyyy/mm/dd" of a compiler date stamp "Mmm dd yyyy" ("Sep 25 2006" gives
// 2006/09/25; a day may be blank-padded, "Dec  1 2006"). An unknown month
// gives -1 in its place.
QString FormatBuildDate(const char* stamp);

// The date this program was built, formatted as above.
QString GetBuildDate();
