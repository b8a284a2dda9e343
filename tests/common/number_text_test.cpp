// The number text of the model files: writing doubles, rounding half to even, reading numbers.

#include "common/number_text.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

using common::formatNumber;
using common::parseInteger16;
using common::parseNumber;
using common::roundHalfEven;

TEST(FormatNumber, PlainDecimalsWithoutTrailingZeros) {
    EXPECT_EQ(formatNumber(100), "100");
    EXPECT_EQ(formatNumber(1), "1");
    EXPECT_EQ(formatNumber(-5), "-5");
    EXPECT_EQ(formatNumber(5.5), "5.5");
    EXPECT_EQ(formatNumber(0.12345678), "0.12345678");
    EXPECT_EQ(formatNumber(-0.707107), "-0.707107");
    EXPECT_EQ(formatNumber(123.25), "123.25");
}

TEST(FormatNumber, ZeroAndNegativeZeroAreZero) {
    EXPECT_EQ(formatNumber(0.0), "0");
    EXPECT_EQ(formatNumber(-0.0), "0");
}

TEST(FormatNumber, AtMostFifteenSignificantDigits) {
    EXPECT_EQ(formatNumber(0.1 + 0.2), "0.3");
    EXPECT_EQ(formatNumber(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(formatNumber(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(formatNumber(123456789012345678.0), "1.23456789012346E+17");
    EXPECT_EQ(formatNumber(999999999999999.0), "999999999999999");
}

TEST(FormatNumber, ExponentFormBelowOneTenThousandth) {
    EXPECT_EQ(formatNumber(0.0001), "0.0001");
    EXPECT_EQ(formatNumber(0.00012), "0.00012");
    EXPECT_EQ(formatNumber(0.00001), "1E-05");
    EXPECT_EQ(formatNumber(0.000015), "1.5E-05");
    EXPECT_EQ(formatNumber(-0.000015), "-1.5E-05");
    EXPECT_EQ(formatNumber(1e-300), "1E-300");
}

TEST(FormatNumber, ExponentFormFromOneE15) {
    EXPECT_EQ(formatNumber(1e15), "1E+15");
    EXPECT_EQ(formatNumber(2e15), "2E+15");
    EXPECT_EQ(formatNumber(-2.5e20), "-2.5E+20");
    // Rounding to 15 digits carries into the next power of ten, and the form follows it.
    EXPECT_EQ(formatNumber(999999999999999.9), "1E+15");
    EXPECT_EQ(formatNumber(9.999999999999996e-05), "0.0001");
    EXPECT_EQ(formatNumber(9.99999999999999e-05), "9.99999999999999E-05");
}

TEST(FormatNumber, InfinitiesAndNanHaveAText) {
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::infinity()), "Infinity");
    EXPECT_EQ(formatNumber(-std::numeric_limits<double>::infinity()), "-Infinity");
    EXPECT_EQ(formatNumber(std::nan("")), "NaN");
}

TEST(RoundHalfEven, ExactHalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(2.5, 0), 2.0);
    EXPECT_EQ(roundHalfEven(3.5, 0), 4.0);
    EXPECT_EQ(roundHalfEven(-2.5, 0), -2.0);
    EXPECT_EQ(roundHalfEven(0.125, 2), 0.12);
    EXPECT_EQ(roundHalfEven(0.375, 2), 0.38);
    // 1/128 and 3/128 are exact halves at the sixth decimal.
    EXPECT_EQ(roundHalfEven(0.0078125, 6), 0.007812);
    EXPECT_EQ(roundHalfEven(0.0234375, 6), 0.023438);
}

TEST(RoundHalfEven, ValuesNotExactlyHalfRoundByTheirTrueValue) {
    // The double nearest 0.0000025 lies just above the half, the one nearest 0.0000035 just
    // below: scaling by a million first would make both exact halves.
    EXPECT_EQ(roundHalfEven(0.0000025, 6), 0.000003);
    EXPECT_EQ(roundHalfEven(0.0000035, 6), 0.000003);
    EXPECT_EQ(roundHalfEven(0.0000005, 6), 0.0); // 4.99999...e-07 in binary
    EXPECT_EQ(roundHalfEven(0.12345678, 6), 0.123457);
    EXPECT_EQ(roundHalfEven(-0.12345649, 6), -0.123456);
}

TEST(RoundHalfEven, NegativeResultsThatRoundToZeroAreZero) {
    const double rounded = roundHalfEven(-0.0000001, 6);
    EXPECT_EQ(rounded, 0.0);
    EXPECT_FALSE(std::signbit(rounded));
    EXPECT_EQ(formatNumber(roundHalfEven(-0.0000004, 6)), "0");
}

TEST(RoundHalfEven, NormalsAndTextureCoordinatesAsWritten) {
    EXPECT_EQ(formatNumber(roundHalfEven(0.12345678, 6)), "0.123457");
    EXPECT_EQ(formatNumber(roundHalfEven(0.00001, 6)), "1E-05");
    EXPECT_EQ(formatNumber(roundHalfEven(1.0 / 3.0, 6)), "0.333333");
    EXPECT_EQ(formatNumber(roundHalfEven(1e20 + 0.3, 6)), "1E+20");
    EXPECT_EQ(formatNumber(roundHalfEven(1.7976931348623157e308, 6)), "1.79769313486232E+308");
}

TEST(ParseNumber, AcceptsBlanksSignPointAndExponent) {
    EXPECT_EQ(parseNumber("1.5"), 1.5);
    EXPECT_EQ(parseNumber("  -5 "), -5.0);
    EXPECT_EQ(parseNumber("\t+2.25\t"), 2.25);
    EXPECT_EQ(parseNumber("1.5E-05"), 1.5e-5);
    EXPECT_EQ(parseNumber("2e+15"), 2e15);
    EXPECT_EQ(parseNumber(".5"), 0.5);
    EXPECT_EQ(parseNumber("5."), 5.0);
    EXPECT_EQ(parseNumber("0.12345678"), 0.12345678);
}

TEST(ParseNumber, RejectsWhatIsNotANumber) {
    for (const char* text : {"", " ", "abc", "1,5", "1.5.2", "inf", "-inf", "nan", "infinity", "1e",
                             "e5", "+", "-", ".", "--1", "0x10", "1 2", "5 }"})
        EXPECT_FALSE(parseNumber(text).has_value()) << '"' << text << '"';
}

TEST(ParseNumber, OutOfRangeMagnitudes) {
    EXPECT_FALSE(parseNumber("1e400").has_value());
    EXPECT_FALSE(parseNumber(std::string(400, '9')).has_value());
    EXPECT_EQ(parseNumber("1e-400"), 0.0);
    EXPECT_EQ(parseNumber("0." + std::string(400, '0') + "1"), 0.0);
    const auto negative = parseNumber("-1e-400");
    ASSERT_TRUE(negative.has_value());
    EXPECT_EQ(*negative, 0.0);
}

TEST(ParseInteger16, RoundsHalfToEvenAndKeepsSixteenBits) {
    EXPECT_EQ(parseInteger16("1.5"), 2);
    EXPECT_EQ(parseInteger16("2.5"), 2);
    EXPECT_EQ(parseInteger16("-1"), -1);
    EXPECT_EQ(parseInteger16(" 7 "), 7);
    EXPECT_EQ(parseInteger16("32767.4"), 32767);
    EXPECT_EQ(parseInteger16("-32768"), -32768);
    EXPECT_FALSE(parseInteger16("32767.5").has_value());
    EXPECT_FALSE(parseInteger16("32768").has_value());
    EXPECT_FALSE(parseInteger16("-32769").has_value());
    EXPECT_FALSE(parseInteger16("x").has_value());
    EXPECT_FALSE(parseInteger16("").has_value());
}

// Builds a locale whose decimal separator is a comma, as many users have, and makes it the
// locale of the C library's number formatting. Nothing when the system cannot build one.
class CommaLocale {
  public:
    CommaLocale() {
        const auto definition = folder_.write("comma.def", "LC_NUMERIC\n"
                                                           "decimal_point \"<U002C>\"\n"
                                                           "thousands_sep \"<U002E>\"\n"
                                                           "grouping 3;3\n"
                                                           "END LC_NUMERIC\n");
        const std::string command = "localedef -c -i '" + definition + "' -f ANSI_X3.4-1968 '" +
                                    folder_.file("xx_XX.ASCII") + "' >/dev/null 2>&1";
        [[maybe_unused]] const int status = std::system(command.c_str());
        ::setenv("LOCPATH", folder_.path().c_str(), 1);
        active_ = std::setlocale(LC_NUMERIC, "xx_XX.ASCII") != nullptr;
        char text[16];
        std::snprintf(text, sizeof text, "%.1f", 1.5);
        active_ = active_ && std::string(text) == "1,5";
    }
    ~CommaLocale() {
        std::setlocale(LC_NUMERIC, "C");
        ::unsetenv("LOCPATH");
    }
    bool active() const { return active_; }

  private:
    testing_support::TempFolder folder_;
    bool active_ = false;
};

TEST(NumberText, IgnoresTheLocalesDecimalSeparator) {
    CommaLocale locale;
    if (!locale.active())
        GTEST_SKIP() << "cannot build a locale with a decimal comma here (localedef)";
    EXPECT_EQ(formatNumber(1.5), "1.5");
    EXPECT_EQ(formatNumber(0.000015), "1.5E-05");
    EXPECT_EQ(formatNumber(123456789012345678.0), "1.23456789012346E+17");
    EXPECT_EQ(roundHalfEven(0.12345678, 6), 0.123457);
    EXPECT_EQ(roundHalfEven(0.0078125, 6), 0.007812);
    EXPECT_EQ(common::formatRoundTrip(0.1), "0.1");
    EXPECT_EQ(parseNumber("1.5"), 1.5);
    EXPECT_FALSE(parseNumber("1,5").has_value());
    EXPECT_EQ(parseInteger16("2.5"), 2);
}

} // namespace
