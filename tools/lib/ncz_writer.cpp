// Builds .ncz drawings byte by byte in the layout the reader walks.
#include "ncz_writer.h"

#include <algorithm>
#include <bit>
#include <fstream>

#include "base/error.h"

namespace velkor::samples {
namespace {

// Bytes the reader does not interpret are filled with a pattern rather than zeros, so that a reader
// that wrongly looks at them is caught.
constexpr char kFiller = '\xA5';

}  // namespace

void AppendInt32(std::string& out, std::int32_t v) {
  auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
}

void AppendFloat32(std::string& out, float v) { AppendInt32(out, std::bit_cast<std::int32_t>(v)); }

void AppendFloat64(std::string& out, double v) {
  auto u = std::bit_cast<std::uint64_t>(v);
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
}

void PutInt32(std::string& bytes, std::size_t at, std::int32_t v) {
  std::string field;
  AppendInt32(field, v);
  bytes.replace(at, 4, field);
}

NczWriter::NczWriter() : layerBlock_(ncz::kLayerBlockSize, '\0') {
  std::fill(layerBlock_.begin(), layerBlock_.begin() + 13, kFiller);
}

void NczWriter::SetLayerName(int index, std::string_view name, int lengthByte) {
  std::size_t entry = 13 + 29 * static_cast<std::size_t>(index);
  std::string_view stored = name.substr(0, ncz::kMaxLayerNameLength);
  layerBlock_[entry + 4] = static_cast<char>(lengthByte < 0 ? static_cast<int>(name.size()) : lengthByte);
  layerBlock_.replace(entry + 5, stored.size(), stored);
}

std::int32_t NczWriter::EntityPosition() const {
  return 5 + ncz::kHeaderBlockSize + (layerTable_ ? 5 + ncz::kLayerBlockSize : 0);
}

std::string NczWriter::FileHeader() const {
  std::string out;
  out.push_back(static_cast<char>(ncz::kHeaderCode));
  AppendInt32(out, ncz::kHeaderBlockSize);
  std::string header(ncz::kHeaderBlockSize, kFiller);
  PutInt32(header, 8, layerTable_ ? 5 + ncz::kHeaderBlockSize : -1);
  PutInt32(header, 40, EntityPosition());
  out += header;
  if (layerTable_) {
    out.push_back(static_cast<char>(ncz::kLayerTableCode));
    AppendInt32(out, ncz::kLayerBlockSize);
    out += layerBlock_;
  }
  return out;
}

std::string NczWriter::Bytes() const { return FileHeader() + records_; }

std::string NczWriter::TakeRecords() {
  std::string taken;
  taken.swap(records_);
  return taken;
}

void NczWriter::Save(const std::filesystem::path& file) const {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) throw Error(CannotCreate(file.string()));
  std::string bytes = Bytes();
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw Error(CannotCreate(file.string()));
}

void NczWriter::AppendCommon(std::string& body, std::uint8_t kind, std::uint8_t layer, const NczVertex& position,
                             bool longForm) const {
  body.push_back(kFiller);
  body.push_back(static_cast<char>(kind));
  body.push_back(static_cast<char>(layer));
  AppendFloat64(body, position.x);
  AppendFloat64(body, position.y);
  AppendFloat32(body, static_cast<float>(position.z));
  body.append(58, kFiller);
  if (longForm) body.append(28, kFiller);
}

void NczWriter::AppendEntityRecord(bool longForm, const std::string& body) {
  AddRecord(longForm ? ncz::kLongEntityCode : ncz::kEntityCode, body);
}

void NczWriter::AddPoint(const NczVertex& p, std::uint8_t layer, bool longForm) {
  std::string body;
  AppendCommon(body, ncz::kPointKind, layer, p, longForm);
  body.append(ncz::kPointPartSize, kFiller);
  AppendEntityRecord(longForm, body);
}

void NczWriter::AddTriangle(const NczVertex& a, const NczVertex& b, const NczVertex& c, std::uint8_t layer,
                            bool longForm) {
  std::string body;
  AppendCommon(body, ncz::kTriangleKind, layer, a, longForm);
  for (const NczVertex* v : {&b, &c}) {
    AppendFloat64(body, v->x);
    AppendFloat64(body, v->y);
    AppendFloat32(body, static_cast<float>(v->z));
  }
  body.append(8, kFiller);
  AppendEntityRecord(longForm, body);
}

void NczWriter::AddPolyline(const std::vector<NczVertex>& vertices, std::string_view label, std::uint8_t flags,
                            std::uint8_t layer, bool longForm, int labelLengthByte) {
  std::string body;
  AppendCommon(body, ncz::kPolylineKind, layer, vertices.empty() ? NczVertex{} : vertices.front(), longForm);
  std::string labelField(15, ' ');
  labelField[0] = static_cast<char>(labelLengthByte < 0 ? static_cast<int>(label.size()) : labelLengthByte);
  std::string_view stored = label.substr(0, ncz::kMaxLabelLength);
  labelField.replace(1, stored.size(), stored);
  body += labelField;
  body.push_back(static_cast<char>(flags));
  body.append(11, kFiller);
  for (const NczVertex& v : vertices) {
    AppendFloat64(body, v.y);
    AppendFloat64(body, v.x);
    AppendFloat64(body, v.z);
  }
  AppendEntityRecord(longForm, body);
}

