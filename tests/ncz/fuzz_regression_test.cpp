// Inputs kept from fuzzing the drawing reader (damaged lengths, headers and labels it produced; any
// input that ever crashes the reader goes here too): each must be walked and matched safely.
#include <gtest/gtest.h>

#include <filesystem>

#include "ncz/model_reader.h"
#include "ncz/ncz_reader.h"
#include "test_paths.h"
#include "test_support.h"

namespace velkor {
namespace {

TEST(NczFuzzRegression, EveryKeptInputReadsSafely) {
  std::filesystem::path dir = std::filesystem::path(test::kDataDir) / "ncz";
  if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << "no kept inputs";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    ++files;
    SCOPED_TRACE(entry.path().filename().string());
    const auto size = static_cast<std::size_t>(entry.file_size());
    std::size_t polylineVertices = 0;
    ReadDrawing(entry.path(), ncz::kSlopePlanKinds, [&](const ncz::Entity& e) {
      EXPECT_LE(e.label.size(), 14u);
      EXPECT_LE(e.layerName.size(), 24u);
      polylineVertices += e.kind == ncz::kPolylineKind ? e.geometry->size() : 0;
    });
    EXPECT_LE(polylineVertices * 24, size);
    TerrainModel model;
    ReadModel(entry.path(), model);
    EXPECT_LE(model.coordinates.size() * 109 + model.corners.size() / 3 * 134, size);
    EXPECT_EQ(model.faces.size() * 3, model.corners.size());
  }
  EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace velkor
