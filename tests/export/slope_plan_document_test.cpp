// The slope plan inside the whole document: its alignments follow the route's own alignment, its
// labels arrive as UTF-8, and a cancelled reader leaves no trace.
#include <gtest/gtest.h>

#include <algorithm>

#include "export/conversion_driver.h"
#include "import/route_file.h"
#include "ncz/slope_plan.h"
#include "ncz/terrain_model.h"
#include "test_support.h"

namespace velkor {
namespace {

class SlopePlanAnswer : public ConversionQuestions {
 public:
  explicit SlopePlanAnswer(const SlopePlan* plan) : plan_(plan) {}
  std::optional<std::filesystem::path> ChooseCrossSectionFile() override { return std::nullopt; }
  const TerrainModel* ReadTerrainModel() override { return nullptr; }
  const SlopePlan* ReadSlopePlan() override {
    ++asked;
    return plan_;
  }
  int asked = 0;

 private:
  const SlopePlan* plan_;
};

std::vector<std::string> Convert(const test::ScratchDir& work, const SlopePlan* plan, bool option, int& asked) {
  test::WriteBytes(
      work / "tmp.gec",
      test::CrLf({kHorizontalMarker, "{", test::PointLine("TF", "0+000.000", "500000.000", "4500000.000", "0.000"),
                  test::PointLine("PE", "0+100.000", "500100.000", "4500000.000", "0.000"), "}"}));
  ConversionOptions options;
  options.slopePlan = option;
  options.suggestedOutputName = "ROUTE.gec";
  SlopePlanAnswer answer(plan);
  ConversionResult result = G2X(work.workDir(), test::RouteIn(work.path()), options, answer);
  asked = answer.asked;
  return test::SplitLines(result.document);
}

std::vector<std::string> After(const std::vector<std::string>& lines, const std::string& marker) {
  auto at = std::find(lines.begin(), lines.end(), marker);
  return at == lines.end() ? std::vector<std::string>{} : std::vector<std::string>(at + 1, lines.end());
}

TEST(SlopePlanDocument, AlignmentsFollowTheRouteAlignmentAsUtf8) {
  test::ScratchDir work;
  SlopePlan plan;
  plan.polylines = {
      "K_SEV,\xDE"
      "EV&1,0.000 0.000 1.000,0.000 5.000 2.000,"};
  plan.axisPoints = {"K_EKS,NOKTA,0.000 0.000 3.000,"};
  int asked = 0;
  auto tail = After(Convert(work, &plan, true, asked), "\t\t</Alignment>");
  EXPECT_EQ(asked, 1);
  ASSERT_EQ(tail.size(), 9u + 14u + 2u);
  EXPECT_EQ(tail[0], "\t\t<Alignment name=\"Ax\" length=\"0.000000\" staStart=\"0.000000\">");
  EXPECT_EQ(tail[9],
            "\t\t<Alignment name=\"\xC5\x9E"
            "EV&amp;1\" length=\"5.000000\" staStart=\"0.000000\">");
  EXPECT_EQ(tail[8], "\t\t</Alignment>");
  EXPECT_EQ(tail[22], "\t\t</Alignment>");
  EXPECT_EQ(tail[23], "\t</Alignments>");
  EXPECT_EQ(tail[24], "</LandXML>");
  EXPECT_FALSE(std::filesystem::exists(work / "tmps.xml"));  // joined and removed
}

TEST(SlopePlanDocument, CancelledReaderOrOptionOffAddsNothing) {
  SlopePlan plan;
  plan.axisPoints = {"K_EKS,NOKTA,0.000 0.000 3.000,"};
  struct Case {
    const char* scenario;
    const SlopePlan* plan;
    bool option;
    int asked;
  } cases[] = {{"reader cancelled", nullptr, true, 1}, {"option off", &plan, false, 0}};
  for (const auto& c : cases) {
    test::ScratchDir work;
    int asked = 0;
    auto tail = After(Convert(work, c.plan, c.option, asked), "\t\t</Alignment>");
    EXPECT_EQ(asked, c.asked) << c.scenario;
    EXPECT_EQ(tail, (std::vector<std::string>{"\t</Alignments>", "</LandXML>"})) << c.scenario;
    EXPECT_FALSE(std::filesystem::exists(work / "tmps.xml")) << c.scenario;
  }
}

}  // namespace
}  // namespace velkor
