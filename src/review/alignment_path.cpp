#include "review/alignment_path.h"

#include <algorithm>
#include <cmath>

namespace velkor {
namespace {

constexpr double kDegPerRad = static_cast<double>(kRadToDeg);
constexpr double kTwoPi = static_cast<double>(2 * kPi);

// The arc's sweep from its start to its end around the centre, in radians, positive.
double ArcSweep(const AlignmentElement& e) {
  double a0 = std::atan2(e.start.e - e.centre.e, e.start.n - e.centre.n);
  double a1 = std::atan2(e.end.e - e.centre.e, e.end.n - e.centre.n);
  double sweep = e.ccw ? a0 - a1 : a1 - a0;
  while (sweep <= 0) sweep += kTwoPi;
  while (sweep > kTwoPi) sweep -= kTwoPi;
  return sweep;
}

// The element's length along the centreline: its chainages, or for an arc whose chainages are
// unusable, its geometry.
double GeometricLength(const AlignmentElement& e) {
  switch (e.kind) {
    case ElementKind::Line:
      return std::hypot(e.end.e - e.start.e, e.end.n - e.start.n);
    case ElementKind::Curve:
      return e.radius > 0 ? ArcSweep(e) * e.radius : 0;
    case ElementKind::SpiralIn:
    case ElementKind::SpiralOut:
      return e.spiralLength;
  }
  return 0;
}

}  // namespace

double DirectionGap(double a, double b) {
  double d = std::fmod(b - a, 360.0);
  if (d < -180) d += 360;
  if (d >= 180) d -= 360;
  return d;
}

namespace {

// The clothoid's heading `u` metres along, in radians.
struct ClothoidHeading {
  double dirRad, sign, radius, rl;
  bool entry;
  double operator()(double u) const {
    const double turned = entry ? u * u / (2 * rl) : u / radius - u * u / (2 * rl);
    return dirRad + sign * turned;
  }
};

// Simpson's rule from u0 to u1 over about half-metre steps (at most `maxSteps`), added to `at`.
PlanePoint Integrate(const ClothoidHeading& heading, PlanePoint at, double u0, double u1, int maxSteps) {
  int n = std::clamp(static_cast<int>(std::ceil((u1 - u0) / 0.5)), 2, maxSteps);
  if (n % 2) ++n;
  const double h = (u1 - u0) / n;
  double e = 0, north = 0;
  for (int i = 0; i <= n; ++i) {
    const double w = (i == 0 || i == n) ? 1 : (i % 2 ? 4 : 2);
    const double a = heading(u0 + i * h);
    e += w * std::sin(a);
    north += w * std::cos(a);
  }
  return {at.e + e * h / 3, at.n + north * h / 3};
}

ClothoidHeading HeadingOf(double dirDeg, double length, double radius, bool ccw, bool entry) {
  return {dirDeg / kDegPerRad, ccw ? -1.0 : 1.0, radius, radius * length, entry};
}

}  // namespace

CentrelinePose LayClothoid(PlanePoint start, double dirDeg, double length, double radius, bool ccw, bool entry,
                           double s) {
  const ClothoidHeading heading = HeadingOf(dirDeg, length, radius, ccw, entry);
  if (!(heading.rl > 0) || !(s > 0)) return {start, dirDeg};
  // Half-metre steps are far below a millimetre on any road clothoid; a length no road has gets
  // no more than a bounded number of them.
  return {Integrate(heading, start, 0, s, 20000), heading(s) * kDegPerRad};
}

CentrelinePose AlongElement(const AlignmentElement& e, double s) {
  const double length = GeometricLength(e);
  s = std::clamp(s, 0.0, length);
  switch (e.kind) {
    case ElementKind::Line: {
      double t = length > 0 ? s / length : 0;
      return {{e.start.e + t * (e.end.e - e.start.e), e.start.n + t * (e.end.n - e.start.n)}, e.dirStart};
    }
    case ElementKind::Curve: {
      double a0 = std::atan2(e.start.e - e.centre.e, e.start.n - e.centre.n);
      double turned = e.radius > 0 ? s / e.radius : 0;
      double a = e.ccw ? a0 - turned : a0 + turned;
      return {{e.centre.e + e.radius * std::sin(a), e.centre.n + e.radius * std::cos(a)},
              e.dirStart + (e.ccw ? -turned : turned) * kDegPerRad};
    }
    case ElementKind::SpiralIn:
    case ElementKind::SpiralOut:
      return LayClothoid(e.start, e.dirStart, e.spiralLength, e.radius, e.ccw, e.kind == ElementKind::SpiralIn, s);
  }
  return {e.start, e.dirStart};
}

std::vector<PlanePoint> ElementPath(const AlignmentElement& e, double step) {
  if (e.kind == ElementKind::Line) return {e.start, e.end};
  const double length = GeometricLength(e);
  const int n = std::clamp(static_cast<int>(std::ceil(length / step)), 1, 4096);
  std::vector<PlanePoint> points;
  points.reserve(n + 1);
  if (e.kind == ElementKind::Curve) {
    for (int i = 0; i <= n; ++i) points.push_back(AlongElement(e, length * i / n).at);
    // An arc ends on its table point by construction.
    points.back() = e.end;
    return points;
  }
  // A clothoid is laid piece by piece from its start, and drawn as laid, so that a table point off
  // it shows as a gap.
  const ClothoidHeading heading =
      HeadingOf(e.dirStart, e.spiralLength, e.radius, e.ccw, e.kind == ElementKind::SpiralIn);
  PlanePoint at = e.start;
  points.push_back(at);
  if (!(heading.rl > 0)) return {e.start, e.end};
  for (int i = 1; i <= n; ++i) {
    at = Integrate(heading, at, length * (i - 1) / n, length * i / n, 64);
    points.push_back(at);
  }
  return points;
}

std::optional<CentrelinePose> PoseAtStation(const std::vector<AlignmentElement>& elements, double station) {
  for (const AlignmentElement& e : elements) {
    if (station < e.staStart || station > e.staEnd) continue;
    const double span = e.staEnd - e.staStart;
    const double length = GeometricLength(e);
    double s = span > 0 ? (station - e.staStart) / span * length : 0;
    return AlongElement(e, s);
  }
  return std::nullopt;
}

}  // namespace velkor
