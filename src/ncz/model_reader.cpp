// Terrain model reading and triangle matching, sized for a million points and two million triangles:
// vertex texts are formatted in place and the matching is one hash lookup per corner.
#include "ncz/model_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <vector>

#include "base/error.h"
#include "base/number_text.h"
#include "platform/platform.h"

namespace velkor {
namespace {

constexpr std::size_t kVertexTextLength = 11 + 12 + 10 + 1;
constexpr std::size_t kReservedLines = 1'000'000;
// The fewest bytes a decoded point or triangle takes in a drawing: header, common part, kind part.
constexpr std::uintmax_t kPointRecordBytes = 5 + ncz::kCommonPartSize + ncz::kPointPartSize;
constexpr std::uintmax_t kTriangleRecordBytes = 5 + ncz::kCommonPartSize + ncz::kTrianglePartSize;

std::uint64_t HashText(std::string_view text) {
  // FNV-1a over 8-byte words with a final mix: vertex texts are short and differ in their digits.
  std::uint64_t h = 0xcbf29ce484222325ull ^ text.size();
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    h = (h ^ word) * 0x100000001b3ull;
    h ^= h >> 29;
  }
  for (; i < text.size(); ++i) h = (h ^ static_cast<unsigned char>(text[i])) * 0x100000001b3ull;
  h ^= h >> 32;
  h *= 0xd6e8feb86659fd93ull;
  h ^= h >> 32;
  return h;
}

// Open addressing from text to its first position in the point list. Each slot keeps the upper hash
// bits beside the 1-based position so that most misses never touch the texts.
class FirstPositionIndex {
 public:
  explicit FirstPositionIndex(const std::vector<std::string>& texts) : texts_(texts) {
    std::size_t capacity = 16;
    while (capacity < texts.size() * 2) capacity *= 2;
    slots_.assign(capacity, 0);
    mask_ = capacity - 1;
    for (std::size_t p = 0; p < texts.size(); ++p) Insert(texts[p], static_cast<std::uint32_t>(p + 1));
  }

  // Asks for the slot where a lookup of hash h starts, ahead of the lookup itself.
  void Prefetch(std::uint64_t h) const {
#if defined(__GNUC__)
    __builtin_prefetch(slots_.data() + (h & mask_));
#else
    (void)h;
#endif
  }

  // 1-based position of the first equal text (whose hash is h), 0 when there is none.
  std::uint32_t Find(std::string_view text, std::uint64_t h) const {
    std::uint32_t tag = static_cast<std::uint32_t>(h >> 32);
    for (std::size_t s = h & mask_;; s = (s + 1) & mask_) {
      std::uint64_t slot = slots_[s];
      if (slot == 0) return 0;
      auto position = static_cast<std::uint32_t>(slot);
      if (static_cast<std::uint32_t>(slot >> 32) == tag && texts_[position - 1] == text) return position;
    }
  }

 private:
  void Insert(std::string_view text, std::uint32_t position) {
    std::uint64_t h = HashText(text);
    std::uint32_t tag = static_cast<std::uint32_t>(h >> 32);
    for (std::size_t s = h & mask_;; s = (s + 1) & mask_) {
      std::uint64_t slot = slots_[s];
      if (slot == 0) {
        slots_[s] = std::uint64_t{tag} << 32 | position;
        return;
      }
      // Equal texts keep the lowest position: the one inserted first.
      if (static_cast<std::uint32_t>(slot >> 32) == tag && texts_[static_cast<std::uint32_t>(slot) - 1] == text) return;
    }
  }

  const std::vector<std::string>& texts_;
  std::vector<std::uint64_t> slots_;
  std::size_t mask_ = 0;
};

}  // namespace

void AppendVertexText(std::string& out, const TGeometryPoint& p) {
  AppendFixed(out, p.x, 3, 11);
  AppendFixed(out, p.y, 3, 12);
  AppendFixed(out, p.z, 3, 10);
  out.push_back(',');
}

void AddModelPoint(TerrainModel& model, const TGeometryPoint& point) {
  model.points.push_back(VertexText(point));
  model.coordinates.push_back(point);
}

std::string VertexText(const TGeometryPoint& p) {
  std::string text;
  text.reserve(kVertexTextLength);
  AppendVertexText(text, p);
  return text;
}

std::string_view NextCommaField(std::string_view& text) {
  if (!text.empty() && text.front() == ',') text.remove_prefix(1);
  std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return "BOS";
  std::string_view field = text.substr(0, comma);
  text.remove_prefix(comma + 1);
  return field;
}

