// The element table conversion: rows to point lines, arc turning sense, spiral parameters, failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/line_list.h"
#include "import/report_import.h"
#include "import/route_import.h"
#include "test_support.h"

namespace velkor {
namespace {

using test::ScratchDir;

const std::string kRule = "\xC3\xC4\xC4\xC4\xC5\xC4\xC4\xC4\xB4";
const std::string kStraight = "DO\xD0RU";
const std::string kSpiral =
    "KLOTO\xDD"
    "D";

// One table line: the cells between column rules, each with a blank around it as reports print them.
std::string Cells(const std::vector<std::string>& cells) {
  std::string line = "\xB3";
  for (const auto& c : cells) line += " " + c + " \xB3";
  return line;
}

std::vector<std::string> Heading() {
  return {"NetCAD Yatay G\xFCzergah Eleman Tablosu", "\xDA\xC4\xC4\xC4\xC2\xC4\xC4\xC4\xBF",
          "\xB3"
          "ELEMAN \xB3 NOKTA \xB3 KM \xB3 Y \xB3 X \xB3 DE\xD0"
          "ER \xB3"};
}

std::string EndRow(const std::string& chainage, const std::string& e, const std::string& n) {
  return "\xB3       \xB3PS\xB3 " + chainage + " \xB3 " + e + " \xB3 " + n + " \xB3      \xB3";
}

// The arc's three lines: start, then the PI and the arc's middle as the second and third points.
std::vector<std::string> ArcRow(const std::string& name, const std::string& code, const std::string& chainage,
                                const std::string& e1, const std::string& n1, const std::string& value,
                                const std::string& e2, const std::string& n2, const std::string& e3,
                                const std::string& n3) {
  return {Cells({name, code, chainage, e1, n1, value}), Cells({"A\xE7\xFD", "PI", "T=45.492", e2, n2, ""}),
          Cells({"", "YO", "", e3, n3, ""})};
}

struct Converted {
  std::vector<std::string> routeLines;  // tmp.gec as written
  Route route;                          // the records it was written from
};

class HorizontalTable : public ::testing::Test {
 protected:
  std::filesystem::path Write(const std::vector<std::string>& lines, const std::string& name = "YOL.cks") {
    auto file = dir_ / name;
    test::WriteBytes(file, test::CrLf(lines));
    return file;
  }
  Converted Convert(const std::vector<std::string>& lines) {
    Converted c;
    c.route = AcceptReports(Write(lines), {}, dir_.path()).route;
    c.routeLines = test::SplitLines(test::ReadBytes(dir_ / "tmp.gec"));
    return c;
  }
  Error ConvertFails(const std::vector<std::string>& lines) {
    try {
      AcceptReports(Write(lines), {}, dir_.path());
    } catch (const Error& e) {
      return e;
    }
    ADD_FAILURE() << "conversion succeeded";
    return Error("");
  }
  ScratchDir dir_;
};

std::vector<std::string> SpiralCurveTable() {
  std::vector<std::string> t = Heading();
  auto add = [&t](const std::vector<std::string>& rows) {
    t.push_back(kRule);
    t.insert(t.end(), rows.begin(), rows.end());
  };
  add({Cells({kStraight, "TF", "0+000.000", "100.000", "200.000", "L=250.000"})});
  add({Cells({kSpiral, "TS", "0+250.000", "350.000", "200.000", "L=50.000"})});
  // The third point lies counter-clockwise of the second, seen from the arc's start.
  add(ArcRow("YAY", "SC", "0+300.000", "399.580", "203.330", "R=250.000", "450.000", "210.000", "440.000", "230.000"));
  add({Cells({kSpiral, "CS", "0+390.000", "481.270", "238.600", "L=50.000"})});
  add({Cells({kStraight, "ST", "0+440.000", "523.100", "265.920", "L=560.000"})});
  t.push_back(EndRow("1+000.000", "992.450", "571.830"));
  t.push_back("\xC0\xC4\xC4\xC4\xC1\xC4\xC4\xC4\xD9");
  return t;
}

TEST_F(HorizontalTable, SpiralArcSpiralGivesSixPointLinesWithClothoidParameters) {
  Converted c = Convert(SpiralCurveTable());
  const std::vector<std::string> expected = {
      "// Horizontal  //",
      "{",
      "  TF      0+000.000        100.000        200.000          0.000",
      "  TS      0+250.000        350.000        200.000         50.000        111.803 ORTA",
      "  SC      0+300.000        399.580        203.330       -250.000",
      "  CS      0+390.000        481.270        238.600         50.000        111.803 ORTA",
      "  ST      0+440.000        523.100        265.920          0.000",
      "  PE      1+000.000        992.450        571.830          0.000",
      "}",
  };
  EXPECT_EQ(c.routeLines, expected);
  EXPECT_EQ(FormatRouteFile(c.route).lines(), expected);
  // The user's report is read through a copy in the work folder and left as it was.
  EXPECT_EQ(test::ReadBytes(dir_ / "tmp.cks"), test::CrLf(SpiralCurveTable()));
}

TEST_F(HorizontalTable, ArcTurningSenseFromItsTwoExtraPoints) {
  struct Case {
    const char* scenario;
    std::string e3, n3;
    std::string value;
  };
  // Start (0, 0), second point due north (0, 100): the third point decides.
  const Case cases[] = {
      {"third point to the east turns clockwise", "10.000", "100.000", "300.000"},
      {"third point to the west turns counter-clockwise", "-10.000", "100.000", "-300.000"},
      {"third point straight behind (200 grads) counts as clockwise", "0.000", "-50.000", "300.000"},
      {"third point a hair west of north turns counter-clockwise", "-0.001", "500.000", "-300.000"},
  };
  for (const Case& k : cases) {
    std::vector<std::string> t = Heading();
    t.push_back(kRule);
    for (auto& l : ArcRow("YAY", "TC", "0+100.000", "0.000", "0.000", "R=300.000", "0.000", "100.000", k.e3, k.n3))
      t.push_back(l);
    t.push_back(EndRow("0+200.000", "50.000", "150.000"));
    Converted c = Convert(t);
    ASSERT_EQ(c.routeLines.size(), 5u) << k.scenario;
    EXPECT_EQ(c.routeLines[2], "  TC      0+100.000          0.000          0.000" +
                                   std::string(15 - std::string(k.value).size(), ' ') + k.value)
        << k.scenario;
  }
}

TEST_F(HorizontalTable, RowsAndEndRowVariants) {
  struct Case {
    const char* scenario;
    std::vector<std::string> rows;  // after the heading
    std::vector<std::string> body;  // point lines expected between the braces
  };
  const std::string row = Cells({kStraight, "TF", "1+234.5678", "10.000", "20.000", "L=100.000"});
  const Case cases[] = {
      {"no end row: read to the end, no PE line",
       {kRule, row, "text after the table"},
       {"  TF      1+234.568         10.000         20.000          0.000"}},
      {"lower-case yay is no arc: its value is copied without a sign, its extra lines passed over",
       {kRule, Cells({"yay", "TC", "0+100.000", "1.000", "2.000", "r=250.000"}),
        Cells({"A\xE7\xFD", "PI", "T=1", "x", "y", ""}), Cells({"", "YO", "", "x", "y", ""}),
        EndRow("0+200.000", "3.000", "4.000")},
       {"  TC      0+100.000          1.000          2.000        250.000",
        "  PE      0+200.000          3.000          4.000          0.000"}},
      {"an element name with a lower-case \xF0 starts a straight",
       {kRule, Cells({"do\xF0ru", "CT", "0+000.000", "1.000", "2.000", "L=5.000"}), EndRow("0+005.000", "1", "7")},
       {"  CT      0+000.000          1.000          2.000          0.000",
        "  PE      0+005.000              1              7          0.000"}},
      {"rows after the end row are not read",
       {kRule, row, EndRow("2+000.000", "1", "2"), kRule, row},
       {"  TF      1+234.568         10.000         20.000          0.000",
        "  PE      2+000.000              1              2          0.000"}},
  };
  for (const Case& k : cases) {
    std::vector<std::string> t = Heading();
    t.insert(t.end(), k.rows.begin(), k.rows.end());
    Converted c = Convert(t);
    std::vector<std::string> expected = {"// Horizontal  //", "{"};
    expected.insert(expected.end(), k.body.begin(), k.body.end());
    expected.push_back("}");
    EXPECT_EQ(c.routeLines, expected) << k.scenario;
  }
}

TEST_F(HorizontalTable, ThirdLineWithoutElemanWritesNothing) {
  std::vector<std::string> t = SpiralCurveTable();
  t[2] = "\xB3 KM \xB3 KOT \xB3";
  Route route;
  ConvertHorizontal(Write(t), dir_.path(), route);
  EXPECT_FALSE(route.horizontal);
  EXPECT_TRUE(route.points.empty());
  AcceptReports(dir_ / "YOL.cks", {}, dir_.path());
  EXPECT_FALSE(std::filesystem::exists(dir_ / "tmp.gec"));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "tmp.cks"));
}