void NczWriter::AddEntity(std::uint8_t kind, const NczVertex& position, std::size_t kindPartBytes, std::uint8_t layer,
                          bool longForm) {
  std::string body;
  AppendCommon(body, kind, layer, position, longForm);
  body.append(kindPartBytes, kFiller);
  AppendEntityRecord(longForm, body);
}

void NczWriter::AddRecord(std::uint8_t code, std::string_view body) {
  AddRecordWithLength(code, static_cast<std::int32_t>(body.size()), body);
}

void NczWriter::AddRecordWithLength(std::uint8_t code, std::int32_t lengthField, std::string_view body) {
  records_.push_back(static_cast<char>(code));
  AppendInt32(records_, lengthField);
  records_.append(body);
}

void NczWriter::BeginSkip(std::string_view body) { AddRecord(ncz::kSkipStartCode, body); }

void NczWriter::EndSkip(std::int32_t lengthField) { AddRecordWithLength(ncz::kSkipEndCode, lengthField, {}); }

NczVertex TerrainPoint(const TerrainGrid& grid, int i, int j) {
  double x = grid.originX + grid.spacing * i;
  double y = grid.originY + grid.spacing * j;
  // A gentle valley with a slope, stored as the drawing stores elevations: single precision.
  double z = 850 + 0.004 * grid.spacing * i - 0.002 * grid.spacing * j + 0.37 * ((i * 7 + j * 3) % 11);
  return {x, y, static_cast<double>(static_cast<float>(z))};
}

TerrainCounts WriteTerrain(std::ostream& out, const TerrainGrid& grid) {
  NczWriter writer;
  writer.SetLayerName(0, "0");
  writer.SetLayerName(1, "ARAZI");
  writer.SetLayerName(2, "UCGEN");
  TerrainCounts counts;
  auto flush = [&] {
    std::string records = writer.TakeRecords();
    out.write(records.data(), static_cast<std::streamsize>(records.size()));
    counts.bytes += static_cast<std::int64_t>(records.size());
  };
  std::string header = writer.FileHeader();
  out.write(header.data(), static_cast<std::streamsize>(header.size()));
  counts.bytes += static_cast<std::int64_t>(header.size());

  constexpr long kFlushEvery = 1 << 16;
  long written = 0;
  for (int j = 0; j < grid.rows; ++j) {
    for (int i = 0; i < grid.cols; ++i) {
      writer.AddPoint(TerrainPoint(grid, i, j), 1, grid.extras && (i + j) % 7 == 3);
      ++counts.points;
      if (++written % kFlushEvery == 0) flush();
    }
    if (grid.extras && j == 0) {
      // Entities inside a skip block belong to something else and must not be read.
      writer.BeginSkip("\x01\x02\x03\x04");
      writer.AddPoint({1.0, 2.0, 3.0}, 1);
      writer.AddTriangle({1, 2, 3}, {4, 5, 6}, {7, 8, 9}, 2);
      writer.BeginSkip();
      writer.AddPoint({4.0, 5.0, 6.0}, 1, true);
      writer.EndSkip(99);
      writer.AddRecord(40, "abc");
      writer.AddPolyline({TerrainPoint(grid, 0, 0), TerrainPoint(grid, 1, 0)}, "SINIR", 0, 0);
      writer.AddEntity(3, TerrainPoint(grid, 0, 0), 40, 0);
    }
  }
  long cells = static_cast<long>(std::max(grid.cols - 1, 0)) * std::max(grid.rows - 1, 0);
  long wanted = grid.triangles < 0 ? 2 * cells : grid.triangles;
  if (cells == 0) wanted = 0;
  for (long t = 0; t < wanted; ++t) {
    long cell = (t / 2) % cells;
    int i = static_cast<int>(cell % (grid.cols - 1));
    int j = static_cast<int>(cell / (grid.cols - 1));
    NczVertex a = TerrainPoint(grid, i, j);
    NczVertex c = TerrainPoint(grid, i + 1, j + 1);
    if (t % 2 == 0)
      writer.AddTriangle(a, TerrainPoint(grid, i + 1, j), c, 2, grid.extras && t % 13 == 5);
    else
      writer.AddTriangle(a, c, TerrainPoint(grid, i, j + 1), 2);
    ++counts.triangles;
    if (grid.extras && t == wanted / 2) writer.AddRecord(77, std::string(10, '\0'));
    if (++written % kFlushEvery == 0) flush();
  }
  flush();
  return counts;
}

}  // namespace velkor::samples
