// The fast fixed-format writer must give exactly FormatFixed's text, ties and all.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "base/number_text.h"

namespace velkor {
namespace {

std::string Appended(double value, int decimals, int width) {
  std::string out = "#";
  AppendFixed(out, value, decimals, width);
  return out.substr(1);
}

TEST(AppendFixed, WorkedValues) {
  struct Case {
    double value;
    int decimals, width;
    const char* text;
  };
  const Case cases[] = {
      {1000, 3, 11, "   1000.000"},
      {-12.5, 3, 11, "    -12.500"},
      {0.0625, 3, 0, "0.063"},
      {-0.0625, 3, 0, "-0.063"},
      {-0.0, 3, 6, "-0.000"},
      {-0.0004, 3, 0, "-0.000"},
      {2.5, 0, 3, "  3"},
      {0.5, 0, 0, "1"},
      {123456789.125, 2, 0, "123456789.13"},
      {1e15, 3, 0, "1000000000000000.000"},
      {NAN, 3, 5, "  NAN"},
      {-INFINITY, 3, 0, "-INF"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Appended(c.value, c.decimals, c.width), c.text) << c.value;
    EXPECT_EQ(Appended(c.value, c.decimals, c.width), FormatFixed(c.value, c.decimals, c.width)) << c.value;
  }
}

TEST(AppendFixed, AgreesWithFormatFixedOnManyValues) {
  std::mt19937_64 random(20261209);
  std::uniform_real_distribution<double> coordinate(-5e6, 5e6);
  std::uniform_int_distribution<long long> thousandths(-9'000'000'000LL, 9'000'000'000LL);
  for (int i = 0; i < 200000; ++i) {
    double values[] = {
        coordinate(random),
        static_cast<double>(thousandths(random)) / 1000,
        // Near and exact halves of the last decimal.
        (static_cast<double>(thousandths(random)) + 0.5) / 1000,
        static_cast<double>(thousandths(random) / 16) / 16 + 0.03125,
        static_cast<double>(static_cast<float>(coordinate(random) / 1000)),
    };
    for (double v : values)
      for (int decimals : {0, 3, 6}) ASSERT_EQ(Appended(v, decimals, 11), FormatFixed(v, decimals, 11)) << v;
  }
}

}  // namespace
}  // namespace velkor
