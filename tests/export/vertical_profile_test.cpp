// Route vertical section -> LandXML Profile lines and prf.gsi records.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "base/error.h"
#include "export/section_steps.h"
#include "import/route_file.h"
#include "test_support.h"

namespace velkor {
namespace {

using test::ReadBytes;
using test::ScratchDir;
using test::SplitLines;

const std::string kEntry = kTagEntry;
const std::string kExit = kTagExit;
const std::string kHeader = "*41....+0000000000000ALN 42....+000000000VALIGNM 43....+00000000STACOORD ";
constexpr long kFirstProfileLine = 8;  // 1-based line of the first profile line in RouteLines()

std::vector<std::string> RouteLines(const std::vector<std::string>& profile) {
  std::vector<std::string> lines = {"// Horizontal  //",
                                    "{",
                                    "  TF      0+000.000        100.000        200.000          0.000",
                                    "  PE      1+000.000        992.450        571.830          0.000",
                                    "}",
                                    "// Vertical //",
                                    "{"};
  lines.insert(lines.end(), profile.begin(), profile.end());
  lines.push_back("}");
  return lines;
}

std::string Record(const std::string& chainage, const std::string& type, const std::string& parameter,
                   const std::string& elevation) {
  return "*11...." + chainage + " 71...." + type + " 72...." + parameter + " 83..10" + elevation + " ";
}
const std::string kStraight = "+00000000STRAIGHT";
const std::string kParabola = "+00000000PARABOLA";
const std::string kEndOfPath = "+0000000000000EOP";
const std::string kNon = "+0000000000000NON";

struct Output {
  std::vector<std::string> document;  // between <ProfAlign> and </ProfAlign>
  std::vector<std::string> gsi;       // after the header
};

class VerticalProfile : public ::testing::Test {
 protected:
  Output Write(const std::vector<std::string>& profile) {
    std::ostringstream document, gsiStream;
    WriteVerticalProfile(ParseRouteFile(LineList(RouteLines(profile)), "tmp.gec").profile, document, gsiStream);
    Output out;
    std::vector<std::string> doc = SplitLines(document.str());
    EXPECT_EQ(document.str().back(), '\n');
    EXPECT_GE(doc.size(), 4u);
    if (doc.size() < 4) return out;
    EXPECT_EQ(doc[0], "\t\t\t<Profile name=\"1\">");
    EXPECT_EQ(doc[1], "\t\t\t\t<ProfAlign name=\"1\">");
    EXPECT_EQ(doc[doc.size() - 2], "\t\t\t\t</ProfAlign>");
    EXPECT_EQ(doc.back(), "\t\t\t</Profile>");
    out.document.assign(doc.begin() + 2, doc.end() - 2);
    std::string gsiBytes = gsiStream.str();
    EXPECT_EQ(gsiBytes.find('\n'), gsiBytes.find("\r\n") + 1) << "lines end in CR LF";
    std::vector<std::string> gsi = SplitLines(gsiBytes);
    EXPECT_FALSE(gsi.empty());
    if (gsi.empty()) return out;
    EXPECT_EQ(gsi[0], kHeader);
    out.gsi.assign(gsi.begin() + 1, gsi.end());
    return out;
  }

  void ExpectFailure(const std::vector<std::string>& profile, const std::string& message, long line) {
    std::ostringstream document, gsi;
    try {
      WriteVerticalProfile(ParseRouteFile(LineList(RouteLines(profile)), "tmp.gec").profile, document, gsi);
      ADD_FAILURE() << "no error for " << message;
    } catch (const Error& error) {
      EXPECT_EQ(error.message(), message);
      EXPECT_EQ(error.where(), "tmp.gec:" + std::to_string(line));
    }
    failedGsi = gsi.str();
  }

