// The terrain model as the document's Surfaces element: one TIN surface of points and faces.
#pragma once

#include <ostream>
#include <string>

#include "ncz/terrain_model.h"

namespace velkor {

struct SurfaceFacts;

// Appends the Surfaces block (lines ending in CR LF) for the model's points and faces to the
// document, which grows once to hold it: a million-point model goes straight into the document.
void AppendTinSurface(const TerrainModel& model, std::string& document);

// The model's counts, its faces that lost a corner or repeat one, and the extent of its points.
SurfaceFacts MeasureSurface(const TerrainModel& model);

// The same block written to a stream in large pieces.
void WriteTinSurface(const TerrainModel& model, std::ostream& out);

}  // namespace velkor
