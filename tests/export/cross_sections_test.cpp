// The cross-section step: tmp.kse, the CrossSects block in tmp1.xml and crs.gsi, byte for byte.
#include <gtest/gtest.h>

#include "base/error.h"
#include "export/cross_section_writer.h"
#include "export/section_steps.h"
#include "platform/platform.h"
#include "test_support.h"

namespace velkor {
namespace {

using test::CrLf;
using test::ReadBytes;
using test::ScratchDir;
using test::SplitLines;
using test::WriteBytes;

const char* kGsiHeader = "*41....+000000000SECTION 42....+00000000TEMPLATE";

// "4<CrossSect ...>" stands for four tabs and the text: the block's indentation is part of its format.
std::vector<std::string> Tabbed(const std::vector<std::string>& rows) {
  std::vector<std::string> lines;
  for (const auto& row : rows) lines.push_back(std::string(row[0] - '0', '\t') + row.substr(1));
  return lines;
}

struct Converted {
  std::string kse, xml, gsi;
};

Converted Convert(const ScratchDir& dir, const std::string& input, const std::string& name = "YOL.kse") {
  WriteBytes(dir / name, input);
  ExportCrossSections(dir / name, dir.path());
  return {ReadBytes(dir / "tmp.kse"), ReadBytes(dir / "tmp1.xml"), ReadBytes(dir / "crs.gsi")};
}

TEST(RewriteSectionSide, MinusTurnsAIntoOAndNoMinusTurnsOIntoA) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"0 -3.5 101.2 KAPLAMA", "0 -3.5 101.2 KOPLOMO"},
      {"0 3.5 101.2 BORDUR", "0 3.5 101.2 BARDUR"},
      {"0 -3.5 101.2 kaplama", "0 -3.5 101.2 kOplOmO"},  // the replacement is always a capital
      {"0 3.5 101.2 bordur", "0 3.5 101.2 bArdur"},
      {"0 -3.5 101.2 BORDUR", "0 -3.5 101.2 BORDUR"},  // O stays on the minus side
      {"0 3.5 101.2 KAPLAMA", "0 3.5 101.2 KAPLAMA"},
      {"0 -3.5 101.2 \xDE"
       "EV\xD6",
       "0 -3.5 101.2 \xDE"
       "EV\xD6"},  // Turkish letters are not A or O
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(RewriteSectionSide(c.in), c.out) << c.in;
}

TEST(ExportCrossSections, WritesTheThreeFilesOfTwoConnectedSections) {
  ScratchDir dir;
  std::vector<std::string> input = {
      "    1      1  100.000 EKS", "0 -3.5 101.2 K2", "0 3.5 101.0 K4", "    1      2  120.000 EKS",
      "0 -3.5 101.2 K1",           "0 0 101.3 K2",    "0 3.5 101.1 K3",
  };
  auto out = Convert(dir, CrLf(input));

  auto kse = input;
  kse.push_back("    1      1  500000.999 EKS");
  EXPECT_EQ(out.kse, CrLf(kse));
  EXPECT_EQ(out.xml, CrLf(Tabbed({
                         "3<CrossSects>",
                         "4<CrossSect sta=\"100.000\">",
                         "5<CrossSectSurf name=\"Cst\">",
                         "6<PntList2D>-3.500000 101.200000 3.500000 101.000000</PntList2D>",
                         "6<Feature code=\"RR Vertex Name\">K2,K4</Feature>",
                         "5</CrossSectSurf>",
                         "4</CrossSect>",
                         "4<CrossSect sta=\"120.000\">",
                         "5<CrossSectSurf name=\"Cst\">",
                         "6<PntList2D>-3.500000 101.200000 0.000000 101.300000 3.500000 101.100000</PntList2D>",
                         "6<Feature code=\"RR Vertex Name\">K1,K2,K3</Feature>",
                         "7<Feature code=\"RR Vertex Connections\">",
                         "7<Feature code=\"RR Vertex Interpolate\">K2,K2</Feature>",
                         "6</Feature>",
                         "5</CrossSectSurf>",
                         "4</CrossSect>",
                         "3</CrossSects>",
                     })));
  EXPECT_EQ(out.gsi, CrLf({
                         kGsiHeader,
                         "*11....+0000000000100000 35..10-0000000000003500 36..10+0000000000101200",
                         "*11....+0000000000100000 35..10+0000000000003500 36..10+0000000000101000",
                         "*11....+0000000000120000 35..10-0000000000003500 36..10+0000000000101200",
                         "*11....+0000000000120000 35..10+0000000000000000 36..10+0000000000101300",
                         "*11....+0000000000120000 35..10+0000000000003500 36..10+0000000000101100",
                     }));
}

