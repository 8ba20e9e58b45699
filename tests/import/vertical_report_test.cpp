// Vertical definition report -> vertical section of the route file: classification, held values,
// the sign of the curve figure, and what stays behind when a report fails.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error.h"
#include "import/route_file.h"
#include "import/route_import.h"
#include "test_support.h"

namespace velkor {
namespace {

using test::CrLf;
using test::ReadBytes;
using test::ScratchDir;
using test::WriteBytes;

const std::string kRule = "\xB3";
const std::string kEntryWord = "\xDEK G\xDDR\xDD\xDE";
const std::string kVertexWord = "\xDEK SOME";
const std::string kExitWord = "\xDEK \xC7IKI\xDE";

// One report row: cells separated by column rules, as the road-design program prints them.
std::string Row(const std::vector<std::string>& cells) {
  std::string line = kRule;
  for (const auto& cell : cells) line += " " + cell + "   " + kRule;
  return line;
}

std::vector<std::string> Heading() {
  return {
      "NetCAD D\xFC\xFE"
      "ey Tan\xFDm Raporu",
      "\xDA\xC4\xC4\xC2\xC4\xC4\xBF",
      kRule + " Nokta      " + kRule + " KM          " + kRule + " Kot       " + kRule + "  E\xF0im (%)  " + kRule,
      "\xC3\xC4\xC4\xC5\xC4\xC4\xB4"};
}

std::string Start(const std::string& ch, const std::string& z) { return Row({"P.B", ch, z, ""}); }
std::string End(const std::string& ch, const std::string& z) { return Row({"P.S", ch, z, ""}); }
std::string Entry(const std::string& ch, const std::string& z, const std::string& g) {
  return Row({kEntryWord, ch, z, g});
}
std::string Vertex(const std::string& ch, const std::string& z) { return Row({kVertexWord, ch, z, ""}); }
std::string Length(const std::string& l, const std::string& k) { return Row({"", "L=" + l, "K=" + k, ""}); }
std::string Exit(const std::string& ch, const std::string& z, const std::string& g) {
  return Row({kExitWord, ch, z, g});
}

std::string ProfileLine(const std::string& ch, const std::string& z, const std::string& l, const std::string& f,
                        ProfileTag tag) {
  ProfileRecord record;
  record.chainage = ch;
  record.elevation = z;
  record.curveLength = l;
  record.curveFigure = f;
  record.tag = tag;
  return FormatProfileLine(record);
}
std::string Mene(const std::string& ch, const std::string& z, const std::string& l = "0.000",
                 const std::string& f = "0.000") {
  return ProfileLine(ch, z, l, f, ProfileTag::Point);
}
std::string EntryLine(const std::string& ch, const std::string& z) {
  return ProfileLine(ch, z, "0.000", "0.000", ProfileTag::Entry);
}
std::string ExitLine(const std::string& ch, const std::string& z) {
  return ProfileLine(ch, z, "0.000", "0.000", ProfileTag::Exit);
}

const std::vector<std::string> kHorizontal = {"// Horizontal  //", "{",
                                              "  TF      0+000.000        100.000        200.000          0.000",
                                              "  PE      1+000.000        992.450        571.830          0.000", "}"};

class VerticalReport : public ::testing::Test {
 protected:
  // Converts the report rows (heading added) after a horizontal section, as the import dialog does.
  // Returns the lines of the vertical section body.
  std::vector<std::string> Convert(const std::vector<std::string>& rows) {
    std::vector<std::string> report = Heading();
    report.insert(report.end(), rows.begin(), rows.end());
    WriteBytes(reportPath(), CrLf(report));
    route = ParseRouteFile(LineList(kHorizontal), "tmp.gec");
    ConvertVertical(reportPath(), work.path(), route);
    std::vector<std::string> all = FormatRouteFile(route).lines();
    std::vector<std::string> head(all.begin(), all.begin() + kHorizontal.size());
    EXPECT_EQ(head, kHorizontal);
    std::vector<std::string> section(all.begin() + kHorizontal.size(), all.end());
    EXPECT_GE(section.size(), 3u);
    if (section.size() < 3) return {};
    EXPECT_EQ(section[0], "// Vertical //");
    EXPECT_EQ(section[1], "{");
    EXPECT_EQ(section.back(), "}");
    return std::vector<std::string>(section.begin() + 2, section.end() - 1);
  }

