// A number the user mistyped in a report is named where the user can find it: the report's own file
// and line, never a work file of the conversion.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/line_list.h"
#include "base/text_fields.h"
#include "convert_runner.h"
#include "test_paths.h"
#include "test_support.h"

namespace velkor {
namespace {

namespace fs = std::filesystem;
using test::Quote;

struct Mistype {
  const char* what;
  const char* report;  // GUZERGAH.cks or DUSEY.cks
  const char* anchor;  // text on the report line that is damaged
  const char* good;    // the text replaced on that line
  const char* bad;
  const char* quoted;  // as the message quotes it: the report reads chainages without their "+"
};

class ReportPlaces : public ::testing::TestWithParam<Mistype> {};

TEST_P(ReportPlaces, MessageNamesTheReportAndItsLine) {
  const Mistype& m = GetParam();
  test::ScratchDir scratch;
  const fs::path examples = fs::path(test::kSourceDir) / "examples";
  for (const char* name : {"GUZERGAH.cks", "DUSEY.cks"}) fs::copy_file(examples / name, scratch / name);
  std::vector<std::string> lines = SplitTextLines(test::ReadBytes(scratch / m.report));
  long line = 0;
  for (std::size_t i = 0; i < lines.size() && line == 0; ++i) {
    if (lines[i].find(m.anchor) == std::string::npos || lines[i].find(m.good) == std::string::npos) continue;
    lines[i] = ReplaceAll(lines[i], m.good, m.bad);
    line = static_cast<long>(i + 1);
  }
  ASSERT_GT(line, 0) << "no line with " << m.anchor << " and " << m.good;
  test::WriteBytes(scratch / m.report, test::CrLf(lines));

  const test::ConvertOutcome o =
      test::RunConvert(scratch, Quote(scratch / "GUZERGAH.cks") + " " + Quote(scratch / "DUSEY.cks") + " -o " +
                                    Quote(scratch / "YOL.xml") + " --work-dir " + Quote(scratch / "work"));
  EXPECT_EQ(o.code, 1);
  EXPECT_EQ(o.err, std::string(m.report) + ":" + std::to_string(line) + ": '" + m.quoted +
                       "' is not a valid floating point value\n");
  EXPECT_FALSE(fs::exists(scratch / "YOL.xml"));
}

INSTANTIATE_TEST_SUITE_P(
    Mistypes, ReportPlaces,
    ::testing::Values(Mistype{"Easting", "GUZERGAH.cks", "TF", "500000.000", "5OOOOO.OOO", "5OOOOO.OOO"},
                      Mistype{"Northing", "GUZERGAH.cks", "ST", "4499896.278", "44998g6.278", "44998g6.278"},
                      Mistype{"Radius", "GUZERGAH.cks", "YAY", "300.000", "3OO.000", "3OO.000"},
                      Mistype{"Chainage", "GUZERGAH.cks", "CS", "0+450.000", "0+45O.000", "045O.000"},
                      Mistype{"SpiralLength", "GUZERGAH.cks", "CS", "65.000", "65.0O0", "65.0O0"},
                      Mistype{"VerticalChainage", "DUSEY.cks", "P.B", "0+000.000", "0+OOO.000", "0OOO.000"},
                      Mistype{"Elevation", "DUSEY.cks", "P.B", "850.000", "85O.000", "85O.000"},
                      Mistype{"CurveLength", "DUSEY.cks", "L=", "320.000", "32O.000", "32O.000"}),
    [](const auto& info) { return std::string(info.param.what); });

// A failure found only when the alignment is written (an arc too small for its chord) names the row of
// the element table the arc came from.
TEST(ReportPlaces, GeometryFailureNamesTheTableRow) {
  test::ScratchDir scratch;
  const fs::path examples = fs::path(test::kSourceDir) / "examples";
  std::string table = test::ReadBytes(examples / "GUZERGAH.cks");
  const std::size_t at = table.find("R=300.000");
  ASSERT_NE(at, std::string::npos);
  table.replace(at, 9, "R=10.000 ");
  test::WriteBytes(scratch / "GUZERGAH.cks", table);
  const test::ConvertOutcome o =
      test::RunConvert(scratch, Quote(scratch / "GUZERGAH.cks") + " -o " + Quote(scratch / "YOL.xml") + " --work-dir " +
                                    Quote(scratch / "work"));
  EXPECT_EQ(o.code, 1);
  EXPECT_EQ(o.err, "GUZERGAH.cks:7: Invalid floating point operation\n");
}

}  // namespace
}  // namespace velkor

#endif