struct BlockCase {
  const char* scenario;
  std::string input;
  std::vector<std::string> block;    // the lines between <CrossSects> and </CrossSects>, tabs as digits
  std::vector<std::string> records;  // crs.gsi after its header
};

class CrossSectsBlock : public ::testing::TestWithParam<BlockCase> {};

TEST_P(CrossSectsBlock, Matches) {
  const auto& c = GetParam();
  ScratchDir dir;
  auto out = Convert(dir, c.input);
  std::vector<std::string> rows = {"3<CrossSects>"};
  rows.insert(rows.end(), c.block.begin(), c.block.end());
  rows.push_back("3</CrossSects>");
  EXPECT_EQ(SplitLines(out.xml), Tabbed(rows));
  std::vector<std::string> gsi = {kGsiHeader};
  gsi.insert(gsi.end(), c.records.begin(), c.records.end());
  EXPECT_EQ(out.gsi, CrLf(gsi));
}

const std::string kOpen10 = "4<CrossSect sta=\"10\">", kSurf = "5<CrossSectSurf name=\"Cst\">",
                  kCloseSurf = "5</CrossSectSurf>", kClose = "4</CrossSect>";

INSTANTIATE_TEST_SUITE_P(
    Cases, CrossSectsBlock,
    ::testing::Values(
        BlockCase{"EmptyFile", "", {}, {}},
        BlockCase{"StationKeptAsTextButReadInGsi",
                  "1 1 120.00 EKS\r\n0 -3.5 101.2 K1\r\n",
                  {"4<CrossSect sta=\"120.00\">", kSurf, "6<PntList2D>-3.500000 101.200000</PntList2D>",
                   "6<Feature code=\"RR Vertex Name\">K1</Feature>", kCloseSurf, kClose},
                  {"*11....+0000000000120000 35..10-0000000000003500 36..10+0000000000101200"}},
        BlockCase{"ClosingStationMidFileOpensNothingAndBreaksTheConnections",
                  "1 1 10 EKS\r\n0 1 2 K\r\n1 2 500000.999 EKS\r\n1 3 30 EKS\r\n0 1 2 K\r\n",
                  {kOpen10, kSurf, "6<PntList2D>1.000000 2.000000</PntList2D>",
                   "6<Feature code=\"RR Vertex Name\">K</Feature>", kCloseSurf, kClose, "4<CrossSect sta=\"30\">",
                   kSurf, "6<PntList2D>1.000000 2.000000</PntList2D>", "6<Feature code=\"RR Vertex Name\">K</Feature>",
                   kCloseSurf, kClose},
                  {"*11....+0000000000010000 35..10+0000000000001000 36..10+0000000000002000",
                   "*11....+0000000000030000 35..10+0000000000001000 36..10+0000000000002000"}},
        BlockCase{"FileEndingInItsOwnClosingStationLeavesNoStrayEndTags",
                  "1 1 10 EKS\r\n0 1 2 K\r\n    1      1  500000.999 EKS\r\n",
                  {kOpen10, kSurf, "6<PntList2D>1.000000 2.000000</PntList2D>",
                   "6<Feature code=\"RR Vertex Name\">K</Feature>", kCloseSurf, kClose},
                  {"*11....+0000000000010000 35..10+0000000000001000 36..10+0000000000002000"}},
        BlockCase{"KindsTwoAndMinusOneSkipped",
                  "2 9 9 X\r\n1 1 10 EKS\r\n2 9 9 X\r\n0 1 2 K\r\n-1 5 5 Y\r\n",
                  {kOpen10, kSurf, "6<PntList2D>1.000000 2.000000</PntList2D>",
                   "6<Feature code=\"RR Vertex Name\">K</Feature>", kCloseSurf, kClose},
                  {"*11....+0000000000010000 35..10+0000000000001000 36..10+0000000000002000"}},
        BlockCase{"NameTwiceHereOnceBeforeGivesTwoPairs",
                  "1 1 10 EKS\r\n0 0 1 K1\r\n1 2 20 EKS\r\n0 -1 1 K1\r\n0 0 1 K2\r\n0 1 1 K1\r\n",
                  {kOpen10, kSurf, "6<PntList2D>0.000000 1.000000</PntList2D>",
                   "6<Feature code=\"RR Vertex Name\">K1</Feature>", kCloseSurf, kClose, "4<CrossSect sta=\"20\">",
                   kSurf, "6<PntList2D>-1.000000 1.000000 0.000000 1.000000 1.000000 1.000000</PntList2D>",
                   "6<Feature code=\"RR Vertex Name\">K1,K2,K1</Feature>", "7<Feature code=\"RR Vertex Connections\">",
                   "7<Feature code=\"RR Vertex Interpolate\">K1,K1,K1,K1</Feature>", "6</Feature>", kCloseSurf, kClose},
                  {"*11....+0000000000010000 35..10+0000000000000000 36..10+0000000000001000",
                   "*11....+0000000000020000 35..10-0000000000001000 36..10+0000000000001000",
                   "*11....+0000000000020000 35..10+0000000000000000 36..10+0000000000001000",
                   "*11....+0000000000020000 35..10+0000000000001000 36..10+0000000000001000"}},
        BlockCase{"SectionWithoutVerticesIsEmptyAndTheNextHasNoConnections",
                  "1 1 10 EKS\r\n1 2 20 EKS\r\n0 1 2 K\r\n",
                  {kOpen10, kSurf, "6<PntList2D></PntList2D>", "6<Feature code=\"RR Vertex Name\"></Feature>",
                   kCloseSurf, kClose, "4<CrossSect sta=\"20\">", kSurf, "6<PntList2D>1.000000 2.000000</PntList2D>",
                   "6<Feature code=\"RR Vertex Name\">K</Feature>", kCloseSurf, kClose},
                  {"*11....+0000000000020000 35..10+0000000000001000 36..10+0000000000002000"}},
        BlockCase{"NoNameMatchesStillWritesTheConnections",
                  "1 1 10 EKS\r\n0 1 2 K1\r\n1 2 20 EKS\r\n0 1 2 k1\r\n",
                  {kOpen10, kSurf, "6<PntList2D>1.000000 2.000000</PntList2D>",
                   "6<Feature code=\"RR Vertex Name\">K1</Feature>", kCloseSurf, kClose, "4<CrossSect sta=\"20\">",
                   kSurf, "6<PntList2D>1.000000 2.000000</PntList2D>", "6<Feature code=\"RR Vertex Name\">k1</Feature>",
                   "7<Feature code=\"RR Vertex Connections\">", "7<Feature code=\"RR Vertex Interpolate\"></Feature>",
                   "6</Feature>", kCloseSurf, kClose},
                  {"*11....+0000000000010000 35..10+0000000000001000 36..10+0000000000002000",
                   "*11....+0000000000020000 35..10+0000000000001000 36..10+0000000000002000"}},
        BlockCase{
            "SideRewriteDecidesWhichNamesConnect",
            "1 1 10 EKS\r\n0 -3.5 1 KAPLAMA\r\n0 3.5 1 KAPLAMA\r\n1 2 20 EKS\r\n0 3.5 1 KOPLOMO\r\n",
            {kOpen10, kSurf, "6<PntList2D>-3.500000 1.000000 3.500000 1.000000</PntList2D>",
             "6<Feature code=\"RR Vertex Name\">KOPLOMO,KAPLAMA</Feature>", kCloseSurf, kClose,
             "4<CrossSect sta=\"20\">", kSurf, "6<PntList2D>3.500000 1.000000</PntList2D>",
             "6<Feature code=\"RR Vertex Name\">KAPLAMA</Feature>", "7<Feature code=\"RR Vertex Connections\">",
             "7<Feature code=\"RR Vertex Interpolate\">KAPLAMA,KAPLAMA</Feature>", "6</Feature>", kCloseSurf, kClose},
            {"*11....+0000000000010000 35..10-0000000000003500 36..10+0000000000001000",
             "*11....+0000000000010000 35..10+0000000000003500 36..10+0000000000001000",
             "*11....+0000000000020000 35..10+0000000000003500 36..10+0000000000001000"}},
        BlockCase{"SeparatorsAndExtraFieldsAsTheFieldReaderSeesThem",
                  "1,7;10\tEKS extra\r\n0\t\"1.5\"..2.25;K1 ignored more\r\n",
                  {kOpen10, kSurf, "6<PntList2D>1.500000 2.250000</PntList2D>",
                   "6<Feature code=\"RR Vertex Name\">K1</Feature>", kCloseSurf, kClose},
                  {"*11....+0000000000010000 35..10+0000000000001500 36..10+0000000000002250"}},
        BlockCase{"NamesAreEscaped",
                  "1 1 5 EKS\r\n1 2 10 EKS\r\n0 1 2 K&1\r\n0 1 2 <K'2>\x01\r\n1 3 20 EKS\r\n0 1 2 K&1\r\n",
                  {"4<CrossSect sta=\"5\">",
                   kSurf,
                   "6<PntList2D></PntList2D>",
                   "6<Feature code=\"RR Vertex Name\"></Feature>",
                   kCloseSurf,
                   kClose,
                   kOpen10,
                   kSurf,
                   "6<PntList2D>1.000000 2.000000 1.000000 2.000000</PntList2D>",
                   "6<Feature code=\"RR Vertex Name\">K&amp;1,&lt;K'2&gt;?</Feature>",
                   kCloseSurf,
                   kClose,
                   "4<CrossSect sta=\"20\">",
                   kSurf,
                   "6<PntList2D>1.000000 2.000000</PntList2D>",
                   "6<Feature code=\"RR Vertex Name\">K&amp;1</Feature>",
                   "7<Feature code=\"RR Vertex Connections\">",
                   "7<Feature code=\"RR Vertex Interpolate\">K&amp;1,K&amp;1</Feature>",
                   "6</Feature>",
                   kCloseSurf,
                   kClose},
                  {"*11....+0000000000010000 35..10+0000000000001000 36..10+0000000000002000",
                   "*11....+0000000000010000 35..10+0000000000001000 36..10+0000000000002000",
                   "*11....+0000000000020000 35..10+0000000000001000 36..10+0000000000002000"}},
        BlockCase{"UnnamedVerticesKeepTheirPlaceButConnectNothing",
                  "1 1 10 EKS\r\n0 1 2\r\n0 1 2 K\r\n1 2 20 EKS\r\n0 1 2 K\r\n0 1 2\r\n",
                  {kOpen10, kSurf, "6<PntList2D>1.000000 2.000000 1.000000 2.000000</PntList2D>",
                   "6<Feature code=\"RR Vertex Name\">,K</Feature>", kCloseSurf, kClose, "4<CrossSect sta=\"20\">",
                   kSurf, "6<PntList2D>1.000000 2.000000 1.000000 2.000000</PntList2D>",
                   "6<Feature code=\"RR Vertex Name\">K,</Feature>", "7<Feature code=\"RR Vertex Connections\">",
                   "7<Feature code=\"RR Vertex Interpolate\">K,K</Feature>", "6</Feature>", kCloseSurf, kClose},
                  {"*11....+0000000000010000 35..10+0000000000001000 36..10+0000000000002000",
                   "*11....+0000000000010000 35..10+0000000000001000 36..10+0000000000002000",
                   "*11....+0000000000020000 35..10+0000000000001000 36..10+0000000000002000",
                   "*11....+0000000000020000 35..10+0000000000001000 36..10+0000000000002000"}}),
    [](const auto& info) { return std::string(info.param.scenario); });

