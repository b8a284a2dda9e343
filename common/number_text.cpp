#include "common/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace common {

namespace {

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Checks the grammar [sign] digits [. digits] [(E|e) [sign] digits], with at least one digit in
// the mantissa, before handing the text to from_chars.
bool isDecimalGrammar(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t mantissaDigits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    return i == text.size();
}

// The decimal exponent of a text that passed isDecimalGrammar: where its first non-zero digit
// stands (0 for the units), saturated far outside the range of a double.
long decimalExponent(std::string_view text) {
    constexpr long limit = 100000;
    const auto ePos = text.find_first_of("eE");
    const auto mantissa = text.substr(0, ePos);
    long exponent = 0;
    if (ePos != std::string_view::npos) {
        auto digits = text.substr(ePos + 1);
        const bool negative = digits.front() == '-';
        if (digits.front() == '+' || digits.front() == '-')
            digits.remove_prefix(1);
        for (char c : digits)
            exponent = std::min(limit, exponent * 10 + (c - '0'));
        if (negative)
            exponent = -exponent;
    }
    const auto point = mantissa.find('.');
    const auto integerPart = mantissa.substr(0, point);
    const auto firstNonZero = integerPart.find_first_not_of("+-0");
    if (firstNonZero != std::string_view::npos)
        return exponent + static_cast<long>(integerPart.size() - firstNonZero) - 1;
    if (point == std::string_view::npos)
        return exponent;
    const auto fraction = mantissa.substr(point + 1);
    const auto firstFraction = fraction.find_first_not_of('0');
    if (firstFraction == std::string_view::npos)
        return exponent;
    return exponent - static_cast<long>(firstFraction) - 1;
}

std::optional<double> roundedWhole(std::string_view text) {
    const auto value = parseNumber(text);
    if (!value)
        return std::nullopt;
    return std::nearbyint(*value); // the default rounding mode sends halves to even
}

} // namespace

std::string formatNumber(double value) {
    std::string out;
    appendNumber(out, value);
    return out;
}

namespace {

// Exact powers of ten as doubles.
constexpr double powersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Appends whole / 10^places in the fixed form.
// Built in a buffer and appended once: saving writes this for every number.
void appendScaled(std::string& text, bool negative, long long whole, int places) {
    char digits[24];
    const auto digitsEnd = std::to_chars(digits, digits + sizeof digits, whole).ptr;
    const int count = static_cast<int>(digitsEnd - digits);
    char out[64];
    char* o = out;
    if (negative)
        *o++ = '-';
    if (count <= places) {
        *o++ = '0';
        *o++ = '.';
        o = std::fill_n(o, places - count, '0');
        o = std::copy(digits, digitsEnd, o);
    } else {
        o = std::copy(digits, digitsEnd - places, o);
        if (places > 0) {
            *o++ = '.';
            o = std::copy(digitsEnd - places, digitsEnd, o);
        }
    }
    text.append(out, o);
}

constexpr int sixPlaces = 6;

// The common case of the fixed form (1E-4 <= |value| < 1E15), found without the general
// digit generation: the first d for which round(value * 10^d) / 10^d gives the value back is a
// decimal with d places that reads back as the value. Any such decimal with at most 15
// significant digits is the value's 15-digit rounding, so the text equals the general one.
bool appendFixedFast(std::string& text, double value) {
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-4 && magnitude < 1e15))
        return false;
    int integerDigits = 0;
    for (double limit = 1; integerDigits < 15 && magnitude >= limit; limit *= 10)
        ++integerDigits;
    int leadingZeros = 0; // zeros after the point before the first significant digit
    for (double limit = 0.1; integerDigits == 0 && magnitude < limit; limit /= 10)
        ++leadingZeros;
    const int maxPlaces = integerDigits > 0 ? 15 - integerDigits : 15 + leadingZeros;
    // Saved models hold values rounded to six places, so those are tried first. When the value
    // is a decimal with at most six places, its product with 10^6 lies less than a half from that
    // decimal's digits followed by zeros (while below 2^51), so the rounded product is exactly
    // those: dropping the zeros gives the first d the search below would find.
    int firstPlaces = 0;
    if (maxPlaces >= sixPlaces) {
        const double scaled = std::nearbyint(magnitude * powersOfTen[sixPlaces]);
        if (scaled < 2251799813685248.0 && scaled / powersOfTen[sixPlaces] == magnitude) {
            auto whole = static_cast<long long>(scaled);
            int places = sixPlaces;
            while (places > 0 && whole % 10 == 0) {
                whole /= 10;
                --places;
            }
            appendScaled(text, value < 0, whole, places);
            return true;
        }
        // No decimal of six places or fewer reads back as the value.
        if (scaled < 2251799813685248.0)
            firstPlaces = sixPlaces + 1;
    }
    for (int places = firstPlaces; places <= maxPlaces && places <= 22; ++places) {
        const double scaled = std::nearbyint(magnitude * powersOfTen[places]);
        if (scaled >= 9007199254740992.0)
            return false;
        if (scaled / powersOfTen[places] != magnitude)
            continue;
        appendScaled(text, value < 0, static_cast<long long>(scaled), places);
        return true;
    }
    return false;
}

} // namespace

