// The record walk over .ncz drawings: layout, skipping, the kinds each reader decodes, and files
// that end early or lie about their lengths.
#include "ncz/ncz_reader.h"

#include <gtest/gtest.h>

#include <sstream>

#include "base/error.h"
#include "base/number_text.h"
#include "lib/ncz_writer.h"
#include "test_support.h"

namespace velkor {
namespace {

using samples::NczVertex;
using samples::NczWriter;

struct Seen {
  int kind;
  int layer;
  std::string layerName;
  TGeometry geometry;
  std::string label;
  int flags;
};

std::vector<Seen> Walk(std::string_view bytes, ncz::KindSet kinds = ncz::kModelKinds) {
  std::vector<Seen> seen;
  NczReader reader;
  reader.OpenBytes(bytes);
  if (reader.Size() > 0) {
    reader.ReadFileHeader();
    reader.WalkEntities(kinds, [&](const ncz::Entity& e) {
      seen.push_back({e.kind, e.layer, std::string(e.layerName), *e.geometry, std::string(e.label), e.flags});
    });
  }
  return seen;
}

std::string Xs(const std::vector<Seen>& seen) {
  std::string out;
  for (const Seen& s : seen) {
    for (const TGeometryPoint& p : s.geometry) out += FormatGeneral(p.x) + " ";
    out += "|";
  }
  return out;
}

TEST(NczReader, EmptyFileYieldsNothing) {
  test::ScratchDir dir;
  test::WriteBytes(dir / "empty.ncz", "");
  int calls = 0;
  ReadDrawing(dir / "empty.ncz", ncz::kModelKinds, [&](const ncz::Entity&) { ++calls; });
  EXPECT_EQ(calls, 0);
  EXPECT_TRUE(Walk("").empty());
}

TEST(NczReader, MissingFileIsReportedWithItsName) {
  test::ScratchDir dir;
  std::filesystem::path missing = dir / "yok.ncz";
  try {
    ReadDrawing(missing, ncz::kModelKinds, [](const ncz::Entity&) {});
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "Cannot open file " + missing.string());
  }
}

TEST(NczReader, PointsAndTrianglesWithTheirLayers) {
  NczWriter w;
  w.SetLayerName(3, "ARAZI");
  w.AddPoint({1000, 2000, 100}, 3);
  w.AddTriangle({1, 2, 3}, {4, 5, 6}, {7, 8, 100.1}, 255);
  std::vector<Seen> seen = Walk(w.Bytes());
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].kind, 1);
  EXPECT_EQ(seen[0].layer, 3);
  EXPECT_EQ(seen[0].layerName, "ARAZI");
  ASSERT_EQ(seen[0].geometry.size(), 1u);
  EXPECT_EQ(seen[0].geometry[0].x, 1000);
  EXPECT_EQ(seen[0].geometry[0].y, 2000);
  EXPECT_EQ(seen[0].geometry[0].z, 100);
  EXPECT_EQ(seen[1].kind, 12);
  EXPECT_EQ(seen[1].layer, 255);
  EXPECT_EQ(seen[1].layerName, "");
  ASSERT_EQ(seen[1].geometry.size(), 3u);
  EXPECT_EQ(Xs(seen), "1000 |1 4 7 |");
  EXPECT_EQ(seen[1].geometry[1].y, 5);
  EXPECT_EQ(seen[1].geometry[2].y, 8);
  // Single-precision elevations are widened without change of value.
  EXPECT_EQ(seen[1].geometry[2].z, 100.09999847412109);
  EXPECT_EQ(seen[1].geometry[2].z, static_cast<double>(100.1f));
}

TEST(NczReader, LongFormPointTakesItsPositionFromTheCommonPart) {
  NczWriter w;
  w.AddPoint({10.25, 20.5, 30.75}, 0, true);
  w.AddPoint({11, 21, 31}, 0, false);
  std::string bytes = w.Bytes();
  // The code 22 body is 109 + 23 bytes; its position still sits at body offsets 3, 11 and 19.
  std::size_t at = static_cast<std::size_t>(w.EntityPosition());
  EXPECT_EQ(bytes[at], '\x16');
  EXPECT_EQ(bytes[at + 1], '\x84');
  std::vector<Seen> seen = Walk(bytes);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].geometry[0].x, 10.25);
  EXPECT_EQ(seen[0].geometry[0].y, 20.5);
  EXPECT_EQ(seen[0].geometry[0].z, 30.75);
  EXPECT_EQ(seen[1].geometry[0].x, 11);
}

