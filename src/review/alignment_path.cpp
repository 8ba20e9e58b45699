#include "review/alignment_path.h"

#include <algorithm>
#include <cmath>

namespace velkor {
namespace {

constexpr double kDegPerRad = 57.29577951308232;
constexpr double kTwoPi = 6.283185307179586;

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

CentrelinePose LayClothoid(PlanePoint start, double dirDeg, double length, double radius, bool ccw, bool entry,
                           double s) {
  const double sign = ccw ? -1 : 1;
  const double rl = radius * length;
  auto heading = [&](double u) {
    double turned = entry ? u * u / (2 * rl) : u / radius - u * u / (2 * rl);
    return dirDeg / kDegPerRad + sign * turned;
  };
  if (!(rl > 0) || !(s > 0)) return {start, dirDeg};
  // Simpson's rule over half-metre steps: far below a millimetre on any road clothoid.
  int n = std::max(8, static_cast<int>(std::ceil(s / 0.5)));
  if (n % 2) ++n;
  const double h = s / n;
  double e = 0, north = 0;
  for (int i = 0; i <= n; ++i) {
    double w = (i == 0 || i == n) ? 1 : (i % 2 ? 4 : 2);
    double a = heading(i * h);
    e += w * std::sin(a);
    north += w * std::cos(a);
  }
  return {{start.e + e * h / 3, start.n + north * h / 3}, heading(s) * kDegPerRad};
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
  int n = std::clamp(static_cast<int>(std::ceil(length / step)), 1, 4096);
  std::vector<PlanePoint> points;
  points.reserve(n + 1);
  for (int i = 0; i <= n; ++i) points.push_back(AlongElement(e, length * i / n).at);
  // An arc ends on its table point by construction; a clothoid is drawn as laid, so that a table
  // point off it shows as a gap.
  if (e.kind == ElementKind::Curve) points.back() = e.end;
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