int MatchingPercent(std::size_t i, std::size_t n) {
  if (n == 0) return 0;
  std::uint64_t scaled = static_cast<std::uint64_t>(i) * 100;
  std::uint64_t whole = scaled / n, twiceRest = 2 * (scaled % n);
  if (twiceRest > n || (twiceRest == n && whole % 2 == 1)) ++whole;
  return static_cast<int>(whole);
}

void ReadModelDrawing(const std::filesystem::path& drawing, TerrainModel& model) {
  model.points.clear();
  model.coordinates.clear();
  model.triangles.clear();
  model.faces.clear();
  std::error_code ec;
  if (drawing.empty() || !std::filesystem::exists(drawing, ec)) return;

  NczReader reader;
  reader.Open(drawing);
  // Room for the usual million lines, but never more than the drawing could hold.
  auto size = static_cast<std::uintmax_t>(reader.Size());
  const auto pointRoom = static_cast<std::size_t>(std::min<std::uintmax_t>(kReservedLines, size / kPointRecordBytes));
  model.points.reserve(pointRoom);
  model.coordinates.reserve(pointRoom);
  std::size_t triangleRoom =
      static_cast<std::size_t>(std::min<std::uintmax_t>(kReservedLines, size / kTriangleRecordBytes));
  model.triangles.reserve(triangleRoom);
  model.faces.reserve(triangleRoom);
  if (reader.Size() > 0) {
    reader.ReadFileHeader();
    const std::string drawingName = PathToUtf8(drawing.filename());
    reader.WalkEntities(ncz::kModelKinds, [&](const ncz::Entity& e) {
      std::string line;
      line.reserve(e.geometry->size() * kVertexTextLength);
      for (const TGeometryPoint& p : *e.geometry) AppendVertexText(line, p);
      if (e.kind == ncz::kPointKind) {
        // A point becomes three numbers of the surface; one that is no number stops the reading.
        for (const TGeometryPoint& p : *e.geometry) {
          for (double value : {p.x, p.y, p.z}) {
            if (!std::isfinite(value)) throw Error(NotAFloat(FormatFixed(value, 3)), drawingName);
          }
          model.coordinates.push_back(p);
        }
        model.points.push_back(std::move(line));
      } else {
        model.triangles.push_back(std::move(line));
      }
    });
  }
  reader.Close();
}

void MatchTriangles(TerrainModel& model, const MatchingProgress& progress) {
  model.faces.clear();
  const std::size_t n = model.triangles.size();
  if (n == 0) return;
  model.faces.reserve(n);
  FirstPositionIndex index(model.points);
  int shown = -1;
  // Triangles go in small batches: all corners are hashed and their slots asked for first, so the
  // lookups find them in the cache instead of waiting on memory one after another.
  constexpr std::size_t kBatch = 32;
  std::string_view wanted[kBatch][3];
  std::uint64_t hashes[kBatch][3];
  for (std::size_t base = 0; base < n; base += kBatch) {
    const std::size_t count = std::min(kBatch, n - base);
    for (std::size_t t = 0; t < count; ++t) {
      std::string_view rest = model.triangles[base + t];
      for (int corner = 0; corner < 3; ++corner) {
        std::string_view field = NextCommaField(rest);
        // The point list holds texts with their comma, and a field cut off the line is followed by
        // its comma there, so it is looked up in place; the "BOS" of a missing field gets its comma.
        wanted[t][corner] =
            field.data() + field.size() + 1 == rest.data() ? std::string_view(field.data(), field.size() + 1) : "BOS,";
        hashes[t][corner] = HashText(wanted[t][corner]);
        index.Prefetch(hashes[t][corner]);
      }
    }
    for (std::size_t t = 0; t < count; ++t) {
      if (progress) {
        int percent = MatchingPercent(base + t, n);
        if (percent != shown) progress(shown = percent);
      }
      char face[3 * 11];
      char* end = face;
      for (int corner = 0; corner < 3; ++corner) {
        if (corner > 0) *end++ = ' ';
        end = std::to_chars(end, face + sizeof face, index.Find(wanted[t][corner], hashes[t][corner])).ptr;
      }
      model.faces.emplace_back(face, end);
    }
  }
}

void ReadModel(const std::filesystem::path& drawing, TerrainModel& model, const MatchingProgress& progress) {
  ReadModelDrawing(drawing, model);
  MatchTriangles(model, progress);
}

void ReadModelCommand(const std::optional<std::filesystem::path>& chosen, TerrainModel& model,
                      const MatchingProgress& progress) {
  if (chosen) ReadModel(*chosen, model, progress);
}

}  // namespace velkor