TEST(NczReader, PolylineVerticesAreStoredSecondCoordinateFirst) {
  NczWriter w;
  w.SetLayerName(1, "K_1");
  w.AddPolyline({{1000, 2000, 100}, {1010, 2000, 101}, {1020, 2005.5, 102.25}}, "A12", 0x03, 1);
  std::vector<Seen> seen = Walk(w.Bytes(), ncz::kSlopePlanKinds);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].kind, 7);
  EXPECT_EQ(seen[0].layerName, "K_1");
  EXPECT_EQ(seen[0].label, "A12");
  EXPECT_EQ(seen[0].flags, 3);
  ASSERT_EQ(seen[0].geometry.size(), 3u);
  EXPECT_EQ(seen[0].geometry[2].x, 1020);
  EXPECT_EQ(seen[0].geometry[2].y, 2005.5);
  EXPECT_EQ(seen[0].geometry[2].z, 102.25);
  EXPECT_EQ(Xs(seen), "1000 1010 1020 |");
}

TEST(NczReader, EachReaderSkipsTheKindsItDoesNotDecode) {
  NczWriter w;
  w.AddPoint({1, 0, 0});
  w.AddTriangle({2, 0, 0}, {3, 0, 0}, {4, 0, 0});
  w.AddPolyline({{5, 0, 0}, {6, 0, 0}}, "P");
  w.AddEntity(3, {7, 0, 0}, 40);
  w.AddEntity(200, {8, 0, 0}, 0, 0, true);
  w.AddRecord(40, "abc");
  w.AddPoint({9, 0, 0});
  EXPECT_EQ(Xs(Walk(w.Bytes(), ncz::kModelKinds)), "1 |2 3 4 |9 |");
  EXPECT_EQ(Xs(Walk(w.Bytes(), ncz::kSlopePlanKinds)), "1 |5 6 |9 |");
  // Asking for a kind without a decoding hands nothing on either.
  EXPECT_EQ(Xs(Walk(w.Bytes(), ncz::KindSet{3, 200})), "");
}

TEST(NczReader, SkipBlockHidesEntitiesUpToTheNextCode16) {
  NczWriter w;
  w.AddPoint({1, 0, 0});
  w.BeginSkip("\x01\x02\x03\x04");
  w.AddPoint({2, 0, 0});
  w.BeginSkip();  // a second start changes nothing
  w.AddTriangle({3, 0, 0}, {3, 0, 0}, {3, 0, 0}, 0, true);
  w.AddRecord(40, "xyz");
  // The code 16 record has no body: a non-zero length field must not move the walk.
  w.EndSkip(99);
  w.AddPoint({4, 0, 0});
  w.EndSkip(-7);
  w.AddPoint({5, 0, 0}, 0, true);
  EXPECT_EQ(Xs(Walk(w.Bytes())), "1 |4 |5 |");
}

TEST(NczReader, DrawingWithoutLayerTableHasEmptyLayerNames) {
  NczWriter w;
  w.SetLayerTable(false);
  w.SetLayerName(0, "IGNORED");
  w.AddPoint({1, 2, 3});
  std::string bytes = w.Bytes();
  NczReader reader;
  reader.OpenBytes(bytes);
  reader.ReadFileHeader();
  EXPECT_EQ(reader.LayerTablePosition(), -1);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(reader.LayerName(i), "") << i;
  std::vector<Seen> seen = Walk(bytes);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].layerName, "");
}

TEST(NczReader, NothingCarriesOverFromTheDrawingReadBefore) {
  NczWriter named;
  named.SetLayerName(0, "K_EKS");
  named.AddPoint({1, 2, 3});
  NczWriter bare;
  bare.SetLayerTable(false);
  bare.AddPoint({1, 2, 3});
  std::string first = named.Bytes(), second = bare.Bytes();
  NczReader reader;
  reader.OpenBytes(first);
  reader.ReadFileHeader();
  EXPECT_EQ(reader.LayerName(0), "K_EKS");
  reader.OpenBytes(second);
  reader.ReadFileHeader();
  EXPECT_EQ(reader.LayerName(0), "");
}

