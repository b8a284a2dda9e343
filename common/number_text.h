#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace common {

// The model files' number text: at most 15 significant digits, no trailing zeros, exponent
// form (1.5E-05, 2E+15) when the decimal exponent is below -4 or at least 15, "0" for zero and
// negative zero. Always a period as decimal separator, whatever the locale.
std::string formatNumber(double value);
// The same text appended to out (no allocation of its own, for writers of many numbers).
void appendNumber(std::string& out, double value);

// Rounds to the given number of decimal places; a value exactly half-way goes to the even
// neighbour.
double roundHalfEven(double value, int decimals);

// The shortest text that reads back as exactly the same double (for machine-readable output).
std::string formatRoundTrip(double value);

// A decimal number: optional surrounding blanks, an optional sign, digits with an optional
// fractional part after a period, an optional exponent. Infinities and NaN are not numbers.
std::optional<double> parseNumber(std::string_view text);

// True when parseNumber accepts the text.
bool isNumeric(std::string_view text);

// A numeric text turned into a 16-bit signed integer, rounding half to even; nothing when the
// text is not numeric or the rounded value lies outside -32768..32767.
std::optional<std::int16_t> parseInteger16(std::string_view text);

// Any numeric text rounded half to even to a whole number, if it fits in 32 bits.
std::optional<std::int32_t> parseInteger32(std::string_view text);

} // namespace common
