// Accepting the import dialog: the route records, the route file written from them, and the suggested
// output name handed to the conversion.
#include "import/report_import.h"

#include <gtest/gtest.h>

#include <sstream>

#include "base/line_list.h"
#include "import/route_file.h"
#include "lib/element_table.h"
#include "lib/exact_profile.h"
#include "lib/route_model.h"
#include "lib/vertical_report_writer.h"
#include "platform/platform.h"
#include "test_paths.h"
#include "test_support.h"

namespace velkor {
namespace {

TEST(SuggestedOutputName, EveryCksInAnyCaseBecomesGec) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\R\\YOL.CKS", "C:\\R\\YOL.gec"},       {"/home/u/yol.cks", "/home/u/yol.gec"},
      {"/r.cks/yol.Cks", "/r.gec/yol.gec"},       {"/r/yol.txt", "/r/yol.txt"},
      {"/r/Y\xC4\xB0L.CKS", "/r/Y\xC4\xB0L.gec"},  // a Turkish name stays as it is
  };
  for (const auto& [table, suggested] : cases) {
    EXPECT_EQ(SuggestedOutputName(PathFromUtf8(table)), suggested) << table;
  }
}

TEST(AcceptReports, NoElementTableSuggestsNothing) {
  const AcceptedReports accepted = AcceptReports({}, {}, {});
  EXPECT_EQ(accepted.suggestedOutputName, "");
  EXPECT_FALSE(accepted.route.horizontal);
  EXPECT_FALSE(accepted.route.vertical);
}

ProfileRecord Profile(const char* chainage, const char* elevation, const char* length, const char* figure,
                      ProfileTag tag) {
  ProfileRecord p;
  p.chainage = chainage;
  p.elevation = elevation;
  p.curveLength = length;
  p.curveFigure = figure;
  p.tag = tag;
  return p;
}

// The formatters reproduce the example route file column for column.
TEST(RouteFileLines, ExampleRouteLinesByteForByte) {
  const LineList route = platform::ReadLines(std::filesystem::path(test::kDataDir) / "route_example.gec");
  ASSERT_EQ(route.size(), 17);
  EXPECT_EQ(route.at(0), kHorizontalMarker);
  EXPECT_EQ(route.at(9), kVerticalMarker);
  EXPECT_EQ(FormatPointLine(MakePointRecord("TF", "0+000.000", "100.000", "200.000", "0.000", {})), route.at(2));
  EXPECT_EQ(FormatPointLine(MakePointRecord("SC", "0+300.000", "399.580", "203.330", "-250.000", {})), route.at(4));
  PointRecord spiral = MakePointRecord("TS", "0+250.000", "350.000", "200.000", "50.000", {});
  spiral.clothoidA = "111.803";
  EXPECT_EQ(FormatPointLine(spiral), route.at(3));
  EXPECT_EQ(FormatProfileLine(Profile("0+000.000", "850.000", "0.000", "0.000", ProfileTag::Point)), route.at(11));
  EXPECT_EQ(FormatProfileLine(Profile("0+200.000", "854.000", "0.000", "0.000", ProfileTag::Entry)), route.at(12));
  EXPECT_EQ(FormatProfileLine(Profile("0+300.000", "856.000", "200.000", "-950.000", ProfileTag::Point)), route.at(13));
  EXPECT_EQ(FormatProfileLine(Profile("0+400.000", "855.000", "0.000", "0.000", ProfileTag::Exit)), route.at(14));
}

// Every route file the import writes reads back into records that format to the very same bytes, line by
// line and as a whole: the example, the bundled example route and generated routes and profiles.
TEST(RouteFileLines, FormatOfParseGivesEveryLineBack) {
  std::vector<LineList> files = {platform::ReadLines(std::filesystem::path(test::kDataDir) / "route_example.gec")};
  test::ScratchDir dir;
  const std::filesystem::path examples = std::filesystem::path(test::kSourceDir) / "examples";
  AcceptReports(examples / "GUZERGAH.cks", examples / "DUSEY.cks", dir.path());
  files.push_back(platform::ReadLines(dir / "tmp.gec"));
  for (unsigned seed = 1; seed <= 12; ++seed) {
    std::ostringstream table;
    samples::WriteElementTable(seed % 2 ? samples::GenerateRoute(static_cast<int>(seed % 5 + 1), 0, seed)
                                        : samples::GenerateMixedRoute(static_cast<int>(seed % 6 + 2), seed),
                               "YOL", table);
    test::WriteBytes(dir / "YOL.cks", table.str());
    test::WriteBytes(dir / "DUSEY.cks",
                     samples::WriteVerticalReport(samples::MakeProfile(seed, 3000, 4), {"YOL", seed % 3 == 0}));
    AcceptReports(dir / "YOL.cks", dir / "DUSEY.cks", dir.path());
    files.push_back(platform::ReadLines(dir / "tmp.gec"));
  }
  std::size_t lines = 0;
  for (const LineList& file : files) {
    const Route route = ParseRouteFile(file, "tmp.gec");
    EXPECT_EQ(FormatRouteFile(route).lines(), file.lines());
    const RouteScan scan = ScanRoute(file);
    for (long i = scan.horizontalStart; i <= scan.horizontalEnd; ++i, ++lines)
      EXPECT_EQ(FormatPointLine(ParsePointLine(file.at(i))), file.at(i));
    for (long i = scan.verticalStart; i < scan.verticalEnd; ++i, ++lines)
      EXPECT_EQ(FormatProfileLine(ParseProfileLine(file.at(i))), file.at(i));
  }
  EXPECT_GT(lines, 300u);
}

}  // namespace
}  // namespace velkor
