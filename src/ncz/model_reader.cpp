// Terrain model reading and triangle matching, sized for a million points and two million triangles:
// the drawing's numbers are kept as they are and the matching is one hash lookup per corner.
#include "ncz/model_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "base/error.h"
#include "base/number_text.h"
#include "platform/platform.h"

namespace velkor {
namespace {

constexpr std::size_t kVertexTextLength = 11 + 12 + 10 + 1;
constexpr std::uintmax_t kReservedPoints = 2'000'000;
constexpr std::uintmax_t kReservedTriangles = 4'000'000;
// The fewest bytes a decoded point or triangle takes in a drawing: header, common part, kind part.
constexpr std::uintmax_t kPointRecordBytes = 5 + ncz::kCommonPartSize + ncz::kPointPartSize;
constexpr std::uintmax_t kTriangleRecordBytes = 5 + ncz::kCommonPartSize + ncz::kTrianglePartSize;

// Room for n elements, filled later: a large list gets large pages before its first element is written.
template <typename T>
void ReserveLarge(std::vector<T>& list, std::size_t n) {
  list.reserve(n);
  platform::AdviseLargePages(list.data(), list.capacity() * sizeof(T));
}

// A vertex text as three integers, one per field: the digits the field prints and its sign. The
// fields are fixed-width and each holds exactly one "." with three decimals, so two texts are equal
// exactly when their keys are, and no text is ever formatted to be compared.
struct CompactKey {
  std::uint64_t x = 0;
  std::uint64_t y = 0;
  std::uint64_t z = 0;
  bool operator==(const CompactKey&) const = default;
};

// False for a vertex with a field too long for a key; such vertices are matched on their texts.
bool MakeKey(const TGeometryPoint& p, CompactKey& key) {
  return FixedThousandths(p.x, key.x) && FixedThousandths(p.y, key.y) && FixedThousandths(p.z, key.z);
}

std::uint64_t Mix(std::uint64_t h) {
  h ^= h >> 33;
  h *= 0xff51afd7ed558ccdull;
  h ^= h >> 33;
  h *= 0xc4ceb9fe1a85ec53ull;
  h ^= h >> 33;
  return h;
}

// Grid models differ by small steps in every field, so each field goes through the full mix.
std::uint64_t HashKey(const CompactKey& k) { return Mix(k.x + Mix(k.y + Mix(k.z))); }

// Open addressing from key to the first position in the point list, sized once for all points. Each
// slot keeps the upper hash bits beside the 1-based position so that most misses never touch a key.
class FirstPositionIndex {
 public:
  explicit FirstPositionIndex(const std::vector<TGeometryPoint>& points) {
    std::size_t capacity = 16;
    while (capacity < points.size() * 2) capacity *= 2;
    ReserveLarge(keys_, points.size());
    keys_.resize(points.size());
    ReserveLarge(slots_, capacity);
    slots_.assign(capacity, 0);
    mask_ = capacity - 1;
    for (std::size_t p = 0; p < points.size(); ++p) {
      const auto position = static_cast<std::uint32_t>(p + 1);
      if (MakeKey(points[p], keys_[p])) {
        Insert(keys_[p], position);
      } else {
        wide_.try_emplace(VertexText(points[p]), position);  // equal texts keep the first
      }
    }
  }

  // Asks for the slot where a lookup of hash h starts, ahead of the lookup itself.
  void Prefetch(std::uint64_t h) const {
#if defined(__GNUC__)
    __builtin_prefetch(slots_.data() + (h & mask_));
#else
    (void)h;
#endif
  }

  // 1-based position of the first point with this key (whose hash is h), 0 when there is none.
  std::uint32_t Find(const CompactKey& key, std::uint64_t h) const {
    const auto tag = static_cast<std::uint32_t>(h >> 32);
    for (std::size_t s = h & mask_;; s = (s + 1) & mask_) {
      const std::uint64_t slot = slots_[s];
      if (slot == 0) return 0;
      const auto position = static_cast<std::uint32_t>(slot);
      if (static_cast<std::uint32_t>(slot >> 32) == tag && keys_[position - 1] == key) return position;
    }
  }

  // The same for a corner without a key: a field that long is never equal to one with a key.
  std::uint32_t FindText(const TGeometryPoint& corner) const {
    if (wide_.empty()) return 0;
    const auto found = wide_.find(VertexText(corner));
    return found == wide_.end() ? 0 : found->second;
  }

