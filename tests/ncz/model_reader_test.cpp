// The terrain model out of a drawing: vertex texts, the face list and its numbering rules.
#include "ncz/model_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "base/error.h"
#include "base/number_text.h"
#include "lib/ncz_writer.h"
#include "test_paths.h"
#include "test_support.h"

namespace velkor {
namespace {

using samples::NczVertex;
using samples::NczWriter;

TEST(ModelReader, VertexTextHasFixedWidths) {
  struct Case {
    TGeometryPoint p;
    const char* text;
  };
  const Case cases[] = {
      {{1000, 2000, 100}, "   1000.000    2000.000   100.000,"},
      {{-12.5, 0, -0.0004}, "    -12.500       0.000    -0.000,"},
      {{0.0625, -2.5625, 123456.0625}, "      0.063      -2.563123456.063,"},
      {{500123.4564999, 4500321.0655001, 850.1}, " 500123.456 4500321.066   850.100,"},
      {{12345678901.25, 0, 0}, "12345678901.250       0.000     0.000,"},
  };
  for (const Case& c : cases) EXPECT_EQ(VertexText(c.p), c.text);
}

TEST(ModelReader, NextCommaFieldCutsFieldsOff) {
  struct Case {
    const char* text;
    const char* field;
    const char* rest;
  };
  const Case cases[] = {
      {"a,b,", "a", "b,"}, {",a,b", "a", "b"}, {"abc", "BOS", "abc"}, {",abc", "BOS", "abc"},
      {"a,,", "a", ","},   {",", "BOS", ""},   {"", "BOS", ""},       {",,x", "", "x"},
  };
  for (const Case& c : cases) {
    std::string_view rest = c.text;
    EXPECT_EQ(NextCommaField(rest), c.field) << c.text;
    EXPECT_EQ(rest, c.rest) << c.text;
  }
}

TEST(ModelReader, MatchingPercentRoundsHalvesToEven) {
  struct Case {
    std::size_t i, n;
    int percent;
  };
  const Case cases[] = {{0, 1, 0},  {0, 7, 0},       {1, 200, 0}, {3, 200, 2}, {5, 200, 2}, {1, 3, 33},
                        {2, 3, 67}, {199, 200, 100}, {1, 8, 12},  {3, 8, 38},  {5, 0, 0},   {999999, 2000000, 50}};
  for (const Case& c : cases) EXPECT_EQ(MatchingPercent(c.i, c.n), c.percent) << c.i << "/" << c.n;
}

std::vector<std::string> Faces(std::vector<std::string> points, std::vector<std::string> triangles) {
  TerrainModel model{std::move(points), std::move(triangles), {"stale"}, {}};
  MatchTriangles(model);
  return model.faces;
}

TEST(ModelReader, MatchingNumbersCornersByTheirFirstPoint) {
  const std::string a = VertexText({1, 1, 1}), b = VertexText({2, 2, 2}), c = VertexText({3, 3, 3});
  const std::string far = VertexText({9, 9, 9});
  using Lines = std::vector<std::string>;
  // Equal texts: the lowest position wins.
  EXPECT_EQ(Faces({a, b, a, c, b}, {a + b + c}), Lines{"1 2 4"});
  // A corner on no point gives 0.
  EXPECT_EQ(Faces({a, b, c}, {far + b + c, a + far + far}), (Lines{"0 2 3", "1 0 0"}));
  // Triangles without points.
  EXPECT_EQ(Faces({}, {a + b + c, c + b + a}), (Lines{"0 0 0", "0 0 0"}));
  // No triangles: no faces (and the stale ones are gone).
  EXPECT_EQ(Faces({a}, {}), Lines{});
  // A line with fewer than three fields looks up "BOS," for the missing ones, as the dialog always did.
  EXPECT_EQ(Faces({"BOS,", a}, {a}), Lines{"2 1 1"});
}

TEST(ModelReader, CoordinatesRoundingToTheSameTextMatch) {
  TerrainModel model;
  model.points = {VertexText({1000.0004, 2000.0001, 99.9996}), VertexText({1000.0004, 2000.0001, 99.9996})};
  model.triangles = {VertexText({999.9996, 1999.9999, 100.0004}) + VertexText({1000.0001, 2000, 100}) +
                     VertexText({1000.0006, 2000, 100})};
  MatchTriangles(model);
  EXPECT_EQ(model.faces, std::vector<std::string>{"1 1 0"});
}

TEST(ModelReader, ProgressReportsEachNewPercentageAndNothingWithoutTriangles) {
  const std::string a = VertexText({1, 1, 1});
  TerrainModel model{{a}, {a + a + a, a + a + a, a + a + a}, {}, {}};
  std::vector<int> seen;
  MatchTriangles(model, [&](int percent) { seen.push_back(percent); });
  EXPECT_EQ(seen, (std::vector<int>{0, 33, 67}));
  seen.clear();
  TerrainModel empty{{a}, {}, {}, {}};
  MatchTriangles(empty, [&](int percent) { seen.push_back(percent); });
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(std::string(kMatchingCaption) + "0", "E\xC5\x9Fle\xC5\x9Ftiriliyor %0");
}

TEST(ModelReader, ReadsPointsAndTrianglesOfEveryLayerInFileOrder) {
  NczWriter w;
  w.SetLayerName(1, "ARAZI");
  // A triangle before the points it stands on, and one corner on no point.
  w.AddTriangle({10, 20, 30}, {11, 21, 31}, {50, 50, 50}, 2);
  w.AddPoint({10, 20, 30}, 1);
  w.AddPolyline({{10, 20, 30}, {11, 21, 31}}, "SINIR");
  w.AddPoint({11, 21, 31}, 7, true);
  w.AddPoint({10, 20, 30}, 0);
  test::ScratchDir dir;
  w.Save(dir / "m.ncz");
  TerrainModel model;
  ReadModel(dir / "m.ncz", model);
  EXPECT_EQ(model.points,
            (std::vector<std::string>{VertexText({10, 20, 30}), VertexText({11, 21, 31}), VertexText({10, 20, 30})}));
  ASSERT_EQ(model.triangles.size(), 1u);
  EXPECT_EQ(model.triangles[0], VertexText({10, 20, 30}) + VertexText({11, 21, 31}) + VertexText({50, 50, 50}));
  EXPECT_EQ(model.faces, std::vector<std::string>{"1 2 0"});
}

TEST(ModelReader, PointsKeepTheirNumbersBesideTheirTexts) {
  // Coordinates too wide for their fields run together in the vertex text, never in the numbers.
  NczWriter w;
  w.AddPoint({-4412065.907, -12345678.901, 850.5}, 0);
  w.AddPoint({1, 2, 3}, 0);
  test::ScratchDir dir;
  w.Save(dir / "m.ncz");
  TerrainModel model;
  ReadModel(dir / "m.ncz", model);
  ASSERT_EQ(model.coordinates.size(), 2u);
  EXPECT_EQ(model.points[0], "-4412065.907-12345678.901   850.500,");
  EXPECT_EQ(model.coordinates[0].x, -4412065.907);
  EXPECT_EQ(model.coordinates[0].y, -12345678.901);
  EXPECT_EQ(model.coordinates[1].z, 3);

  // A point that is no number stops the reading, naming the drawing.
  for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
    NczWriter broken;
    broken.AddPoint({1, 2, 3}, 0);
    broken.AddPoint({1, bad, 3}, 0);
    broken.Save(dir / "bad.ncz");
    try {
      ReadModel(dir / "bad.ncz", model);
      ADD_FAILURE() << "no error for " << bad;
    } catch (const Error& e) {
      EXPECT_EQ(e.message(), "'" + FormatFixed(bad, 3) + "' is not a valid floating point value");
      EXPECT_EQ(e.where(), "bad.ncz");
    }
  }
}

TEST(ModelReader, MissingOrUnnamedFileEmptiesTheLists) {
  const std::string a = VertexText({1, 1, 1});
  for (const char* name : {"", "yok.ncz"}) {
    test::ScratchDir dir;
    TerrainModel model{{a}, {a + a + a}, {"1 1 1"}, {}};
    ReadModel(*name ? dir / name : std::filesystem::path(), model);
    EXPECT_TRUE(model.points.empty()) << name;
    EXPECT_TRUE(model.triangles.empty()) << name;
    EXPECT_TRUE(model.faces.empty()) << name;
  }
}

TEST(ModelReader, UnreadableFileIsReportedWithItsName) {
  test::ScratchDir dir;
  // A folder exists but cannot be read as a drawing.
  std::filesystem::create_directory(dir / "klasor.ncz");
  TerrainModel model;
  try {
    ReadModel(dir / "klasor.ncz", model);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "Cannot open file " + (dir / "klasor.ncz").string());
  }
  EXPECT_TRUE(model.points.empty());
}

