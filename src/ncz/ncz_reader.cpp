// The record walk over .ncz drawings. Drawings come from a program we do not control, so every
// length read from the file is checked against what is left of it before it is trusted.
#include "ncz/ncz_reader.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "base/error.h"
#include "base/text_encoding.h"

namespace velkor {
namespace {

constexpr std::int64_t kBufferSize = std::int64_t{1} << 20;

std::int32_t Int32At(const unsigned char* p) {
  std::uint32_t v =
      std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
  return static_cast<std::int32_t>(v);
}

double Float64At(const unsigned char* p) {
  std::uint64_t v = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&v, p, sizeof v);
  } else {
    for (int i = 7; i >= 0; --i) v = v << 8 | p[i];
  }
  return std::bit_cast<double>(v);
}

double Float32At(const unsigned char* p) {
  return static_cast<double>(std::bit_cast<float>(static_cast<std::uint32_t>(Int32At(p))));
}

// An entity position as the common part and the triangle part store it: f64, f64, f32.
TGeometryPoint PositionAt(const unsigned char* p) { return {Float64At(p), Float64At(p + 8), Float32At(p + 16)}; }

}  // namespace

NczReader::NczReader() = default;
NczReader::~NczReader() = default;

void NczReader::Open(const std::filesystem::path& file) {
  Close();
  // A folder opens like a file on some systems and then reads as nonsense; it is no drawing.
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec)) throw Error(CannotOpen(PathToUtf8(file)));
  file_.open(file, std::ios::binary);
  if (!file_) throw Error(CannotOpen(PathToUtf8(file)));
  file_.seekg(0, std::ios::end);
  std::streamoff end = file_.tellg();
  size_ = end > 0 ? static_cast<std::int64_t>(end) : 0;
  file_.seekg(0);
  if (buffer_.empty()) buffer_.resize(static_cast<std::size_t>(kBufferSize));
}

void NczReader::OpenBytes(std::string_view bytes) {
  Close();
  inMemory_ = true;
  view_ = bytes.data();
  viewStart_ = 0;
  viewLength_ = static_cast<std::int64_t>(bytes.size());
  size_ = viewLength_;
}

void NczReader::Close() {
  if (file_.is_open()) file_.close();
  file_.clear();
  inMemory_ = false;
  view_ = nullptr;
  viewStart_ = viewLength_ = 0;
  size_ = pos_ = 0;
  header_.fill(0);
  layers_.fill(0);
  skipping_ = false;
}

// Makes the buffer hold [pos_, pos_ + n); n never exceeds the buffer and the range lies in the file.
bool NczReader::Fill(std::int64_t n) {
  if (pos_ >= viewStart_ && pos_ + n <= viewStart_ + viewLength_) return true;
  if (inMemory_ || !file_.is_open()) return false;
  file_.clear();
  file_.seekg(static_cast<std::streamoff>(pos_));
  std::int64_t want = std::min(kBufferSize, size_ - pos_);
  file_.read(buffer_.data(), static_cast<std::streamsize>(want));
  view_ = buffer_.data();
  viewStart_ = pos_;
  viewLength_ = static_cast<std::int64_t>(file_.gcount());
  // A file cut short by another program since it was opened reads as ending here.
  return n <= viewLength_;
}

bool NczReader::ReadBlock(std::int64_t n, void* destination) {
  if (n < 0 || pos_ < 0 || pos_ > size_ - n) return false;
  if (n == 0) return true;
  if (n > kBufferSize && !inMemory_) {
    file_.clear();
    file_.seekg(static_cast<std::streamoff>(pos_));
    std::vector<char> whole(static_cast<std::size_t>(n));
    if (!file_.read(whole.data(), static_cast<std::streamsize>(n))) return false;
    std::memcpy(destination, whole.data(), whole.size());
  } else {
    if (!Fill(n)) return false;
    std::memcpy(destination, view_ + (pos_ - viewStart_), static_cast<std::size_t>(n));
  }
  pos_ += n;
  return true;
}

bool NczReader::ReadRecordHeader(ncz::RecordHeader& header) {
  unsigned char bytes[5];
  if (!ReadBlock(5, bytes)) return false;
  header.code = bytes[0];
  header.length = Int32At(bytes + 1);
  return true;
}

std::int32_t NczReader::LayerTablePosition() const { return Int32At(header_.data() + 8); }
std::int32_t NczReader::EntityPosition() const { return Int32At(header_.data() + 40); }