 private:
  void Insert(const CompactKey& key, std::uint32_t position) {
    const std::uint64_t h = HashKey(key);
    const auto tag = static_cast<std::uint32_t>(h >> 32);
    for (std::size_t s = h & mask_;; s = (s + 1) & mask_) {
      const std::uint64_t slot = slots_[s];
      if (slot == 0) {
        slots_[s] = std::uint64_t{tag} << 32 | position;
        return;
      }
      // Equal keys keep the lowest position: the one inserted first.
      if (static_cast<std::uint32_t>(slot >> 32) == tag && keys_[static_cast<std::uint32_t>(slot) - 1] == key) return;
    }
  }

  std::vector<CompactKey> keys_;
  std::vector<std::uint64_t> slots_;
  std::size_t mask_ = 0;
  std::unordered_map<std::string, std::uint32_t> wide_;
};

}  // namespace

void AppendVertexText(std::string& out, const TGeometryPoint& p) {
  AppendFixed(out, p.x, 3, 11);
  AppendFixed(out, p.y, 3, 12);
  AppendFixed(out, p.z, 3, 10);
  out.push_back(',');
}

std::string VertexText(const TGeometryPoint& p) {
  std::string text;
  text.reserve(kVertexTextLength);
  AppendVertexText(text, p);
  return text;
}

int MatchingPercent(std::size_t i, std::size_t n) {
  if (n == 0) return 0;
  std::uint64_t scaled = static_cast<std::uint64_t>(i) * 100;
  std::uint64_t whole = scaled / n, twiceRest = 2 * (scaled % n);
  if (twiceRest > n || (twiceRest == n && whole % 2 == 1)) ++whole;
  return static_cast<int>(whole);
}

void ReadModelDrawing(const std::filesystem::path& drawing, TerrainModel& model) {
  model = TerrainModel{};
  std::error_code ec;
  if (drawing.empty() || !std::filesystem::exists(drawing, ec)) return;

  NczReader reader;
  reader.Open(drawing);
  // Room for as many points and triangles as the drawing could hold, up to twice the usual large
  // model, so that such lists never move while they are read; some systems count reserved memory
  // against their limit even before it is used, so it is bounded.
  const auto size = static_cast<std::uintmax_t>(reader.Size());
  ReserveLarge(model.coordinates,
               static_cast<std::size_t>(std::min<std::uintmax_t>(size / kPointRecordBytes, kReservedPoints)));
  ReserveLarge(model.corners,
               static_cast<std::size_t>(3 * std::min<std::uintmax_t>(size / kTriangleRecordBytes, kReservedTriangles)));
  if (reader.Size() > 0) {
    reader.ReadFileHeader();
    const std::string drawingName = PathToUtf8(drawing.filename());
    reader.WalkEntities(ncz::kModelKinds, [&](const ncz::Entity& e) {
      if (e.kind == ncz::kPointKind) {
        // A point becomes three numbers of the surface; one that is no number stops the reading.
        for (const TGeometryPoint& p : *e.geometry) {
          for (double value : {p.x, p.y, p.z}) {
            if (!std::isfinite(value)) throw Error(NotAFloat(FormatFixed(value, 3)), drawingName);
          }
          model.coordinates.push_back(p);
        }
      } else {
        model.corners.insert(model.corners.end(), e.geometry->begin(), e.geometry->end());
      }
    });
  }
  reader.Close();
}

void MatchTriangles(TerrainModel& model, const MatchingProgress& progress) {
  model.faces.clear();
  const std::size_t n = model.corners.size() / 3;
  if (n == 0) return;
  ReserveLarge(model.faces, n);
  const FirstPositionIndex index(model.coordinates);
  int shown = -1;
  // Triangles go in small batches: all corners are keyed and their slots asked for first, so the
  // lookups find them in the cache instead of waiting on memory one after another.
  constexpr std::size_t kBatch = 32;
  CompactKey keys[kBatch][3];
  bool compact[kBatch][3];
  std::uint64_t hashes[kBatch][3];
  for (std::size_t base = 0; base < n; base += kBatch) {
    const std::size_t count = std::min(kBatch, n - base);
    const TGeometryPoint* corner = model.corners.data() + 3 * base;
    for (std::size_t t = 0; t < count; ++t) {
      for (int c = 0; c < 3; ++c) {
        compact[t][c] = MakeKey(corner[3 * t + c], keys[t][c]);
        if (!compact[t][c]) continue;
        hashes[t][c] = HashKey(keys[t][c]);
        index.Prefetch(hashes[t][c]);
      }
    }
    for (std::size_t t = 0; t < count; ++t) {
      if (progress) {
        const int percent = MatchingPercent(base + t, n);
        if (percent != shown) progress(shown = percent);
      }
      Face face;
      for (int c = 0; c < 3; ++c) {
        face[c] = compact[t][c] ? index.Find(keys[t][c], hashes[t][c]) : index.FindText(corner[3 * t + c]);
      }
      model.faces.push_back(face);
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
