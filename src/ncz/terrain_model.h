// What the model reader hands to the TIN surface export: the point list and the face list.
#pragma once

#include <string>
#include <vector>

#include "ncz/ncz_reader.h"

namespace velkor {

struct TerrainModel {
  std::vector<std::string> points;     // vertex texts, one per point; a point's number is its 1-based position
  std::vector<std::string> triangles;  // the three vertex texts of each triangle, joined
  std::vector<std::string> faces;      // "12 13 14": the point numbers of each triangle's corners, 0 when unmatched
  std::vector<TGeometryPoint> coordinates;  // the points as numbers (easting, northing, elevation), in list order
};

// Adds a point to the list: its vertex text (for matching) and its coordinates (for the surface).
void AddModelPoint(TerrainModel& model, const TGeometryPoint& point);

}  // namespace velkor
