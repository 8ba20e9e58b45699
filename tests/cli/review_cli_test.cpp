// What velkor-convert says about a conversion beyond the files: the summary, the warnings with their
// places, --strict, --summary-json and the SVG previews.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "base/number_text.h"
#include "convert_runner.h"
#include "lib/json_lite.h"
#include "platform/platform.h"
#include "test_paths.h"

namespace velkor {
namespace {

namespace fs = std::filesystem;
using test::Quote;

fs::path Example(const std::string& name) { return fs::path(test::kSourceDir) / "examples" / name; }

// The example element table with one cell of one row changed: the row whose point code is `code`,
// its cell `cell` (1 the element name, 4 the easting) passed through `change`. Returns its line.
long DamageRow(const fs::path& from, const fs::path& to, const std::string& code, int cell,
               const std::function<std::string(std::string)>& change) {
  std::vector<std::string> lines = test::SplitLines(test::ReadBytes(from));
  const std::string needle = " " + code + " ";
  long damaged = 0;
  for (std::size_t i = 0; i < lines.size() && damaged == 0; ++i) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (std::size_t bar; (bar = lines[i].find('\xB3', start)) != std::string::npos; start = bar + 1)
      cells.push_back(lines[i].substr(start, bar - start));
    cells.push_back(lines[i].substr(start));
    if (cells.size() <= 4 || cells[2].find(needle) == std::string::npos) continue;
    cells[cell] = change(cells[cell]);
    std::string joined;
    for (std::size_t c = 0; c < cells.size(); ++c) {
      if (c > 0) joined += '\xB3';
      joined += cells[c];
    }
    lines[i] = joined;
    damaged = static_cast<long>(i + 1);
  }
  test::WriteBytes(to, test::CrLf(lines));
  return damaged;
}

TEST(ReviewCli, DecimalCommaInATableCoordinateWarnsAtItsLine) {
  test::ScratchDir scratch;
  const long line = DamageRow(Example("GUZERGAH.cks"), scratch / "BOZUK.cks", "TS", 4, [](std::string cell) {
    cell[cell.find('.')] = ',';
    return cell;
  });
  ASSERT_GT(line, 0);
  const std::string args =
      Quote(scratch / "BOZUK.cks") + " -o " + Quote(scratch / "B.xml") + " --work-dir " + Quote(scratch / "work");
  test::ConvertOutcome o = test::RunConvert(scratch, args);
  EXPECT_EQ(o.code, 0) << o.err;
  EXPECT_NE(o.err.find("BOZUK.cks:" + std::to_string(line) + ": uyarı: "), std::string::npos) << o.err;
  EXPECT_NE(o.out.find(" uyarı."), std::string::npos) << o.out;
  // Strict: the same files, and exit code 3; the pictures of the damaged road are drawn all the same.
  fs::remove(scratch / "B.xml");
  o = test::RunConvert(scratch, args + " --strict --preview " + Quote(scratch / "resim"));
  EXPECT_EQ(o.code, 3) << o.err;
  EXPECT_TRUE(fs::is_regular_file(scratch / "B.xml"));
  EXPECT_TRUE(fs::is_regular_file(scratch / "resim" / "plan.svg"));

  // A letter in the same place is still no number: the conversion stops as before.
  DamageRow(Example("GUZERGAH.cks"), scratch / "HARF.cks", "TS", 4, [](std::string cell) {
    cell[cell.find('0')] = 'O';
    return cell;
  });
  o = test::RunConvert(scratch, Quote(scratch / "HARF.cks") + " -o " + Quote(scratch / "H.xml") + " --work-dir " +
                                    Quote(scratch / "work"));
  EXPECT_EQ(o.code, 1);
  EXPECT_NE(o.err.find("HARF.cks:" + std::to_string(line) + ": '"), std::string::npos) << o.err;
  EXPECT_NE(o.err.find("is not a valid floating point value"), std::string::npos) << o.err;
}

TEST(ReviewCli, WrongDrawingsAsTheModelWarn) {
  const struct {
    const char* model;
    const char* warning;
  } cases[] = {
      {"SEVLI.ncz", "köşe 0"},                       // a slope plan: triangles on no model point
      {"ENKESIT.kse", "Arazi modelinde nokta yok"},  // not a drawing with a model at all
  };
  for (const auto& c : cases) {
    test::ScratchDir scratch;
    test::ConvertOutcome o = test::RunConvert(scratch, Quote(Example("GUZERGAH.cks")) + " --model " +
                                                           Quote(Example(c.model)) + " -o " + Quote(scratch / "M.xml") +
                                                           " --work-dir " + Quote(scratch / "work") + " --strict");
    EXPECT_EQ(o.code, 3) << c.model << "\n" << o.err;
    EXPECT_NE(o.err.find(c.warning), std::string::npos) << c.model << "\n" << o.err;
  }
}

// The polylines of the centreline in plan.svg, back in world coordinates.
std::vector<std::array<double, 2>> CentrelineVertices(const std::string& svg) {
  auto attribute = [&](const std::string& name) {
    std::size_t at = svg.find(name + "=\"") + name.size() + 2;
    return ParseFloat(svg.substr(at, svg.find('"', at) - at));
  };
  const double x0 = attribute("data-origin-x"), y0 = attribute("data-origin-y");
  std::vector<std::array<double, 2>> points;
  for (const std::string& line : test::SplitLines(svg)) {
    if (line.find("<polyline class=\"line\"") != 0 && line.find("<polyline class=\"arc\"") != 0 &&
        line.find("<polyline class=\"spiral\"") != 0)
      continue;
    std::size_t at = line.find("points=\"") + 8;
    std::string list = line.substr(at, line.find('"', at) - at);
    for (std::size_t pos = 0; pos < list.size();) {
      std::size_t comma = list.find(',', pos), blank = list.find(' ', comma);
      if (blank == std::string::npos) blank = list.size();
      points.push_back(
          {x0 + ParseFloat(list.substr(pos, comma - pos)), y0 - ParseFloat(list.substr(comma + 1, blank - comma - 1))});
      pos = blank + 1;
    }
  }
  return points;
}

TEST(ReviewCli, SharedSamplesSummaryAndPreviewsMatchTheTruth) {
  const fs::path samples = test::SharedSamplesDir();
  if (samples.empty()) GTEST_SKIP() << "no ../shared samples beside this checkout";
  test::ScratchDir scratch;
  test::ConvertOutcome o = test::RunConvert(
      scratch, Quote(samples / "ELEMAN.cks") + " " + Quote(samples / "DUSEY.cks") + " --cross-sections " +
                   Quote(samples / "ENKESIT.kse") + " --model " + Quote(samples / "MODEL.ncz") + " --slope-plan " +
                   Quote(samples / "SEVLI.ncz") + " -o " + Quote(scratch / "YOL.xml") + " --work-dir " +
                   Quote(scratch / "work") + " --strict --summary-json " + Quote(scratch / "ozet.json") +
                   " --preview " + Quote(scratch / "onizleme"));
  ASSERT_EQ(o.code, 0) << o.err;  // strict: not one warning
  EXPECT_EQ(o.err, "");

  using samples::JsonValue;
  const JsonValue truth = samples::ParseJson(test::ReadBytes(samples / "truth.json"));
  const JsonValue summary = samples::ParseJson(test::ReadBytes(scratch / "ozet.json"));
  int lines = 0, arcs = 0, spirals = 0;
  for (const JsonValue& element : truth["route"].items) {
    const std::string& kind = element["kind"].text;
    lines += kind == "line";
    arcs += kind == "arc";
    spirals += kind == "spin" || kind == "spout";
  }
  const JsonValue& alignment = summary["alignment"];
  EXPECT_EQ(alignment["lines"].number, lines);
  EXPECT_EQ(alignment["arcs"].number, arcs);
  EXPECT_EQ(alignment["spirals"].number, spirals);
  EXPECT_EQ(summary["profile"]["parabolas"].number, static_cast<double>(truth["curves"].items.size()));
  double smallestK = std::numeric_limits<double>::max();
  for (const JsonValue& curve : truth["curves"].items) smallestK = std::min(smallestK, curve["K"].number);
  EXPECT_NEAR(summary["profile"]["smallestK"].number, smallestK, 1e-3);
  EXPECT_EQ(summary["surface"]["points"].number, truth["terrain"]["points"].number);
  EXPECT_EQ(summary["surface"]["faces"].number, truth["terrain"]["triangles"].number);
  EXPECT_EQ(summary["surface"]["facesWithUnmatchedCorner"].number, 0);
  EXPECT_EQ(summary["warnings"].items.size(), 0u);

  // The plan's centreline passes through every true route point.
  const std::vector<std::array<double, 2>> drawn = CentrelineVertices(test::ReadBytes(scratch / "onizleme/plan.svg"));
  ASSERT_FALSE(drawn.empty());
  for (const JsonValue& point : truth["route"].items) {
    double nearest = std::numeric_limits<double>::max();
    for (const auto& p : drawn)
      nearest = std::min(nearest, std::hypot(p[0] - point["e"].number, p[1] - point["n"].number));
    EXPECT_LT(nearest, 0.01) << "route point at " << point["sta"].number;
  }
  // Both pictures are well-formed XML.
  if (std::system("command -v xmllint >/dev/null 2>&1") == 0) {
    for (const char* picture : {"plan.svg", "profile.svg"}) {
      EXPECT_EQ(std::system(("xmllint --noout " + Quote(scratch / "onizleme" / picture)).c_str()), 0) << picture;
    }
  }
}

}  // namespace
}  // namespace velkor

#endif