TEST_F(HorizontalTable, FailuresNameTheReportLineAndTheOffendingText) {
  struct Case {
    const char* scenario;
    int row;  // index into SpiralCurveTable() to replace (-1: append)
    std::vector<std::string> replacement;
    std::string message;
    long line;
  };
  const Case cases[] = {
      {"chainage not a number",
       4,
       {Cells({kStraight, "TF", "0+0x0.000", "100.000", "200.000", "L=1"})},
       "'00x0.000' is not a valid floating point value",
       5},
      {"arc start easting empty",
       8,
       {Cells({"YAY", "SC", "0+300.000", "", "", ""})},
       "'' is not a valid floating point value",
       9},
      {"arc second point not a number",
       9,
       {Cells({"A\xE7\xFD", "PI", "T=1", "4S0.000", "210", ""})},
       "'4S0.000' is not a valid floating point value",
       10},
      {"arc third point not a number",
       10,
       {Cells({"", "YO", "", "440.000", "2.3.0", ""})},
       "'2.3.0' is not a valid floating point value",
       11},
      {"arc value not a number",
       8,
       {Cells({"YAY", "SC", "0+300.000", "399.580", "203.330", "R=abc"})},
       "'abc' is not a valid floating point value",
       9},
      {"straight easting with a letter",
       4,
       {Cells({kStraight, "TF", "0+000.000", "5OOOOO.OOO", "200.000", "L=250.000"})},
       "'5OOOOO.OOO' is not a valid floating point value",
       5},
      {"spiral length with a letter",
       6,
       {Cells({kSpiral, "TS", "0+250.000", "350.000", "200.000", "L=5O.000"})},
       "'5O.000' is not a valid floating point value",
       7},
      {"negative spiral length",
       6,
       {Cells({kSpiral, "TS", "0+250.000", "350.000", "200.000", "L=-50.000"})},
       "Invalid floating point operation",
       7},
  };
  for (const Case& k : cases) {
    std::vector<std::string> t = SpiralCurveTable();
    t[static_cast<size_t>(k.row)] = k.replacement[0];
    Error e = ConvertFails(t);
    EXPECT_EQ(e.message(), k.message) << k.scenario;
    EXPECT_EQ(e.file(), "YOL.cks") << k.scenario;
    EXPECT_EQ(e.line(), k.line) << k.scenario;
  }
}

