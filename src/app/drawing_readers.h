// The two drawing readers behind the model and slope-plan dialogs, as the dialogs need them.
#pragma once

#include <filesystem>
#include <functional>

namespace velkor {
struct TerrainModel;
}  // namespace velkor

namespace velkor::app {

// Reads every point and triangle of the drawing into the model's point and triangle lists.
void ReadModelDrawing(const std::filesystem::path& drawing, TerrainModel& model);
// Numbers each triangle's corners by the points; `progress` hears each new percentage (0-100).
void MatchModelTriangles(TerrainModel& model, const std::function<void(int)>& progress);

}  // namespace velkor::app
