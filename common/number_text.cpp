#include "common/number_text.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdio>
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

bool isDigit(char c) { return c >= '0' && c <= '9'; }

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

std::optional<double> roundedWhole(std::string_view text) {
    const auto value = parseNumber(text);
    if (!value)
        return std::nullopt;
    return std::nearbyint(*value); // the default rounding mode sends halves to even
}

} // namespace

std::string formatNumber(double value) {
    if (value == 0.0)
        return "0";
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Infinity" : "Infinity";

    // 15 significant digits in scientific form; the exponent is that of the rounded value.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    std::string scientific(buffer);
    const auto ePos = scientific.find('e');
    std::string mantissa = scientific.substr(0, ePos);
    const int exponent = std::atoi(scientific.c_str() + ePos + 1);

    const bool negative = mantissa.front() == '-';
    if (negative)
        mantissa.erase(0, 1);
    std::string digits;
    for (char c : mantissa)
        if (c != '.')
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent < -4 || exponent >= 15) {
        out += digits.substr(0, 1);
        if (digits.size() > 1)
            out += "." + digits.substr(1);
        char exponentText[16];
        std::snprintf(exponentText, sizeof exponentText, "E%c%02d", exponent < 0 ? '-' : '+',
                      std::abs(exponent));
        out += exponentText;
    } else if (exponent < 0) {
        out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
        const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= integerDigits) {
            out += digits + std::string(integerDigits - digits.size(), '0');
        } else {
            out += digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
        }
    }
    return out;
}

double roundHalfEven(double value, int decimals) {
    if (!std::isfinite(value))
        return value;
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    if (!std::isfinite(scaled))
        return value;
    const double rounded = std::nearbyint(scaled) / scale;
    return rounded == 0.0 ? 0.0 : rounded;
}

std::string formatRoundTrip(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::optional<double> parseNumber(std::string_view text) {
    text = trimBlanks(text);
    if (!isDecimalGrammar(text))
        return std::nullopt;
    if (text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow is not a number we can hold.
        const auto mantissaEnd = text.find_first_of("eE");
        const auto exponent = std::atoi(std::string(text.substr(mantissaEnd + 1)).c_str());
        if (exponent < 0)
            return text.front() == '-' ? -0.0 : 0.0;
        return std::nullopt;
    }
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool isNumeric(std::string_view text) { return parseNumber(text).has_value(); }

std::optional<std::int16_t> parseInteger16(std::string_view text) {
    const auto value = roundedWhole(text);
    if (!value || *value < -32768.0 || *value > 32767.0)
        return std::nullopt;
    return static_cast<std::int16_t>(*value);
}

std::optional<std::int32_t> parseInteger32(std::string_view text) {
    const auto value = roundedWhole(text);
    if (!value || *value < -2147483648.0 || *value > 2147483647.0)
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

} // namespace common
