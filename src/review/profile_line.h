// The route's design profile as numbers: its vertices (start, PVIs, end) with their parabolas, and
// the elevation anywhere along it.
#pragma once

#include <optional>
#include <vector>

#include "import/route_file.h"

namespace velkor {

struct ProfileVertex {
  double station = 0;
  double elevation = 0;
  double curveLength = 0;  // 0: no parabola at this vertex
  SourcePlace origin;
};

// The profile's vertex lines (not the curve entries and exits), in the order of the route file; a
// line whose texts are no numbers is left out.
std::vector<ProfileVertex> ProfileVertices(const Route& route);

// Grade from vertex i to vertex i + 1 in percent; nothing when they share a chainage.
std::optional<double> GradePercent(const std::vector<ProfileVertex>& vertices, std::size_t i);

// The design elevation at a chainage: the grade lines, rounded by the parabolas; nothing outside
// the profile.
std::optional<double> ProfileElevation(const std::vector<ProfileVertex>& vertices, double station);

}  // namespace velkor
