// The terrain model as the document's Surfaces element: one TIN surface of points and faces.
#pragma once

#include <ostream>

#include "ncz/terrain_model.h"

namespace velkor {

// Writes the Surfaces block (lines ending in CR LF) for the model's point and face lists.
void WriteTinSurface(const TerrainModel& model, std::ostream& out);

}  // namespace velkor
