// Accepting the import dialog: the suggested output name handed to the conversion.
#include "import/report_import.h"

#include <gtest/gtest.h>

#include "base/line_list.h"
#include "import/route_file.h"
#include "platform/platform.h"
#include "test_paths.h"

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

TEST(AcceptReports, NoElementTableSuggestsNothing) { EXPECT_EQ(AcceptReports({}, {}, {}), ""); }

// The writers of the route file's lines reproduce the example route file column for column.
TEST(RouteFileLines, ExampleRouteLinesByteForByte) {
  LineList route;
  route = platform::ReadLines(std::filesystem::path(test::kDataDir) / "route_example.gec");
  ASSERT_EQ(route.size(), 17);
  EXPECT_EQ(route.at(0), kHorizontalMarker);
  EXPECT_EQ(route.at(9), kVerticalMarker);
  EXPECT_EQ(PointLine("TF", "0+000.000", "100.000", "200.000", "0.000"), route.at(2));
  EXPECT_EQ(PointLine("SC", "0+300.000", "399.580", "203.330", "-250.000"), route.at(4));
  EXPECT_EQ(PointLine("TS", "0+250.000", "350.000", "200.000", "50.000") + "        111.803 ORTA", route.at(3));
  EXPECT_EQ(ProfileLine("0+000.000", "850.000", "0.000", "0.000", kTagMene), route.at(11));
  EXPECT_EQ(ProfileLine("0+200.000", "854.000", "0.000", "0.000", kTagEntry), route.at(12));
  EXPECT_EQ(ProfileLine("0+300.000", "856.000", "200.000", "-950.000", kTagMene), route.at(13));
  EXPECT_EQ(ProfileLine("0+400.000", "855.000", "0.000", "0.000", kTagExit), route.at(14));
}

}  // namespace
}  // namespace velkor