void NczReader::ReadFileHeader() {
  header_.fill(0);
  layers_.fill(0);
  skipping_ = false;
  pos_ = 0;
  ncz::RecordHeader record;
  if (!ReadRecordHeader(record) || record.code != ncz::kHeaderCode) return;
  // Bodies longer than the blocks are clipped; the rest of such a body carries nothing we use.
  if (record.length > 0) ReadBlock(std::min<std::int64_t>(record.length, ncz::kHeaderBlockSize), header_.data());
  std::int32_t layerTable = LayerTablePosition();
  if (layerTable == -1) return;
  pos_ = layerTable;
  if (!ReadRecordHeader(record) || record.code != ncz::kLayerTableCode) return;
  if (record.length > 0) ReadBlock(std::min<std::int64_t>(record.length, ncz::kLayerBlockSize), layers_.data());
}

std::string_view NczReader::LayerName(int index) const {
  if (index < 0 || index > 255) return {};
  std::size_t at = 17 + 29 * static_cast<std::size_t>(index);
  std::size_t length = std::min<std::size_t>(layers_[at], ncz::kMaxLayerNameLength);
  return {reinterpret_cast<const char*>(layers_.data() + at + 1), length};
}

void NczReader::WalkEntities(ncz::KindSet kinds, const ncz::EntitySink& sink) {
  std::int32_t entityPosition = EntityPosition();
  if (entityPosition <= 0) return;
  pos_ = entityPosition;
  skipping_ = false;

  unsigned char common[ncz::kLongCommonPartSize];
  unsigned char part[ncz::kTrianglePartSize];
  ncz::RecordHeader record;
  while (ReadRecordHeader(record)) {
    if (record.code == ncz::kSkipEndCode) {
      skipping_ = false;  // no body, whatever the length field says
      continue;
    }
    // A length that points backwards or past the end cannot be followed: the walk stops rather than
    // loop or hand on an entity whose bytes are not all there.
    if (record.length < 0 || record.length > size_ - pos_) return;
    const std::int64_t bodyStart = pos_;
    const std::int64_t bodyEnd = pos_ + record.length;
    const bool entity = record.code == ncz::kEntityCode || record.code == ncz::kLongEntityCode;
    if (record.code == ncz::kSkipStartCode) skipping_ = true;
    if (!entity || skipping_) {
      pos_ = bodyEnd;
      continue;
    }

    const int commonSize = record.code == ncz::kEntityCode ? ncz::kCommonPartSize : ncz::kLongCommonPartSize;
    if (!ReadBlock(commonSize, common)) return;
    ncz::Entity decoded;
    decoded.kind = common[1];
    decoded.layer = common[2];
    bool handOn = kinds.contains(decoded.kind);
    if (handOn) {
      geometry_.clear();
      switch (decoded.kind) {
        case ncz::kPointKind:
          if (!ReadBlock(ncz::kPointPartSize, part)) return;
          geometry_.push_back(PositionAt(common + 3));
          break;
        case ncz::kTriangleKind:
          if (!ReadBlock(ncz::kTrianglePartSize, part)) return;
          geometry_.push_back(PositionAt(common + 3));
          geometry_.push_back(PositionAt(part));
          geometry_.push_back(PositionAt(part + 20));
          break;
        case ncz::kPolylineKind: {
          if (!ReadBlock(ncz::kPolylinePartSize, part)) return;
          decoded.flags = part[15];
          std::int64_t consumed = pos_ - bodyStart;
          // The length was checked against the file, so this stays within what the file can hold.
          if (consumed < record.length)
            geometry_.reserve(static_cast<std::size_t>((record.length - consumed) / ncz::kPolylineVertexSize + 1));
          unsigned char vertex[ncz::kPolylineVertexSize];
          while (pos_ - bodyStart < record.length) {
            if (!ReadBlock(ncz::kPolylineVertexSize, vertex)) return;
            geometry_.push_back({Float64At(vertex + 8), Float64At(vertex), Float64At(vertex + 16)});
          }
          break;
        }
        default:
          handOn = false;  // a kind this reader has no decoding for
          break;
      }
    }
    if (handOn) {
      if (decoded.kind == ncz::kPolylineKind) {
        std::size_t labelLength = std::min<std::size_t>(part[0], ncz::kMaxLabelLength);
        decoded.label = std::string_view(reinterpret_cast<const char*>(part + 1), labelLength);
      }
      decoded.layerName = LayerName(decoded.layer);
      decoded.geometry = &geometry_;
      sink(decoded);
    }
    // A body shorter than what was decoded is not gone back over: the walk goes on after the bytes read.
    if (pos_ < bodyEnd) pos_ = bodyEnd;
  }
}

void ReadDrawing(const std::filesystem::path& file, ncz::KindSet kinds, const ncz::EntitySink& sink) {
  NczReader reader;
  reader.Open(file);
  if (reader.Size() > 0) {
    reader.ReadFileHeader();
    reader.WalkEntities(kinds, sink);
  }
  reader.Close();
}

}  // namespace velkor
