// Accepting the import dialog: the suggested output name handed to the conversion.
#include "import/report_import.h"

#include <gtest/gtest.h>

namespace velkor {
namespace {

TEST(SuggestedOutputName, EveryCksInAnyCaseBecomesGec) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\R\\YOL.CKS", "C:\\R\\YOL.gec"},       {"/home/u/yol.cks", "/home/u/yol.gec"},
      {"/r.cks/yol.Cks", "/r.gec/yol.gec"},       {"/r/yol.txt", "/r/yol.txt"},
      {"/r/Y\xC4\xB0L.CKS", "/r/Y\xC4\xB0L.gec"},  // a Turkish name stays as it is
  };
  for (const auto& [table, suggested] : cases) EXPECT_EQ(SuggestedOutputName(table), suggested) << table;
}

TEST(AcceptReports, NoElementTableSuggestsNothing) { EXPECT_EQ(AcceptReports({}, {}, {}), ""); }

}  // namespace
}  // namespace velkor
