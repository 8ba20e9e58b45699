#include "review/profile_line.h"

#include <cmath>

#include "base/number_text.h"
#include "base/text_fields.h"

namespace velkor {

std::vector<ProfileVertex> ProfileVertices(const Route& route) {
  std::vector<ProfileVertex> vertices;
  if (!route.vertical) return vertices;
  for (const ProfileRecord& r : route.profile) {
    if (r.tag != ProfileTag::Point) continue;
    ProfileVertex v;
    if (!TryParseFloat(NormalizeChainage(ReplaceAll(r.chainage, "+", "")), v.station)) continue;
    if (!TryParseFloat(ReplaceAll(r.elevation, "+", ""), v.elevation)) continue;
    if (!TryParseFloat(ReplaceAll(r.curveLength, "+", ""), v.curveLength)) v.curveLength = 0;
    v.origin = r.origin;
    vertices.push_back(v);
  }
  return vertices;
}

std::optional<double> GradePercent(const std::vector<ProfileVertex>& v, std::size_t i) {
  if (i + 1 >= v.size()) return std::nullopt;
  const double run = v[i + 1].station - v[i].station;
  if (!(std::fabs(run) > 1e-9)) return std::nullopt;
  return (v[i + 1].elevation - v[i].elevation) / run * 100;
}

std::optional<double> ProfileElevation(const std::vector<ProfileVertex>& v, double station) {
  if (v.empty() || station < v.front().station || station > v.back().station) return std::nullopt;
  // Inside a parabola: from its start on the incoming grade, bending to the outgoing one.
  for (std::size_t k = 1; k + 1 < v.size(); ++k) {
    const double half = v[k].curveLength / 2;
    if (!(half > 0) || std::fabs(station - v[k].station) > half) continue;
    auto g1 = GradePercent(v, k - 1), g2 = GradePercent(v, k);
    if (!g1 || !g2) continue;
    const double x0 = v[k].station - half;
    const double z0 = v[k].elevation - *g1 / 100 * half;
    const double x = station - x0;
    return z0 + *g1 / 100 * x + (*g2 - *g1) / 100 / (2 * v[k].curveLength) * x * x;
  }
  for (std::size_t i = 0; i + 1 < v.size(); ++i) {
    if (station < v[i].station || station > v[i + 1].station) continue;
    auto g = GradePercent(v, i);
    return g ? v[i].elevation + *g / 100 * (station - v[i].station) : v[i].elevation;
  }
  return v.back().elevation;
}

}  // namespace velkor
