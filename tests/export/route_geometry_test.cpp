// The whole horizontal path against the true geometry: a generated (or independently written) element
// table is converted and exported, and every element is checked against the exact route.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "base/number_text.h"
#include "export/section_steps.h"
#include "import/route_file.h"
#include "import/route_import.h"
#include "lib/element_table.h"
#include "lib/json_lite.h"
#include "lib/route_model.h"
#include "platform/platform.h"
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
  Route route;
  ConvertHorizontal(report, work.path(), route);
  std::ostringstream doc, gsi;
  WriteHorizontalAlignment(route.points, doc, gsi);
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

// The truth of one element: both ends with their directions, and for curves and spirals the radius,
// the turning sense and the PI.
struct TrueElement {
  std::string kind;  // "Line", "Curve", "Spiral"
  samples::RoutePose start, end;
  double radius = 0;
  int side = 0;
  bool entry = false;  // a spiral from the straight to the radius
  EnPoint pi;
};

// How far the document may stray from the truth.
struct Tolerance {
  double point;   // Start and End, each coordinate
  double centre;  // the centre's distance from either end, against the radius
  double arcPI;
  bool wideArcs;  // arcPI grows with the arc's tangent over its half-chord
  double spiralPI;
  double direction;
};

// Routes with long straights everywhere come out tighter than the general bounds; keep them there.
constexpr Tolerance kTight{0.0006, 0.001, 0.01, false, 0.01, 0.001};
constexpr Tolerance kGeneral{0.0006, 0.002, 0.01, true, 0.03, 0.005};

// A straight shorter than this hands on a direction only as good as its millimetre coordinates.
constexpr double kShortLine = 20;
constexpr double kSideways = 0.0015;

struct Deviations {
  int elements = 0;
  double point = 0;
  double centre = 0;
  double arcPI = 0, spiralPI = 0;
  double piShare = 0;  // the largest PI deviation as a share of its (scaled) tolerance
  double direction = 0;
  double directionShare = 0;
  void Print(const std::string& what) const {
    std::cout << "[ geometry ] " << what << ", " << elements << " elements: Start/End " << point * 1000
              << " mm, centre " << centre * 1000 << " mm, PI arc " << arcPI * 1000 << " mm, PI spiral "
              << spiralPI * 1000 << " mm (" << piShare * 100 << "% of its bound), directions " << direction << " deg ("
              << directionShare * 100 << "% of its bound)\n";
  }
};

double PointGap(EnPoint written, const samples::RoutePose& truth) {
  return std::max(std::fabs(written.e - truth.e), std::fabs(written.n - truth.n));
}

