#include "base/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>

#include "base/error.h"

namespace velkor {
namespace {

struct FixedCase {
  double value;
  int decimals;
  int width;
  const char* expected;
};

class FormatFixedTest : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FormatFixedTest, RoundsHalvesAwayFromZero) {
  const auto& c = GetParam();
  EXPECT_EQ(FormatFixed(c.value, c.decimals, c.width), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatFixedTest,
    ::testing::Values(FixedCase{0.0625, 3, 0, "0.063"}, FixedCase{-0.0625, 3, 0, "-0.063"},
                      FixedCase{0.1875, 3, 0, "0.188"}, FixedCase{2.5, 0, 0, "3"}, FixedCase{-2.5, 0, 0, "-3"},
                      FixedCase{0.5, 0, 0, "1"}, FixedCase{1.0005, 3, 0, "1.000"},  // binary value lies below the half
                      FixedCase{1234.5678, 3, 0, "1234.568"}, FixedCase{0, 3, 12, "       0.000"},
                      FixedCase{-250, 3, 12, "    -250.000"}, FixedCase{1000, 3, 11, "   1000.000"},
                      FixedCase{123456789012.5, 3, 5, "123456789012.500"}, FixedCase{5e-324, 3, 0, "0.000"},
                      FixedCase{1e15, 3, 0, "1000000000000000.000"}));

struct GeneralCase {
  double value;
  const char* expected;
};

class FormatGeneralTest : public ::testing::TestWithParam<GeneralCase> {};

TEST_P(FormatGeneralTest, FifteenDigitsNoExponentInRange) {
  EXPECT_EQ(FormatGeneral(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormatGeneralTest,
                         ::testing::Values(GeneralCase{14.32394487827058, "14.3239448782706"}, GeneralCase{60, "60"},
                                           GeneralCase{-60, "-60"}, GeneralCase{0.00001, "0.00001"},
                                           GeneralCase{0, "0"}, GeneralCase{0.5, "0.5"},
                                           GeneralCase{999999999999999, "999999999999999"}, GeneralCase{1e15, "1E15"},
                                           GeneralCase{0.000001, "1E-6"}, GeneralCase{-1234.5, "-1234.5"},
                                           GeneralCase{0.1 + 0.2, "0.3"}, GeneralCase{123456.000001, "123456.000001"}));

TEST(ParseFloat, AcceptsSignExponentAndBlanks) {
  EXPECT_EQ(ParseFloat("12.5"), 12.5);
  EXPECT_EQ(ParseFloat("  -12.5  "), -12.5);
  EXPECT_EQ(ParseFloat("+3"), 3);
  EXPECT_EQ(ParseFloat("1e3"), 1000);
  EXPECT_EQ(ParseFloat("1.5E-2"), 0.015);
  EXPECT_EQ(ParseFloat(".5"), 0.5);
  EXPECT_EQ(ParseFloat("5."), 5);
  EXPECT_EQ(ParseFloat("0001234.5678"), 1234.5678);
}

TEST(ParseFloat, RefusesWithTheExactMessage) {
  for (const char* bad : {"1,5", "", " ", "1.2.3", "abc", "1e", "inf", "nan", "0x10", "--1", "1 2", "+", "."}) {
    try {
      ParseFloat(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const Error& e) {
      EXPECT_EQ(e.message(), std::string("'") + bad + "' is not a valid floating point value");
    }
  }
}

// A value beyond a double's range is refused like any bad number (it used to read as 0); one too
// small to hold reads as zero, as it would print.
TEST(ParseFloat, OutOfRange) {
  for (const char* bad : {"5e400", "-1e999", " 1e309 ", "0.01e311", "1e99999999999999999999"}) {
    try {
      ParseFloat(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const Error& e) {
      EXPECT_EQ(e.message(), std::string("'") + bad + "' is not a valid floating point value");
    }
  }
  const std::string beyond = "-1" + std::string(309, '0');  // -1e309 written out
  EXPECT_THROW(ParseFloat(beyond), Error);
  double value = 1;
  EXPECT_FALSE(TryParseFloat("5e400", value));
  EXPECT_EQ(value, 1) << "a refused text leaves the value as it was";

  const std::string tiny = "0." + std::string(400, '0') + "1";  // 1e-401 written out
  for (const std::string& small : {std::string("1e-400"), std::string("-1e-999"), tiny, std::string("0e999")}) {
    EXPECT_EQ(ParseFloat(small), 0) << small;
  }
  EXPECT_EQ(ParseFloat("1.7976931348623157e308"), 1.7976931348623157e308);
  EXPECT_EQ(ParseFloat("0.1e309"), 1e308);
}

// Report text quoted in a message: control characters as "?", cut after 80 characters.
TEST(QuotedText, ShowsReportBytesSafely) {
  EXPECT_EQ(QuotedText("12,5"), "12,5");
  EXPECT_EQ(QuotedText("a\x1B[2Jb\x07\x7F\tc"), "a?[2Jb???c");
  EXPECT_EQ(QuotedText(std::string(80, 'x')), std::string(80, 'x'));
  EXPECT_EQ(QuotedText(std::string(100, 'x')), std::string(80, 'x') + "\xE2\x80\xA6");
  // Report text is code page 1254, one byte a letter; the message is UTF-8 and cut between letters.
  EXPECT_EQ(QuotedText("G\xDDR\xDD\xDE 92l"), "G\xC4\xB0R\xC4\xB0\xC5\x9E 92l");  // GİRİŞ
  std::string utf8;
  for (int i = 0; i < 80; ++i) utf8 += "\xC5\x9E";  // Ş
  EXPECT_EQ(QuotedText(std::string(100, '\xDE')), utf8 + "\xE2\x80\xA6");
  EXPECT_EQ(NotAFloat(std::string(1000000, '9') + "x"),
            "'" + std::string(80, '9') + "\xE2\x80\xA6' is not a valid floating point value");
}

TEST(ParseInt, AcceptsAndRefuses) {
  EXPECT_EQ(ParseInt("0"), 0);
  EXPECT_EQ(ParseInt(" -1 "), -1);
  EXPECT_EQ(ParseInt("2147483647"), 2147483647);
  EXPECT_EQ(ParseInt("-2147483648"), -2147483647 - 1);
  for (const char* bad : {"", "1.0", "1,5", "2147483648", "abc", "1e3"}) {
    try {
      ParseInt(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const Error& e) {
      EXPECT_EQ(e.message(), std::string("'") + bad + "' is not a valid integer value");
    }
  }
}

TEST(RoundHalfEven, TiesGoToEven) {
  EXPECT_EQ(RoundHalfEven(62.5L), 62);
  EXPECT_EQ(RoundHalfEven(187.5L), 188);
  EXPECT_EQ(RoundHalfEven(-62.5L), -62);
  EXPECT_EQ(RoundHalfEven(-0.4L), 0);
  EXPECT_EQ(RoundHalfEven(2.5000001L), 3);
  EXPECT_EQ(RoundHalfEven(1e13L), 10000000000000);
  for (long double huge : {1e19L, -1e300L, static_cast<long double>(NAN)}) {
    try {
      RoundHalfEven(huge);
      ADD_FAILURE() << static_cast<double>(huge);
    } catch (const Error& e) {
      EXPECT_EQ(e.message(), "Invalid floating point operation");
    }
  }
}

// Whatever locale the process runs under, the text stays the same (the second run of this
// program happens under a decimal-comma locale).
TEST(NumberText, IndependentOfTheLocale) {
  char probe[32];
  std::snprintf(probe, sizeof probe, "%.1f", 1.5);
  SCOPED_TRACE(std::string("C library prints 1.5 as ") + probe + " under " + std::setlocale(LC_ALL, nullptr));
  EXPECT_EQ(FormatFixed(1234.5, 3), "1234.500");
  EXPECT_EQ(FormatGeneral(0.25), "0.25");
  EXPECT_EQ(ParseFloat("0.25"), 0.25);
  EXPECT_THROW(ParseFloat("0,25"), Error);
}

}  // namespace
}  // namespace velkor
