// Reading the --model and --slope-plan drawings for the batch converter.
#include "cli/drawing_inputs.h"

#include "base/error.h"
#include "base/text_encoding.h"
#include "ncz/model_reader.h"
#include "ncz/slope_plan_reader.h"

namespace velkor::cli {

namespace {

// The dialogs cannot pick a missing file; on a command line a mistyped name is refused rather
// than read as an empty drawing.
void RequireDrawing(const std::filesystem::path& drawing) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(drawing, ec)) throw Error(CannotOpen(PathToUtf8(drawing)));
}

}  // namespace

// What the "Model Oku" dialog's read button runs once the file is chosen.
TerrainModel ReadModelDrawing(const std::filesystem::path& drawing) {
  RequireDrawing(drawing);
  TerrainModel model;
  velkor::ReadModel(drawing, model);
  return model;
}

// What the "Şevli Plan" dialog's read button runs once the file is chosen.
SlopePlan ReadSlopePlanDrawing(const std::filesystem::path& drawing) {
  RequireDrawing(drawing);
  SlopePlan plan;
  ReadSlopePlan(drawing, plan);
  return plan;
}

}  // namespace velkor::cli
