// What the model reader hands to the TIN surface export: the points and the faces.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "ncz/ncz_reader.h"

namespace velkor {

// The 1-based point numbers of a triangle's three corners, 0 for a corner on no point.
using Face = std::array<std::uint32_t, 3>;

struct TerrainModel {
  // The points (easting, northing, elevation) in file order; a point's number is its 1-based position.
  std::vector<TGeometryPoint> coordinates;
  std::vector<TGeometryPoint> corners;  // three per triangle, in file order
  std::vector<Face> faces;              // one per triangle, once matched
};

}  // namespace velkor
