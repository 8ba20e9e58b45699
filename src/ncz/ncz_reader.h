// Walks NetCAD .ncz drawings: the file header, the layer table and the entity records, handing on
// each point, triangle or polyline it decodes. Any bytes at all are read safely and in bounded time.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace velkor {

// One corner of a decoded entity: first coordinate, second coordinate, elevation.
struct TGeometryPoint {
  double x = 0;
  double y = 0;
  double z = 0;
  bool operator==(const TGeometryPoint&) const = default;
};
using TGeometry = std::vector<TGeometryPoint>;

namespace ncz {

inline constexpr std::uint8_t kHeaderCode = 1;
inline constexpr std::uint8_t kLayerTableCode = 6;
inline constexpr std::uint8_t kSkipStartCode = 15;
inline constexpr std::uint8_t kSkipEndCode = 16;
inline constexpr std::uint8_t kEntityCode = 21;
inline constexpr std::uint8_t kLongEntityCode = 22;  // 28 more bytes in the common part

inline constexpr std::uint8_t kPointKind = 1;
inline constexpr std::uint8_t kPolylineKind = 7;
inline constexpr std::uint8_t kTriangleKind = 12;

inline constexpr int kHeaderBlockSize = 120;
inline constexpr int kLayerBlockSize = 7437;
inline constexpr int kCommonPartSize = 81;       // code 21
inline constexpr int kLongCommonPartSize = 109;  // code 22
inline constexpr int kPointPartSize = 23;
inline constexpr int kTrianglePartSize = 48;
inline constexpr int kPolylinePartSize = 27;
inline constexpr int kPolylineVertexSize = 24;
inline constexpr int kMaxLayerNameLength = 24;
inline constexpr int kMaxLabelLength = 14;

// The entity kinds a walk decodes; every other kind is skipped by its body length.
class KindSet {
 public:
  constexpr KindSet(std::initializer_list<std::uint8_t> kinds) {
    for (std::uint8_t k : kinds) bits_[k >> 6] |= std::uint64_t{1} << (k & 63);
  }
  constexpr bool contains(std::uint8_t kind) const { return (bits_[kind >> 6] >> (kind & 63)) & 1u; }

 private:
  std::uint64_t bits_[4] = {0, 0, 0, 0};
};

inline constexpr KindSet kModelKinds{kPointKind, kTriangleKind};
inline constexpr KindSet kSlopePlanKinds{kPointKind, kPolylineKind};

struct RecordHeader {
  std::uint8_t code = 0;
  std::int32_t length = 0;  // bytes of body after the 5 header bytes; may be anything in a hostile file
};

// What the walk hands on for one decoded entity. The views stay valid during the sink call only.
struct Entity {
  std::uint8_t kind = 0;
  std::uint8_t layer = 0;               // index into the layer table
  std::string_view layerName;           // LayerName(layer), code page 1254 bytes
  const TGeometry* geometry = nullptr;  // 1 point, 3 triangle corners, or the polyline's vertices in file order
  std::string_view label;               // polylines only: at most 14 bytes, code page 1254
  std::uint8_t flags = 0;               // polylines only; bit 0 set: the polyline is not used
};
using EntitySink = std::function<void(const Entity&)>;

}  // namespace ncz

// The reader of one drawing at a time. A reading is Open, ReadFileHeader, WalkEntities, Close.
// The file is read through a large buffer; positions beyond the end simply yield nothing.
class NczReader {
 public:
  NczReader();
  ~NczReader();
  NczReader(const NczReader&) = delete;
  NczReader& operator=(const NczReader&) = delete;

  // Opens the drawing for reading (others may go on reading and writing it) and clears the header
  // and layer blocks. Throws Error("Cannot open file %s") when it cannot be opened.
  void Open(const std::filesystem::path& file);
  // Reads from bytes in memory instead of a file; the bytes must outlive the reading.
  void OpenBytes(std::string_view bytes);
  void Close();

  std::int64_t Size() const { return size_; }
  std::int64_t Position() const { return pos_; }
  // Moves to a position; a position outside the file makes every following read report the end.
  void Seek(std::int64_t position) { pos_ = position; }

  // False, reading nothing, when fewer than 5 bytes remain.
  bool ReadRecordHeader(ncz::RecordHeader& header);
  // False, reading nothing and leaving `destination` untouched, when fewer than n bytes remain.
  bool ReadBlock(std::int64_t n, void* destination);

  // Fills the header block and the layer block from the drawing's first record and its layer table.
  void ReadFileHeader();
  // Walks the entity section, handing each entity of a kind in `kinds` to `sink`.
  void WalkEntities(ncz::KindSet kinds, const ncz::EntitySink& sink);

  // The name of layer `index` (0..255): empty for a drawing without layer table.
  std::string_view LayerName(int index) const;

  const std::array<unsigned char, ncz::kHeaderBlockSize>& HeaderBlock() const { return header_; }
  std::int32_t LayerTablePosition() const;
  std::int32_t EntityPosition() const;

 private:
  bool Fill(std::int64_t n);

  std::ifstream file_;
  std::vector<char> buffer_;
  const char* view_ = nullptr;  // bytes of the file from position viewStart_ on
  std::int64_t viewStart_ = 0;
  std::int64_t viewLength_ = 0;
  bool inMemory_ = false;
  std::int64_t size_ = 0;
  std::int64_t pos_ = 0;
  std::array<unsigned char, ncz::kHeaderBlockSize> header_{};
  std::array<unsigned char, ncz::kLayerBlockSize> layers_{};
  bool skipping_ = false;
  TGeometry geometry_;
};

// Open, ReadFileHeader, WalkEntities and Close over one drawing file; throws as Open does.
void ReadDrawing(const std::filesystem::path& file, ncz::KindSet kinds, const ncz::EntitySink& sink);

}  // namespace velkor
