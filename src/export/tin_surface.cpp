// The TIN surface part file tmpc.xml, joined into the document after the alignments. Models run to
// millions of lines, so the lines are gathered in a large buffer and written in big pieces.
#include "export/tin_surface.h"

#include <charconv>
#include <string>
#include <system_error>

#include "base/error.h"
#include "base/line_writer.h"
#include "base/number_text.h"
#include "base/output_file.h"
#include "export/section_steps.h"
#include "import/work_files.h"

namespace velkor {
namespace {

constexpr std::size_t kChunk = std::size_t{1} << 20;

void AppendNumber(std::string& out, std::size_t n) {
  char digits[24];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, n);
  out.append(digits, ec == std::errc() ? end : digits);
}

}  // namespace

void WriteTinSurface(const TerrainModel& model, std::ostream& out) {
  std::string buffer;
  buffer.reserve(kChunk + 4096);
  auto flush = [&](bool always) {
    if (always || buffer.size() >= kChunk) {
      out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
      buffer.clear();
    }
  };
  AppendLine(buffer, "<Surfaces>", 1);
  AppendLine(buffer, "<Surface name=\"1\" desc=\"Dud32\">", 2);
  AppendLine(buffer, "<Definition surfType=\"TIN\">", 3);
  AppendLine(buffer, "<Pnts>", 4);
  std::size_t id = 0;
  for (const TGeometryPoint& point : model.coordinates) {
    buffer += "\t\t\t\t\t<P id=\"";
    AppendNumber(buffer, ++id);
    buffer += "\">";
    // Northing first, as LandXML reads a point; written from the numbers, so a coordinate wider
    // than its field in the vertex text never runs into its neighbour.
    AppendFixed(buffer, point.y, 3);
    buffer += ' ';
    AppendFixed(buffer, point.x, 3);
    buffer += ' ';
    AppendFixed(buffer, point.z, 3);
    buffer += "</P>";
    buffer += kLineEnd;
    flush(false);
  }
  AppendLine(buffer, "</Pnts>", 4);
  AppendLine(buffer, "<Faces>", 4);
  for (const std::string& face : model.faces) {
    buffer += "\t\t\t\t\t<F>";
    buffer += face;
    buffer += "</F>";
    buffer += kLineEnd;
    flush(false);
  }
  AppendLine(buffer, "</Faces>", 4);
  AppendLine(buffer, "</Definition>", 3);
  AppendLine(buffer, "</Surface>", 2);
  AppendLine(buffer, "</Surfaces>", 1);
  flush(true);
}

void ExportTinSurface(const TerrainModel& model, const std::filesystem::path& workDir) {
  OutputFile out(workDir / kSurfacePartFile);
  WriteTinSurface(model, out.stream());
  out.Close();
}

}  // namespace velkor
