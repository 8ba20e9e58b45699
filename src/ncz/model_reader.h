// Takes a terrain model out of a drawing: every point and triangle corner, then the triangles' corners
// numbered by the points they stand on (the face list). A corner stands on a point when their vertex
// texts are equal.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ncz/ncz_reader.h"
#include "ncz/terrain_model.h"

namespace velkor {

// A corner as "%11.3f%12.3f%10.3f,": (1000, 2000, 100) gives "   1000.000    2000.000   100.000,".
std::string VertexText(const TGeometryPoint& p);
void AppendVertexText(std::string& out, const TGeometryPoint& p);

// The matching progress for triangle i (0-based) of n: i * 100 / n rounded, halves to even.
int MatchingPercent(std::size_t i, std::size_t n);
// The caption the model dialog shows during matching, followed by the percentage (UTF-8).
inline constexpr const char* kMatchingCaption = "E\xC5\x9Fle\xC5\x9Ftiriliyor %";
// Called with the percentage before the first triangle and whenever it changes; never without triangles.
using MatchingProgress = std::function<void(int percent)>;

// Empties the three lists and, when `drawing` names an existing file, fills the points and the
// triangles' corners from it in file order. Throws Error("Cannot open file %s") when it cannot be opened.
void ReadModelDrawing(const std::filesystem::path& drawing, TerrainModel& model);

// Rebuilds the face list: for each triangle, the 1-based positions of the points whose vertex texts
// equal its corners' (the first of equal texts), 0 for a corner on no point.
void MatchTriangles(TerrainModel& model, const MatchingProgress& progress = {});

// The model dialog's read command once a file was chosen: read (when it exists), then match.
void ReadModel(const std::filesystem::path& drawing, TerrainModel& model, const MatchingProgress& progress = {});

// The whole read command: a cancelled file choice (no path) leaves the lists of the last reading as
// they are; a chosen name is read and matched as ReadModel does.
void ReadModelCommand(const std::optional<std::filesystem::path>& chosen, TerrainModel& model,
                      const MatchingProgress& progress = {});

}  // namespace velkor
