#pragma once

#include <QString>

// Longest part of a value a message quotes, in characters.
constexpr qsizetype kMaxQuotedLength = 80;

// A value from the user's input as a message shows it: in double quotes,
// cut after kMaxQuotedLength characters with an ellipsis, and control
// characters written as escapes ("\n", "\x1b"), so that a message stays one
// line of reasonable length whatever the input holds.
QString QuotedValue(const QString& value);
