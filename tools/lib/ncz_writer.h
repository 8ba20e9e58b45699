// Writes NetCAD .ncz drawings for tests, benchmarks and the demo: header, layer table and entity
// records of every kind the reader meets, plus the odd bytes a hostile or foreign file may hold.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "ncz/ncz_reader.h"

namespace velkor::samples {

// A corner as the drawing stores it: the elevation of points and triangles is single precision.
struct NczVertex {
  double x = 0;
  double y = 0;
  double z = 0;
};

class NczWriter {
 public:
  NczWriter();

  // Without a layer table the header gives -1 as its position; the entity section follows the header.
  void SetLayerTable(bool present) { layerTable_ = present; }
  // Writes `name` into entry `index`; `lengthByte` (default: the name's length) may claim more than 24.
  void SetLayerName(int index, std::string_view name, int lengthByte = -1);

  // Entities; `longForm` writes a code 22 record (28 more bytes in the common part) instead of 21.
  void AddPoint(const NczVertex& p, std::uint8_t layer = 0, bool longForm = false);
  void AddTriangle(const NczVertex& a, const NczVertex& b, const NczVertex& c, std::uint8_t layer = 0,
                   bool longForm = false);
  // Vertices are stored second coordinate first, as the drawing program does. `labelLengthByte`
  // (default: the label's length) may claim more than 14.
  void AddPolyline(const std::vector<NczVertex>& vertices, std::string_view label, std::uint8_t flags = 0,
                   std::uint8_t layer = 0, bool longForm = false, int labelLengthByte = -1);
  // An entity of any kind with `kindPartBytes` filler bytes after its common part.
  void AddEntity(std::uint8_t kind, const NczVertex& position, std::size_t kindPartBytes, std::uint8_t layer = 0,
                 bool longForm = false);
  // Any record, with its length field taken from the body unless given.
  void AddRecord(std::uint8_t code, std::string_view body);
  void AddRecordWithLength(std::uint8_t code, std::int32_t lengthField, std::string_view body);
  // A code 15 record (entities up to the next code 16 are skipped) and a code 16 record; the code 16
  // record has no body whatever its length field says.
  void BeginSkip(std::string_view body = {});
  void EndSkip(std::int32_t lengthField = 0);

  // Header record, layer table (if any) and the records so far.
  std::string Bytes() const;
  // For drawings too big to hold: the header part once, then the records gathered since the last take.
  std::string FileHeader() const;
  std::string TakeRecords();
  void Save(const std::filesystem::path& file) const;

  // Where the entity section starts in the file this writer produces.
  std::int32_t EntityPosition() const;

 private:
  void AppendCommon(std::string& body, std::uint8_t kind, std::uint8_t layer, const NczVertex& position,
                    bool longForm) const;
  void AppendEntityRecord(bool longForm, const std::string& body);

  bool layerTable_ = true;
  std::string layerBlock_;
  std::string records_;
};

// Little-endian field writers, also handy for patching bytes in hostile-file tests.
void AppendInt32(std::string& out, std::int32_t v);
void AppendFloat32(std::string& out, float v);
void AppendFloat64(std::string& out, double v);
void PutInt32(std::string& bytes, std::size_t at, std::int32_t v);

// A terrain drawing: a grid of cols x rows points and the two triangles of each cell (more cells'
// triangles again until `triangles` is reached, fewer when it is smaller), with some points as code 22
// records, a skip block holding entities that must not be read, and records of other kinds and codes.
struct TerrainGrid {
  int cols = 20;
  int rows = 20;
  long triangles = -1;  // -1: two per cell
  // The default covers the example route (GUZERGAH.cks) with a 20 x 20 grid.
  double originX = 499900;
  double originY = 4499400;
  double spacing = 125;
  bool extras = true;  // code 22 points, skip block, polylines and other kinds and codes
};
struct TerrainCounts {
  long points = 0;     // points a reader must find
  long triangles = 0;  // triangles a reader must find
  std::int64_t bytes = 0;
};
TerrainCounts WriteTerrain(std::ostream& out, const TerrainGrid& grid);
// The grid point (i, j) exactly as WriteTerrain stores it.
NczVertex TerrainPoint(const TerrainGrid& grid, int i, int j);

}  // namespace velkor::samples
