// Reading the --model and --slope-plan drawings for the batch converter.
#include "cli/drawing_inputs.h"

#include "ncz/slope_plan_reader.h"

namespace velkor::cli {

// TODO(ncz): once the drawing readers are in the core, call the model reader's read-and-match
// routine here (what the "Model Oku" dialog's OK runs) and return true from ModelReaderAvailable.
bool ModelReaderAvailable() { return false; }

TerrainModel ReadModelDrawing(const std::filesystem::path&) {
  throw NotAvailable("--model is not available yet in this build");
}

bool SlopePlanReaderAvailable() { return true; }

// What the "Şevli Plan" dialog's read button runs once the file is chosen.
SlopePlan ReadSlopePlanDrawing(const std::filesystem::path& drawing) {
  SlopePlan plan;
  ReadSlopePlan(drawing, plan);
  return plan;
}

}  // namespace velkor::cli
