#include "base/text_fields.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/number_text.h"

namespace velkor {
namespace {

struct FieldCase {
  const char* name;
  std::string line;
  std::vector<std::string> fields;  // what successive calls return
  std::string rest;                 // what is left in the line afterwards
};

class NextFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(NextFieldTest, CutsFieldsAndLeavesTheRest) {
  const auto& c = GetParam();
  std::string line = c.line;
  for (const auto& expected : c.fields) EXPECT_EQ(NextField(line), expected);
  EXPECT_EQ(line, c.rest);
}

INSTANTIATE_TEST_SUITE_P(
    Separators, NextFieldTest,
    ::testing::Values(FieldCase{"LeadingBlanks", "  abc def", {"abc"}, "def"},
                      FieldCase{"WholeLine", "abc", {"abc"}, ""}, FieldCase{"Empty", "", {""}, ""},
                      FieldCase{"SeparatorsOnly", " \t,;\"", {""}, ""}, FieldCase{"Comma", "1,5", {"1"}, "5"},
                      FieldCase{"DoublePoint", "1..5", {"1"}, "5"},
                      FieldCase{"TriplePointLeavesOnePoint", "1...5", {"1"}, ".5"},
                      FieldCase{"SemicolonAndQuotes", "a;b\"c\"", {"a", "b", "c"}, ""},
                      FieldCase{"SinglePointStaysInside", "12.500 x", {"12.500"}, "x"},
                      FieldCase{"RestKeepsTrailingBlanks", "a b 3.5  ", {"a", "b"}, "3.5  "},
                      FieldCase{"TabsAreBlanks", "a\tb", {"a", "b"}, ""},
                      FieldCase{"TurkishBytesAreCharacters", "G\xDDR\xDD\xDE \xB3x", {"G\xDDR\xDD\xDE", "\xB3x"}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NextField, RestParsesAsOneNumber) {
  std::string line = "a b 3.5  ";
  NextField(line);
  NextField(line);
  EXPECT_EQ(ParseFloat(line), 3.5);
}

TEST(PadLeft, FillsToWidthNeverCuts) {
  EXPECT_EQ(PadLeft("0.000", 15), std::string(10, ' ') + "0.000");
  EXPECT_EQ(PadLeft("1234567890123456", 15), "1234567890123456");
  EXPECT_EQ(PadLeft("123456789012345", 15), "123456789012345");
  EXPECT_EQ(PadLeft("", 3), "   ");
}

struct ChainageCase {
  double metres;
  const char* text;
};

class FormatChainageTest : public ::testing::TestWithParam<ChainageCase> {};

TEST_P(FormatChainageTest, KilometresPlusMetres) { EXPECT_EQ(FormatChainage(GetParam().metres), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Cases, FormatChainageTest,
                         ::testing::Values(ChainageCase{0, "0+000.000"}, ChainageCase{25.5, "0+025.500"},
                                           ChainageCase{1234.5678, "1+234.568"}, ChainageCase{-50, "0-050.000"},
                                           ChainageCase{999.9996, "1+000.000"}, ChainageCase{12345.678, "12+345.678"},
                                           ChainageCase{0.0625, "0+000.063"}, ChainageCase{-1234.5, "1-234.500"},
                                           ChainageCase{-0.0004, "0+000.000"}, ChainageCase{1000, "1+000.000"}));

TEST(ReplaceAllNoCase, MatchesEitherCase) {
  EXPECT_EQ(ReplaceAllNoCase("C:\\R\\YOL.CKS", ".cks", ".gec"), "C:\\R\\YOL.gec");
  EXPECT_EQ(ReplaceAllNoCase("a.cks.Cks", ".cks", ".gec"), "a.gec.gec");
  EXPECT_EQ(ReplaceAllNoCase("route", ".gec", ".xml"), "route");
  EXPECT_EQ(ReplaceAll("\xB3PS\xB3", "PS", "PE"), "\xB3PE\xB3");
}

}  // namespace
}  // namespace velkor
