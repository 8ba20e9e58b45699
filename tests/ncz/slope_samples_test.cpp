// The independently written slope-plan sample: the axis points and polylines it must give, none of
// the ones it holds to be refused, and the alignments made of them.
#include <gtest/gtest.h>

#include <sstream>

#include "base/number_text.h"
#include "export/slope_plan_alignments.h"
#include "ncz/slope_plan_reader.h"
#include "test_support.h"

namespace velkor {
namespace {

using Lines = std::vector<std::string>;

// The "axis" array of truth.json: [[E, N, Z], ...].
std::vector<TGeometryPoint> TruthAxis(const std::string& json) {
  std::vector<TGeometryPoint> axis;
  std::string::size_type at = json.find("\"axis\"");
  if (at == std::string::npos) return axis;
  at = json.find('[', at);
  std::vector<double> numbers;
  int depth = 0;
  for (std::string::size_type i = at; i < json.size(); ++i) {
    char c = json[i];
    if (c == '[') ++depth;
    if (c == ']' && --depth == 0) break;
    if (c == '-' || (c >= '0' && c <= '9')) {
      std::string::size_type end = json.find_first_of(",] \r\n", i);
      numbers.push_back(ParseFloat(json.substr(i, end - i)));
      i = end - 1;
    }
  }
  for (size_t i = 0; i + 2 < numbers.size(); i += 3) axis.push_back({numbers[i], numbers[i + 1], numbers[i + 2]});
  return axis;
}

std::string Field(std::string_view line, int index) {
  std::string_view field;
  for (int i = 0; i <= index; ++i) field = NextEntryField(line);
  return std::string(field);
}

class SlopeSample : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = test::SharedSamplesDir();
    if (dir_.empty()) GTEST_SKIP() << "no shared samples beside this checkout; SEVLI.ncz not checked";
    ReadSlopePlan(dir_ / "SEVLI.ncz", plan_);
    truth_ = TruthAxis(test::ReadBytes(dir_ / "truth.json"));
  }

  std::filesystem::path dir_;
  SlopePlan plan_;
  std::vector<TGeometryPoint> truth_;
};

TEST_F(SlopeSample, AxisPointsAreTheTruthAxisThenTheNoktaPolyline) {
  ASSERT_EQ(truth_.size(), 8u);
  ASSERT_EQ(plan_.axisPoints.size(), truth_.size() + 1);
  for (size_t i = 0; i < truth_.size(); ++i) {
    EXPECT_EQ(Field(plan_.axisPoints[i], 0), i % 2 == 0 ? "K_EKS" : "K_EKS_2") << i;
    EXPECT_EQ(Field(plan_.axisPoints[i], 1), "NOKTA") << i;
    EXPECT_EQ(Field(plan_.axisPoints[i], 2) + ",", CoordinateText(truth_[i])) << i;
  }
  // The polyline labelled "NOKTA" on K_1 gives its first vertex only, easting first.
  EXPECT_EQ(plan_.axisPoints.back(), "K_1,NOKTA,500135.000 4500221.506 850.000,");
}

TEST_F(SlopeSample, PolylinesTakenAndRefused) {
  Lines taken;
  for (const auto& line : plan_.polylines) taken.push_back(Field(line, 0) + "," + Field(line, 1));
  EXPECT_EQ(taken, (Lines{"K_1,A12", "K_SEV,S1", "K_1,"}));
  EXPECT_EQ(plan_.polylines.front(),
            "K_1,A12,500010.000 4500005.000 849.000,500135.000 4500221.506 850.000,"
            "500161.417 4500263.932 851.000,500225.855 4500326.066 852.000,");
}

TEST_F(SlopeSample, AlignmentsFollowTheAxis) {
  std::ostringstream out;
  WriteSlopePlanAlignments(plan_, out);
  Lines lines = test::SplitLines(out.str());
  Lines names;
  Lines axisLines;
  bool inAxis = false;
  for (const auto& line : lines) {
    if (line.starts_with("\t\t<Alignment name=\"")) {
      std::string rest = line.substr(19);
      names.push_back(rest.substr(0, rest.find('"')));
      inAxis = names.size() == 1;
    }
    if (inAxis && line.starts_with("\t\t\t\t<Line ")) axisLines.push_back(line);
  }
  EXPECT_EQ(names, (Lines{"Ax", "A12", "S1", ""}));
  ASSERT_EQ(axisLines.size(), 8u);
  // The first leg is the route's first tangent (30 degrees, 250 m), seen through the millimetre
  // coordinate texts: 4500216.506 instead of 4500216.506350946 turns it by 0.00004 degrees.
  EXPECT_EQ(axisLines[0], "\t\t\t\t<Line dir=\"30.000040\" length=\"250.000\" staStart=\"0.000\">");
  EXPECT_EQ(lines[2], axisLines[0]);
  EXPECT_EQ(lines[3], "\t\t\t\t\t<Start>4500000.000 500000.000 </Start>");
  EXPECT_EQ(lines[4], "\t\t\t\t\t<End>4500216.506 500125.000 </End>");
  EXPECT_TRUE(axisLines[1].ends_with("staStart=\"250.000\">")) << axisLines[1];
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "\t\t</Alignment>"), 4);
}

}  // namespace
}  // namespace velkor