void Compare(const std::vector<XmlElement>& xml, const std::vector<TrueElement>& truth, const Tolerance& tol,
             Deviations& dev, const std::string& scenario) {
  ASSERT_EQ(xml.size(), truth.size()) << scenario;
  // What a short straight allows sideways carries on to every element that starts from its direction.
  double carried = 0;
  for (size_t i = 0; i < xml.size(); ++i) {
    const XmlElement& x = xml[i];
    const TrueElement& t = truth[i];
    SCOPED_TRACE(scenario + ", element " + std::to_string(i + 1) + " " + x.head);
    ASSERT_EQ(x.tag, t.kind);
    ++dev.elements;
    double gap = std::max(PointGap(x.start, t.start), PointGap(x.end, t.end));
    dev.point = std::max(dev.point, gap);
    EXPECT_LE(gap, tol.point);

    double chord = std::hypot(t.end.e - t.start.e, t.end.n - t.start.n);
    if (x.tag == "Line") carried = chord < kShortLine ? std::atan(kSideways / chord) * 180 / 3.141592653589793 : 0;
    const double dirTol = std::max(tol.direction, carried);
    auto direction = [&](const char* name, double truthDeg) {
      double g = AngleGap(Num(x.head, name), truthDeg);
      dev.direction = std::max(dev.direction, g);
      dev.directionShare = std::max(dev.directionShare, g / dirTol);
      EXPECT_LE(g, dirTol) << name;
    };
    if (x.tag == "Line") {
      direction("dir", t.start.dirDeg);
      continue;
    }
    direction("dirStart", t.start.dirDeg);
    direction("dirEnd", t.end.dirDeg);
    EXPECT_EQ(Attr(x.head, "rot"), t.side > 0 ? "cw" : "ccw");

    // The PI of a wide arc lies far out beyond its chord and moves with every error of the chord.
    double tangent = std::hypot(t.pi.e - t.start.e, t.pi.n - t.start.n);
    double piTol = x.tag != "Curve" ? tol.spiralPI
                   : tol.wideArcs   ? tol.arcPI * std::max(1.0, tangent / (chord / 2))
                                    : tol.arcPI;
    double piGap = Distance(x.pi, t.pi);
    double& worst = x.tag == "Curve" ? dev.arcPI : dev.spiralPI;
    worst = std::max(worst, piGap);
    dev.piShare = std::max(dev.piShare, piGap / piTol);
    EXPECT_LE(piGap, piTol);

    if (x.tag == "Curve") {
      EXPECT_NEAR(Num(x.head, "radius"), t.radius, 1e-9);
      double a = std::fabs(Distance(x.centre, x.start) - t.radius), b = std::fabs(Distance(x.centre, x.end) - t.radius);
      dev.centre = std::max({dev.centre, a, b});
      EXPECT_LE(a, tol.centre);
      EXPECT_LE(b, tol.centre);
    } else {
      EXPECT_EQ(Attr(x.head, "radiusStart"), t.entry ? "INF" : FormatGeneral(t.radius) + " ");
      EXPECT_EQ(Attr(x.head, "radiusEnd"), t.entry ? FormatGeneral(t.radius) + " " : "INF");
    }
  }
}

std::vector<TrueElement> TruthOf(const RouteModel& route) {
  std::vector<TrueElement> out;
  const auto& els = route.Elements();
  for (size_t i = 0; i < els.size(); ++i) {
    TrueElement t;
    t.start = els[i].start;
    t.end = route.EndOf(i);
    t.radius = els[i].radius;
    t.side = els[i].side;
    t.entry = els[i].kind == samples::RouteElementKind::SpiralIn;
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
    Compare(ConvertAndExport(dir / "GUZERGAH.cks"), TruthOf(route), kTight, dev, "seed " + std::to_string(seed));
  }
  EXPECT_GT(clockwise, 0);
  EXPECT_GT(counter, 0);
  EXPECT_GT(spirals, 0);
  dev.Print("generated routes");
}