TEST_F(HorizontalTable, EndRowRightAfterARuleIsRefused) {
  // Read as an element row, the end row's fields shift and its value cell is empty: no number for the
  // route file, where it would have left a line no reader can place.
  std::vector<std::string> t = Heading();
  t.push_back(kRule);
  t.push_back(Cells({kStraight, "TF", "1+234.5678", "10.000", "20.000", "L=100.000"}));
  t.push_back(kRule);
  t.push_back(EndRow("0+950.500", "662.939", "650.428"));
  Error e = ConvertFails(t);
  EXPECT_EQ(e.message(), "'' is not a valid floating point value");
  EXPECT_EQ(e.where(), "YOL.cks:" + std::to_string(t.size()));
}

TEST_F(HorizontalTable, SpiralLineBelowAnotherSpiralLineFailsOnItsExtendedNeighbour) {
  std::vector<std::string> t = Heading();
  for (auto row : {Cells({kSpiral, "TS", "0+000.000", "1.000", "2.000", "L=50.000"}),
                   Cells({kSpiral, "CS", "0+050.000", "3.000", "4.000", "L=50.000"})}) {
    t.push_back(kRule);
    t.push_back(row);
  }
  t.push_back(EndRow("0+100.000", "5.000", "6.000"));
  Error e = ConvertFails(t);
  // The TS line takes its radius from the CS line (50), then CS reads the extended TS line.
  EXPECT_EQ(e.message(), "'        50.000         50.000 ORTA' is not a valid floating point value");
  EXPECT_EQ(e.where(), "YOL.cks:5");
}

