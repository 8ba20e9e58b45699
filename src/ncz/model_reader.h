// Takes a terrain model out of a drawing: every point and triangle as vertex texts, then the
// triangles' corners numbered by the points they stand on (the face list).
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

// Cuts the next comma-separated field off `text`: a leading "," is dropped first; without a further
// "," the field is "BOS" and `text` stays as it is.
std::string_view NextCommaField(std::string_view& text);

// The matching progress for triangle i (0-based) of n: i * 100 / n rounded, halves to even.
int MatchingPercent(std::size_t i, std::size_t n);
// The caption the model dialog shows during matching, followed by the percentage (UTF-8).
inline constexpr const char* kMatchingCaption = "E\xC5\x9Fle\xC5\x9Ftiriliyor %";
// Called with the percentage before the first triangle and whenever it changes; never without triangles.
using MatchingProgress = std::function<void(int percent)>;

// Empties the three lists and, when `drawing` names an existing file, fills the point and triangle
// lists from it in file order. Throws Error("Cannot open file %s") when it cannot be opened.
void ReadModelDrawing(const std::filesystem::path& drawing, TerrainModel& model);

// Rebuilds the face list: for each triangle, the 1-based positions of its corners' texts in the point
// list (the first of equal texts), 0 for a corner on no point.
void MatchTriangles(TerrainModel& model, const MatchingProgress& progress = {});

// The model dialog's read command once a file was chosen: read (when it exists), then match.
void ReadModel(const std::filesystem::path& drawing, TerrainModel& model, const MatchingProgress& progress = {});

// The whole read command: a cancelled file choice (no path) leaves the lists of the last reading as
// they are; a chosen name is read and matched as ReadModel does.
void ReadModelCommand(const std::optional<std::filesystem::path>& chosen, TerrainModel& model,
                      const MatchingProgress& progress = {});

}  // namespace velkor
