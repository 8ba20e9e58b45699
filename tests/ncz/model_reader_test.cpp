// The terrain model out of a drawing: vertex texts, the face list and its numbering rules.
#include "ncz/model_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iterator>
#include <map>
#include <random>
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

TEST(ModelReader, MatchingPercentRoundsHalvesToEven) {
  struct Case {
    std::size_t i, n;
    int percent;
  };
  const Case cases[] = {{0, 1, 0},  {0, 7, 0},       {1, 200, 0}, {3, 200, 2}, {5, 200, 2}, {1, 3, 33},
                        {2, 3, 67}, {199, 200, 100}, {1, 8, 12},  {3, 8, 38},  {5, 0, 0},   {999999, 2000000, 50}};
  for (const Case& c : cases) EXPECT_EQ(MatchingPercent(c.i, c.n), c.percent) << c.i << "/" << c.n;
}

using Points = std::vector<TGeometryPoint>;
using Faces = std::vector<Face>;

Faces Matched(Points points, Points corners) {
  TerrainModel model{std::move(points), std::move(corners), {{7, 7, 7}}};
  MatchTriangles(model);
  return model.faces;
}

// The rule itself, on the texts: each corner numbered by the first point whose vertex text equals its own.
Faces MatchedOnTexts(const Points& points, const Points& corners) {
  std::map<std::string, std::uint32_t> first;
  for (std::size_t p = 0; p < points.size(); ++p) first.try_emplace(VertexText(points[p]), p + 1);
  Faces faces;
  for (std::size_t c = 0; c + 3 <= corners.size(); c += 3) {
    Face face{};
    for (std::size_t k = 0; k < 3; ++k) {
      auto found = first.find(VertexText(corners[c + k]));
      face[k] = found == first.end() ? 0 : found->second;
    }
    faces.push_back(face);
  }
  return faces;
}

TEST(ModelReader, MatchingNumbersCornersByTheirFirstPoint) {
  const TGeometryPoint a{1, 1, 1}, b{2, 2, 2}, c{3, 3, 3}, far{9, 9, 9};
  // Equal texts: the lowest position wins.
  EXPECT_EQ(Matched({a, b, a, c, b}, {a, b, c}), (Faces{{1, 2, 4}}));
  // A corner on no point gives 0.
  EXPECT_EQ(Matched({a, b, c}, {far, b, c, a, far, far}), (Faces{{0, 2, 3}, {1, 0, 0}}));
  // Triangles without points.
  EXPECT_EQ(Matched({}, {a, b, c, c, b, a}), (Faces{{0, 0, 0}, {0, 0, 0}}));
  // No triangles: no faces (and the stale ones are gone).
  EXPECT_EQ(Matched({a}, {}), Faces{});
}

// Corners match points exactly when their vertex texts are equal, whatever the numbers behind them.
TEST(ModelReader, MatchingOnNumbersGivesTheFacesOfMatchingOnTexts) {
  const double nan = std::nan("");
  struct Case {
    const char* name;
    Points points;
    Points corners;
  };
  const Case cases[] = {
      {"rounding to equal texts",
       {{1000.0004, 2000.0001, 99.9996}, {1000.0004, 2000.0001, 99.9996}},
       {{999.9996, 1999.9999, 100.0004}, {1000.0001, 2000, 100}, {1000.0006, 2000, 100}}},
      {"halves and the numbers beside them",
       {{0.0005, 2.0625, 0.0015}, {0.0004999, 2.0624999, 0.0014999}},
       {{0.001, 2.063, 0.002}, {0, 2.062, 0.001}, {0.0005, 2.0625, 0.0015}}},
      {"negative coordinates",
       {{-12.5, -4412065.907, -850.25}, {12.5, 4412065.907, 850.25}},
       {{12.5, 4412065.907, 850.25}, {-12.5, -4412065.907, -850.25}, {-12.5004, -4412065.9074, -850.2496}}},
      {"minus zero beside zero",
       {{0, 0, 0}, {-0.0004, 0, 0}, {0, -0.0, 0}, {0, 0, -0.0001}},
       {{-0.0, 0, 0}, {0.0004, -0.0004, 0}, {0, 0, 0.0004}, {0, 0, -0.0}, {0, 0, 0}, {-0.0004, 0, 0}}},
      {"values too wide for their fields",
       // Numbers of thousandths beyond 64 bits must not come round to small ones such as 0.
       {{12345678901.25, 0, 0}, {1e15, 2e17, 1}, {-1e300, 5, 5}, {123456789012345.678, 1, 1}, {0, 0, 0}},
       {{0x1p63, 0, 0},
        {0x1p64, 0, 0},
        {-0x1p63, 0, 0},
        {1e15, 2e17, 1},
        {12345678901.25, 0, 0},
        {-1e300, 5, 5},
        {123456789012345.678, 1, 1},
        {1e15 + 0.125, 2e17, 1},
        {12345678901.2504, 0, 0}}},
      {"fields running together",
       // "-4412065.907-12345678.901": two wide fields side by side never stand for other numbers.
       {{-4412065.907, -12345678.901, 850.5}, {-44120.65, 907, 850.5}},
       {{-44120.65, 907, 850.5}, {-4412065.907, -12345678.901, 850.5}, {-4412065.907, -1234567.8901, 850.5}}},
      {"no numbers", {{nan, 1, 1}, {HUGE_VAL, 1, 1}, {1, 1, 1}}, {{nan, 1, 1}, {-HUGE_VAL, 1, 1}, {HUGE_VAL, 1, 1}}},
  };
  for (const Case& c : cases) EXPECT_EQ(Matched(c.points, c.corners), MatchedOnTexts(c.points, c.corners)) << c.name;

  // Many points drawn from a small pool of numbers that round to the same texts or just miss them.
  std::mt19937 random(21);
  const double bases[] = {0, 1, -1, 1000, -2500.5, 4500000.125, 12345678901.25, 1e15};
  const double nudges[] = {0, 0.0004, -0.0004, 0.0005, -0.0005, 0.0006, 1e-9, -1e-9, 0.001};
  auto pick = [&] {
    const double value = bases[random() % std::size(bases)] + nudges[random() % std::size(nudges)];
    return random() % 7 == 0 ? -value : value;
  };
  Points points, corners;
  for (int p = 0; p < 400; ++p) points.push_back({pick(), pick(), pick()});
  for (int c = 0; c < 3000; ++c) {
    corners.push_back(random() % 2 ? points[random() % points.size()] : TGeometryPoint{pick(), pick(), pick()});
  }
  const Faces faces = Matched(points, corners);
  EXPECT_EQ(faces, MatchedOnTexts(points, corners));
  // The pool is small enough that corners off the points' own numbers still find points.
  std::size_t matched = 0;
  for (const Face& face : faces) matched += (face[0] != 0) + (face[1] != 0) + (face[2] != 0);
  EXPECT_GT(matched, corners.size() / 2);
}

