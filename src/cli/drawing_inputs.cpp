// Reading the --model and --slope-plan drawings for the batch converter.
#include "cli/drawing_inputs.h"

#include "import/error.h"
#include "ncz/model_reader.h"
#include "ncz/slope_plan_reader.h"

namespace velkor::cli {

bool ModelReaderAvailable() { return true; }

// What the "Model Oku" dialog's read button runs once the file is chosen. The dialog cannot pick a
// missing file, so here a missing one is refused rather than read as an empty model.
TerrainModel ReadModelDrawing(const std::filesystem::path& drawing) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(drawing, ec)) throw Error(CannotOpen(drawing.string()));
  TerrainModel model;
  velkor::ReadModel(drawing, model);
  return model;
}

bool SlopePlanReaderAvailable() { return true; }

// What the "Şevli Plan" dialog's read button runs once the file is chosen.
SlopePlan ReadSlopePlanDrawing(const std::filesystem::path& drawing) {
  SlopePlan plan;
  ReadSlopePlan(drawing, plan);
  return plan;
}

}  // namespace velkor::cli