  ScratchDir work;
  std::string failedGsi;  // the records written before a failure
};

std::string Pvi(const std::string& chainage, const std::string& elevation) {
  return "\t\t\t\t\t<PVI>" + chainage + " " + elevation + "</PVI>";
}
std::string Para(const std::string& length, const std::string& figure, const std::string& chainage,
                 const std::string& elevation) {
  return "\t\t\t\t\t<ParaCurve length=\"" + length + "\" desc=\"" + figure + "\">" + chainage + " " + elevation +
         "</ParaCurve>";
}

TEST_F(VerticalProfile, OneCurveGivesPviParaCurvePviAndFourRecords) {
  Output out = Write({"0+000.000        850.000          0.000          0.000 MENE",
                      "0+200.000        854.000          0.000          0.000 " + kEntry,
                      "0+300.000        856.000        200.000       -950.000 MENE",
                      "0+400.000        855.000          0.000          0.000 " + kExit,
                      "1+000.000        843.000          0.000          0.000 MENE"});
  EXPECT_EQ(out.document,
            (std::vector<std::string>{Pvi("0000.000", "850.000"), Para("200.000", "-950.000", "0300.000", "856.000"),
                                      Pvi("1000.000", "843.000")}));
  EXPECT_EQ(out.gsi,
            (std::vector<std::string>{Record("+0000000000000000", kStraight, kNon, "+0000000000850000"),
                                      Record("+0000000000200000", kParabola, "-0000000000950000", "+0000000000854000"),
                                      Record("+0000000000400000", kStraight, kNon, "+0000000000855000"),
                                      Record("+0000000001000000", kEndOfPath, kNon, "+0000000000843000")}));
}

TEST_F(VerticalProfile, SingleLineGivesPviAndStraightWithItsWords) {
  Output out = Write({"1+234.500 105.250 0.000 0.000"});
  EXPECT_EQ(out.document, std::vector<std::string>{Pvi("1234.500", "105.250")});
  EXPECT_EQ(out.gsi, (std::vector<std::string>{Record("+0000000001234500", kStraight, kNon, "+0000000000105250"),
                                               Record("+0000000001234500", kEndOfPath, kNon, "+0000000000105250")}));
}

// Only the exact text "0.000" means no curve.
class CurveLengthText : public VerticalProfile, public ::testing::WithParamInterface<const char*> {};

TEST_P(CurveLengthText, CountsAsACurve) {
  Output out =
      Write({"0+000.000 850.000 0.000 0.000 MENE", std::string("0+300.000 856.000 ") + GetParam() + " 12.5 MENE",
             "1+000.000 843.000 0.000 0.000 MENE"});
  EXPECT_EQ(out.document,
            (std::vector<std::string>{Pvi("0000.000", "850.000"), Para(GetParam(), "12.5", "0300.000", "856.000"),
                                      Pvi("1000.000", "843.000")}));
  EXPECT_EQ(out.gsi, (std::vector<std::string>{Record("+0000000000000000", kStraight, kNon, "+0000000000850000"),
                                               Record("+0000000001000000", kEndOfPath, kNon, "+0000000000843000")}));
}

INSTANTIATE_TEST_SUITE_P(Texts, CurveLengthText, ::testing::Values("0.00", "0", "200.000", "-0.000"));

TEST_F(VerticalProfile, FirstLineWithCurveLengthGivesNoStraight) {
  Output out = Write({"0+000.000 850.000 100.000 -500.000 MENE", "1+000.000 843.000 0.000 0.000 MENE"});
  EXPECT_EQ(out.document,
            (std::vector<std::string>{Para("100.000", "-500.000", "0000.000", "850.000"), Pvi("1000.000", "843.000")}));
  EXPECT_EQ(out.gsi, std::vector<std::string>{Record("+0000000001000000", kEndOfPath, kNon, "+0000000000843000")});
}

TEST_F(VerticalProfile, FirstLineThatIsAnExitGivesTwoStraights) {
  Output out = Write({"0+400.000 855.000 0.000 0.000 " + kExit});
  EXPECT_TRUE(out.document.empty());
  EXPECT_EQ(out.gsi, (std::vector<std::string>{Record("+0000000000400000", kStraight, kNon, "+0000000000855000"),
                                               Record("+0000000000400000", kStraight, kNon, "+0000000000855000"),
                                               Record("+0000000000400000", kEndOfPath, kNon, "+0000000000855000")}));
}

TEST_F(VerticalProfile, NegativeChainageKeepsItsSignInFront) {
  Output out = Write({"0-050.000 850.000 0.000 0.000 MENE"});
  EXPECT_EQ(out.document, std::vector<std::string>{Pvi("-0050.000", "850.000")});
  EXPECT_EQ(out.gsi.at(0), Record("-0000000000050000", kStraight, kNon, "+0000000000850000"));
}

// Texts copied from the report must not break the document.
TEST_F(VerticalProfile, CopiedTextsAreEscaped) {
  Output out = Write({"0+000.000 850.000 0.000 0.000 MENE", "0+100.000 8<5&0 0.000 0.000 MENE",
                      "0+300.000 856.000 200 1>0 MENE", "1+000.000 843.000 0.000 0.000 MENE"});
  EXPECT_EQ(out.document,
            (std::vector<std::string>{Pvi("0000.000", "850.000"), Pvi("0100.000", "8&lt;5&amp;0"),
                                      Para("200", "1&gt;0", "0300.000", "856.000"), Pvi("1000.000", "843.000")}));
}

// With no profile line there is no point to end the path at: the file keeps its header only.
TEST_F(VerticalProfile, EmptySectionGivesEmptyProfileAndHeaderOnly) {
  Output out = Write({});
  EXPECT_TRUE(out.document.empty());
  EXPECT_TRUE(out.gsi.empty());
}

TEST_F(VerticalProfile, EntryAsLastProfileLineFailsOnTheBraceAfterIt) {
  ExpectFailure({"0+000.000 850.000 0.000 0.000 MENE", "0+200.000 854.000 0.000 0.000 " + kEntry},
                "'' is not a valid floating point value", kFirstProfileLine + 1);
  // What was written before the failure stays.
  EXPECT_EQ(SplitLines(failedGsi),
            (std::vector<std::string>{kHeader, Record("+0000000000000000", kStraight, kNon, "+0000000000850000")}));
}

TEST_F(VerticalProfile, ElevationThatIsNoNumberFailsAtItsLine) {
  ExpectFailure({"0+000.000 850.000 0.000 0.000 MENE", "0+400.000 8x5 0.000 0.000 " + kExit},
                "'8x5' is not a valid floating point value", kFirstProfileLine + 1);
}

}  // namespace
}  // namespace velkor