TEST_F(HorizontalTable, ArcRowCutShortByTheEndOfTheReport) {
  std::vector<std::string> t = Heading();
  t.push_back(kRule);
  t.push_back(Cells({"YAY", "TC", "0+000.000", "1.000", "2.000", "R=100"}));
  Error e = ConvertFails(t);
  EXPECT_EQ(e.message(), "'' is not a valid floating point value");
  EXPECT_EQ(e.where(), "YOL.cks:6");
  // A route file is written only for a table converted to its end.
  EXPECT_FALSE(std::filesystem::exists(dir_ / "tmp.gec"));
}

TEST_F(HorizontalTable, MissingReportCannotBeOpened) {
  Route route;
  auto missing = dir_ / "YOK.cks";
  try {
    ConvertHorizontal(missing, dir_.path(), route);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(test::FirstLine(e.message()), "Cannot open file " + missing.string());
  }
}

// A table that is one of the work files the conversion writes (the report copy or the route file)
// would be destroyed before it is read: refused, the file untouched, nothing else written.
TEST_F(HorizontalTable, ReportThatIsAWorkFileIsRefused) {
  for (const char* name : {"tmp.cks", "tmp.gec"}) {
    const auto table = Write(SpiralCurveTable(), name);
    Route route;
    try {
      ConvertHorizontal(table, dir_.path(), route);
      ADD_FAILURE() << name << ": no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.message(), "Cannot write " + table.string() + ": it is the input file " + table.string() +
                                 "; nothing was written");
    }
    EXPECT_EQ(test::ReadBytes(table), test::CrLf(SpiralCurveTable())) << name;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1) << name;
    std::filesystem::remove(table);
  }
}

TEST(AddSpiralParameters, NeighbourValueSignDoesNotMatterAndOtherLinesStay) {
  const std::vector<std::string> route = {
      "// Horizontal  //",
      "{",
      "  SS      0+000.000          1.000          2.000         80.000",
      "  CC      0+080.000          3.000          4.000       -320.000",
      "  XX      0+180.000          5.000          6.000          1.000",
      "}",
  };
  Route records = ParseRouteFile(LineList(route), "tmp.gec");
  AddSpiralParameters(records.points);
  std::vector<std::string> expected = route;
  expected[2] += "        160.000 ORTA";
  EXPECT_EQ(FormatRouteFile(records).lines(), expected);
}

TEST(RecognizeReport, ByTheHeadingCellOfTheThirdLine) {
  ScratchDir dir;
  struct Case {
    const char* scenario;
    std::string third;
    ReportKind kind;
  };
  const Case cases[] = {
      {"element table",
       "\xB3"
       "ELEMAN \xB3 NOKTA \xB3",
       ReportKind::ElementTable},
      {"vertical report", "\xB3 KM \xB3  E\xF0im (%)  \xB3", ReportKind::VerticalReport},
      {"grade heading with a plain g", "\xB3  Egim (%)  \xB3", ReportKind::Other},
      {"ELEMAN without its rule", "ELEMAN \xB3", ReportKind::Other},
      {"heading on the second line only", "", ReportKind::Other},
  };
  for (const Case& k : cases) {
    test::WriteBytes(dir / "r.cks", test::CrLf({"title",
                                                "\xB3"
                                                "ELEMAN \xB3",
                                                k.third}));
    EXPECT_EQ(RecognizeReport(dir / "r.cks"), k.kind) << k.scenario;
  }
}

TEST(RecognizeReport, UnreadableOrShortFiles) {
  ScratchDir dir;
  test::WriteBytes(dir / "short.cks", test::CrLf({"one",
                                                  "\xB3"
                                                  "ELEMAN \xB3"}));
  try {
    RecognizeReport(dir / "short.cks");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "List index out of bounds (2)");
  }
  try {
    RecognizeReport(dir / "none.cks");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(test::FirstLine(e.message()), "Cannot open file " + (dir / "none.cks").string());
  }
}

}  // namespace
}  // namespace velkor
