// Adapters from the dialogs to the drawing readers of the core.
#include "app/drawing_readers.h"

#include "ncz/terrain_model.h"

namespace velkor::app {

void ReadModelDrawing(const std::filesystem::path&, TerrainModel&) {}
void MatchModelTriangles(TerrainModel& model, const std::function<void(int)>&) { model.faces.clear(); }

}  // namespace velkor::app
