// Vertical reports through the whole path (report -> route file -> Profile and prf.gsi), checked
// against the exact profile they were printed from.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "base/line_list.h"
#include "base/number_text.h"
#include "export/gsi_records.h"
#include "export/section_steps.h"
#include "import/route_file.h"
#include "import/route_import.h"
#include "lib/exact_profile.h"
#include "lib/json_lite.h"
#include "lib/vertical_report_writer.h"
#include "platform/platform.h"
#include "test_paths.h"
#include "test_support.h"

namespace velkor {
namespace {

using samples::ExactCurve;
using samples::ExactProfile;
using test::ReadBytes;
using test::ScratchDir;
using test::SplitLines;
using test::WriteBytes;

// Printed with three decimals: a text is within half a unit of the last digit of the exact value.
constexpr double kPrinted = 0.0005 + 1e-9;

struct Station {
  double chainage, elevation;
};
struct Parabola {
  double chainage, elevation, length, figure;
};
struct GsiRecord {
  std::string type;  // word 71 data
  double chainage, elevation, parameter;
};

struct Converted {
  std::vector<Station> pvis;
  std::vector<Parabola> curves;
  std::vector<GsiRecord> records;  // after the header
};

double Millimetres(const std::string& word) { return ParseFloat(word) / 1000; }

// Report -> ConvertVertical (after a horizontal section) -> WriteVerticalProfile, read back.
Converted Convert(const std::filesystem::path& report, const ScratchDir& work) {
  Route route = ParseRouteFile(
      LineList(std::vector<std::string>{"// Horizontal  //", "{",
                                        "  TF      0+000.000        100.000        200.000          0.000", "}"}),
      "tmp.gec");
  ConvertVertical(report, work.path(), route);
  std::ostringstream document, profileGsi;
  WriteVerticalProfile(route.profile, document, profileGsi);

  Converted out;
  static const std::regex pvi("\t\t\t\t\t<PVI>(\\S+) (\\S+)</PVI>");
  static const std::regex para("\t\t\t\t\t<ParaCurve length=\"(\\S+)\" desc=\"(\\S+)\">(\\S+) (\\S+)</ParaCurve>");
  for (const std::string& line : SplitLines(document.str())) {
    std::smatch m;
    if (std::regex_match(line, m, pvi)) {
      out.pvis.push_back({ParseFloat(m[1].str()), ParseFloat(m[2].str())});
    } else if (std::regex_match(line, m, para)) {
      out.curves.push_back(
          {ParseFloat(m[3].str()), ParseFloat(m[4].str()), ParseFloat(m[1].str()), ParseFloat(m[2].str())});
    } else {
      EXPECT_TRUE(line == "\t\t\t<Profile name=\"1\">" || line == "\t\t\t\t<ProfAlign name=\"1\">" ||
                  line == "\t\t\t\t</ProfAlign>" || line == "\t\t\t</Profile>")
          << "unexpected document line " << line;
    }
  }
  std::vector<std::string> gsi = SplitLines(profileGsi.str());
  EXPECT_EQ(gsi.at(0), GsiProfileHeader());
  static const std::regex record(
      "\\*11\\.\\.\\.\\.([-+]\\d{16}) 71\\.\\.\\.\\.\\+(\\w{16}) 72\\.\\.\\.\\.([-+]\\w{16}) 83\\.\\.10([-+]\\d{16}) ");
  for (size_t i = 1; i < gsi.size(); ++i) {
    std::smatch m;
    EXPECT_TRUE(std::regex_match(gsi[i], m, record)) << gsi[i];
    if (m.empty()) continue;
    std::string parameter = m[3].str();
    out.records.push_back({m[2].str(), Millimetres(m[1].str()), Millimetres(m[4].str()),
                           parameter == "+0000000000000NON" ? NAN : Millimetres(parameter)});
  }
  return out;
}

// The figure is 100 * K with K printed to three decimals; crests carry it negative.
void ExpectFigure(double figure, const ExactCurve& c) {
  EXPECT_NEAR(std::fabs(figure), 100 * c.k, 100 * kPrinted);
  EXPECT_EQ(figure < 0, c.crest()) << "figure " << figure << " grades " << c.entryGrade << " -> " << c.exitGrade;
}

// Everything the converted profile must agree on with the exact one it was printed from.
void ExpectMatches(const Converted& out, const ExactProfile& profile) {
  std::vector<ExactCurve> curves = samples::Curves(profile);
  ASSERT_EQ(out.pvis.size(), 2u);
  EXPECT_NEAR(out.pvis[0].chainage, profile.startChainage, kPrinted);
  EXPECT_NEAR(out.pvis[0].elevation, profile.startElevation, kPrinted);
  EXPECT_NEAR(out.pvis[1].chainage, profile.endChainage, kPrinted);
  EXPECT_NEAR(out.pvis[1].elevation, profile.endElevation, kPrinted);
  ASSERT_EQ(out.curves.size(), curves.size());
  for (size_t i = 0; i < curves.size(); ++i) {
    SCOPED_TRACE("curve " + std::to_string(i + 1));
    EXPECT_NEAR(out.curves[i].chainage, curves[i].vertexChainage, kPrinted);
    EXPECT_NEAR(out.curves[i].elevation, curves[i].vertexElevation, kPrinted);
    EXPECT_NEAR(out.curves[i].length, curves[i].length, kPrinted);
    ExpectFigure(out.curves[i].figure, curves[i]);
  }

  // One record per grade start (the start and every curve exit), per parabola, and the end of path.
  ASSERT_EQ(out.records.size(), 2 * curves.size() + 2);
  auto expectRecord = [](const GsiRecord& r, const std::string& type, double chainage, double elevation) {
    EXPECT_EQ(r.type, type);
    EXPECT_NEAR(r.chainage, chainage, kPrinted + 0.0005);
    EXPECT_NEAR(r.elevation, elevation, kPrinted + 0.0005);
  };
  expectRecord(out.records.front(), "00000000STRAIGHT", profile.startChainage, profile.startElevation);
  EXPECT_TRUE(std::isnan(out.records.front().parameter));
  for (size_t i = 0; i < curves.size(); ++i) {
    SCOPED_TRACE("curve " + std::to_string(i + 1));
    const GsiRecord& parabola = out.records[1 + 2 * i];
    expectRecord(parabola, "00000000PARABOLA", curves[i].entryChainage, curves[i].entryElevation);
    EXPECT_DOUBLE_EQ(parabola.parameter, out.curves[i].figure);
    expectRecord(out.records[2 + 2 * i], "00000000STRAIGHT", curves[i].exitChainage, curves[i].exitElevation);
  }
  expectRecord(out.records.back(), "0000000000000EOP", profile.endChainage, profile.endElevation);
}

struct GeneratedCase {
  std::uint32_t seed;
  double length;
  int curves;
  bool withRadius;
};

class GeneratedReport : public ::testing::TestWithParam<GeneratedCase> {};

TEST_P(GeneratedReport, ConvertsToTheExactProfile) {
  const GeneratedCase& c = GetParam();
  ExactProfile profile = samples::MakeProfile(c.seed, c.length, c.curves);
  samples::VerticalReportOptions options;
  options.withRadius = c.withRadius;
  ScratchDir work;
  WriteBytes(work / "DUSEY.cks", samples::WriteVerticalReport(profile, options));
  // The import dialog admits it by its third line.
  EXPECT_NE(SplitLines(ReadBytes(work / "DUSEY.cks")).at(2).find("\xB3  E\xF0im (%)  \xB3"), std::string::npos);
  ExpectMatches(Convert(work / "DUSEY.cks", work), profile);
}

INSTANTIATE_TEST_SUITE_P(Cases, GeneratedReport,
                         ::testing::Values(GeneratedCase{1, 1200, 3, false}, GeneratedCase{2, 1200, 3, true},
                                           GeneratedCase{3, 2000, 6, false}, GeneratedCase{4, 300, 1, true},
                                           GeneratedCase{5, 15000, 40, false}, GeneratedCase{6, 800, 0, false}),
                         [](const auto& info) {
                           const GeneratedCase& c = info.param;
                           return "Seed" + std::to_string(c.seed) + "Curves" + std::to_string(c.curves) +
                                  (c.withRadius ? "WithRadius" : "");
                         });

// The example report is the generator's output for these arguments, so `make demo` and the
// generator never drift apart.
TEST(ExampleReport, IsTheGeneratedProfileAndConvertsToIt) {
  const std::filesystem::path example = std::filesystem::path(test::kSourceDir) / "examples" / "DUSEY.cks";
  ExactProfile profile = samples::MakeProfile(1, 2288, 4);
  EXPECT_EQ(ReadBytes(example), samples::WriteVerticalReport(profile));
  ScratchDir work;
  ExpectMatches(Convert(example, work), profile);
}

// The independently written report against its truth file: vertices, lengths and K of the curves,
// and the start and end of the profile on the route's own start and end chainages.
TEST(SharedSample, VerticalReportMatchesItsTruth) {
  const std::filesystem::path dir = test::SharedSamplesDir();
  if (dir.empty()) GTEST_SKIP() << "no ../shared/samples beside this checkout";
  samples::JsonValue truth = samples::ParseJson(ReadBytes(dir / "truth.json"));
  const samples::JsonValue& route = truth["route"];
  const samples::JsonValue& curves = truth["curves"];
  ASSERT_FALSE(curves.items.empty());

  // The exact profile: the curves' vertices, the grades carried out to the route's ends.
  ExactProfile profile;
  profile.startChainage = route.items.front()["sta"].number;
  profile.endChainage = route.items.back()["sta"].number;
  const samples::JsonValue& first = curves.items.front();
  const samples::JsonValue& last = curves.items.back();
  profile.startElevation =
      first["entry"][1].number - first["g1"].number * (first["entry"][0].number - profile.startChainage) / 100;
  profile.endElevation =
      last["exit"][1].number + last["g2"].number * (profile.endChainage - last["exit"][0].number) / 100;
  for (const samples::JsonValue& c : curves.items) {
    profile.vertices.push_back({c["vertex"][0].number, c["vertex"][1].number, c["L"].number});
  }
  std::vector<ExactCurve> exact = samples::Curves(profile);
  ASSERT_EQ(exact.size(), curves.items.size());
  for (size_t i = 0; i < exact.size(); ++i) {
    const samples::JsonValue& c = curves[i];
    EXPECT_NEAR(exact[i].entryChainage, c["entry"][0].number, 1e-6);
    EXPECT_NEAR(exact[i].entryElevation, c["entry"][1].number, 1e-6);
    EXPECT_NEAR(exact[i].exitChainage, c["exit"][0].number, 1e-6);
    EXPECT_NEAR(exact[i].exitElevation, c["exit"][1].number, 1e-6);
    EXPECT_NEAR(exact[i].k, c["K"].number, 1e-6);
  }

  ScratchDir work;
  ExpectMatches(Convert(dir / "DUSEY.cks", work), profile);
}

}  // namespace
}  // namespace velkor