void appendNumber(std::string& text, double value) {
    if (value != 0.0 && appendFixedFast(text, value))
        return;
    if (value == 0.0) {
        text += '0';
        return;
    }
    if (std::isnan(value)) {
        text += "NaN";
        return;
    }
    if (std::isinf(value)) {
        text += value < 0 ? "-Infinity" : "Infinity";
        return;
    }

    // The significant digits and decimal exponent of the value rounded to 15 digits. The
    // shortest text that reads back as the value is that rounding whenever it has at most 15
    // digits (a double's error is far below half a unit in the 15th digit); only longer ones
    // need the slower rounding to 15 digits. Works in fixed buffers: saving writes this per number.
    char buffer[64];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    char* end = result.ptr;
    char* ePos = std::find(buffer, end, 'e');
    if (std::count_if(buffer, ePos, [](char c) { return c >= '0' && c <= '9'; }) > 15) {
        // to_chars with a precision rounds the exact value and, unlike printf, never writes the
        // locale's decimal comma.
        end =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14)
                .ptr;
        ePos = std::find(buffer, end, 'e');
    }
    int exponent = 0;
    std::from_chars(ePos + 1 + (ePos[1] == '+' ? 1 : 0), end, exponent);

    const bool negative = buffer[0] == '-';
    char digits[32];
    int digitCount = 0;
    for (const char* c = buffer + (negative ? 1 : 0); c < ePos; ++c)
        if (*c != '.')
            digits[digitCount++] = *c;
    while (digitCount > 1 && digits[digitCount - 1] == '0')
        --digitCount;

    char out[64];
    int n = 0;
    if (negative)
        out[n++] = '-';
    if (exponent < -4 || exponent >= 15) {
        out[n++] = digits[0];
        if (digitCount > 1) {
            out[n++] = '.';
            for (int i = 1; i < digitCount; ++i)
                out[n++] = digits[i];
        }
        n += std::snprintf(out + n, sizeof out - static_cast<std::size_t>(n), "E%c%02d",
                           exponent < 0 ? '-' : '+', std::abs(exponent));
    } else if (exponent < 0) {
        out[n++] = '0';
        out[n++] = '.';
        for (int i = 0; i < -exponent - 1; ++i)
            out[n++] = '0';
        for (int i = 0; i < digitCount; ++i)
            out[n++] = digits[i];
    } else {
        const int integerDigits = exponent + 1;
        for (int i = 0; i < integerDigits; ++i)
            out[n++] = i < digitCount ? digits[i] : '0';
        if (digitCount > integerDigits) {
            out[n++] = '.';
            for (int i = integerDigits; i < digitCount; ++i)
                out[n++] = digits[i];
        }
    }
    text.append(out, static_cast<std::size_t>(n));
}

