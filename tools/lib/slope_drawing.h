// Writes slope-plan drawings: axis points on "K_EKS..." layers, labelled toe and crest polylines on
// other "K_" layers and, on request, every entity and layer the slope-plan reader must pass over.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "lib/ncz_writer.h"

namespace velkor::samples {

struct SlopeLayout {
  double originE = 500000;  // the axis starts here and runs straight along `azimuthDeg`
  double originN = 4500000;
  double azimuthDeg = 97;  // along the first straight of the example route
  double spacing = 25;     // metres between axis points
  int axisPoints = 11;
  double elevation = 850;  // of the first axis point; each further one is 0.25 m higher
  // Odd but valid entities (a code 22 point, padded and empty labels, a "NOKTA" polyline, flags
  // without bit 0, "&" in a label) and every entity the reader must refuse.
  bool extras = true;
};

struct SlopeLine {
  std::string label;  // as the reader gives it: trimmed, code page 1254
  std::vector<NczVertex> vertices;
};

// What a reader must take out of the drawing, in file order.
struct SlopeContent {
  std::vector<NczVertex> axis;       // the "Ax" alignment's vertices, elevations as stored
  std::vector<SlopeLine> polylines;  // one alignment each
  std::vector<std::string> refused;  // labels of polylines that must yield nothing
};

// Adds the slope plan's layers and entities to `writer`.
SlopeContent BuildSlopeDrawing(NczWriter& writer, const SlopeLayout& layout);

// The whole drawing as bytes on `out`.
SlopeContent WriteSlopeDrawing(std::ostream& out, const SlopeLayout& layout);

}  // namespace velkor::samples
