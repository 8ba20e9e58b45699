// Route geometry: arcs in closed form, clothoids by Gauss-Legendre integration of their direction.
#include "route_model.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <stdexcept>

namespace velkor::samples {
namespace {

constexpr long double kPi = 3.14159265358979323846264338327950288L;

long double ToRad(long double deg) { return deg * kPi / 180; }
double ToDeg360(long double rad) {
  long double deg = std::fmod(rad * 180 / kPi, 360.0L);
  if (deg < 0) deg += 360;
  return static_cast<double>(deg);
}

// Direction (radians) at distance s into the element, relative to the start direction.
long double Turn(const RouteElement& el, long double s) {
  switch (el.kind) {
    case RouteElementKind::Line:
      return 0;
    case RouteElementKind::Arc:
      return el.side * s / el.radius;
    case RouteElementKind::SpiralIn:
      return el.side * s * s / (2 * el.radius * el.length);
    case RouteElementKind::SpiralOut:
      return el.side * (s / el.radius - s * s / (2 * el.radius * el.length));
  }
  return 0;
}

// Five-point Gauss-Legendre on panels of at most one metre: far below a micrometre on any
// clothoid a road uses.
void Integrate(const RouteElement& el, long double s, long double& de, long double& dn) {
  static const long double x[5] = {0.0L, -0.5384693101056830910363144L, 0.5384693101056830910363144L,
                                   -0.9061798459386639927976269L, 0.9061798459386639927976269L};
  static const long double w[5] = {0.5688888888888888888888889L, 0.4786286704993664680412915L,
                                   0.4786286704993664680412915L, 0.2369268850561890875142640L,
                                   0.2369268850561890875142640L};
  const long double theta0 = ToRad(el.start.dirDeg);
  const int panels = std::max(1, static_cast<int>(std::ceil(s)));
  const long double h = s / panels;
  de = dn = 0;
  for (int p = 0; p < panels; ++p) {
    long double mid = (p + 0.5L) * h;
    for (int k = 0; k < 5; ++k) {
      long double t = theta0 + Turn(el, mid + x[k] * h / 2);
      de += w[k] * std::sin(t) * h / 2;
      dn += w[k] * std::cos(t) * h / 2;
    }
  }
}

// Portable draws: the standard distributions differ between libraries, the engine does not.
class Draw {
 public:
  explicit Draw(unsigned seed) : engine_(seed) {}
  double Uniform(double lo, double hi) { return lo + (hi - lo) * (engine_() / 4294967296.0); }

