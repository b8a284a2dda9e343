// The number text takes a fast path for ordinary values; it must give exactly the text of the
// general rule (the value rounded to 15 significant digits, no trailing zeros, exponent form
// outside 1E-4 to 1E15) for every value.
#include "common/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <optional>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

// The rule spelled out with printf's 15-digit rounding.
std::string referenceText(double value) {
    if (value == 0.0)
        return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    std::string scientific(buffer);
    const auto e = scientific.find('e');
    std::string mantissa = scientific.substr(0, e);
    const int exponent = std::atoi(scientific.c_str() + e + 1);
    const bool negative = mantissa[0] == '-';
    std::string digits;
    for (char c : mantissa)
        if (c >= '0' && c <= '9')
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string out = negative ? "-" : "";
    if (exponent < -4 || exponent >= 15) {
        out += digits.substr(0, 1);
        if (digits.size() > 1)
            out += "." + digits.substr(1);
        std::snprintf(buffer, sizeof buffer, "E%c%02d", exponent < 0 ? '-' : '+',
                      std::abs(exponent));
        return out + buffer;
    }
    if (exponent < 0)
        return out + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits)
        return out + digits + std::string(integerDigits - digits.size(), '0');
    return out + digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
}

TEST(NumberTextFastPath, MatchesTheRuleOnRandomValues) {
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> exponent(-7, 17);
    std::uniform_int_distribution<int> places(0, 9);
    for (int i = 0; i < 200000; ++i) {
        double value = std::pow(10.0, exponent(random));
        if (i % 2 == 0) // short decimals, as model files hold them
            value = std::nearbyint(value * std::pow(10.0, places(random))) /
                    std::pow(10.0, places(random));
        if (i % 3 == 0)
            value = -value;
        ASSERT_EQ(common::formatNumber(value), referenceText(value)) << value;
    }
}

TEST(NumberTextFastPath, MatchesTheRuleAtTheFormBoundaries) {
    for (double value : {1e-4, 0.00009999999999999999, 0.000100000000000001, 1e15,
                         999999999999999.9, 99999999999999.98, 0.1 + 0.2, 1.0 / 3, 2.0 / 3,
                         123456789.123456789, 0.000123456789012345678, 4503599627370496.5})
        EXPECT_EQ(common::formatNumber(value), referenceText(value)) << value;
}

TEST(NumberTextFastPath, RoundingToSixPlacesMatchesTheExactDecimalRounding) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> any(-2, 2);
    for (int i = 0; i < 100000; ++i) {
        const double value = any(random);
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.6f", value); // glibc rounds the exact value
        ASSERT_EQ(common::roundHalfEven(value, 6), std::strtod(buffer, nullptr) + 0.0) << value;
    }
}

// Saving writes values rounded to six places; those take a shortcut of their own, which must
// give the rule's text at every magnitude, up to where the product with 10^6 gets too large.
TEST(NumberTextFastPath, ValuesRoundedToSixPlacesMatchTheRule) {
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> exponent(-8, 16);
    for (int i = 0; i < 200000; ++i) {
        double value = common::roundHalfEven(std::pow(10.0, exponent(random)), 6);
        if (i % 2 == 0)
            value = -value;
        ASSERT_EQ(common::formatNumber(value), referenceText(value)) << value;
    }
    for (double value : {2251799813.685248, 2251799813.685247, 2251799813.685249, 0.000001,
                         0.0000015, 9.999999, 1234567.000001, 0.5, 0.1 + 0.2})
        EXPECT_EQ(common::formatNumber(value), referenceText(value)) << value;
}

// Reading takes a shortcut for plain decimals and whole numbers; it must read every text as
// the library's correctly rounded conversion does.
TEST(NumberTextFastPath, ReadingPlainDecimalsMatchesTheLibrary) {
    std::mt19937_64 random(99);
    std::uniform_int_distribution<int> length(1, 19);
    std::uniform_int_distribution<int> digit(0, 9);
    for (int i = 0; i < 300000; ++i) {
        std::string text = i % 2 ? "-" : "";
        const int before = length(random) % 8;
        for (int k = 0; k < before; ++k)
            text += static_cast<char>('0' + digit(random));
        if (i % 5 != 0) {
            text += '.';
            for (int k = length(random); k > 0; --k)
                text += static_cast<char>('0' + digit(random));
        }
        double expected = 0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), expected);
        const auto read = common::parseNumber(text);
        if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
            EXPECT_FALSE(read.has_value()) << text;
            continue;
        }
        ASSERT_TRUE(read.has_value()) << text;
        ASSERT_EQ(std::signbit(*read), std::signbit(expected)) << text;
        ASSERT_EQ(*read, expected) << text;
    }
    for (const char* text : {"0.30000000000000004", "123456789012345.6", "9007199254740993",
                             "0.0000000000000000000001", "1.", ".5", "-0", "-.0"})
        EXPECT_EQ(common::parseNumber(text), std::strtod(text, nullptr)) << text;
}

TEST(NumberTextFastPath, WholeNumbersReadAsTheRoundingRuleReadsThem) {
    EXPECT_EQ(common::parseInteger16("32767"), 32767);
    EXPECT_EQ(common::parseInteger16("-32768"), -32768);
    EXPECT_EQ(common::parseInteger16("32768"), std::nullopt);
    EXPECT_EQ(common::parseInteger16("000012"), 12);
    EXPECT_EQ(common::parseInteger16(" 7 "), 7);
    EXPECT_EQ(common::parseInteger16("2.5"), 2); // halves go to even
    EXPECT_EQ(common::parseInteger16("1E2"), 100);
    EXPECT_EQ(common::parseInteger16("-"), std::nullopt);
    EXPECT_EQ(common::parseInteger16("1-2"), std::nullopt);
    EXPECT_EQ(common::parseInteger32("999999999"), 999999999);
    EXPECT_EQ(common::parseInteger32("2147483647"), 2147483647);
    EXPECT_EQ(common::parseInteger32("2147483648"), std::nullopt);
    EXPECT_EQ(common::parseInteger32("-2147483648"), -2147483647 - 1);
}

} // namespace
