// Fuzz target for the drawing reader: any bytes must be walked without a crash, a hang or an
// allocation out of proportion to the input, by both readers and through the model matching.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ncz/model_reader.h"
#include "ncz/ncz_reader.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velkor;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  NczReader reader;
  TerrainModel model;
  for (ncz::KindSet kinds : {ncz::kModelKinds, ncz::kSlopePlanKinds}) {
    reader.OpenBytes(bytes);
    if (reader.Size() == 0) continue;
    reader.ReadFileHeader();
    for (int i = 0; i < 256; ++i) Check(reader.LayerName(i).size() <= ncz::kMaxLayerNameLength);
    std::int64_t last = -1;
    reader.WalkEntities(kinds, [&](const ncz::Entity& e) {
      // Entities come in file order and each one's bytes lie within the input.
      Check(reader.Position() > last && reader.Position() <= reader.Size());
      last = reader.Position();
      Check(e.label.size() <= ncz::kMaxLabelLength && e.layerName.size() <= ncz::kMaxLayerNameLength);
      Check(e.geometry != nullptr && e.geometry->size() * ncz::kPolylineVertexSize <= size + 24);
      if (e.kind == ncz::kPointKind) Check(e.geometry->size() == 1);
      if (e.kind == ncz::kTriangleKind) Check(e.geometry->size() == 3);
      if (kinds.contains(ncz::kTriangleKind)) {
        // Every decoded number is kept, those that are no number too: matching must take them all.
        auto& list = e.kind == ncz::kPointKind ? model.coordinates : model.corners;
        list.insert(list.end(), e.geometry->begin(), e.geometry->end());
      }
    });
    reader.Close();
  }
  MatchTriangles(model);
  Check(model.faces.size() == model.corners.size() / 3);
  for (const Face& face : model.faces) {
    for (std::uint32_t point : face) Check(point <= model.coordinates.size());
  }
  return 0;
}
