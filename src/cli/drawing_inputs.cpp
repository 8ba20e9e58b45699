// Reading the --model and --slope-plan drawings for the batch converter.
#include "cli/drawing_inputs.h"

#include "import/error.h"
#include "ncz/model_reader.h"

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

// TODO(slope): likewise with the slope-plan reader's collection (what the "Şevli Plan" dialog's OK runs).
bool SlopePlanReaderAvailable() { return false; }

SlopePlan ReadSlopePlanDrawing(const std::filesystem::path&) {
  throw NotAvailable("--slope-plan is not available yet in this build");
}

}  // namespace velkor::cli
