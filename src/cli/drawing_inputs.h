// The drawings the batch converter reads for --model and --slope-plan, as the model and
// slope-plan reader dialogs would hand them to the conversion.
#pragma once

#include <filesystem>

#include "ncz/slope_plan.h"
#include "ncz/terrain_model.h"

namespace velkor::cli {

// The drawing's points, triangles and faces; throws Error as the model reader dialog would show it.
TerrainModel ReadModelDrawing(const std::filesystem::path& drawing);
// The drawing's axis points and polylines; throws Error as the slope-plan reader dialog would show it.
SlopePlan ReadSlopePlanDrawing(const std::filesystem::path& drawing);

}  // namespace velkor::cli
