// What the slope-plan reader hands to the slope-plan export: the axis points and the polylines.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace velkor {

// Where the first two fields of an entry line end: the comma after the layer name and the comma
// after the tag. Layer names and labels may hold commas of their own ("ŞEV 1,5"), so the reader
// records the positions; a line without them is cut at its first commas.
struct EntryFields {
  std::size_t layerEnd = 0;
  std::size_t tagEnd = 0;
};

struct SlopePlan {
  std::vector<std::string> axisPoints;       // "K_EKS,NOKTA,1000.000 2000.000 100.000,"
  std::vector<std::string> polylines;        // "K_1,A12,1000.000 2000.000 100.000,1010.000 2000.000 101.000,"
  std::vector<EntryFields> axisPointFields;  // one per axis point line, when the reader made the lines
  std::vector<EntryFields> polylineFields;   // one per polyline line, likewise
};

}  // namespace velkor
