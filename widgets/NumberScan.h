#pragma once

#include <QStringView>

#include <optional>

// Reading numbers the way the edit fields need it: locale independent, from
// the start of the text, ignoring whatever follows the number.

// Leading white space, an optional sign and decimal digits. Digit strings
// beyond the 64-bit range saturate, so callers can clamp any result into
// their own range. Nothing when no digit follows the sign.
std::optional<long long> ScanInteger(QStringView text);

// Leading white space, an optional sign, digits with an optional decimal
// point and an optional exponent. Text that does not begin with a number
// reads as 0; a number too large for a double reads as plus or minus infinity.
double ScanDouble(QStringView text);
