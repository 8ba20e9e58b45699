// Reading the --model and --slope-plan drawings for the batch converter.
#include "cli/drawing_inputs.h"

namespace velkor::cli {

// TODO(ncz): once the drawing readers are in the core, call the model reader's read-and-match
// routine here (what the "Model Oku" dialog's OK runs) and return true from ModelReaderAvailable.
bool ModelReaderAvailable() { return false; }

TerrainModel ReadModelDrawing(const std::filesystem::path&) {
  throw NotAvailable("--model is not available yet in this build");
}

// TODO(slope): likewise with the slope-plan reader's collection (what the "Şevli Plan" dialog's OK runs).
bool SlopePlanReaderAvailable() { return false; }

SlopePlan ReadSlopePlanDrawing(const std::filesystem::path&) {
  throw NotAvailable("--slope-plan is not available yet in this build");
}

}  // namespace velkor::cli
