// The alignment writer on small hand-made route sections: worked values, the document lines byte
// for byte, the aln.gsi records, and the failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/number_text.h"
#include "base/plane_geometry.h"
#include "base/text_fields.h"
#include "export/section_steps.h"
#include "import/route_file.h"
#include "test_support.h"

namespace velkor {
namespace {

using test::ScratchDir;

std::string P(const std::string& code, const std::string& chainage, const std::string& e, const std::string& n,
              const std::string& value, const std::string& a = "") {
  std::string line = test::PointLine(code, chainage, e, n, value);
  if (!a.empty()) line += std::string(15 - a.size(), ' ') + a + " ORTA";
  return line;
}

struct Exported {
  std::vector<std::string> document;
  std::vector<std::string> gsi;
};

Exported Export(const std::vector<std::string>& body) {
  std::vector<std::string> route = {"// Horizontal  //", "{"};
  route.insert(route.end(), body.begin(), body.end());
  route.push_back("}");
  std::ostringstream doc, gsi;
  WriteHorizontalAlignment(ParseRouteFile(LineList(route), "tmp.gec").points, doc, gsi);
  std::string text = doc.str();
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  return {test::SplitLines(text), test::SplitLines(gsi.str())};
}

Error ExportFails(const std::vector<std::string>& body) {
  try {
    Export(body);
  } catch (const Error& e) {
    return e;
  }
  ADD_FAILURE() << "export succeeded";
  return Error("");
}

const std::string kHeader = "*41....+0000000000000ALN 42....+00000000HZALIGNM 43....+00000000STACOORD ";

// The curve begins the route, so it starts from its chord's direction turned back by half the curve:
// the worked case's direction 0 to within what the millimetres of its end point allow.
TEST(HorizontalAlignment, ClockwiseCurveWorkedCase) {
  Exported x = Export({P("TC", "0+000.000", "1000", "2000", "100"), P("CT", "0+104.720", "1050", "2086.603", "0.000"),
                       P("PE", "0+204.720", "1100", "2173.206", "0.000")});
  const std::vector<std::string> expected = {
      "\t\t<Alignment name=\"1\" length=\"204.72000000 \" staStart=\"0000.000 \">",
      "\t\t\t<CoordGeom>",
      "\t\t\t\t<Curve rot=\"cw\" chord=\"100 \" delta=\"60 \" dirEnd=\"59.9998683286474 \" "
      "dirStart=\"-0.00013167135260872 \" "
      "length=\"104.72000000 \" radius=\"100 \" staStart=\"0000.000 \" tangent=\"57.7350269189626\" crvType=\"arc\">",
      "\t\t\t\t\t<Start>2000 1000 </Start>",
      "\t\t\t\t\t<Center>2000.000 1100.000 </Center>",
      "\t\t\t\t\t<End>2086.603 1050 </End>",
      "\t\t\t\t\t<PI>2057.735 1000.000 </PI>",
      "\t\t\t\t</Curve>",
      "\t\t\t\t<Line dir=\"29.9998683286474 \" length=\"100.00000000 \" staStart=\"0104.720 \">",
      "\t\t\t\t\t<Start>2086.603 1050 </Start>",
      "\t\t\t\t\t<End>2173.206 1100 </End>",
      "\t\t\t\t</Line>",
      "\t\t\t</CoordGeom>",
  };
  EXPECT_EQ(x.document, expected);
  const std::vector<std::string> gsi = {
      kHeader,
      "*11....+0000000000000000 71....+00000000000CURVE 72....+0000000000100000 73....+0000000000000000 "
      "81..10+0000000001000000 82..10+0000000002000000 ",
      "*11....+0000000000104720 71....+00000000STRAIGHT 72....+0000000000000NON 73....+0000000000000000 "
      "81..10+0000000001050000 82..10+0000000002086603 ",
      "*11....+0000000000204720 71....+0000000000000EOP 72....+0000000000000NON 73....+0000000000000000 "
      "81..10+0000000001100000 82..10+0000000002173206 ",
  };
  EXPECT_EQ(x.gsi, gsi);
}

// The text of an attribute as written, blanks included ("60 ").
std::string Attr(const std::string& line, const std::string& name) {
  std::string key = " " + name + "=\"";
  auto at = line.find(key);
  if (at == std::string::npos) return "<missing>";
  at += key.size();
  return line.substr(at, line.find('"', at) - at);
}

double Num(const std::string& line, const std::string& name) { return ParseFloat(Attr(line, name)); }

// The lines of the document that open an element (Line, Curve, Spiral), in order.
std::vector<std::string> Elements(const Exported& x) {
  std::vector<std::string> out;
  for (const auto& l : x.document) {
    if (l.rfind("\t\t\t\t<", 0) == 0 && l.rfind("\t\t\t\t</", 0) != 0) out.push_back(l);
  }
  return out;
}

// A straight due north hands the curve the direction 0.
TEST(HorizontalAlignment, CounterClockwiseMirror) {
  Exported x = Export({P("TF", "0-100.000", "1000", "1900", "0.000"), P("TC", "0+000.000", "1000", "2000", "-100"),
                       P("PE", "0+104.720", "950", "2086.603", "0.000")});
  ASSERT_EQ(x.document.size(), 13u);
  const std::string& curve = x.document[6];
  EXPECT_EQ(Attr(curve, "rot"), "ccw");
  EXPECT_EQ(Attr(curve, "delta"), "60 ");
  EXPECT_EQ(Attr(curve, "dirStart"), "0 ");
  EXPECT_EQ(Attr(curve, "dirEnd"), "-60 ");
  EXPECT_EQ(Attr(curve, "radius"), "100 ");
  EXPECT_EQ(x.document[8], "\t\t\t\t\t<Center>2000.000 900.000 </Center>");
  EXPECT_EQ(x.document[10], "\t\t\t\t\t<PI>2057.735 1000.000 </PI>");
  EXPECT_EQ(x.gsi[2].substr(49, 23), "72....-0000000000100000");
}

TEST(HorizontalAlignment, EntrySpiralWorkedCase) {
  Exported x = Export(
      {P("TF", "0-050.000", "1000", "1950", "0.000"), P("TS", "0+000.000", "1000", "2000", "50", "70.711"),
       P("SC", "0+050.000", "1008.286", "2049.655", "100"), P("PE", "0+060.000", "1013.000", "2058.000", "0.000")});
  ASSERT_EQ(x.document.size(), 18u);
  const std::string& spiral = x.document[6];
  EXPECT_EQ(spiral.substr(0, 95),
            "\t\t\t\t<Spiral length=\"50 \" radiusEnd=\"100 \" radiusStart=\"INF\" rot=\"cw\" spiType=\"clothoid\" "
            "chord=\"");
  EXPECT_EQ(Attr(spiral, "theta"), "14.3239448782706 ");
  EXPECT_EQ(Attr(spiral, "dirEnd"), "14.3239448782706 ");
  EXPECT_EQ(Attr(spiral, "dirStart"), "0 ");
  EXPECT_NEAR(Num(spiral, "chord"), 49.86035, 5e-6);
  EXPECT_EQ(Attr(spiral, "staStart"), "0000.000 ");
  EXPECT_EQ(x.document[7], "\t\t\t\t\t<Start>2000 1000 </Start>");
  EXPECT_EQ(x.document[8], "\t\t\t\t\t<PI>2033.442 1000.000 </PI>");
  EXPECT_EQ(x.document[9], "\t\t\t\t\t<End>2049.655 1008.286 </End>");
  EXPECT_EQ(x.document[10], "\t\t\t\t</Spiral>");
  EXPECT_EQ(x.gsi[2].substr(25, 47), "71....+0000000000SPIRIN 72....+0000000000070711");
  // The curve after the spiral starts from the spiral's end direction.
  EXPECT_EQ(Attr(x.document[11], "dirStart"), "14.3239448782706 ");
}

TEST(HorizontalAlignment, ExitSpiralTakesThePrecedingCurveRadiusAndWritesANegativeTheta) {
  Exported x =
      Export({P("TC", "0+000.000", "0.000", "0.000", "-250.000"),
              P("CS", "0+050.000", "-4.994", "49.917", "50.000", "111.803"),
              P("ST", "0+100.000", "-19.800", "97.663", "0.000"), P("PE", "0+200.000", "-55.000", "191.254", "0.000")});
  std::vector<std::string> el = Elements(x);
  ASSERT_EQ(el.size(), 3u);
  EXPECT_EQ(Attr(el[1], "radiusStart"), "250 ");
  EXPECT_EQ(Attr(el[1], "radiusEnd"), "INF");
  EXPECT_EQ(Attr(el[1], "rot"), "ccw");
  EXPECT_EQ(Attr(el[1], "theta"), "-5.72957795130823 ");
  EXPECT_NEAR(Num(el[1], "dirEnd"), Num(el[1], "dirStart") - 5.72957795130823, 1e-12);
  EXPECT_EQ(x.gsi[2].substr(25, 47), "71....+000000000SPIROUT 72....+0000000000111803");
}

// Directions compared whatever whole turns lie between them, in degrees.
double AngleGap(double a, double b) {
  double d = std::fmod(std::fabs(a - b), 360.0);
  return std::min(d, 360 - d);
}

// "<PI>N E </PI>" -> {E, N}.
std::pair<double, double> Coordinates(const std::string& line) {
  std::string text = line.substr(line.find('>') + 1);
  std::string n = NextField(text), e = NextField(text);
  return {ParseFloat(e), ParseFloat(n)};
}

// A route that begins in a curve or an entry spiral has no direction to carry: it starts from its
// chord's, turned back by half the curve or by the clothoid's chord deflection. Each case heads due
// north at its start, with its end point where the true element ends (to the millimetre).
TEST(HorizontalAlignment, FirstElementStartsFromItsChord) {
  struct Case {
    const char* scenario;
    std::vector<std::string> body;
    double dirEnd;
    double piE, piN;
  };
  const Case cases[] = {
      {"clockwise curve",
       {P("TO", "0+000.000", "1000", "2000", "100"), P("PE", "0+104.720", "1050", "2086.603", "0.000")},
       60,
       1000,
       2057.735},
      {"counter-clockwise curve",
       {P("TC", "0+000.000", "1000", "2000", "-100"), P("PE", "0+104.720", "950", "2086.603", "0.000")},
       -60,
       1000,
       2057.735},
      {"clockwise entry spiral",
       {P("TS", "0+000.000", "1000", "2000", "50", "70.711"), P("SC", "0+050.000", "1004.148", "2049.688", "100"),
        P("PE", "0+060.000", "1005.900", "2059.500", "0.000")},
       14.3239448782706,
       1000,
       2033.442},
      {"counter-clockwise entry spiral",
       {P("TS", "0+000.000", "1000", "2000", "50", "70.711"), P("SC", "0+050.000", "995.852", "2049.688", "-100"),
        P("PE", "0+060.000", "994.100", "2059.500", "0.000")},
       -14.3239448782706,
       1000,
       2033.442},
  };
  for (const Case& k : cases) {
    Exported x = Export(k.body);
    const std::string& head = x.document[2];
    EXPECT_LT(AngleGap(Num(head, "dirStart"), 0), 0.002) << k.scenario << ": " << head;
    EXPECT_LT(AngleGap(Num(head, "dirEnd"), k.dirEnd), 0.002) << k.scenario << ": " << head;
    auto pi = std::find_if(x.document.begin(), x.document.end(),
                           [](const std::string& l) { return l.find("<PI>") != std::string::npos; });
    ASSERT_NE(pi, x.document.end()) << k.scenario;
    auto [e, n] = Coordinates(*pi);
    EXPECT_NEAR(e, k.piE, 0.002) << k.scenario;
    EXPECT_NEAR(n, k.piN, 0.002) << k.scenario;
  }
}

// An exit spiral ending where a curve or another spiral begins keeps the radius it leaves and turns
// its own way to its end: the end point's value (that element's radius or length) and the point after
// it (on that element) say nothing about it. So every such code gives the same spiral, whose PI lies
// back along its own end direction.
TEST(HorizontalAlignment, ExitSpiralIntoACurveOrSpiral) {
  std::vector<std::string> spirals;
  for (const std::string code : {"TO", "TC", "SC", "CC", "TS", "SS", "CS"}) {
    const bool spiral = code == "TS" || code == "SS" || code == "CS";
    Exported x = Export(
        {P("TF", "0-100.000", "0", "-100", "0.000"), P("TC", "0+000.000", "0", "0", "-250.000"),
         P("CS", "0+050.000", "-4.967", "49.667", "50.000", "111.803"),
         P(code, "0+100.000", "-16.530", "98.310", spiral ? "60.000" : "-300.000", spiral ? "134.164" : ""),
         P("SC", "0+150.000", "-33.000", "146.000", "-300.000"), P("PE", "0+200.000", "-52.000", "192.000", "0.000")});
    ASSERT_GE(x.document.size(), 21u) << code;
    const std::string& head = x.document[12];
    EXPECT_EQ(Attr(head, "radiusStart"), "250 ") << code;
    EXPECT_EQ(Attr(head, "theta"), "-5.72957795130823 ") << code;
    EXPECT_NEAR(Num(head, "dirEnd"), Num(head, "dirStart") - 5.72957795130823, 1e-9) << code;
    auto [piE, piN] = Coordinates(x.document[14]);
    auto [endE, endN] = std::pair<double, double>{-16.530, 98.310};
    double back = Azimuth(endE, endN, piE, piN) * 9 / 10;
    EXPECT_LT(AngleGap(back, Num(head, "dirEnd") + 180), 0.01) << code;
    // The next element goes on from the spiral's end direction.
    EXPECT_EQ(Attr(x.document[17], "dirStart"), Attr(head, "dirEnd")) << code;
    spirals.push_back(head + x.document[14]);
  }
  for (const auto& s : spirals) EXPECT_EQ(s, spirals.front());
}

TEST(HorizontalAlignment, ElementKindsFromPointCodes) {
  struct Case {
    const char* scenario;
    std::vector<std::string> body;
    std::vector<std::string> tags;  // element tags in the document
    std::vector<std::string> gsiTypes;
  };
  const Case cases[] = {
      {"line, curve, line",
       {P("TF", "0+000.000", "0", "0", "0.000"), P("TC", "0+100.000", "0", "100", "200"),
        P("CT", "0+150.000", "6.218", "149.481", "0.000"), P("PE", "0+250.000", "30", "246", "0.000")},
       {"Line", "Curve", "Line"},
       {"STRAIGHT", "CURVE", "STRAIGHT", "EOP"}},
      {"an unknown code after a curve continues the curve",
       {P("TC", "0+000.000", "0", "0", "200"), P("XX", "0+050.000", "6.218", "49.481", "300"),
        P("PE", "0+100.000", "20", "97", "0.000")},
       {"Curve", "Curve"},
       {"CURVE", "CURVE", "EOP"}},
      {"an unknown first code is a line",
       {P("QQ", "0+000.000", "0", "0", "0.000"), P("PE", "0+010.000", "0", "10", "0.000")},
       {"Line"},
       {"STRAIGHT", "EOP"}},
      {"codes are case-sensitive: 'tc' continues the previous line",
       {P("TF", "0+000.000", "0", "0", "0.000"), P("tc", "0+010.000", "0", "10", "100"),
        P("PE", "0+020.000", "0", "20", "0.000")},
       {"Line", "Line"},
       {"STRAIGHT", "STRAIGHT", "EOP"}},
      {"a single point line: empty geometry, header and end of path",
       {P("PE", "0+000.000", "5", "6", "0.000")},
       {},
       {"EOP"}},
  };
  for (const Case& k : cases) {
    Exported x = Export(k.body);
    std::vector<std::string> tags;
    for (const auto& l : Elements(x)) tags.push_back(l.substr(5, l.find(' ') - 5));
    EXPECT_EQ(tags, k.tags) << k.scenario;
    ASSERT_EQ(x.gsi.size(), k.gsiTypes.size() + 1) << k.scenario;
    EXPECT_EQ(x.gsi[0], kHeader);
    for (size_t i = 0; i < k.gsiTypes.size(); ++i) {
      std::string data = x.gsi[i + 1].substr(32, 16);
      EXPECT_EQ(data.substr(data.find_first_not_of('0')), k.gsiTypes[i]) << k.scenario << " record " << i + 1;
    }
  }
}

TEST(HorizontalAlignment, NegativeChainageMovesItsMinusToTheFront) {
  Exported x = Export({P("TF", "0-050.000", "0", "0", "0.000"), P("PE", "0+050.000", "0", "100", "0.000")});
  EXPECT_EQ(x.document[0], "\t\t<Alignment name=\"1\" length=\"100.00000000 \" staStart=\"-0050.000 \">");
  EXPECT_EQ(Attr(x.document[2], "staStart"), "-0050.000 ");
  EXPECT_EQ(Attr(x.document[2], "dir"), "0 ");
  EXPECT_EQ(x.gsi[1].substr(0, 24), "*11....-0000000000050000");
}

TEST(HorizontalAlignment, FailuresNameTheRouteLine) {
  struct Case {
    const char* scenario;
    std::vector<std::string> body;
    std::string message;
    long line;
  };
  const Case cases[] = {
      {"easting not a number",
       {P("TF", "0+000.000", "0", "0", "0.000"), P("TC", "0+010.000", "1O.5", "10", "100"),
        P("PE", "0+020.000", "0", "20", "0.000")},
       "'1O.5' is not a valid floating point value",
       4},
      {"curve of radius 0",
       {P("TC", "0+000.000", "0", "0", "0"), P("PE", "0+010.000", "0", "10", "0.000")},
       "Invalid floating point operation",
       3},
      {"chord longer than the diameter",
       {P("TC", "0+000.000", "0", "0", "4"), P("PE", "0+010.000", "0", "10", "0.000")},
       "Invalid floating point operation",
       3},
      {"exit spiral after no curve with a 0.000 end value",
       {P("CS", "0+000.000", "0", "0", "50", "0.000"), P("ST", "0+050.000", "0", "50", "0.000"),
        P("PE", "0+060.000", "0", "60", "0.000")},
       "Invalid floating point operation",
       3},
      {"spiral parameter not a number",
       {P("TS", "0+000.000", "0", "0", "50", "x"), P("SC", "0+050.000", "0", "50", "100"),
        P("PE", "0+060.000", "0", "60", "0.000")},
       "'x' is not a valid floating point value",
       3},
  };
  for (const Case& k : cases) {
    Error e = ExportFails(k.body);
    EXPECT_EQ(e.message(), k.message) << k.scenario;
    EXPECT_EQ(e.where(), "tmp.gec:" + std::to_string(k.line)) << k.scenario;
  }
}

}  // namespace
}  // namespace velkor