  // Expects the conversion to fail with this message at this report line (1-based, heading counted).
  void ExpectFailure(const std::vector<std::string>& rows, const std::string& message, long line) {
    std::vector<std::string> report = Heading();
    report.insert(report.end(), rows.begin(), rows.end());
    WriteBytes(reportPath(), CrLf(report));
    route = ParseRouteFile(LineList(kHorizontal), "tmp.gec");
    try {
      ConvertVertical(reportPath(), work.path(), route);
      ADD_FAILURE() << "no error for " << message;
    } catch (const Error& error) {
      EXPECT_EQ(error.message(), message);
      EXPECT_EQ(error.where(), "DUSEY.cks:" + std::to_string(line));
    }
  }

  std::filesystem::path reportPath() const { return source.path() / "DUSEY.cks"; }

  ScratchDir work, source;
  Route route;
};

TEST_F(VerticalReport, OneCrestCurveGivesFiveLinesWithNegativeFigure) {
  auto body =
      Convert({Start("0+000.000", "850.000"), Entry("0+200.000", "854.000", "2.000"), Vertex("0+300.000", "856.000"),
               Length("200.000", "9.5"), Exit("0+400.000", "855.000", "-1.000"), End("1+000.000", "843.000")});
  // Byte for byte the example of the route file format, column positions included.
  EXPECT_EQ(body, (std::vector<std::string>{"0+000.000        850.000          0.000          0.000 MENE",
                                            "0+200.000        854.000          0.000          0.000 G\xDDR\xDD\xDE",
                                            "0+300.000        856.000        200.000       -950.000 MENE",
                                            "0+400.000        855.000          0.000          0.000 \xC7IKI\xDE",
                                            "1+000.000        843.000          0.000          0.000 MENE"}));
}

struct FigureCase {
  const char* name;
  const char* entryGrade;
  const char* exitGrade;
  std::string lengthLine;  // the cells after "L=200.000"
  const char* figure;
};

class CurveFigure : public VerticalReport, public ::testing::WithParamInterface<FigureCase> {};

TEST_P(CurveFigure, SignFollowsTheGrades) {
  const FigureCase& c = GetParam();
  auto body = Convert({Start("0+000.000", "850.000"), Entry("0+200.000", "854.000", c.entryGrade),
                       Vertex("0+300.000", "856.000"),
                       kRule + "             " + kRule + " L=200.000 " + kRule + c.lengthLine + kRule,
                       Exit("0+400.000", "855.000", c.exitGrade), End("1+000.000", "843.000")});
  ASSERT_EQ(body.size(), 5u);
  EXPECT_EQ(body[2], Mene("0+300.000", "856.000", "200.000", c.figure));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CurveFigure,
    ::testing::Values(FigureCase{"Crest", "2.000", "-2.000", " K=50.000 ", "-5000.000"},
                      FigureCase{"Sag", "-2.000", "1.597", " K=44.484 ", "4448.400"},
                      FigureCase{"EqualGradesCountAsSag", "1.500", "1.500", " K=50.000 ", "5000.000"},
                      FigureCase{"RadiusBetweenLengthAndK", "2.000", "-2.000", " R=5000.000 K=50.000 ", "-5000.000"},
                      FigureCase{"RadiusInItsOwnCell", "-1.000", "3.000", " R=4000 " + std::string("\xB3") + " K=40 ",
                                 "4000.000"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
  const char* name;
  std::vector<std::string> rows;
  const char* message;
  long line;  // in the report, heading (4 lines) counted
};

class VerticalReportFailure : public VerticalReport, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(VerticalReportFailure, NamesTheTextAndTheLine) {
  ExpectFailure(GetParam().rows, GetParam().message, GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VerticalReportFailure,
    ::testing::Values(
        FailureCase{"TwoNumbersInTheKPart",
                    {kRule + " L=200.000 " + kRule + " K=50.000 7 " + kRule},
                    "' 50.000 7 ' is not a valid floating point value",
                    5},
        // "L=" is tested after "P.B": the row is a length line whose first field, "P.B", is taken as
        // the curve length, which must be a number.
        FailureCase{"StartKeywordOnALengthLineMakesItALengthLine",
                    {kRule + " P.B " + kRule + " L=200.000 " + kRule + " K=50.000 " + kRule},
                    "'P.B' is not a valid floating point value",
                    5},
        FailureCase{
            "KMissing", {kRule + " L=200.000 " + kRule + "  " + kRule}, "'  ' is not a valid floating point value", 5},
        // Cell rules vanish without a blank: chainage and elevation in adjacent cells are one field.
        FailureCase{"AdjacentCellsReadAsOneField",
                    {kRule + " P.B " + kRule + "0+000.000" + kRule + "850.000" + kRule},
                    "'0000.000850.000' is not a valid floating point value",
                    5},
        FailureCase{"ChainageNotANumber",
                    {Start("0+000.000", "850.000"), Vertex("km", "856.000")},
                    "'km' is not a valid floating point value",
                    6},
        FailureCase{"EntryGradeMissing",
                    {Start("0+000.000", "850.000"), kRule + " " + kEntryWord + " " + kRule + " 0+200.000 " + kRule +
                                                        " 854.000 " + kRule + "   " + kRule},
                    "'   ' is not a valid floating point value",
                    6},
        // Elevations and curve lengths go into the document as they stand, so each is checked on its line.
        FailureCase{"VertexElevationWithALetter",
                    {Start("0+000.000", "850.000"), Vertex("0+900.000", "92l.000")},
                    "'92l.000' is not a valid floating point value",
                    6},
        FailureCase{"StartElevationMissing",
                    {kRule + " P.B " + kRule + " 0+000.000 " + kRule + "  " + kRule},
                    "'' is not a valid floating point value",
                    5},
        FailureCase{"CurveLengthNotANumber",
                    {Start("0+000.000", "850.000"), kRule + " L=R=x240.000 " + kRule + " K=50.000 " + kRule},
                    "'R=x240.000' is not a valid floating point value",
                    6},
        FailureCase{"ExitElevationWithAForeignLetter",
                    {Start("0+000.000", "850.000"), Vertex("0+300.000", "856.000"),
                     Exit("0+400.000",
                          "902\xD0"
                          "600",
                          "1.000")},
                    // The message quotes the report's byte as the letter it is, in UTF-8.
                    "'902\xC4\x9E"
                    "600' is not a valid floating point value",
                    7},
        // Nothing known before the first start line: an exit there has no vertex to write.
        FailureCase{"ExitBeforeAnyVertex",
                    {Exit("0+400.000", "855.000", "1.000"), Start("0+000.000", "850.000")},
                    "'' is not a valid floating point value",
                    5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(VerticalReport, TwoCurvesInARowKeepTheirOwnValues) {
  auto body = Convert(
      {Start("0+000.000", "850.000"), Entry("0+200.000", "854.000", "2.000"), Vertex("0+300.000", "856.000"),
       Length("200.000", "50.000"), Exit("0+400.000", "854.000", "-2.000"), Entry("0+620.000", "849.600", "-2.000"),
       Length("160.000", "44.484"), Vertex("0+700.000", "848.000"), Exit("0+780.000", "849.277", "1.597"),
       // A third curve without a length line: its figure is back to 0.000, its length held.
       Entry("0+800.000", "849.600", "1.597"), Vertex("0+850.000", "850.400"), Exit("0+900.000", "850.000", "-0.800"),
       End("0+950.500", "849.600")});
  EXPECT_EQ(body, (std::vector<std::string>{Mene("0+000.000", "850.000"), EntryLine("0+200.000", "854.000"),
                                            Mene("0+300.000", "856.000", "200.000", "-5000.000"),
                                            ExitLine("0+400.000", "854.000"), EntryLine("0+620.000", "849.600"),
                                            Mene("0+700.000", "848.000", "160.000", "4448.400"),
                                            ExitLine("0+780.000", "849.277"), EntryLine("0+800.000", "849.600"),
                                            Mene("0+850.000", "850.400", "160.000", "-0.000"),
                                            ExitLine("0+900.000", "850.000"), Mene("0+950.500", "849.600")}));
}

TEST_F(VerticalReport, ReportWithoutStartLineBeginsWithTheFirstEntry) {
  auto body =
      Convert({Entry("1+200.000", "854.000", "2.000"), Vertex("1+300.000", "856.000"), Length("200.000", "50.000"),
               Exit("1+400.000", "854.000", "-2.000"), End("2+000.000", "842.000")});
  EXPECT_EQ(body, (std::vector<std::string>{EntryLine("1+200.000", "854.000"),
                                            Mene("1+300.000", "856.000", "200.000", "-5000.000"),
                                            ExitLine("1+400.000", "854.000"), Mene("2+000.000", "842.000")}));
}

// Before the first start line the curve length and figure are "0.000", as a start line leaves them:
// a curve printed without its length line becomes a plain point instead of a line with empty columns.
TEST_F(VerticalReport, CurveBeforeTheStartLineWithoutLengthLine) {
  auto body = Convert({Entry("0+200.000", "854.000", "-1.000"), Vertex("0+300.000", "856.000"),
                       Exit("0+400.000", "854.000", "2.000"), Start("0+000.000", "850.000")});
  EXPECT_EQ(body, (std::vector<std::string>{EntryLine("0+200.000", "854.000"), Mene("0+300.000", "856.000"),
                                            ExitLine("0+400.000", "854.000"), Mene("0+000.000", "850.000")}));
}

TEST_F(VerticalReport, KeywordsAreFoundWithoutBlanksAndAnyLetterCaseIsRemoved) {
  // "P.B" glued to its chainage; a start line holding "p.b" once more loses it too.
  auto body = Convert({kRule + "P.B" + kRule + "0+025.500 p.b 850.000" + kRule, "no keyword here",
                       Row({"P.S", "12+345.678", "843.25", ""})});
  EXPECT_EQ(body, (std::vector<std::string>{Mene("0+025.500", "850.000"), Mene("12+345.678", "843.25")}));
}

TEST_F(VerticalReport, ReportWithoutKeywordLinesGivesAnEmptySection) {
  EXPECT_TRUE(Convert({"nothing to read", ""}).empty());
}

TEST_F(VerticalReport, FailureLeavesTheRouteAsTheHorizontalStepMadeIt) {
  const std::string horizontalFile = CrLf(kHorizontal);
  WriteBytes(work / "tmp.gec", horizontalFile);
  ExpectFailure({Start("0+000.000", "850.000"), Entry("0+200.000", "854.000", "2.000"), Vertex("x", "1")},
                "'x' is not a valid floating point value", 7);
  EXPECT_EQ(ReadBytes(work / "tmp.gec"), horizontalFile);
  // Only a report converted to its end becomes the profile.
  EXPECT_FALSE(route.vertical);
  EXPECT_EQ(FormatRouteFile(route).lines(), kHorizontal);
  // The report copy is left in the work folder.
  EXPECT_EQ(ReadBytes(work / "tmp.cks"), ReadBytes(reportPath()));
}

TEST_F(VerticalReport, ReadsThroughACopyInTheWorkFolder) {
  WriteBytes(work / "tmp.cks", "an older report\r\n");
  Convert({Start("0+000.000", "850.000"), End("0+100.000", "851.000")});
  EXPECT_EQ(ReadBytes(work / "tmp.cks"), ReadBytes(reportPath()));
}

// A report that is one of the files the conversion writes would be lost to it: refused, untouched.
TEST_F(VerticalReport, ReportThatIsAWorkFileIsRefused) {
  std::vector<std::string> report = Heading();
  report.push_back(Start("0+000.000", "850.000"));
  const std::string horizontalFile = CrLf(kHorizontal);
  for (const char* name : {"tmp.cks", "tmp.gec"}) {
    WriteBytes(work / "tmp.gec", horizontalFile);
    WriteBytes(work / name, CrLf(report));
    route = ParseRouteFile(LineList(kHorizontal), "tmp.gec");
    try {
      ConvertVertical(work / name, work.path(), route);
      ADD_FAILURE() << name << ": no error";
    } catch (const Error& error) {
      EXPECT_EQ(error.message(), "Cannot write " + (work / name).string() + ": it is the input file " +
                                     (work / name).string() + "; nothing was written");
    }
    EXPECT_EQ(ReadBytes(work / name), CrLf(report)) << name;
    EXPECT_EQ(FormatRouteFile(route).lines(), kHorizontal) << name;
  }
}

TEST_F(VerticalReport, MissingReportCannotBeOpened) {
  route = ParseRouteFile(LineList(kHorizontal), "tmp.gec");
  const auto missing = source.path() / "YOK.cks";
  try {
    ConvertVertical(missing, work.path(), route);
    ADD_FAILURE() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(test::FirstLine(error.message()), "Cannot open file " + missing.string());
  }
  EXPECT_EQ(FormatRouteFile(route).lines(), kHorizontal);
}

}  // namespace
}  // namespace velkor
