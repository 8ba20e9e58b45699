// Writes the slope plan's alignments into the part file tmps.xml, joined into the document after
// the route's own alignment.
#include "export/slope_plan_alignments.h"

#include "base/error.h"
#include "base/line_writer.h"
#include "base/number_text.h"
#include "base/output_file.h"
#include "base/plane_geometry.h"
#include "base/text_fields.h"
#include "export/conversion_facts.h"
#include "export/section_steps.h"
#include "export/xml_text.h"
#include "import/work_files.h"
#include "ncz/slope_plan.h"

namespace velkor {
namespace {

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

const EntryFields* FieldsOf(const std::vector<EntryFields>& fields, size_t i) {
  return i < fields.size() ? &fields[i] : nullptr;
}

// The coordinate texts of an entry line, after its layer name and tag; the tag goes to `tag`.
// Recorded field ends are trusted only where they do point at commas in this very line.
std::string_view CoordinateTexts(std::string_view line, const EntryFields* fields, std::string* tag = nullptr) {
  if (fields != nullptr && fields->layerEnd < fields->tagEnd && fields->tagEnd < line.size() &&
      line[fields->layerEnd] == ',' && line[fields->tagEnd] == ',') {
    if (tag != nullptr) tag->assign(line.substr(fields->layerEnd + 1, fields->tagEnd - fields->layerEnd - 1));
    return line.substr(fields->tagEnd + 1);
  }
  NextEntryField(line);  // layer name
  std::string_view field = NextEntryField(line);
  if (tag != nullptr) tag->assign(field);
  return line;
}

}  // namespace

std::string_view NextEntryField(std::string_view& line) {
  std::string_view::size_type comma = line.find(',');
  std::string_view field = line.substr(0, comma);
  line = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
  return field;
}

void WriteSlopeAlignment(const std::string& name, const std::vector<std::string>& vertexTexts, std::ostream& out,
                         std::vector<SlopeAlignmentFact>* facts) {
  std::vector<Vertex> vertices;
  vertices.reserve(vertexTexts.size());
  for (const auto& text : vertexTexts) vertices.push_back(ReadVertex(text));
  if (facts != nullptr) {
    SlopeAlignmentFact& fact = facts->emplace_back();
    fact.name = name;
    fact.vertices.reserve(vertices.size());
    for (const Vertex& v : vertices) fact.vertices.push_back({v.e, v.n});
  }

  const size_t n = vertices.size();
  std::vector<double> lengths(n, 0.0);  // lengths[j]: from vertex j-1 to vertex j
  double total = 0;
  for (size_t j = 1; j < n; ++j) {
    lengths[j] = PointDistance(vertices[j - 1].e, vertices[j - 1].n, vertices[j].e, vertices[j].n);
    total += lengths[j];
  }

  // Lines are gathered in a buffer and handed to the stream in large pieces: a polyline may have
  // hundreds of thousands of vertices.
  std::string text;
  auto flushIfLarge = [&text, &out] {
    if (text.size() < (1u << 20)) return;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    text.clear();
  };
  const std::string escaped = XmlEscape(name);
  text += "\t\t<Alignment name=\"" + escaped + "\" length=\"" + FormatFixed(total, 6) + "\" staStart=\"0.000000\">" +
          kLineEnd;
  text += "\t\t\t<CoordGeom>";
  text += kLineEnd;
  double station = 0;
  for (size_t j = 1; j < n; ++j) {
    const Vertex& from = vertices[j - 1];
    const Vertex& to = vertices[j];
    double dir = GradToDeg(Azimuth(from.e, from.n, to.e, to.n));
    text += "\t\t\t\t<Line dir=\"";
    text += FormatFixed(dir, 6);
    text += "\" length=\"";
    text += FixedNumber(lengths[j]);
    text += "\" staStart=\"";
    text += j == 1 ? std::string("0.000") : FixedNumber(station);
    text += "\">";
    text += kLineEnd;
    text += "\t\t\t\t\t<Start>" + from.northingText + ' ' + from.eastingText + " </Start>" + kLineEnd;
    text += "\t\t\t\t\t<End>" + to.northingText + ' ' + to.eastingText + " </End>" + kLineEnd;
    text += "\t\t\t\t</Line>";
    text += kLineEnd;
    station += lengths[j];
    flushIfLarge();
  }
  text += "\t\t\t</CoordGeom>";
  text += kLineEnd;
  text += "\t\t\t<Profile name=\"" + escaped + "\">" + kLineEnd;
  text += "\t\t\t\t<ProfAlign name=\"" + escaped + "\">" + kLineEnd;
  station = 0;
  for (size_t j = 0; j < n; ++j) {
    station += lengths[j];
    text += "\t\t\t\t\t<PVI>";
    text += FixedNumber(station);
    text += ' ';
    text += FixedNumber(vertices[j].z);
    text += "</PVI>";
    text += kLineEnd;
    flushIfLarge();
  }
  text += "\t\t\t\t</ProfAlign>";
  text += kLineEnd;
  text += "\t\t\t</Profile>";
  text += kLineEnd;
  text += "\t\t</Alignment>";
  text += kLineEnd;
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void WriteSlopePlanAlignments(const SlopePlan& plan, std::ostream& out, std::vector<SlopeAlignmentFact>* facts) {
  std::vector<std::string> vertices;
  if (!plan.axisPoints.empty()) {
    vertices.reserve(plan.axisPoints.size());
    for (size_t i = 0; i < plan.axisPoints.size(); ++i) {
      std::string_view rest = CoordinateTexts(plan.axisPoints[i], FieldsOf(plan.axisPointFields, i));
      vertices.emplace_back(NextEntryField(rest));
    }
    WriteSlopeAlignment("Ax", vertices, out, facts);
  }
  for (size_t i = 0; i < plan.polylines.size(); ++i) {
    vertices.clear();
    std::string label;
    std::string_view rest = CoordinateTexts(plan.polylines[i], FieldsOf(plan.polylineFields, i), &label);
    for (std::string_view field = NextEntryField(rest); !field.empty(); field = NextEntryField(rest)) {
      vertices.emplace_back(field);
    }
    WriteSlopeAlignment(label, vertices, out, facts);
  }
}

std::vector<SlopeAlignmentFact> ExportSlopePlan(const SlopePlan& plan, const std::filesystem::path& workDir) {
  OutputFile out(workDir / kSlopePlanPartFile);
  std::vector<SlopeAlignmentFact> facts;
  WriteSlopePlanAlignments(plan, out.stream(), &facts);
  out.Close();
  return facts;
}

}  // namespace velkor
