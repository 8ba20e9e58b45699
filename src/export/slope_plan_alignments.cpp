// Writes the slope plan's alignments into the part file tmps.xml, joined into the document after
// the route's own alignment.
#include "export/slope_plan_alignments.h"

#include <fstream>

#include "export/plane_geometry.h"
#include "export/section_steps.h"
#include "export/xml_text.h"
#include "import/error.h"
#include "import/number_text.h"
#include "import/text_fields.h"
#include "ncz/slope_plan.h"

namespace velkor {
namespace {

constexpr const char* kEol = "\r\n";

struct Vertex {
  std::string eastingText;
  std::string northingText;
  double e = 0;
  double n = 0;
  double z = 0;
};

// "E N Z": the two plane coordinates are kept as written, for the Start and End texts.
Vertex ReadVertex(std::string text) {
  Vertex v;
  v.eastingText = NextField(text);
  v.e = ParseFloat(v.eastingText);
  v.northingText = NextField(text);
  v.n = ParseFloat(v.northingText);
  v.z = ParseFloat(text);
  return v;
}

std::string Trimmed(const std::string& text) {
  std::string::size_type start = text.find_first_not_of(' ');
  if (start == std::string::npos) return {};
  return text.substr(start, text.find_last_not_of(' ') - start + 1);
}

std::string Fixed(double value, int decimals, int width) { return Trimmed(FormatFixed(value, decimals, width)); }

}  // namespace

std::string NextCommaField(std::string& line) {
  std::string::size_type comma = line.find(',');
  std::string field;
  if (comma == std::string::npos) {
    field.swap(line);
  } else {
    field = line.substr(0, comma);
    line.erase(0, comma + 1);
  }
  return field;
}

void WriteSlopeAlignment(const std::string& name, const std::vector<std::string>& vertexTexts, std::ostream& out) {
  std::vector<Vertex> vertices;
  vertices.reserve(vertexTexts.size());
  for (const auto& text : vertexTexts) vertices.push_back(ReadVertex(text));

  const size_t n = vertices.size();
  std::vector<double> lengths(n, 0.0);  // lengths[j]: from vertex j-1 to vertex j
  double total = 0;
  for (size_t j = 1; j < n; ++j) {
    lengths[j] = PointDistance(vertices[j - 1].e, vertices[j - 1].n, vertices[j].e, vertices[j].n);
    total += lengths[j];
  }

  const std::string escaped = XmlEscape(name);
  out << "\t\t<Alignment name=\"" << escaped << "\" length=\"" << Fixed(total, 6, 15) << "\" staStart=\"0.000000\">"
      << kEol;
  out << "\t\t\t<CoordGeom>" << kEol;
  double station = 0;
  for (size_t j = 1; j < n; ++j) {
    const Vertex& from = vertices[j - 1];
    const Vertex& to = vertices[j];
    double dir = GradToDeg(Azimuth(from.e, from.n, to.e, to.n));
    std::string start = j == 1 ? std::string("0.000") : Fixed(station, 3, 10);
    out << "\t\t\t\t<Line dir=\"" << Fixed(dir, 6, 10) << "\" length=\"" << Fixed(lengths[j], 3, 10) << "\" staStart=\""
        << start << "\">" << kEol;
    out << "\t\t\t\t\t<Start>" << from.northingText << ' ' << from.eastingText << " </Start>" << kEol;
    out << "\t\t\t\t\t<End>" << to.northingText << ' ' << to.eastingText << " </End>" << kEol;
    out << "\t\t\t\t</Line>" << kEol;
    station += lengths[j];
  }
  out << "\t\t\t</CoordGeom>" << kEol;
  out << "\t\t\t<Profile name=\"" << escaped << "\">" << kEol;
  out << "\t\t\t\t<ProfAlign name=\"" << escaped << "\">" << kEol;
  station = 0;
  for (size_t j = 0; j < n; ++j) {
    station += lengths[j];
    out << "\t\t\t\t\t<PVI>" << Fixed(station, 3, 15) << ' ' << Fixed(vertices[j].z, 3, 15) << "</PVI>" << kEol;
  }
  out << "\t\t\t\t</ProfAlign>" << kEol;
  out << "\t\t\t</Profile>" << kEol;
  out << "\t\t</Alignment>" << kEol;
}

void WriteSlopePlanAlignments(const SlopePlan& plan, std::ostream& out) {
  std::vector<std::string> vertices;
  if (!plan.axisPoints.empty()) {
    vertices.reserve(plan.axisPoints.size());
    for (std::string line : plan.axisPoints) {
      NextCommaField(line);  // layer name
      NextCommaField(line);  // tag
      vertices.push_back(NextCommaField(line));
    }
    WriteSlopeAlignment("Ax", vertices, out);
  }
  for (std::string line : plan.polylines) {
    vertices.clear();
    NextCommaField(line);  // layer name
    std::string label = NextCommaField(line);
    for (std::string field = NextCommaField(line); !field.empty(); field = NextCommaField(line)) {
      vertices.push_back(std::move(field));
    }
    WriteSlopeAlignment(label, vertices, out);
  }
}

void ExportSlopePlan(const SlopePlan& plan, const std::filesystem::path& workDir) {
  const std::filesystem::path file = workDir / "tmps.xml";
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) throw Error(CannotCreate(file.string()));
  WriteSlopePlanAlignments(plan, out);
  out.flush();
  if (!out) throw Error(CannotCreate(file.string()));
}

}  // namespace velkor