TEST(ModelReader, CancelledChoiceKeepsTheListsOfTheLastReading) {
  NczWriter w;
  w.AddPoint({1, 2, 3});
  w.AddTriangle({1, 2, 3}, {1, 2, 3}, {4, 5, 6});
  test::ScratchDir dir;
  w.Save(dir / "m.ncz");
  TerrainModel model;
  ReadModelCommand(std::nullopt, model);
  EXPECT_TRUE(model.points.empty());
  ReadModelCommand(dir / "m.ncz", model);
  const TerrainModel first = model;
  int calls = 0;
  ReadModelCommand(std::nullopt, model, [&](int) { ++calls; });
  EXPECT_EQ(model.points, first.points);
  EXPECT_EQ(model.triangles, first.triangles);
  EXPECT_EQ(model.faces, (std::vector<std::string>{"1 1 0"}));
  EXPECT_EQ(calls, 0);
}

TEST(ModelReader, GeneratedTerrainMatchesEveryCorner) {
  samples::TerrainGrid grid;
  grid.cols = 30;
  grid.rows = 25;
  test::ScratchDir dir;
  std::ostringstream out;
  samples::TerrainCounts counts = samples::WriteTerrain(out, grid);
  test::WriteBytes(dir / "t.ncz", out.str());
  TerrainModel model;
  ReadModel(dir / "t.ncz", model);
  ASSERT_EQ(static_cast<long>(model.points.size()), counts.points);
  ASSERT_EQ(static_cast<long>(model.faces.size()), counts.triangles);
  // The first cell's two triangles: (0,0) (1,0) (1,1) and (0,0) (1,1) (0,1).
  EXPECT_EQ(model.faces[0], "1 2 32");
  EXPECT_EQ(model.faces[1], "1 32 31");
  EXPECT_EQ(model.faces.back(), "719 750 749");
}