struct FailureCase {
  const char* scenario;
  std::string input;
  std::string message;
  long line;
};

class CrossSectionFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(CrossSectionFailure, NamesMessageFileAndLine) {
  const auto& c = GetParam();
  ScratchDir dir;
  WriteBytes(dir / "KOT.ksp", c.input);
  try {
    ExportCrossSections(dir / "KOT.ksp", dir.path());
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), c.message);
    EXPECT_EQ(e.file(), PathToUtf8(dir / "KOT.ksp"));
    EXPECT_EQ(e.line(), c.line);
  }
  // The rewritten file is complete whatever went wrong after it.
  auto kse = SplitLines(ReadBytes(dir / "tmp.kse"));
  ASSERT_FALSE(kse.empty());
  EXPECT_EQ(kse.back(), "    1      1  500000.999 EKS");
  EXPECT_EQ(kse.size(), SplitLines(c.input).size() + 1);
}

const std::string kBefore =
    "Vertex line before the first station line: a cross-section file must begin with a station line (kind 1)";
const std::string kAfter =
    "Vertex line after a station 500000.999, which closes the cross sections: it belongs to no cross section";

INSTANTIATE_TEST_SUITE_P(
    Cases, CrossSectionFailure,
    ::testing::Values(
        FailureCase{"BlankLine", "1 1 10 EKS\r\n\r\n0 1 2 K\r\n", "'' is not a valid integer value", 2},
        FailureCase{"BlanksOnly", "1 1 10 EKS\r\n0 1 2 K\r\n \t \r\n", "'' is not a valid integer value", 3},
        FailureCase{"WordAsKind", "EKS 1 10\r\n", "'EKS' is not a valid integer value", 1},
        FailureCase{"DecimalKind", "1 1 10 EKS\r\n0.0 1 2 K\r\n", "'0.0' is not a valid integer value", 2},
        FailureCase{"OffsetNotANumber", "1 1 10 EKS\r\n0 x1 2 K\r\n", "'x1' is not a valid floating point value", 2},
        FailureCase{"ElevationMissing", "1 1 10 EKS\r\n0 1\r\n", "'' is not a valid floating point value", 2},
        // A station is written as it stands, so it is refused on its own line, with or without vertices.
        FailureCase{"StationNotANumberWithAVertex", "1 1 km10 EKS\r\n0 1 2 K\r\n",
                    "'km10' is not a valid floating point value", 1},
        FailureCase{"StationNotANumberWithoutVertices", "1 1 10 EKS\r\n1 2 1<2&3 EKS\r\n1 3 20 EKS\r\n",
                    "'1<2&3' is not a valid floating point value", 2},
        FailureCase{"StationMissing", "1 1\r\n1 2 20 EKS\r\n", "'' is not a valid floating point value", 1},
        FailureCase{"VertexBeforeAnyStation", "0 1 2 K\r\n1 1 10 EKS\r\n", kBefore, 1},
        FailureCase{"VertexBeforeAnyStationAfterSkippedKinds", "2 1 1 X\r\n0 1 2 K\r\n", kBefore, 2},
        FailureCase{"VertexAfterClosingStation", "1 1 10 EKS\r\n1 2 500000.999 EKS\r\n0 1 2 K\r\n", kAfter, 3}),
    [](const auto& info) { return std::string(info.param.scenario); });