TEST(NczReader, LowLevelReadsStopAtTheEnd) {
  std::string bytes = std::string("\x15\x02\x00\x00\x00", 5) + "ab" + "xyz";
  NczReader reader;
  reader.OpenBytes(bytes);
  ncz::RecordHeader h;
  ASSERT_TRUE(reader.ReadRecordHeader(h));
  EXPECT_EQ(h.code, 21);
  EXPECT_EQ(h.length, 2);
  char dest[8] = "-------";
  EXPECT_FALSE(reader.ReadBlock(6, dest));
  EXPECT_STREQ(dest, "-------");
  EXPECT_EQ(reader.Position(), 5);
  EXPECT_TRUE(reader.ReadBlock(5, dest));
  EXPECT_EQ(std::string(dest, 5), "abxyz");
  EXPECT_FALSE(reader.ReadRecordHeader(h));
  EXPECT_FALSE(reader.ReadBlock(1, dest));
  EXPECT_TRUE(reader.ReadBlock(0, dest));
  reader.Seek(-3);
  EXPECT_FALSE(reader.ReadBlock(1, dest));
}

// Drawings that end early or carry lengths that cannot be right: the walk keeps what it decoded
// before the damage and stops there.
struct DamagedCase {
  const char* name;
  void (*damage)(std::string& bytes, std::size_t lastRecord);
  const char* expected;
};