// Checks a model against the drawing's own geometry: every face's corners are its triangle's vertices.
void ExpectFacesOnTheirTriangles(const TerrainModel& model) {
  ASSERT_EQ(model.faces.size(), model.triangles.size());
  for (std::size_t t = 0; t < model.faces.size(); ++t) {
    std::string_view face = model.faces[t];
    std::string_view line = model.triangles[t];
    for (int corner = 0; corner < 3; ++corner) {
      std::size_t space = face.find(' ');
      int id = std::stoi(std::string(face.substr(0, space)));
      face = space == std::string_view::npos ? std::string_view() : face.substr(space + 1);
      std::string vertex(NextCommaField(line));
      ASSERT_GT(id, 0) << "triangle " << t + 1 << " corner " << corner + 1;
      ASSERT_EQ(model.points[id - 1], vertex + ",") << "triangle " << t + 1;
    }
  }
}

TEST(ModelReader, SharedSampleModel) {
  std::filesystem::path shared = test::SharedSamplesDir();
  if (shared.empty()) GTEST_SKIP() << "no shared samples beside this checkout";
  TerrainModel model;
  ReadModel(shared / "MODEL.ncz", model);
  // truth.json: "terrain": {"points": 900, "triangles": 1682}
  std::string truth = test::ReadBytes(shared / "truth.json");
  EXPECT_NE(truth.find("\"points\": 900"), std::string::npos);
  EXPECT_NE(truth.find("\"triangles\": 1682"), std::string::npos);
  EXPECT_EQ(model.points.size(), 900u);
  EXPECT_EQ(model.triangles.size(), 1682u);
  ExpectFacesOnTheirTriangles(model);
}

TEST(ModelReader, ExampleModelIsTheGeneratorsDefaultDrawing) {
  std::ostringstream out;
  samples::WriteTerrain(out, samples::TerrainGrid{});
  std::filesystem::path example = std::filesystem::path(test::kSourceDir) / "examples" / "MODEL.ncz";
  EXPECT_TRUE(test::ReadBytes(example) == out.str()) << "regenerate with velkor-gen-terrain examples/MODEL.ncz";
  TerrainModel model;
  ReadModel(example, model);
  EXPECT_EQ(model.points.size(), 400u);
  EXPECT_EQ(model.triangles.size(), 722u);
  ExpectFacesOnTheirTriangles(model);
}

}  // namespace
}  // namespace velkor
