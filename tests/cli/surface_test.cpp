// The terrain surface of the shared samples as a LandXML reader sees it: every point northing first,
// the digits of the drawing's vertex texts, and the road lying on the surface.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "base/number_text.h"
#include "base/text_fields.h"
#include "convert_runner.h"
#include "ncz/model_reader.h"

namespace velkor {
namespace {

namespace fs = std::filesystem;
using test::Quote;

// The texts between <tag ...> and </tag> of every line holding them, in document order.
std::vector<std::string> Contents(const std::string& xml, const std::string& tag) {
  std::vector<std::string> found;
  const std::string open = "<" + tag, close = "</" + tag + ">";
  for (const std::string& line : test::SplitLines(xml)) {
    std::size_t at = line.find(open);
    if (at == std::string::npos || (line[at + open.size()] != '>' && line[at + open.size()] != ' ')) continue;
    std::size_t start = line.find('>', at) + 1, end = line.find(close, start);
    if (end != std::string::npos) found.push_back(line.substr(start, end - start));
  }
  return found;
}

std::vector<double> Numbers(std::string text) {
  std::vector<double> values;
  for (std::string field = NextField(text); !field.empty(); field = NextField(text))
    values.push_back(ParseFloat(field));
  return values;
}

// Is (n, e) inside or on the triangle of the three (northing, easting) corners?
bool Inside(double n, double e, const std::array<std::array<double, 2>, 3>& t) {
  auto side = [&](int a, int b) { return (t[b][0] - t[a][0]) * (e - t[a][1]) - (t[b][1] - t[a][1]) * (n - t[a][0]); };
  double s0 = side(0, 1), s1 = side(1, 2), s2 = side(2, 0);
  const double eps = 1e-6;
  return (s0 >= -eps && s1 >= -eps && s2 >= -eps) || (s0 <= eps && s1 <= eps && s2 <= eps);
}

TEST(Surface, SharedModelLiesUnderItsRoadNorthingFirst) {
  const fs::path samples = test::SharedSamplesDir();
  if (samples.empty()) GTEST_SKIP() << "no ../shared samples beside this checkout";
  test::ScratchDir scratch;
  const fs::path document = scratch / "S.xml";
  test::ConvertOutcome o =
      test::RunConvert(scratch, Quote(samples / "ELEMAN.cks") + " --model " + Quote(samples / "MODEL.ncz") + " -o " +
                                    Quote(document) + " --work-dir " + Quote(scratch / "work"));
  ASSERT_EQ(o.code, 0) << o.err;
  const std::string xml = test::ReadBytes(document);

  // The drawing's points, read on their own: each P holds the vertex text's second, first and third field.
  TerrainModel model;
  ReadModel(samples / "MODEL.ncz", model);
  const std::vector<std::string> points = Contents(xml, "P");
  ASSERT_EQ(points.size(), 900u);
  ASSERT_EQ(model.coordinates.size(), 900u);
  std::vector<std::array<double, 2>> ne;
  for (std::size_t p = 0; p < points.size(); ++p) {
    std::string vertex = ReplaceAll(VertexText(model.coordinates[p]), ",", "");
    const std::string e = NextField(vertex), n = NextField(vertex), z = NextField(vertex);
    ASSERT_EQ(points[p], n + " " + e + " " + z) << "point " << p + 1;
    std::vector<double> v = Numbers(points[p]);
    ne.push_back({v[0], v[1]});
  }

  std::vector<std::array<std::array<double, 2>, 3>> faces;
  for (const std::string& face : Contents(xml, "F")) {
    std::vector<double> ids = Numbers(face);
    ASSERT_EQ(ids.size(), 3u) << face;
    std::array<std::array<double, 2>, 3> corners{};
    for (int c = 0; c < 3; ++c) {
      ASSERT_GE(ids[c], 1) << face;
      corners[c] = ne[static_cast<std::size_t>(ids[c]) - 1];
    }
    faces.push_back(corners);
  }
  ASSERT_EQ(faces.size(), 1682u);

  // The road's first straight, sampled every metre: where it crosses the surface's extent, every sample
  // lies on a face (the drawing covers the first hundred metres or so of the road).
  double minN = ne[0][0], maxN = minN, minE = ne[0][1], maxE = minE;
  for (const auto& p : ne) {
    minN = std::min(minN, p[0]), maxN = std::max(maxN, p[0]);
    minE = std::min(minE, p[1]), maxE = std::max(maxE, p[1]);
  }
  const std::vector<double> start = Numbers(Contents(xml, "Start").at(0)), end = Numbers(Contents(xml, "End").at(0));
  const double length = std::hypot(end[0] - start[0], end[1] - start[1]);
  int inside = 0;
  for (double s = 0; s <= length; s += 1) {
    const double n = start[0] + (end[0] - start[0]) * s / length, e = start[1] + (end[1] - start[1]) * s / length;
    if (n < minN || n > maxN || e < minE || e > maxE) continue;
    ++inside;
    bool onSurface = false;
    for (const auto& face : faces) onSurface = onSurface || Inside(n, e, face);
    EXPECT_TRUE(onSurface) << "road point " << n << " " << e << " lies on no face";
  }
  EXPECT_GT(inside, 50);
}

}  // namespace
}  // namespace velkor

#endif