class NczDamaged : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(NczDamaged, WalkKeepsWhatCameBefore) {
  NczWriter w;
  w.AddPoint({1, 0, 0});
  w.AddPoint({2, 0, 0});
  std::size_t last = w.Bytes().size();
  w.AddTriangle({3, 0, 0}, {4, 0, 0}, {5, 0, 0});
  std::string bytes = w.Bytes();
  GetParam().damage(bytes, last);
  EXPECT_EQ(Xs(Walk(bytes)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NczDamaged,
    ::testing::Values(
        DamagedCase{"EndsAfterLastRecord", [](std::string&, std::size_t) {}, "1 |2 |3 4 5 |"},
        DamagedCase{"EndsInsideRecordHeader", [](std::string& b, std::size_t) { b += "\x15\x00\x00"; },
                    "1 |2 |3 4 5 |"},
        DamagedCase{"CutOffEntityIsNotHandedOn", [](std::string& b, std::size_t) { b.resize(b.size() - 1); }, "1 |2 |"},
        DamagedCase{"NegativeLengthEndsTheWalk",
                    [](std::string& b, std::size_t at) { samples::PutInt32(b, at + 1, -5); }, "1 |2 |"},
        DamagedCase{"NegativeLengthOfOtherRecordEndsTheWalk",
                    [](std::string& b, std::size_t at) {
                      b[at] = 40;
                      samples::PutInt32(b, at + 1, -5);
                    },
                    "1 |2 |"},
        DamagedCase{"LengthPastTheEndEndsTheWalk",
                    [](std::string& b, std::size_t at) { samples::PutInt32(b, at + 1, 0x7FFFFFFF); }, "1 |2 |"},
        DamagedCase{"EntityPositionPastTheEnd", [](std::string& b, std::size_t) { samples::PutInt32(b, 45, 1 << 30); },
                    ""},
        DamagedCase{"EntityPositionNegative", [](std::string& b, std::size_t) { samples::PutInt32(b, 45, -125); }, ""},
        DamagedCase{"EntityPositionZero", [](std::string& b, std::size_t) { samples::PutInt32(b, 45, 0); }, ""},
        DamagedCase{"NoHeaderRecord", [](std::string& b, std::size_t) { b[0] = 2; }, ""},
        DamagedCase{"HeaderBodyTooShortForTheEntityPosition",
                    [](std::string& b, std::size_t) { samples::PutInt32(b, 1, 40); }, ""},
        DamagedCase{"LayerTablePositionPastTheEnd",
                    [](std::string& b, std::size_t) { samples::PutInt32(b, 13, 0x7FFFFFF0); }, "1 |2 |3 4 5 |"},
        DamagedCase{"LayerTableOfWrongCode", [](std::string& b, std::size_t) { b[125] = 7; }, "1 |2 |3 4 5 |"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NczReader, ShortBodyGoesOnAfterTheBytesRead) {
  // A point record claiming 10 body bytes is still read whole (104 bytes); the walk goes on after
  // them, not back to where the claimed body ended.
  NczWriter w;
  w.AddPoint({1, 0, 0});
  std::size_t at = w.Bytes().size();
  w.AddPoint({2, 0, 0});
  w.AddPoint({3, 0, 0});
  std::string bytes = w.Bytes();
  samples::PutInt32(bytes, at + 1, 10);
  EXPECT_EQ(Xs(Walk(bytes)), "1 |2 |3 |");
}

TEST(NczReader, OverlongHeaderAndLayerBodiesAreClipped) {
  NczWriter w;
  w.SetLayerName(255, "SON");
  w.AddPoint({1, 0, 0});
  std::string bytes = w.Bytes();
  // Claim 200 header bytes and 9000 layer bytes: the blocks take 120 and 7437, the positions stand.
  samples::PutInt32(bytes, 1, 200);
  samples::PutInt32(bytes, 126, 9000);
  NczReader reader;
  reader.OpenBytes(bytes);
  reader.ReadFileHeader();
  EXPECT_EQ(reader.LayerTablePosition(), 125);
  EXPECT_EQ(reader.EntityPosition(), 7567);
  EXPECT_EQ(reader.LayerName(255), "SON");
  EXPECT_EQ(Xs(Walk(bytes)), "1 |");
}

TEST(NczReader, OverlongNameAndLabelLengthsAreClipped) {
  NczWriter w;
  w.SetLayerName(7, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", 250);
  w.SetLayerName(255, "K_SON_KATMAN_ADI_UZUN_OLAN", 255);
  w.AddPolyline({{1, 2, 3}, {4, 5, 6}}, "0123456789ABCDEF", 0, 7, false, 200);
  std::vector<Seen> seen = Walk(w.Bytes(), ncz::kSlopePlanKinds);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].layerName, "ABCDEFGHIJKLMNOPQRSTUVWX");
  EXPECT_EQ(seen[0].label, "0123456789ABCD");
  NczReader reader;
  std::string bytes = w.Bytes();
  reader.OpenBytes(bytes);
  reader.ReadFileHeader();
  EXPECT_EQ(reader.LayerName(255), "K_SON_KATMAN_ADI_UZUN_OL");
}

TEST(NczReader, PolylineVertexCountFollowsTheBodyLength) {
  NczWriter w;
  w.AddPolyline({{1, 0, 0}, {2, 0, 0}, {3, 0, 0}}, "A");
  std::size_t at = w.Bytes().size();
  w.AddPolyline({{4, 0, 0}, {5, 0, 0}, {6, 0, 0}}, "B");
  w.AddPoint({7, 0, 0});
  std::string bytes = w.Bytes();
  // One byte more than two vertices: a third vertex is read from the bytes after the body... which
  // here is the whole third vertex, so the walk lines up again with the point after it.
  samples::PutInt32(bytes, at + 1, 81 + 27 + 2 * 24 + 1);
  EXPECT_EQ(Xs(Walk(bytes, ncz::kSlopePlanKinds)), "1 2 3 |4 5 6 |7 |");
  // A polyline part with no room for vertices gives an empty geometry.
  NczWriter empty;
  empty.AddPolyline({}, "E");
  std::vector<Seen> seen = Walk(empty.Bytes(), ncz::kSlopePlanKinds);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_TRUE(seen[0].geometry.empty());
}

TEST(NczReader, LargeDrawingThroughTheFileMatchesTheGrid) {
  // Several megabytes, so records straddle the reader's buffer boundaries.
  samples::TerrainGrid grid;
  grid.cols = 120;
  grid.rows = 100;
  std::ostringstream out;
  samples::TerrainCounts counts = samples::WriteTerrain(out, grid);
  test::ScratchDir dir;
  test::WriteBytes(dir / "big.ncz", out.str());
  ASSERT_GT(counts.bytes, 3 << 20);
  long points = 0, triangles = 0;
  bool allOnGrid = true;
  ReadDrawing(dir / "big.ncz", ncz::kModelKinds, [&](const ncz::Entity& e) {
    if (e.kind == ncz::kPointKind) {
      samples::NczVertex expected =
          samples::TerrainPoint(grid, static_cast<int>(points % grid.cols), static_cast<int>(points / grid.cols));
      const TGeometryPoint& p = (*e.geometry)[0];
      allOnGrid = allOnGrid && p.x == expected.x && p.y == expected.y && p.z == expected.z;
      EXPECT_EQ(e.layerName, "ARAZI");
      ++points;
    } else {
      ++triangles;
    }
  });
  EXPECT_TRUE(allOnGrid);
  EXPECT_EQ(points, counts.points);
  EXPECT_EQ(triangles, counts.triangles);
  EXPECT_EQ(points, 12000);
  EXPECT_EQ(triangles, 2 * 119 * 99);
}

}  // namespace
}  // namespace velkor
