// The slope-plan reader: which points and polylines are taken by layer name, label and flags, the
// entry lines they become, and how the lists behave around a file choice.
#include "ncz/slope_plan_reader.h"

#include <gtest/gtest.h>

#include <sstream>

#include "base/error.h"
#include "export/slope_plan_alignments.h"
#include "lib/ncz_writer.h"
#include "lib/slope_drawing.h"
#include "test_support.h"

namespace velkor {
namespace {

using samples::NczVertex;
using samples::NczWriter;
using Lines = std::vector<std::string>;

SlopePlan Read(const NczWriter& writer) {
  test::ScratchDir dir;
  writer.Save(dir / "plan.ncz");
  SlopePlan plan;
  ReadSlopePlan(dir / "plan.ncz", plan);
  return plan;
}

const NczVertex kA{1000, 2000, 100};
const NczVertex kB{1010, 2000, 101};
const NczVertex kC{1010, 2010, 102};

TEST(CoordinateText, ThreeDecimalsWithoutBlanks) {
  struct Case {
    TGeometryPoint point;
    const char* text;
  } cases[] = {
      {{1000, 2000, 100}, "1000.000 2000.000 100.000,"},
      {{0, 0, 0}, "0.000 0.000 0.000,"},
      {{-12.3456, 0.0625, -0.0625}, "-12.346 0.063 -0.063,"},  // halves away from zero
      {{500000.0004, 4500216.506350946, 850.25}, "500000.000 4500216.506 850.250,"},
      {{123456789012.5, -98765432109.25, 12345678.125}, "123456789012.500 -98765432109.250 12345678.125,"},
  };
  for (const auto& c : cases) EXPECT_EQ(CoordinateText(c.point), c.text);
}

TEST(TrimLabel, DropsBlanksAndControlCharactersAtBothEnds) {
  struct Case {
    std::string label;
    const char* trimmed;
  } cases[] = {
      {"A12", "A12"},
      {" S1\t", "S1"},
      {"\r\n\x01 NOKTA \x1F", "NOKTA"},
      {"A B", "A B"},
      {"   ", ""},
      {"", ""},
      {std::string("\0X\0", 3), "X"},
      {"\xDE"
       "EV ",
       "\xDE"
       "EV"},
  };
  for (const auto& c : cases) EXPECT_EQ(TrimLabel(c.label), c.trimmed) << c.label;
}

TEST(SlopePlanReader, AxisPointsOnlyFromLayersStartingWithTheAxisPrefix) {
  struct Case {
    const char* layer;
    bool taken;
  } cases[] = {
      {"K_EKS", true},  {"K_EKS_2", true}, {"K_EKSEN", true}, {"AKS_K_EKS", false}, {"k_eks", false},
      {"K_Eks", false}, {"K_EK", false},   {"K_1", false},    {"K_", false},        {"", false},
  };
  for (const auto& c : cases) {
    NczWriter writer;
    writer.SetLayerName(3, c.layer);
    writer.AddPoint(kA, 3);
    SlopePlan plan = Read(writer);
    Lines expected;
    if (c.taken) expected.push_back(std::string(c.layer) + ",NOKTA,1000.000 2000.000 100.000,");
    EXPECT_EQ(plan.axisPoints, expected) << c.layer;
    EXPECT_EQ(plan.polylines, Lines{}) << c.layer;
  }
}

TEST(SlopePlanReader, PolylinesByLayerLabelFlagsAndVertices) {
  struct Case {
    const char* scenario;
    const char* layer;
    std::string label;
    std::uint8_t flags;
    std::vector<NczVertex> vertices;
    Lines axis;
    Lines polylines;
  } cases[] = {
      {"slope layer", "K_1", "A12", 0, {kA, kB}, {}, {"K_1,A12,1000.000 2000.000 100.000,1010.000 2000.000 101.000,"}},
      {"bare prefix", "K_", "P", 0, {kA, kB}, {}, {"K_,P,1000.000 2000.000 100.000,1010.000 2000.000 101.000,"}},
      {"axis layer", "K_EKS", "A12", 0, {kA, kB}, {}, {}},
      {"axis prefix further in", "K_AKS_K_EKS", "A12", 0, {kA, kB}, {}, {}},
      {"axis prefix at the end", "K_1K_EKS", "A12", 0, {kA, kB}, {}, {}},
      {"slope prefix further in", "XK_1", "A12", 0, {kA, kB}, {}, {}},
      {"lower case", "k_1", "A12", 0, {kA, kB}, {}, {}},
      {"lower-case axis prefix is no axis",
       "K_k_eks",
       "A",
       0,
       {kA, kB},
       {},
       {"K_k_eks,A,1000.000 2000.000 100.000,1010.000 2000.000 101.000,"}},
      {"one vertex", "K_1", "A12", 0, {kA}, {}, {}},
      {"no vertex", "K_1", "A12", 0, {}, {}, {}},
      {"flags bit 0", "K_1", "A12", 1, {kA, kB}, {}, {}},
      {"flags all set", "K_1", "A12", 0xFF, {kA, kB}, {}, {}},
      {"flags without bit 0",
       "K_1",
       "A12",
       0xFE,
       {kA, kB},
       {},
       {"K_1,A12,1000.000 2000.000 100.000,1010.000 2000.000 101.000,"}},
      {"empty label", "K_1", "", 0, {kA, kB}, {}, {"K_1,,1000.000 2000.000 100.000,1010.000 2000.000 101.000,"}},
      {"padded label",
       "K_1",
       "\t S1 \r",
       0,
       {kA, kB},
       {},
       {"K_1,S1,1000.000 2000.000 100.000,1010.000 2000.000 101.000,"}},
      {"labelled NOKTA", "K_SEV", "NOKTA", 0, {kB, kA, kC}, {"K_SEV,NOKTA,1010.000 2000.000 101.000,"}, {}},
      {"padded NOKTA", "K_1", " NOKTA\t", 0, {kC, kA}, {"K_1,NOKTA,1010.000 2010.000 102.000,"}, {}},
      {"lower-case nokta",
       "K_1",
       "nokta",
       0,
       {kA, kB},
       {},
       {"K_1,nokta,1000.000 2000.000 100.000,1010.000 2000.000 101.000,"}},
      {"NOKTA on the axis layer", "K_EKS", "NOKTA", 0, {kA, kB}, {}, {}},
      {"three vertices",
       "K_1",
       "T",
       0,
       {kA, kB, kC},
       {},
       {"K_1,T,1000.000 2000.000 100.000,1010.000 2000.000 101.000,1010.000 2010.000 102.000,"}},
  };
  for (const auto& c : cases) {
    NczWriter writer;
    writer.SetLayerName(200, c.layer);
    writer.AddPolyline(c.vertices, c.label, c.flags, 200);
    SlopePlan plan = Read(writer);
    EXPECT_EQ(plan.axisPoints, c.axis) << c.scenario;
    EXPECT_EQ(plan.polylines, c.polylines) << c.scenario;
  }
}

TEST(SlopePlanReader, PolylineVertexStoredSecondCoordinateFirst) {
  // Assembled by hand so that the stored order does not depend on the fixture writer.
  std::string body(81, '\0');
  body[1] = 7;  // polyline
  body[2] = 1;  // layer
  std::string label =
      "\x03"
      "A12";
  label.resize(15, '\0');
  body += label;
  body += std::string(12, '\0');  // flags and the rest of the polyline part
  for (double v : {2000.0, 1000.0, 100.0, 2010.0, 1000.0, 101.0}) samples::AppendFloat64(body, v);
  NczWriter writer;
  writer.SetLayerName(1, "K_1");
  writer.AddRecord(21, body);
  SlopePlan plan = Read(writer);
  EXPECT_EQ(plan.polylines, Lines{"K_1,A12,1000.000 2000.000 100.000,1000.000 2010.000 101.000,"});
}

TEST(SlopePlanReader, CommasInNamesDoNotShiftTheAlignments) {
  NczWriter writer;
  writer.SetLayerName(1, "K_EKS,SA\xD0");
  writer.SetLayerName(2, "K_SEV,1");
  writer.AddPoint(kA, 1);
  writer.AddPoint(kB, 1);
  writer.AddPolyline({kA, kB, kC},
                     "\xDE"
                     "EV 1,5",
                     0, 2);
  SlopePlan plan = Read(writer);
  ASSERT_EQ(plan.polylineFields.size(), 1u);
  EXPECT_EQ(plan.polylineFields[0].layerEnd, 7u);
  EXPECT_EQ(plan.polylineFields[0].tagEnd, 15u);
  EXPECT_EQ(plan.axisPointFields.size(), 2u);

  std::ostringstream out;
  WriteSlopePlanAlignments(plan, out);
  Lines names;
  for (const auto& line : test::SplitLines(out.str())) {
    if (line.find("<Alignment ") != std::string::npos) names.push_back(line);
  }
  EXPECT_EQ(names, (Lines{"\t\t<Alignment name=\"Ax\" length=\"10.000000\" staStart=\"0.000000\">",
                          "\t\t<Alignment name=\"\xDE"
                          "EV 1,5\" length=\"20.000000\" staStart=\"0.000000\">"}));
}

TEST(SlopePlanReader, TrianglesAndOtherKindsYieldNothing) {
  NczWriter writer;
  writer.SetLayerName(1, "K_EKS");
  writer.SetLayerName(2, "K_1");
  writer.AddTriangle(kA, kB, kC, 1);
  writer.AddTriangle(kA, kB, kC, 2);
  writer.AddEntity(2, kA, 40, 1);
  writer.AddEntity(9, kA, 0, 2);
  writer.AddPoint(kC, 1, true);
  SlopePlan plan = Read(writer);
  EXPECT_EQ(plan.axisPoints, Lines{"K_EKS,NOKTA,1010.000 2010.000 102.000,"});
  EXPECT_EQ(plan.polylines, Lines{});
}

TEST(SlopePlanReader, EntriesKeepFileOrderAcrossLayers) {
  NczWriter writer;
  writer.SetLayerName(1, "K_EKS");
  writer.SetLayerName(2, "K_EKS_2");
  writer.SetLayerName(3, "K_SEV");
  writer.AddPoint(kA, 2);
  writer.AddPolyline({kB, kA}, "P2", 0, 3);
  writer.AddPolyline({kC, kA}, "NOKTA", 0, 3);
  writer.AddPoint(kB, 1);
  writer.AddPolyline({kA, kB}, "P1", 0, 3);
  SlopePlan plan = Read(writer);
  EXPECT_EQ(plan.axisPoints,
            (Lines{"K_EKS_2,NOKTA,1000.000 2000.000 100.000,", "K_SEV,NOKTA,1010.000 2010.000 102.000,",
                   "K_EKS,NOKTA,1010.000 2000.000 101.000,"}));
  EXPECT_EQ(plan.polylines, (Lines{"K_SEV,P2,1010.000 2000.000 101.000,1000.000 2000.000 100.000,",
                                   "K_SEV,P1,1000.000 2000.000 100.000,1010.000 2000.000 101.000,"}));
}

TEST(SlopePlanReader, DrawingWithoutLayerTableGivesNothing) {
  NczWriter writer;
  writer.SetLayerTable(false);
  writer.AddPoint(kA, 1);
  writer.AddPolyline({kA, kB}, "A12", 0, 1);
  SlopePlan plan = Read(writer);
  EXPECT_EQ(plan.axisPoints, Lines{});
  EXPECT_EQ(plan.polylines, Lines{});
}

SlopePlan Filled() {
  SlopePlan plan;
  plan.axisPoints = {"K_EKS,NOKTA,1.000 2.000 3.000,"};
  plan.polylines = {"K_1,OLD,1.000 2.000 3.000,4.000 5.000 6.000,"};
  return plan;
}

TEST(SlopePlanReader, FileChoiceAndListLifetime) {
  test::ScratchDir dir;
  test::WriteBytes(dir / "empty.ncz", "");
  NczWriter writer;
  writer.SetLayerName(1, "K_EKS");
  writer.AddPoint(kA, 1);
  writer.Save(dir / "plan.ncz");

  SlopePlan plan = Filled();
  ReadSlopePlanChoice(std::nullopt, plan);  // cancelled: the lists stay
  EXPECT_EQ(plan.axisPoints, Filled().axisPoints);
  EXPECT_EQ(plan.polylines, Filled().polylines);

  const std::filesystem::path emptied[] = {dir / "missing.ncz", std::filesystem::path(), dir / "empty.ncz"};
  for (const auto& file : emptied) {
    plan = Filled();
    ReadSlopePlanChoice(file, plan);
    EXPECT_EQ(plan.axisPoints, Lines{}) << file;
    EXPECT_EQ(plan.polylines, Lines{}) << file;
  }

  plan = Filled();
  ReadSlopePlanChoice(dir / "plan.ncz", plan);
  EXPECT_EQ(plan.axisPoints, Lines{"K_EKS,NOKTA,1000.000 2000.000 100.000,"});
  EXPECT_EQ(plan.polylines, Lines{});
}

TEST(SlopePlanReader, UnopenableFileIsReportedWithListsEmptied) {
  test::ScratchDir dir;
  std::filesystem::create_directory(dir / "folder.ncz");
  SlopePlan plan = Filled();
  try {
    ReadSlopePlan(dir / "folder.ncz", plan);
    // A folder that opens like an empty file is harmless too, as long as nothing is read.
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "Cannot open file " + (dir / "folder.ncz").string());
  }
  EXPECT_EQ(plan.axisPoints, Lines{});
  EXPECT_EQ(plan.polylines, Lines{});
}

TEST(SlopePlanReader, GeneratedDrawingGivesExactlyItsSlopePlan) {
  for (bool extras : {false, true}) {
    samples::SlopeLayout layout;
    layout.extras = extras;
    NczWriter writer;
    samples::SlopeContent content = samples::BuildSlopeDrawing(writer, layout);
    SlopePlan plan = Read(writer);

    ASSERT_EQ(plan.axisPoints.size(), content.axis.size());
    for (size_t i = 0; i < content.axis.size(); ++i) {
      const auto& p = content.axis[i];
      EXPECT_EQ(plan.axisPoints[i].substr(plan.axisPoints[i].find(",NOKTA,") + 7), CoordinateText({p.x, p.y, p.z}))
          << i;
    }
    ASSERT_EQ(plan.polylines.size(), content.polylines.size());
    for (size_t i = 0; i < content.polylines.size(); ++i) {
      std::string expected = "," + content.polylines[i].label + ",";
      for (const auto& v : content.polylines[i].vertices) expected += CoordinateText({v.x, v.y, v.z});
      const std::string& line = plan.polylines[i];
      EXPECT_EQ(line.substr(line.find(',')), expected) << i;
    }
    for (const auto& label : content.refused) {
      for (const auto& line : plan.polylines) EXPECT_EQ(line.find("," + label + ","), std::string::npos) << label;
    }
    EXPECT_EQ(content.refused.empty(), !extras);
  }
}

}  // namespace
}  // namespace velkor
