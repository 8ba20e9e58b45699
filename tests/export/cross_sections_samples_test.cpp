// Cross-section files written independently of this program, and the ones our generator writes,
// go through the step with every station, vertex and connection accounted for.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "base/error.h"
#include "base/line_list.h"
#include "base/text_fields.h"
#include "export/conversion_driver.h"
#include "export/gsi_records.h"
#include "export/saving.h"
#include "export/section_steps.h"
#include "import/route_file.h"
#include "lib/cross_section_samples.h"
#include "lib/route_model.h"
#include "platform/platform.h"
#include "test_support.h"

namespace velkor {
namespace {

using test::ReadBytes;
using test::ScratchDir;
using test::SplitLines;

struct Section {
  std::string sta;
  std::vector<std::string> points;  // the PntList2D numbers
  std::vector<std::string> names;
  std::optional<std::string> interpolate;  // absent when the section has no connections
};

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  if (text.empty()) return parts;
  size_t start = 0;
  while (true) {
    size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

std::string Between(const std::string& line, const std::string& open, const std::string& close) {
  size_t from = line.find(open);
  size_t to = line.rfind(close);
  if (from == std::string::npos || to == std::string::npos) return {};
  return line.substr(from + open.size(), to - from - open.size());
}

// Reads the block back; each CrossSect must be complete and properly nested for this to pass.
std::vector<Section> ReadBlock(const std::string& xml) {
  std::vector<Section> sections;
  auto lines = SplitLines(xml);
  EXPECT_EQ(lines.front(), "\t\t\t<CrossSects>");
  EXPECT_EQ(lines.back(), "\t\t\t</CrossSects>");
  bool inSection = false;
  for (size_t i = 1; i + 1 < lines.size(); ++i) {
    const auto& line = lines[i];
    if (line.starts_with("\t\t\t\t<CrossSect sta=")) {
      EXPECT_FALSE(inSection) << i;
      inSection = true;
      sections.push_back({Between(line, "sta=\"", "\">"), {}, {}, {}});
    } else if (line == "\t\t\t\t</CrossSect>") {
      EXPECT_TRUE(inSection) << i;
      inSection = false;
    } else if (line.starts_with("\t\t\t\t\t\t<PntList2D>")) {
      sections.back().points = Split(Between(line, "<PntList2D>", "</PntList2D>"), ' ');
    } else if (line.starts_with("\t\t\t\t\t\t<Feature code=\"RR Vertex Name\">")) {
      sections.back().names = Split(Between(line, "Name\">", "</Feature>"), ',');
    } else if (line.starts_with("\t\t\t\t\t\t\t<Feature code=\"RR Vertex Interpolate\">")) {
      sections.back().interpolate = Between(line, "Interpolate\">", "</Feature>");
    }
  }
  EXPECT_FALSE(inSection);
  return sections;
}

struct Station {
  std::string text;
  std::vector<std::string> names;  // after the side rewrite, as the step reads them
};

// The stations and vertex names of a cross-section file, read without the step's code.
std::vector<Station> ReadStations(const std::string& bytes) {
  std::vector<Station> stations;
  for (auto line : SplitLines(bytes)) {
    bool minus = line.find('-') != std::string::npos;
    for (char& c : line) {
      if (minus && (c == 'a' || c == 'A')) c = 'O';
      if (!minus && (c == 'o' || c == 'O')) c = 'A';
    }
    std::string kind = NextField(line), second = NextField(line), third = NextField(line), fourth = NextField(line);
    if (kind == "1") stations.push_back({third, {}});
    if (kind == "0") stations.back().names.push_back(fourth);
  }
  return stations;
}

// Every vertex name shared with the section before, paired, in this section's order.
std::string ExpectedPairs(const std::vector<std::string>& names, const std::vector<std::string>& before) {
  std::string pairs;
  for (const auto& name : names) {
    if (std::find(before.begin(), before.end(), name) == before.end()) continue;
    pairs += (pairs.empty() ? "" : ",") + name + "," + name;
  }
  return pairs;
}

void CheckConversion(const std::filesystem::path& file, size_t pointsPerSection) {
  ScratchDir dir;
  ExportCrossSections(file, dir.path());
  auto stations = ReadStations(ReadBytes(file));
  ASSERT_FALSE(stations.empty());
  auto sections = ReadBlock(ReadBytes(dir / "tmp1.xml"));
  ASSERT_EQ(sections.size(), stations.size());
  auto gsi = SplitLines(ReadBytes(dir / "crs.gsi"));
  ASSERT_FALSE(gsi.empty());
  EXPECT_EQ(gsi[0], GsiSectionHeader());
  size_t record = 1;
  for (size_t s = 0; s < sections.size(); ++s) {
    SCOPED_TRACE("section " + std::to_string(s + 1));
    EXPECT_EQ(sections[s].sta, stations[s].text);
    EXPECT_EQ(sections[s].points.size(), 2 * pointsPerSection);
    EXPECT_EQ(sections[s].names, stations[s].names);
    if (s == 0) {
      EXPECT_FALSE(sections[s].interpolate);
    } else {
      EXPECT_EQ(sections[s].interpolate, ExpectedPairs(stations[s].names, stations[s - 1].names));
    }
    for (size_t p = 0; p < pointsPerSection && record < gsi.size(); ++p, ++record) {
      EXPECT_EQ(gsi[record],
                GsiSectionPoint(stations[s].text, sections[s].points[2 * p], sections[s].points[2 * p + 1]));
    }
  }
  EXPECT_EQ(gsi.size(), 1 + sections.size() * pointsPerSection);
}

// The batch converter's and the tests' answer to the file question: a fixed file, nothing else.
class FixedSectionFile : public ConversionQuestions {
 public:
  explicit FixedSectionFile(std::filesystem::path file) : file_(std::move(file)) {}
  std::optional<std::filesystem::path> ChooseCrossSectionFile() override { return file_; }
  const TerrainModel* ReadTerrainModel() override { return nullptr; }
  const SlopePlan* ReadSlopePlan() override { return nullptr; }

 private:
  std::filesystem::path file_;
};

// A straight route from 0 to 950.5 m, as the import leaves it in the work folder.
void WriteStraightRoute(const std::filesystem::path& workDir) {
  LineList route({kHorizontalMarker, "{", test::PointLine("TF", "0+000.000", "500000.000", "4500000.000", "0.000"),
                  test::PointLine("PE", "0+950.500", "500475.250", "4500823.154", "0.000"), "}"});
  route.Save(workDir / "tmp.gec");
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(CrossSectionSamples, SharedSampleIsJoinedAndSavedInPiecesOfAtMost91Records) {
  auto samples = test::SharedSamplesDir();
  if (samples.empty()) GTEST_SKIP() << "no shared samples beside this checkout";
  ScratchDir work, out;
  WriteStraightRoute(work.path());
  FixedSectionFile answers(samples / "ENKESIT.kse");
  ConversionOptions options;
  options.crossSections = true;
  auto result = G2X(work.path(), test::RouteIn(work.path()), options, answers);

  auto stations = ReadStations(ReadBytes(samples / "ENKESIT.kse"));
  size_t begin = result.document.find("\t\t\t<CrossSects>\r\n");
  size_t end = result.document.find("\t\t\t</CrossSects>\r\n\t\t</Alignment>\r\n");
  ASSERT_NE(begin, std::string::npos);
  ASSERT_NE(end, std::string::npos);
  EXPECT_EQ(Count(result.document.substr(begin, end - begin), "<CrossSect sta="), stations.size());
  EXPECT_FALSE(std::filesystem::exists(work / "tmp1.xml"));

  auto written = SaveOutputs(result.document, out / "YOL.xml", work.path(), {});
  size_t records = 0;
  int pieces = 0;
  for (int n = 1; std::filesystem::exists(out / ("crs_" + std::to_string(n) + "YOL.gsi")); ++n, ++pieces) {
    auto lines = SplitLines(ReadBytes(out / ("crs_" + std::to_string(n) + "YOL.gsi")));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], GsiSectionHeader());
    EXPECT_LE(lines.size() - 1, 91u);
    records += lines.size() - 1;
  }
  EXPECT_EQ(records, 7 * stations.size());
  EXPECT_EQ(pieces, static_cast<int>(7 * stations.size() / 91 + 1));
  EXPECT_FALSE(std::filesystem::exists(work / "crs.gsi"));
}

TEST(CrossSectionSamples, BadLineEndsTheConversionWithItsPlace) {
  ScratchDir work;
  WriteStraightRoute(work.path());
  test::WriteBytes(work / "BOZUK.kse", "    1      1  0.000 EKS\r\n    0    -3.500    849.928 KAPLAMA\r\n\r\n");
  FixedSectionFile answers(work / "BOZUK.kse");
  ConversionOptions options;
  options.crossSections = true;
  try {
    G2X(work.path(), test::RouteIn(work.path()), options, answers);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "'' is not a valid integer value");
    EXPECT_EQ(e.where(), PathToUtf8(work / "BOZUK.kse") + ":3");
  }
}

TEST(CrossSectionSamples, SharedSampleGivesOneSectionPerStationWithSevenPoints) {
  auto samples = test::SharedSamplesDir();
  if (samples.empty()) GTEST_SKIP() << "no shared samples beside this checkout";
  CheckConversion(samples / "ENKESIT.kse", 7);
}

TEST(CrossSectionSamples, GeneratedFileSpacesStationsAndConvertsWhole) {
  samples::CrossSectionSampleOptions options;
  options.length = 1000;
  auto stations = samples::SampleStations(options);
  ASSERT_GE(stations.size(), 2u);
  EXPECT_EQ(stations.front(), 0);
  EXPECT_EQ(stations.back(), 1000);
  for (size_t i = 1; i + 1 < stations.size(); ++i) {
    EXPECT_GE(stations[i] - stations[i - 1], 20);
    EXPECT_LE(stations[i] - stations[i - 1], 25);
  }
  EXPECT_GT(stations.back(), stations[stations.size() - 2]);

  auto route = samples::GenerateRoute(3, 0, 7);
  auto along = samples::SampleStations(samples::ForRoute(route, 7));
  EXPECT_EQ(along.front(), route.StartStation());
  EXPECT_EQ(along.back(), route.EndStation());

  std::string bytes = samples::GenerateCrossSectionFile(options);
  EXPECT_EQ(bytes, samples::GenerateCrossSectionFile(options)) << "same seed, same file";
  // Code page 1254 names: the slope vertex is "\xDE" "EV" on both sides.
  EXPECT_NE(bytes.find("\xDE"
                       "EV\r\n"),
            std::string::npos);
  ScratchDir dir;
  test::WriteBytes(dir / "GEN.kse", bytes);
  CheckConversion(dir / "GEN.kse", samples::SampleSectionTemplate().size());
}

}  // namespace
}  // namespace velkor
