// The drawings the batch converter reads for --model and --slope-plan, as the model and
// slope-plan reader dialogs would hand them to the conversion.
#pragma once

#include <filesystem>
#include <stdexcept>

#include "ncz/slope_plan.h"
#include "ncz/terrain_model.h"

namespace velkor::cli {

// Raised when this build cannot read a kind of drawing yet; the converter then exits as for bad usage.
class NotAvailable : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Whether the readers exist in this build (checked before anything is converted).
bool ModelReaderAvailable();
bool SlopePlanReaderAvailable();

// The drawing's points, triangles and faces; throws Error as the model reader dialog would show it.
TerrainModel ReadModelDrawing(const std::filesystem::path& drawing);
// The drawing's axis points and polylines; throws Error as the slope-plan reader dialog would show it.
SlopePlan ReadSlopePlanDrawing(const std::filesystem::path& drawing);

}  // namespace velkor::cli
