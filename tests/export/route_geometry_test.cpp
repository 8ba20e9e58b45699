// The whole horizontal path against the true geometry: a generated (or independently written) element
// table is converted and exported, and every element is checked against the exact route.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "export/route_scan.h"
#include "export/section_steps.h"
#include "import/number_text.h"
#include "import/route_import.h"
#include "lib/element_table.h"
#include "lib/json_lite.h"
#include "lib/route_model.h"
#include "import/number_text.h"
#include "test_support.h"

namespace velkor {
namespace {

using samples::EnPoint;
using samples::RouteModel;
using test::ScratchDir;

struct XmlElement {
  std::string tag;
  std::string head;  // the opening line
  EnPoint start, end, centre, pi;
};

std::string Attr(const std::string& line, const std::string& name) {
  std::string key = " " + name + "=\"";
  auto at = line.find(key);
  if (at == std::string::npos) return {};
  at += key.size();
  return line.substr(at, line.find('"', at) - at);
}

double Num(const std::string& line, const std::string& name) { return ParseFloat(Attr(line, name)); }

// "<Start>N E </Start>" -> (E, N).
EnPoint Coordinates(const std::string& line) {
  std::istringstream in(line.substr(line.find('>') + 1));
  in.imbue(std::locale::classic());
  EnPoint p;
  in >> p.n >> p.e;
  return p;
}

std::vector<XmlElement> ConvertAndExport(const std::filesystem::path& report) {
  ScratchDir work;
  LineList lines;
  ConvertHorizontal(report, work.path(), lines);
  LineList route;
  route.Load(work / "tmp.gec");
  std::ostringstream doc;
  WriteHorizontalAlignment(route, ScanRoute(route), doc, work.path());
  std::vector<XmlElement> out;
  for (const auto& l : test::SplitLines(doc.str())) {
    std::string t = l.substr(l.find_first_not_of('\t'));
    if (t.rfind("<Line ", 0) == 0 || t.rfind("<Curve ", 0) == 0 || t.rfind("<Spiral ", 0) == 0) {
      out.push_back({t.substr(1, t.find(' ') - 1), t, {}, {}, {}, {}});
    } else if (!out.empty()) {
      if (t.rfind("<Start>", 0) == 0) out.back().start = Coordinates(t);
      if (t.rfind("<End>", 0) == 0) out.back().end = Coordinates(t);
      if (t.rfind("<Center>", 0) == 0) out.back().centre = Coordinates(t);
      if (t.rfind("<PI>", 0) == 0) out.back().pi = Coordinates(t);
    }
  }
  return out;
}

double Distance(EnPoint a, EnPoint b) { return std::hypot(a.e - b.e, a.n - b.n); }

// Difference of two directions in degrees, whatever whole turns lie between them.
double AngleGap(double a, double b) {
  double d = std::fmod(std::fabs(a - b), 360.0);
  return std::min(d, 360 - d);
}

EnPoint TangentCrossing(EnPoint a, double dirA, EnPoint b, double dirB) {
  const double k = 3.141592653589793 / 180;
  double ae = std::sin(dirA * k), an = std::cos(dirA * k), be = std::sin(dirB * k), bn = std::cos(dirB * k);
  double det = -ae * bn + an * be;
  double u = (-(b.e - a.e) * bn + (b.n - a.n) * be) / det;
  return {a.e + u * ae, a.n + u * an};
}

// The truth of one element: where it starts, its direction there, and for curves and spirals the
// radius, the turning sense and the PI.
struct TrueElement {
  std::string kind;  // "Line", "Curve", "Spiral"
  double dirDeg = 0;
  double radius = 0;
  int side = 0;
  EnPoint pi;
};

struct Deviations {
  double centreRadius = 0;  // |distance centre-start or centre-end - radius|
  double pi = 0;
  double direction = 0;
  void Print(const std::string& what) const {
    std::cout << "[ geometry ] " << what << ": centre-radius " << centreRadius * 1000 << " mm, PI " << pi * 1000
              << " mm, dirStart " << direction << " deg\n";
  }
};

void Compare(const std::vector<XmlElement>& xml, const std::vector<TrueElement>& truth, Deviations& dev,
             const std::string& scenario) {
  ASSERT_EQ(xml.size(), truth.size()) << scenario;
  for (size_t i = 0; i < xml.size(); ++i) {
    const XmlElement& x = xml[i];
    const TrueElement& t = truth[i];
    SCOPED_TRACE(scenario + ", element " + std::to_string(i + 1) + " " + x.head);
    ASSERT_EQ(x.tag, t.kind);
    double dir = Num(x.head, x.tag == "Line" ? "dir" : "dirStart");
    double gap = AngleGap(dir, t.dirDeg);
    dev.direction = std::max(dev.direction, gap);
    EXPECT_LT(gap, 0.001);
    if (x.tag == "Line") continue;
    EXPECT_EQ(Attr(x.head, "rot"), t.side > 0 ? "cw" : "ccw");
    double piGap = Distance(x.pi, t.pi);
    dev.pi = std::max(dev.pi, piGap);
    EXPECT_LT(piGap, 0.01);
    if (x.tag == "Curve") {
      EXPECT_NEAR(Num(x.head, "radius"), t.radius, 1e-9);
      double a = std::fabs(Distance(x.centre, x.start) - t.radius), b = std::fabs(Distance(x.centre, x.end) - t.radius);
      dev.centreRadius = std::max({dev.centreRadius, a, b});
      EXPECT_LT(a, 0.001);
      EXPECT_LT(b, 0.001);
    }
  }
}

std::vector<TrueElement> TruthOf(const RouteModel& route) {
  std::vector<TrueElement> out;
  const auto& els = route.Elements();
  for (size_t i = 0; i < els.size(); ++i) {
    TrueElement t;
    t.dirDeg = els[i].start.dirDeg;
    t.radius = els[i].radius;
    t.side = els[i].side;
    switch (els[i].kind) {
      case samples::RouteElementKind::Line:
        t.kind = "Line";
        break;
      case samples::RouteElementKind::Arc:
        t.kind = "Curve";
        break;
      default:
        t.kind = "Spiral";
        break;
    }
    if (t.kind != "Line") t.pi = route.TangentIntersection(i);
    out.push_back(t);
  }
  return out;
}

TEST(RouteGeometry, GeneratedRoutesAgreeWithTheTrueGeometry) {
  Deviations dev;
  int clockwise = 0, counter = 0, spirals = 0;
  for (unsigned seed = 1; seed <= 8; ++seed) {
    RouteModel route = samples::GenerateRoute(6, 0, seed);
    for (const auto& el : route.Elements()) {
      if (el.kind == samples::RouteElementKind::Arc) (el.side > 0 ? clockwise : counter)++;
      if (el.kind == samples::RouteElementKind::SpiralIn || el.kind == samples::RouteElementKind::SpiralOut) ++spirals;
    }
    ScratchDir dir;
    test::WriteBytes(dir / "GUZERGAH.cks", samples::ElementTableReport(route, "T"));
    Compare(ConvertAndExport(dir / "GUZERGAH.cks"), TruthOf(route), dev, "seed " + std::to_string(seed));
  }
  EXPECT_GT(clockwise, 0);
  EXPECT_GT(counter, 0);
  EXPECT_GT(spirals, 0);
  dev.Print("generated routes");
}

TEST(RouteGeometry, LongRouteWithManyCurves) {
  RouteModel route = samples::GenerateRoute(60, 40000, 11);
  ScratchDir dir;
  test::WriteBytes(dir / "UZUN.cks", samples::ElementTableReport(route, "UZUN"));
  Deviations dev;
  Compare(ConvertAndExport(dir / "UZUN.cks"), TruthOf(route), dev, "40 km");
  dev.Print("40 km route, 60 curves");
}

TEST(RouteGeometry, RouteEndingAtTheEndOfATransition) {
  // No point follows the exit spiral; its tangent comes from the spiral itself.
  for (int side : {1, -1}) {
    RouteModel route(500000, 4500000, 70);
    route.AddLine(300);
    route.AddSpiralIn(60, 400, side);
    route.AddArc(400, 150, side);
    route.AddSpiralOut(60, 400, side);
    ScratchDir dir;
    test::WriteBytes(dir / "SON.cks", samples::ElementTableReport(route, "SON"));
    Deviations dev;
    Compare(ConvertAndExport(dir / "SON.cks"), TruthOf(route), dev, side > 0 ? "clockwise" : "counter-clockwise");
    dev.Print("route ending in a transition");
  }
}

TEST(RouteGeometry, SharedSampleAgreesWithItsTruth) {
  std::filesystem::path samplesDir = test::SharedSamplesDir();
  if (samplesDir.empty()) GTEST_SKIP() << "no shared samples beside this checkout; ELEMAN.cks not checked";
  samples::JsonValue truth = samples::ParseJson(test::ReadBytes(samplesDir / "truth.json"));
  const samples::JsonValue& points = truth["route"];
  std::vector<TrueElement> expected;
  for (size_t i = 0; i + 1 < points.items.size(); ++i) {
    const samples::JsonValue& p = points[i];
    const samples::JsonValue& next = points[i + 1];
    TrueElement t;
    std::string kind = p["kind"].text;
    t.kind = kind == "line" ? "Line" : kind == "arc" ? "Curve" : "Spiral";
    t.dirDeg = p["az_deg"].number;
    if (t.kind != "Line") {
      t.radius = p["R"].number;
      t.side = static_cast<int>(p["side"].number);
      t.pi = TangentCrossing({p["e"].number, p["n"].number}, p["az_deg"].number, {next["e"].number, next["n"].number},
                             next["az_deg"].number);
      if (p.Has("pi")) {
        EXPECT_LT(Distance(t.pi, {p["pi"][0].number, p["pi"][1].number}), 1e-6);
      }
    }
    expected.push_back(t);
  }
  Deviations dev;
  Compare(ConvertAndExport(samplesDir / "ELEMAN.cks"), expected, dev, "ELEMAN.cks");
  dev.Print("ELEMAN.cks");
}

}  // namespace
}  // namespace velkor
