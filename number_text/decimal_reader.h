#pragma once

#include <string_view>

// The double nearest to the decimal `literal` (ties to the even one), which
// must be digits [. digits] [e|E [+|-] digits] with at least one mantissa
// digit and no sign: a number too large for a double is infinity, one too
// small zero. Exact whatever the number of digits or the exponent.
double ReadDecimal(std::string_view literal);
