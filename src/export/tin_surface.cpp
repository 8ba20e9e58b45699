// The TIN surface block. Models run to millions of lines, so the numbers are formatted straight into
// one buffer and the block's size is bounded beforehand, so that the buffer never moves.
#include "export/tin_surface.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

#include "base/line_writer.h"
#include "base/number_text.h"
#include "export/conversion_facts.h"
#include "platform/platform.h"

namespace velkor {
namespace {

constexpr std::size_t kChunk = std::size_t{1} << 20;
constexpr std::string_view kPointStart = "\t\t\t\t\t<P id=\"";
constexpr std::string_view kPointEnd = "</P>\r\n";
constexpr std::string_view kFaceStart = "\t\t\t\t\t<F>";
constexpr std::string_view kFaceEnd = "</F>\r\n";
// The block's opening and closing lines, with room for the document's own closing line after it.
constexpr std::size_t kOpeningAndClosing = 1024;

void AppendNumber(std::string& out, std::uint64_t n) {
  char digits[24];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, n);
  out.append(digits, ec == std::errc() ? end : digits);
}

std::size_t DecimalDigits(std::uint64_t n) {
  std::size_t digits = 1;
  for (; n >= 10; n /= 10) ++digits;
  return digits;
}

// At least as long as the coordinate's three-decimal text: sign, integer digits, point, decimals.
std::size_t FixedLengthBound(double value) {
  const double magnitude = std::fabs(value);
  if (!(magnitude < 1e15)) return 400;
  return 1 + DecimalDigits(static_cast<std::uint64_t>(magnitude) + 1) + 4;
}

std::size_t SurfaceBound(const TerrainModel& model) {
  std::size_t bytes = kOpeningAndClosing;
  const std::size_t idDigits = DecimalDigits(model.coordinates.size());
  for (const TGeometryPoint& p : model.coordinates) {
    bytes += kPointStart.size() + idDigits + 2 + FixedLengthBound(p.y) + 1 + FixedLengthBound(p.x) + 1 +
             FixedLengthBound(p.z) + kPointEnd.size();
  }
  bytes += model.faces.size() * (kFaceStart.size() + 3 * idDigits + 2 + kFaceEnd.size());
  return bytes;
}

// The block into `buffer`; `flush` is called after each line with the buffer, to take what it wants.
template <typename Flush>
void BuildSurface(const TerrainModel& model, std::string& buffer, Flush flush) {
  AppendLine(buffer, "<Surfaces>", 1);
  AppendLine(buffer, "<Surface name=\"1\" desc=\"Dud32\">", 2);
  AppendLine(buffer, "<Definition surfType=\"TIN\">", 3);
  AppendLine(buffer, "<Pnts>", 4);
  std::uint64_t id = 0;
  for (const TGeometryPoint& point : model.coordinates) {
    buffer += kPointStart;
    AppendNumber(buffer, ++id);
    buffer += "\">";
    // Northing first, as LandXML reads a point; written from the numbers, so a coordinate wider
    // than its field in the vertex text never runs into its neighbour.
    AppendFixed(buffer, point.y, 3);
    buffer += ' ';
    AppendFixed(buffer, point.x, 3);
    buffer += ' ';
    AppendFixed(buffer, point.z, 3);
    buffer += kPointEnd;
    flush(buffer);
  }
  AppendLine(buffer, "</Pnts>", 4);
  AppendLine(buffer, "<Faces>", 4);
  for (const Face& face : model.faces) {
    buffer += kFaceStart;
    AppendNumber(buffer, face[0]);
    buffer += ' ';
    AppendNumber(buffer, face[1]);
    buffer += ' ';
    AppendNumber(buffer, face[2]);
    buffer += kFaceEnd;
    flush(buffer);
  }
  AppendLine(buffer, "</Faces>", 4);
  AppendLine(buffer, "</Definition>", 3);
  AppendLine(buffer, "</Surface>", 2);
  AppendLine(buffer, "</Surfaces>", 1);
}

}  // namespace

void AppendTinSurface(const TerrainModel& model, std::string& document) {
  document.reserve(document.size() + SurfaceBound(model));
  platform::AdviseLargePages(document.data() + document.size(), document.capacity() - document.size());
  BuildSurface(model, document, [](std::string&) {});
}

SurfaceFacts MeasureSurface(const TerrainModel& model) {
  SurfaceFacts facts;
  facts.points = model.coordinates.size();
  facts.faces = model.faces.size();
  for (const Face& face : model.faces) {
    if (face[0] == 0 || face[1] == 0 || face[2] == 0) {
      ++facts.facesWithUnmatchedCorner;
    } else if (face[0] == face[1] || face[1] == face[2] || face[0] == face[2]) {
      ++facts.facesWithRepeatedCorner;
    }
  }
  for (const TGeometryPoint& p : model.coordinates) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
    if (!facts.hasExtent) {
      facts.low = facts.high = {p.x, p.y};
      facts.hasExtent = true;
    }
    facts.low = {std::min(facts.low.e, p.x), std::min(facts.low.n, p.y)};
    facts.high = {std::max(facts.high.e, p.x), std::max(facts.high.n, p.y)};
  }
  return facts;
}

void WriteTinSurface(const TerrainModel& model, std::ostream& out) {
  std::string buffer;
  buffer.reserve(kChunk + 4096);
  BuildSurface(model, buffer, [&](std::string& lines) {
    if (lines.size() < kChunk) return;
    out.write(lines.data(), static_cast<std::streamsize>(lines.size()));
    lines.clear();
  });
  out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
}

}  // namespace velkor