// Every sequence the element table can hold, in random routes of one to seven curves; the table below
// names each sequence and must find it in some route.
TEST(RouteGeometry, MixedRoutesAgreeWithTheTrueGeometry) {
  using Kind = samples::RouteElementKind;
  using Elements = std::vector<samples::RouteElement>;
  auto at = [](const Elements& els, size_t i, Kind kind) { return i < els.size() && els[i].kind == kind; };
  const std::vector<std::pair<std::string, std::function<bool(const Elements&, size_t)>>> sequences = {
      {"clockwise arc", [&](const Elements& els, size_t i) { return at(els, i, Kind::Arc) && els[i].side > 0; }},
      {"counter-clockwise arc",
       [&](const Elements& els, size_t i) { return at(els, i, Kind::Arc) && els[i].side < 0; }},
      {"bare arc between straights",
       [&](const Elements& els, size_t i) {
         return at(els, i, Kind::Arc) && els[i].code == "TC" && at(els, i + 1, Kind::Line);
       }},
      {"spiral-arc-spiral",
       [&](const Elements& els, size_t i) {
         return at(els, i, Kind::SpiralIn) && at(els, i + 1, Kind::Arc) && at(els, i + 2, Kind::SpiralOut);
       }},
      {"radius below 100 m",
       [&](const Elements& els, size_t i) { return at(els, i, Kind::Arc) && els[i].radius < 100; }},
      {"radius above 2 km",
       [&](const Elements& els, size_t i) { return at(els, i, Kind::Arc) && els[i].radius > 2000; }},
      {"spiral of 0.7 x its radius or more",
       [&](const Elements& els, size_t i) {
         return els[i].kind != Kind::Line && els[i].kind != Kind::Arc && els[i].length >= 0.7 * els[i].radius;
       }},
      {"back-to-back spirals (SS)",
       [&](const Elements& els, size_t i) {
         return at(els, i, Kind::SpiralIn) && els[i].code == "SS" && els[i].side == -els[i - 1].side;
       }},
      {"exit spiral straight into an arc",
       [&](const Elements& els, size_t i) { return at(els, i, Kind::SpiralOut) && at(els, i + 1, Kind::Arc); }},
      {"arc into arc (CC)",
       [&](const Elements& els, size_t i) { return at(els, i, Kind::Arc) && els[i].code == "CC"; }},
      {"straight shorter than 20 m",
       [&](const Elements& els, size_t i) { return at(els, i, Kind::Line) && els[i].length < 20; }},
      {"route starting with an arc (TO)", [&](const Elements& els, size_t i) { return i == 0 && els[0].code == "TO"; }},
      {"route starting with a spiral",
       [&](const Elements& els, size_t i) { return i == 0 && at(els, 0, Kind::SpiralIn); }},
      {"route ending inside a spiral",
       [&](const Elements& els, size_t i) { return i + 1 == els.size() && at(els, i, Kind::SpiralOut); }},
      {"route ending inside an arc",
       [&](const Elements& els, size_t i) { return i + 1 == els.size() && at(els, i, Kind::Arc); }},
  };
  std::map<std::string, int> found;
  Deviations dev;
  constexpr unsigned kRoutes = 240;
  for (unsigned seed = 1; seed <= kRoutes; ++seed) {
    RouteModel route = samples::GenerateMixedRoute(1 + static_cast<int>(seed % 7), seed);
    const Elements& els = route.Elements();
    for (size_t i = 0; i < els.size(); ++i)
      for (const auto& [name, matches] : sequences) found[name] += matches(els, i) ? 1 : 0;
    ScratchDir dir;
    test::WriteBytes(dir / "KARMA.cks", samples::ElementTableReport(route, "KARMA"));
    Compare(ConvertAndExport(dir / "KARMA.cks"), TruthOf(route), kGeneral, dev,
            "mixed route, seed " + std::to_string(seed));
  }
  std::cout << "[ geometry ] sequences in " << kRoutes << " mixed routes:";
  for (const auto& [name, matches] : sequences) {
    EXPECT_GT(found[name], 0) << name;
    std::cout << " " << name << " " << found[name] << ";";
  }
  std::cout << "\n";
  dev.Print(std::to_string(kRoutes) + " mixed routes");
}

TEST(RouteGeometry, LongRouteWithManyCurves) {
  RouteModel route = samples::GenerateRoute(60, 40000, 11);
  ScratchDir dir;
  test::WriteBytes(dir / "UZUN.cks", samples::ElementTableReport(route, "UZUN"));
  Deviations dev;
  Compare(ConvertAndExport(dir / "UZUN.cks"), TruthOf(route), kTight, dev, "40 km");
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
    Compare(ConvertAndExport(dir / "SON.cks"), TruthOf(route), kTight, dev,
            side > 0 ? "clockwise" : "counter-clockwise");
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
    t.entry = kind == "spin";
    t.start = {p["e"].number, p["n"].number, p["az_deg"].number};
    t.end = {next["e"].number, next["n"].number, next["az_deg"].number};
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
  Compare(ConvertAndExport(samplesDir / "ELEMAN.cks"), expected, kTight, dev, "ELEMAN.cks");
  dev.Print("ELEMAN.cks");
}

}  // namespace
}  // namespace velkor
