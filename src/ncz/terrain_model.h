// What the model reader hands to the TIN surface export: the point list and the face list.
#pragma once

#include <string>
#include <vector>

namespace velkor {

struct TerrainModel {
  std::vector<std::string> points;     // vertex texts, one per point; a point's number is its 1-based position
  std::vector<std::string> triangles;  // the three vertex texts of each triangle, joined
  std::vector<std::string> faces;      // "12 13 14": the point numbers of each triangle's corners, 0 when unmatched
};

}  // namespace velkor
