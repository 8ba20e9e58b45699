// The slope plan's alignments: worked values of the chains of lines and their profiles, the order
// of the alignments, names, and the part file.
#include "export/slope_plan_alignments.h"

#include <gtest/gtest.h>

#include <sstream>

#include "base/error.h"
#include "export/section_steps.h"
#include "ncz/slope_plan.h"
#include "test_support.h"

namespace velkor {
namespace {

std::vector<std::string> Alignments(const SlopePlan& plan) {
  std::ostringstream out;
  WriteSlopePlanAlignments(plan, out);
  return test::SplitLines(out.str());
}

std::vector<std::string> Alignment(const std::string& name, const std::vector<std::string>& vertices) {
  std::ostringstream out;
  WriteSlopeAlignment(name, vertices, out);
  return test::SplitLines(out.str());
}

// The lines of the alignments whose text contains `what`, e.g. every Line start tag.
std::vector<std::string> Matching(const std::vector<std::string>& lines, const std::string& what) {
  std::vector<std::string> found;
  for (const auto& line : lines) {
    if (line.find(what) != std::string::npos) found.push_back(line);
  }
  return found;
}

struct CommaCase {
  const char* line;
  std::vector<std::string> fields;  // taken one after another until the line is empty
};

TEST(NextEntryField, CutsFieldsOffTheFront) {
  const CommaCase cases[] = {
      {"K_1,A12,1 2 3,", {"K_1", "A12", "1 2 3"}},
      {"K_1,,1 2 3,", {"K_1", "", "1 2 3"}},
      {"no comma", {"no comma"}},
      {",", {""}},
      {" a , b", {" a ", " b"}},
  };
  for (const auto& c : cases) {
    std::string_view line = c.line;
    std::vector<std::string> fields;
    do {
      fields.emplace_back(NextEntryField(line));
    } while (!line.empty());
    EXPECT_EQ(fields, c.fields) << c.line;
  }
  std::string_view empty;
  EXPECT_EQ(NextEntryField(empty), "");
  EXPECT_EQ(empty, "");
}

TEST(SlopeAlignment, SingleAxisPointHasNoLinesAndOnePvi) {
  SlopePlan plan;
  plan.axisPoints = {"K_EKS,NOKTA,1000.000 2000.000 100.000,"};
  EXPECT_EQ(Alignments(plan), (std::vector<std::string>{
                                  "\t\t<Alignment name=\"Ax\" length=\"0.000000\" staStart=\"0.000000\">",
                                  "\t\t\t<CoordGeom>",
                                  "\t\t\t</CoordGeom>",
                                  "\t\t\t<Profile name=\"Ax\">",
                                  "\t\t\t\t<ProfAlign name=\"Ax\">",
                                  "\t\t\t\t\t<PVI>0.000 100.000</PVI>",
                                  "\t\t\t\t</ProfAlign>",
                                  "\t\t\t</Profile>",
                                  "\t\t</Alignment>",
                              }));
}

TEST(SlopeAlignment, ThreePointsTurningEast) {
  SlopePlan plan;
  plan.axisPoints = {"K_EKS,NOKTA,0.000 0.000 100.000,", "K_EKS,NOKTA,0.000 10.000 101.000,",
                     "K_EKS,NOKTA,10.000 10.000 102.000,"};
  std::ostringstream out;
  WriteSlopePlanAlignments(plan, out);
  EXPECT_EQ(out.str(), test::CrLf({
                           "\t\t<Alignment name=\"Ax\" length=\"20.000000\" staStart=\"0.000000\">",
                           "\t\t\t<CoordGeom>",
                           "\t\t\t\t<Line dir=\"0.000000\" length=\"10.000\" staStart=\"0.000\">",
                           "\t\t\t\t\t<Start>0.000 0.000 </Start>",
                           "\t\t\t\t\t<End>10.000 0.000 </End>",
                           "\t\t\t\t</Line>",
                           "\t\t\t\t<Line dir=\"90.000000\" length=\"10.000\" staStart=\"10.000\">",
                           "\t\t\t\t\t<Start>10.000 0.000 </Start>",
                           "\t\t\t\t\t<End>10.000 10.000 </End>",
                           "\t\t\t\t</Line>",
                           "\t\t\t</CoordGeom>",
                           "\t\t\t<Profile name=\"Ax\">",
                           "\t\t\t\t<ProfAlign name=\"Ax\">",
                           "\t\t\t\t\t<PVI>0.000 100.000</PVI>",
                           "\t\t\t\t\t<PVI>10.000 101.000</PVI>",
                           "\t\t\t\t\t<PVI>20.000 102.000</PVI>",
                           "\t\t\t\t</ProfAlign>",
                           "\t\t\t</Profile>",
                           "\t\t</Alignment>",
                       }));
}

TEST(SlopeAlignment, StationsRunAlongFourPointsInARow) {
  auto lines = Alignment("R", {"0 0 0", "10 0 0", "20 0 0", "30 0 0"});
  EXPECT_EQ(Matching(lines, "<Line "),
            (std::vector<std::string>{"\t\t\t\t<Line dir=\"90.000000\" length=\"10.000\" staStart=\"0.000\">",
                                      "\t\t\t\t<Line dir=\"90.000000\" length=\"10.000\" staStart=\"10.000\">",
                                      "\t\t\t\t<Line dir=\"90.000000\" length=\"10.000\" staStart=\"20.000\">"}));
  EXPECT_EQ(Matching(lines, "<PVI>"),
            (std::vector<std::string>{"\t\t\t\t\t<PVI>0.000 0.000</PVI>", "\t\t\t\t\t<PVI>10.000 0.000</PVI>",
                                      "\t\t\t\t\t<PVI>20.000 0.000</PVI>", "\t\t\t\t\t<PVI>30.000 0.000</PVI>"}));
  EXPECT_EQ(lines.front(), "\t\t<Alignment name=\"R\" length=\"30.000000\" staStart=\"0.000000\">");
}

struct LineCase {
  const char* scenario;
  std::vector<std::string> vertices;
  const char* line;  // the first Line start tag
};

TEST(SlopeAlignment, DirectionsAndLengths) {
  const LineCase cases[] = {
      {"equal vertices", {"5 5 1", "5 5 2"}, "<Line dir=\"0.000000\" length=\"0.000\" staStart=\"0.000\">"},
      {"due south", {"0 10 0", "0 0 0"}, "<Line dir=\"180.000000\" length=\"10.000\" staStart=\"0.000\">"},
      {"due west", {"10 0 0", "0 0 0"}, "<Line dir=\"270.000000\" length=\"10.000\" staStart=\"0.000\">"},
      {"north-east", {"0 0 0", "1 1 0"}, "<Line dir=\"45.000000\" length=\"1.414\" staStart=\"0.000\">"},
      {"3-4-5", {"0 0 0", "3 4 0"}, "<Line dir=\"36.869898\" length=\"5.000\" staStart=\"0.000\">"},
      {"millimetre tie to even",
       {"0 0 0", "0.1875 0 0"},
       "<Line dir=\"90.000000\" length=\"0.188\" staStart=\"0.000\">"},
      {"grid coordinates",
       {"500000.000 4500000.000 850.000", "500125.000 4500216.506 851.000"},
       "<Line dir=\"30.000040\" length=\"250.000\" staStart=\"0.000\">"},
  };
  for (const auto& c : cases) {
    auto lines = Matching(Alignment("T", c.vertices), "<Line ");
    ASSERT_EQ(lines.size(), 1u) << c.scenario;
    EXPECT_EQ(lines[0], std::string("\t\t\t\t") + c.line) << c.scenario;
  }
}

TEST(SlopeAlignment, CoordinateTextsPassUnchangedNorthingFirst) {
  auto lines = Alignment("T", {"500010.000 4500005.000 849.000", "  500135.0   4500221.506350946  850"});
  EXPECT_EQ(Matching(lines, "<Start>"), std::vector<std::string>{"\t\t\t\t\t<Start>4500005.000 500010.000 </Start>"});
  EXPECT_EQ(Matching(lines, "<End>"), std::vector<std::string>{"\t\t\t\t\t<End>4500221.506350946 500135.0 </End>"});
  EXPECT_EQ(Matching(lines, "<PVI>").back(), "\t\t\t\t\t<PVI>250.000 850.000</PVI>");
}

TEST(SlopeAlignment, NamesAreEscapedAndMayBeEmpty) {
  SlopePlan plan;
  plan.polylines = {"K_1,,0.000 0.000 1.000,0.000 1.000 1.000,", "K_1,A&B<\"C\">,0 0 0,0 1 0,",
                    "K_1,\xDE"
                    "EV,0 0 0,0 1 0,"};
  auto lines = Alignments(plan);
  EXPECT_EQ(Matching(lines, "name="),
            (std::vector<std::string>{
                "\t\t<Alignment name=\"\" length=\"1.000000\" staStart=\"0.000000\">",
                "\t\t\t<Profile name=\"\">",
                "\t\t\t\t<ProfAlign name=\"\">",
                "\t\t<Alignment name=\"A&amp;B&lt;&quot;C&quot;&gt;\" length=\"1.000000\" staStart=\"0.000000\">",
                "\t\t\t<Profile name=\"A&amp;B&lt;&quot;C&quot;&gt;\">",
                "\t\t\t\t<ProfAlign name=\"A&amp;B&lt;&quot;C&quot;&gt;\">",
                "\t\t<Alignment name=\"\xDE"
                "EV\" length=\"1.000000\" staStart=\"0.000000\">",
                "\t\t\t<Profile name=\"\xDE"
                "EV\">",
                "\t\t\t\t<ProfAlign name=\"\xDE"
                "EV\">",
            }));
}

TEST(SlopeAlignment, RecordedFieldEndsKeepCommasInNames) {
  SlopePlan plan;
  plan.axisPoints = {"K_EKS,1,NOKTA,0 0 0,", "K_EKS,NOKTA,0 3 0,"};
  plan.axisPointFields = {{7, 13}};  // the second line has no record: cut at commas
  plan.polylines = {"K_1,1,5,0 0 0,0 1 0,", "K_1,P,0 0 0,0 2 0,"};
  plan.polylineFields = {{3, 7}, {2, 3}};  // the second record points at no comma: not trusted
  auto lines = Alignments(plan);
  EXPECT_EQ(Matching(lines, "<Alignment "),
            (std::vector<std::string>{"\t\t<Alignment name=\"Ax\" length=\"3.000000\" staStart=\"0.000000\">",
                                      "\t\t<Alignment name=\"1,5\" length=\"1.000000\" staStart=\"0.000000\">",
                                      "\t\t<Alignment name=\"P\" length=\"2.000000\" staStart=\"0.000000\">"}));
}

TEST(SlopeAlignment, AxisFromEveryLayerComesFirst) {
  SlopePlan plan;
  plan.polylines = {"K_1,P1,0 0 0,0 1 0,", "K_SEV,P2,0 0 0,0 2 0,"};
  plan.axisPoints = {"K_EKS,NOKTA,0.000 0.000 1.000,", "K_EKS_2,NOKTA,0.000 3.000 2.000,",
                     "K_1,NOKTA,4.000 3.000 3.000,"};
  auto lines = Alignments(plan);
  EXPECT_EQ(Matching(lines, "<Alignment "),
            (std::vector<std::string>{"\t\t<Alignment name=\"Ax\" length=\"7.000000\" staStart=\"0.000000\">",
                                      "\t\t<Alignment name=\"P1\" length=\"1.000000\" staStart=\"0.000000\">",
                                      "\t\t<Alignment name=\"P2\" length=\"2.000000\" staStart=\"0.000000\">"}));
  EXPECT_EQ(Matching(lines, "<PVI>").size(), 3u + 2u + 2u);
  EXPECT_EQ(Matching(lines, "<Line ")[1], "\t\t\t\t<Line dir=\"90.000000\" length=\"4.000\" staStart=\"3.000\">");
}

TEST(SlopeAlignment, UnreadableNumbersStopWithTheParserMessage) {
  struct Case {
    std::vector<std::string> vertices;
    const char* message;
  } cases[] = {
      {{"NAN 0.000 1.000"}, "'NAN' is not a valid floating point value"},
      {{"0.000 INF 1.000"}, "'INF' is not a valid floating point value"},
      {{"0.000 1.000"}, "'' is not a valid floating point value"},
      {{"0.000 1.000 2.000 3.000"}, "'2.000 3.000' is not a valid floating point value"},
  };
  for (const auto& c : cases) {
    std::ostringstream out;
    try {
      WriteSlopeAlignment("T", c.vertices, out);
      ADD_FAILURE() << c.message;
    } catch (const Error& e) {
      EXPECT_EQ(e.message(), c.message);
    }
  }
}

TEST(ExportSlopePlan, WritesThePartFileWithCrLf) {
  test::ScratchDir work;
  SlopePlan plan;
  plan.axisPoints = {"K_EKS,NOKTA,1.000 2.000 3.000,"};
  plan.polylines = {"K_1,A12,1000.000 2000.000 100.000,1010.000 2000.000 101.000,"};
  test::WriteBytes(work / "tmps.xml", "old content that must go\r\n");
  ExportSlopePlan(plan, work.workDir());
  std::ostringstream expected;
  WriteSlopePlanAlignments(plan, expected);
  EXPECT_EQ(test::ReadBytes(work / "tmps.xml"), expected.str());
  EXPECT_EQ(test::SplitLines(expected.str()).size(), 9u + 14u);
}

TEST(ExportSlopePlan, EmptyListsGiveAnEmptyPartFile) {
  test::ScratchDir work;
  ExportSlopePlan(SlopePlan{}, work.workDir());
  EXPECT_EQ(test::ReadBytes(work / "tmps.xml"), "");
}

TEST(ExportSlopePlan, UnwritableFolderIsReported) {
  test::ScratchDir work;
  auto missing = work / "missing";
  try {
    ExportSlopePlan(SlopePlan{}, missing);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "Cannot create file " + (missing / "tmps.xml").string());
  }
}

}  // namespace
}  // namespace velkor