double roundHalfEven(double value, int decimals) {
    if (!std::isfinite(value) || decimals < 0)
        return value;
    // Fast path: away from a half, rounding the scaled product gives the right whole number
    // even though the product itself was rounded, and dividing that whole number by the exact
    // power of ten yields the double nearest the decimal result.
    if (decimals <= 15) {
        const double scale = powersOfTen[decimals];
        const double scaled = value * scale;
        if (std::fabs(scaled) < 4.0e15) {
            const double fraction = scaled - std::floor(scaled);
            if (std::fabs(fraction - 0.5) > 1e-6) {
                const double rounded = std::nearbyint(scaled) / scale;
                return rounded == 0.0 ? 0.0 : rounded;
            }
        } else {
            return value; // no digits beyond the requested ones
        }
    }
    // Near a half: round the exact binary value in decimal, since multiplying by a power of
    // ten could itself turn a value just above a half into an exact half.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return value;
    double rounded = value;
    std::from_chars(buffer, result.ptr, rounded);
    return rounded == 0.0 ? 0.0 : rounded;
}

std::string formatRoundTrip(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

namespace {

// The common plain decimal, [-]digits[.digits] with at most 15 significant digits in all: its
// digits as a whole number and its power of ten are both exact doubles, so one division gives
// the correctly rounded value, which is what from_chars gives. Anything else: nothing.
std::optional<double> parsePlainDecimal(std::string_view text) {
    const char* c = text.data();
    const char* const end = c + text.size();
    const bool negative = c != end && *c == '-';
    if (negative)
        ++c;
    std::int64_t whole = 0;
    int digits = 0;
    int places = 0;
    bool point = false;
    for (; c != end; ++c) {
        if (*c >= '0' && *c <= '9') {
            whole = whole * 10 + (*c - '0');
            if (whole != 0 && ++digits > 15)
                return std::nullopt;
            places += point ? 1 : 0;
        } else if (*c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    const auto length = text.size() - (negative ? 1 : 0) - (point ? 1 : 0);
    if (length == 0 || places > 22)
        return std::nullopt;
    const double value = static_cast<double>(whole) / powersOfTen[places];
    return negative ? -value : value;
}

} // namespace

std::optional<double> parseNumber(std::string_view text) {
    text = trimBlanks(text);
    if (const auto plain = parsePlainDecimal(text))
        return plain;
    if (!isDecimalGrammar(text))
        return std::nullopt;
    if (text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small to hold reads as zero; too large is not a number we can hold.
        if (decimalExponent(text) < 0)
            return text.front() == '-' ? -0.0 : 0.0;
        return std::nullopt;
    }
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool isNumeric(std::string_view text) {
    return parseNumber(text).has_value();
}

namespace {

// [-]digits with at most 9 digits, the common case, read directly; anything else goes through
// the general rule of rounding the number read.
std::optional<double> wholeNumber(std::string_view text) {
    text = trimBlanks(text);
    const bool negative = !text.empty() && text.front() == '-';
    const auto digits = text.substr(negative ? 1 : 0);
    if (digits.empty() || digits.size() > 9)
        return roundedWhole(text);
    std::int32_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return roundedWhole(text);
        value = value * 10 + (c - '0');
    }
    return negative ? -static_cast<double>(value) : static_cast<double>(value);
}

} // namespace

std::optional<std::int16_t> parseInteger16(std::string_view text) {
    const auto value = wholeNumber(text);
    if (!value || *value < -32768.0 || *value > 32767.0)
        return std::nullopt;
    return static_cast<std::int16_t>(*value);
}

std::optional<std::int32_t> parseInteger32(std::string_view text) {
    const auto value = wholeNumber(text);
    if (!value || *value < -2147483648.0 || *value > 2147483647.0)
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

} // namespace common