 private:
  std::mt19937 engine_;
};

}  // namespace

RouteModel::RouteModel(double e0, double n0, double dirDeg, double startStation)
    : startStation_(startStation), endStation_(startStation), end_{e0, n0, ToDeg360(ToRad(dirDeg))} {}

RoutePose RouteModel::Advance(const RouteElement& el, double s) {
  const long double theta0 = ToRad(el.start.dirDeg);
  long double de = 0, dn = 0;
  if (el.kind == RouteElementKind::Line) {
    de = s * std::sin(theta0);
    dn = s * std::cos(theta0);
  } else if (el.kind == RouteElementKind::Arc) {
    long double k = el.side / static_cast<long double>(el.radius);
    long double t = theta0 + k * s;
    de = (std::cos(theta0) - std::cos(t)) / k;
    dn = (std::sin(t) - std::sin(theta0)) / k;
  } else {
    Integrate(el, s, de, dn);
  }
  return {static_cast<double>(el.start.e + de), static_cast<double>(el.start.n + dn), ToDeg360(theta0 + Turn(el, s))};
}

void RouteModel::Add(RouteElementKind kind, double length, double radius, TurnSide side) {
  if (!(length > 0)) throw std::invalid_argument("element length must be positive");
  if (kind != RouteElementKind::Line && !(radius > 0)) throw std::invalid_argument("radius must be positive");
  RouteElement el;
  el.kind = kind;
  el.length = length;
  el.radius = kind == RouteElementKind::Line ? 0 : radius;
  el.side = kind == RouteElementKind::Line ? 0 : (side < 0 ? -1 : 1);
  el.station = endStation_;
  el.start = end_;
  // The code names the element before the point and the one after it; the route's first point
  // names a straight "TF" and an arc "TO".
  const bool first = elements_.empty();
  RouteElementKind previous = first ? RouteElementKind::Line : elements_.back().kind;
  switch (kind) {
    case RouteElementKind::Line:
      el.code = first ? "TF" : previous == RouteElementKind::SpiralOut ? "ST" : "CT";
      break;
    case RouteElementKind::Arc:
      el.code = first                                ? "TO"
                : previous == RouteElementKind::Arc  ? "CC"
                : previous == RouteElementKind::Line ? "TC"
                                                     : "SC";
      break;
    case RouteElementKind::SpiralIn:
      el.code = previous == RouteElementKind::SpiralOut ? "SS" : "TS";
      break;
    case RouteElementKind::SpiralOut:
      el.code = "CS";
      break;
  }
  elements_.push_back(el);
  end_ = Advance(el, length);
  endStation_ += length;
}

void RouteModel::AddLine(double length) { Add(RouteElementKind::Line, length, 0, 0); }
void RouteModel::AddArc(double radius, double length, TurnSide side) {
  Add(RouteElementKind::Arc, length, radius, side);
}
void RouteModel::AddSpiralIn(double length, double radius, TurnSide side) {
  Add(RouteElementKind::SpiralIn, length, radius, side);
}
void RouteModel::AddSpiralOut(double length, double radius, TurnSide side) {
  Add(RouteElementKind::SpiralOut, length, radius, side);
}

RoutePose RouteModel::At(double station) const {
  if (elements_.empty() || station >= endStation_) return end_;
  if (station <= startStation_) return elements_.front().start;
  auto it = std::upper_bound(elements_.begin(), elements_.end(), station,
                             [](double s, const RouteElement& el) { return s < el.station; });
  const RouteElement& el = *(it - 1);
  return Advance(el, station - el.station);
}

RoutePose RouteModel::EndOf(std::size_t i) const { return i + 1 < elements_.size() ? elements_[i + 1].start : end_; }

EnPoint RouteModel::TangentIntersection(std::size_t i) const {
  RoutePose a = elements_.at(i).start, b = EndOf(i);
  long double ta = ToRad(a.dirDeg), tb = ToRad(b.dirDeg);
  // a + u * da = b + v * db, solved for u by Cramer's rule.
  long double dae = std::sin(ta), dan = std::cos(ta), dbe = std::sin(tb), dbn = std::cos(tb);
  long double det = dae * -dbn - dan * -dbe;
  if (std::fabs(det) < 1e-15L) throw std::invalid_argument("tangents are parallel");
  long double re = b.e - a.e, rn = b.n - a.n;
  long double u = (re * -dbn - rn * -dbe) / det;
  return {static_cast<double>(a.e + u * dae), static_cast<double>(a.n + u * dan)};
}

EnPoint RouteModel::ArcCentre(std::size_t i) const {
  const RouteElement& el = elements_.at(i);
  long double t = ToRad(el.start.dirDeg) + el.side * kPi / 2;
  return {static_cast<double>(el.start.e + el.radius * std::sin(t)),
          static_cast<double>(el.start.n + el.radius * std::cos(t))};
}

EnPoint RouteModel::MidPoint(std::size_t i) const {
  RoutePose p = Advance(elements_.at(i), elements_.at(i).length / 2);
  return {p.e, p.n};
}

RouteModel BuildRoute(double e0, double n0, double dirDeg, const std::vector<double>& tangents,
                      const std::vector<CurveShape>& curves) {
  if (tangents.size() != curves.size() + 1) throw std::invalid_argument("one more straight than curves needed");
  RouteModel route(e0, n0, dirDeg);
  route.AddLine(tangents[0]);
  for (std::size_t k = 0; k < curves.size(); ++k) {
    const CurveShape& c = curves[k];
    if (c.spiralIn > 0) route.AddSpiralIn(c.spiralIn, c.radius, c.side);
    route.AddArc(c.radius, c.arcLength, c.side);
    if (c.spiralOut > 0) route.AddSpiralOut(c.spiralOut, c.radius, c.side);
    route.AddLine(tangents[k + 1]);
  }
  return route;
}

RouteModel GenerateRoute(int curves, double length, unsigned seed, double minTangent) {
  if (curves < 0) throw std::invalid_argument("the number of curves cannot be negative");
  Draw draw(seed);
  std::vector<CurveShape> curveShapes;
  double curved = 0;
  for (int k = 0; k < curves; ++k) {
    CurveShape c;
    c.radius = std::round(draw.Uniform(250, 900));
    // Alternate the turning sense so that every route of two curves or more turns both ways.
    c.side = k % 2 == 0 ? 1 : -1;
    c.arcLength = std::round(c.radius * draw.Uniform(10, 50) * static_cast<double>(kPi) / 180);
    // Transitions on most curves, entry and exit alike or only one of them now and then;
    // their angle stays below 0.2 radians, where road clothoids live.
    double pick = draw.Uniform(0, 1);
    double spiral = std::round(std::min(draw.Uniform(40, 120), 0.4 * c.radius) / 5) * 5;
    if (pick < 0.6) {
      c.spiralIn = c.spiralOut = spiral;
    } else if (pick < 0.75) {
      c.spiralIn = spiral;
    } else if (pick < 0.9) {
      c.spiralOut = spiral;
    }
    curved += c.spiralIn + c.arcLength + c.spiralOut;
    curveShapes.push_back(c);
  }
  std::vector<double> tangents(static_cast<std::size_t>(curves) + 1);
  if (length > 0) {
    double room = length - curved;
    if (room < minTangent * tangents.size())
      throw std::invalid_argument("a route of " + std::to_string(length) + " m cannot hold " + std::to_string(curves) +
                                  " curves");
    std::vector<double> weights(tangents.size());
    double total = 0;
    for (double& w : weights) total += (w = draw.Uniform(1, 2));
    double spare = room - minTangent * tangents.size();
    for (std::size_t k = 0; k < tangents.size(); ++k) tangents[k] = minTangent + spare * weights[k] / total;
  } else {
    for (double& t : tangents) t = std::round(draw.Uniform(minTangent, 2.5 * minTangent));
  }
  double dir = std::round(draw.Uniform(0, 360));
  return BuildRoute(500000, 4500000, dir, tangents, curveShapes);
}

namespace {

// Turning 0.4 radians, a clothoid longer than about 250 m strays from the two-term series of the
// alignment writer by centimetres.
constexpr double kLongestSpiral = 250;
// The first element's direction comes from its chord; 50 m keeps millimetre coordinates within 0.002 degrees.
constexpr double kFirstChord = 50;

double Centimetres(double metres) { return std::round(metres * 100) / 100; }

// A curve of the mixed routes: log-uniform radius (as many tight curves as gentle ones), an arc turning
// 5 to 100 degrees, transitions of 0.15 to 0.8 times the radius on most curves.
CurveShape MixedCurve(Draw& draw) {
  CurveShape c;
  c.radius = std::round(40 * std::pow(75.0, draw.Uniform(0, 1)));
  c.side = draw.Uniform(0, 1) < 0.5 ? 1 : -1;
  double angle = draw.Uniform(5, 100) * static_cast<double>(kPi) / 180;
  c.arcLength = Centimetres(std::min(c.radius * angle, 1000.0));
  auto spiral = [&] { return std::max(5.0, std::round(std::min(draw.Uniform(0.15, 0.8) * c.radius, kLongestSpiral))); };
  double pick = draw.Uniform(0, 1);
  double in = spiral(), out = spiral();
  if (pick < 0.55) {
    c.spiralIn = in;
    c.spiralOut = out;
  } else if (pick < 0.7) {
    c.spiralIn = in;
  } else if (pick < 0.85) {
    c.spiralOut = out;
  }
  return c;
}

}  // namespace

RouteModel GenerateMixedRoute(int curves, unsigned seed, RouteEnd start, RouteEnd end) {
  if (curves < 1) throw std::invalid_argument("a mixed route needs at least one curve");
  Draw draw(seed);
  auto choose = [&](RouteEnd asked) {
    double u = draw.Uniform(0, 1);
    if (asked != RouteEnd::Any) return asked;
    return u < 0.5 ? RouteEnd::Line : u < 0.75 ? RouteEnd::Arc : RouteEnd::Spiral;
  };
  start = choose(start);
  end = choose(end);
  std::vector<CurveShape> shapes;
  for (int k = 0; k < curves; ++k) shapes.push_back(MixedCurve(draw));

  CurveShape& head = shapes.front();
  if (start == RouteEnd::Arc) {
    head.spiralIn = 0;
    double angle = 2 * std::asin(std::min(1.0, kFirstChord / 2 / head.radius));
    head.arcLength = Centimetres(std::max(head.arcLength, head.radius * angle));
  } else if (start == RouteEnd::Spiral) {
    head.radius = std::max(head.radius, std::ceil(kFirstChord / 0.8));
    head.spiralIn = std::max(head.spiralIn, kFirstChord);
  }
  if (end == RouteEnd::Arc) shapes.back().spiralOut = 0;
  if (end == RouteEnd::Spiral && shapes.back().spiralOut == 0)
    shapes.back().spiralOut = std::round(std::min(0.5 * shapes.back().radius, kLongestSpiral));

  // Between two curves a straight or none. Meeting transitions make a reverse curve; an arc cannot
  // run into an entry transition, so that arc meets the next arc directly. Straights shorter than
  // 20 m only lie between bare arcs, where no transition takes its direction from them.
  std::vector<double> straights(shapes.size() - 1);
  for (std::size_t k = 0; k + 1 < shapes.size(); ++k) {
    CurveShape &a = shapes[k], &b = shapes[k + 1];
    double u = draw.Uniform(0, 1), length = draw.Uniform(0, 1);
    if (u < 0.45) {
      if (a.spiralOut > 0 && b.spiralIn > 0) b.side = -a.side;
      if (a.spiralOut == 0) b.spiralIn = 0;
    } else if (u < 0.6 && a.spiralOut == 0 && b.spiralIn == 0) {
      straights[k] = Centimetres(5 + 15 * length);
    } else {
      straights[k] = Centimetres(20 + 380 * length);
    }
  }

  double e0 = std::round(draw.Uniform(300000, 700000)), n0 = std::round(draw.Uniform(4000000, 4600000));
  RouteModel route(e0, n0, draw.Uniform(0, 360));
  double first = Centimetres(draw.Uniform(50, 400)), last = Centimetres(draw.Uniform(50, 400));
  if (start == RouteEnd::Line) route.AddLine(first);
  for (std::size_t k = 0; k < shapes.size(); ++k) {
    const CurveShape& c = shapes[k];
    if (c.spiralIn > 0) route.AddSpiralIn(c.spiralIn, c.radius, c.side);
    route.AddArc(c.radius, c.arcLength, c.side);
    if (c.spiralOut > 0) route.AddSpiralOut(c.spiralOut, c.radius, c.side);
    if (k + 1 < shapes.size() && straights[k] > 0) route.AddLine(straights[k]);
  }
  if (end == RouteEnd::Line) route.AddLine(last);
  return route;
}

}  // namespace velkor::samples