TEST(ModelReader, ProgressReportsEachNewPercentageAndNothingWithoutTriangles) {
  const TGeometryPoint a{1, 1, 1};
  TerrainModel model{{a}, {a, a, a, a, a, a, a, a, a}, {}};
  std::vector<int> seen;
  MatchTriangles(model, [&](int percent) { seen.push_back(percent); });
  EXPECT_EQ(seen, (std::vector<int>{0, 33, 67}));
  seen.clear();
  TerrainModel empty{{a}, {}, {}};
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
  EXPECT_EQ(model.coordinates, (Points{{10, 20, 30}, {11, 21, 31}, {10, 20, 30}}));
  EXPECT_EQ(model.corners, (Points{{10, 20, 30}, {11, 21, 31}, {50, 50, 50}}));
  EXPECT_EQ(model.faces, (Faces{{1, 2, 0}}));
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
  EXPECT_EQ(VertexText(model.coordinates[0]), "-4412065.907-12345678.901   850.500,");
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
  const TGeometryPoint a{1, 1, 1};
  for (const char* name : {"", "yok.ncz"}) {
    test::ScratchDir dir;
    TerrainModel model{{a}, {a, a, a}, {{1, 1, 1}}};
    ReadModel(*name ? dir / name : std::filesystem::path(), model);
    EXPECT_TRUE(model.coordinates.empty()) << name;
    EXPECT_TRUE(model.corners.empty()) << name;
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
  EXPECT_TRUE(model.coordinates.empty());
}

TEST(ModelReader, CancelledChoiceKeepsTheListsOfTheLastReading) {
  NczWriter w;
  w.AddPoint({1, 2, 3});
  w.AddTriangle({1, 2, 3}, {1, 2, 3}, {4, 5, 6});
  test::ScratchDir dir;
  w.Save(dir / "m.ncz");
  TerrainModel model;
  ReadModelCommand(std::nullopt, model);
  EXPECT_TRUE(model.coordinates.empty());
  ReadModelCommand(dir / "m.ncz", model);
  const TerrainModel first = model;
  int calls = 0;
  ReadModelCommand(std::nullopt, model, [&](int) { ++calls; });
  EXPECT_EQ(model.coordinates, first.coordinates);
  EXPECT_EQ(model.corners, first.corners);
  EXPECT_EQ(model.faces, (Faces{{1, 1, 0}}));
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
  ASSERT_EQ(static_cast<long>(model.coordinates.size()), counts.points);
  ASSERT_EQ(static_cast<long>(model.faces.size()), counts.triangles);
  // The first cell's two triangles: (0,0) (1,0) (1,1) and (0,0) (1,1) (0,1).
  EXPECT_EQ(model.faces[0], (Face{1, 2, 32}));
  EXPECT_EQ(model.faces[1], (Face{1, 32, 31}));
  EXPECT_EQ(model.faces.back(), (Face{719, 750, 749}));
}

// Checks a model against the drawing's own geometry: every face's corners are its triangle's vertices.
void ExpectFacesOnTheirTriangles(const TerrainModel& model) {
  ASSERT_EQ(model.faces.size() * 3, model.corners.size());
  for (std::size_t t = 0; t < model.faces.size(); ++t) {
    for (int corner = 0; corner < 3; ++corner) {
      const std::uint32_t id = model.faces[t][corner];
      ASSERT_GT(id, 0u) << "triangle " << t + 1 << " corner " << corner + 1;
      ASSERT_EQ(VertexText(model.coordinates[id - 1]), VertexText(model.corners[3 * t + corner]))
          << "triangle " << t + 1;
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
  EXPECT_EQ(model.coordinates.size(), 900u);
  EXPECT_EQ(model.faces.size(), 1682u);
  ExpectFacesOnTheirTriangles(model);
}

TEST(ModelReader, ExampleModelIsTheGeneratorsDefaultDrawing) {
  std::ostringstream out;
  samples::WriteTerrain(out, samples::TerrainGrid{});
  std::filesystem::path example = std::filesystem::path(test::kSourceDir) / "examples" / "MODEL.ncz";
  EXPECT_TRUE(test::ReadBytes(example) == out.str()) << "regenerate with velkor-gen-terrain examples/MODEL.ncz";
  TerrainModel model;
  ReadModel(example, model);
  EXPECT_EQ(model.coordinates.size(), 400u);
  EXPECT_EQ(model.faces.size(), 722u);
  ExpectFacesOnTheirTriangles(model);
}

}  // namespace
}  // namespace velkor