TEST(ExportCrossSections, MissingFileWritesNothing) {
  ScratchDir dir;
  try {
    ExportCrossSections(dir / "YOK.kse", dir.path());
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(test::FirstLine(e.message()), "Cannot open file " + (dir / "YOK.kse").string());
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(ExportCrossSections, FolderInsteadOfAFileIsRefused) {
  ScratchDir dir;
  std::filesystem::create_directory(dir / "ENKESIT.kse");
  try {
    ExportCrossSections(dir / "ENKESIT.kse", dir.path());
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(test::FirstLine(e.message()), "Cannot open file " + (dir / "ENKESIT.kse").string());
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "crs.gsi"));
}

TEST(ExportCrossSections, ReplacesTheFilesOfAnEarlierRun) {
  ScratchDir dir;
  Convert(dir, "1 1 10 EKS\r\n0 1 2 K\r\n1 2 20 EKS\r\n0 1 2 K\r\n");
  auto out = Convert(dir, "");
  EXPECT_EQ(out.kse, CrLf({"    1      1  500000.999 EKS"}));
  EXPECT_EQ(out.xml, CrLf({"\t\t\t<CrossSects>", "\t\t\t</CrossSects>"}));
  EXPECT_EQ(out.gsi, CrLf({kGsiHeader}));
}

// Choosing one of the step's own files (from an earlier run in the same folder) would destroy it
// while it is read: refused before anything is written.
TEST(ExportCrossSections, OwnWorkFileAsInputIsRefused) {
  ScratchDir dir;
  Convert(dir, "1 1 10 EKS\r\n0 -1 2 BORDUR\r\n");
  const Converted before{ReadBytes(dir / "tmp.kse"), ReadBytes(dir / "tmp1.xml"), ReadBytes(dir / "crs.gsi")};
  for (const char* name : {"tmp.kse", "tmp1.xml", "crs.gsi"}) {
    try {
      ExportCrossSections(dir / name, dir.path());
      ADD_FAILURE() << name << ": no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.message(), "Cannot write " + (dir / name).string() + ": it is the input file " +
                                 (dir / name).string() + "; nothing was written");
    }
    EXPECT_EQ(ReadBytes(dir / "tmp.kse"), before.kse) << name;
    EXPECT_EQ(ReadBytes(dir / "tmp1.xml"), before.xml) << name;
    EXPECT_EQ(ReadBytes(dir / "crs.gsi"), before.gsi) << name;
  }
}

}  // namespace
}  // namespace velkor
