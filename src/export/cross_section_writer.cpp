// The CrossSects block and the crs.gsi template records, built one cross section at a time.
#include "export/cross_section_writer.h"

#include <unordered_set>

#include "base/error.h"
#include "base/line_writer.h"
#include "base/number_text.h"
#include "base/text_fields.h"
#include "export/conversion_facts.h"
#include "export/gsi_records.h"
#include "export/xml_text.h"

namespace velkor {
namespace {

constexpr const char* kVertexBeforeStation =
    "Vertex line before the first station line: a cross-section file must begin with a station line (kind 1)";
constexpr const char* kVertexAfterClosingStation =
    "Vertex line after a station 500000.999, which closes the cross sections: it belongs to no cross section";

// An offset or elevation as the field software reads it: six decimals, no blanks.
std::string SectionNumber(const std::string& field) { return FormatFixed(ParseFloat(field), 6); }

}  // namespace

class CrossSectionWriter::Block {
 public:
  Block(std::ostream& xml, std::ostream& gsi) : xml_(xml), gsi_(gsi) {}

  void Begin() { xml_ << "\t\t\t<CrossSects>" << kLineEnd; }
  void End() { xml_ << "\t\t\t</CrossSects>" << kLineEnd; }

  void Station(const std::string& station) {
    if (open_) Close();
    // A cross section closed without ever being opened would leave stray end tags behind, so the
    // closing station only ends the one being built.
    open_ = station != kNoSectionStation;
    if (open_) {
      xml_ << "\t\t\t\t<CrossSect sta=\"" << XmlEscape(station) << "\">" << kLineEnd;
      xml_ << "\t\t\t\t\t<CrossSectSurf name=\"Cst\">" << kLineEnd;
    }
    started_ = true;
    points_.clear();
    previous_ = std::move(current_);
    current_.clear();
    station_ = station;
  }

  void Vertex(const std::string& offsetField, const std::string& elevationField, const std::string& name) {
    if (!open_) throw Error(started_ ? kVertexAfterClosingStation : kVertexBeforeStation);
    std::string offset = SectionNumber(offsetField);
    std::string elevation = SectionNumber(elevationField);
    // The record is complete before anything is written, so a station that is no number leaves no
    // half line behind.
    std::string record = GsiSectionPoint(station_, offset, elevation);
    if (!points_.empty()) points_ += ' ';
    points_ += offset;
    points_ += ' ';
    points_ += elevation;
    current_.push_back(name);
    gsi_ << record << kLineEnd;
  }

 private:
  void Close() {
    xml_ << "\t\t\t\t\t\t<PntList2D>" << points_ << "</PntList2D>" << kLineEnd;
    xml_ << "\t\t\t\t\t\t<Feature code=\"RR Vertex Name\">";
    for (size_t i = 0; i < current_.size(); ++i) xml_ << (i ? "," : "") << XmlEscape(current_[i]);
    xml_ << "</Feature>" << kLineEnd;
    // The section before had no vertices: nothing to connect to, so no connections at all.
    if (!previous_.empty()) {
      std::unordered_set<std::string> before(previous_.begin(), previous_.end());
      std::string pairs;
      for (const auto& name : current_) {
        // A vertex without a name cannot be matched to anything.
        if (name.empty() || !before.count(name)) continue;
        std::string escaped = XmlEscape(name);
        if (!pairs.empty()) pairs += ',';
        pairs += escaped + "," + escaped;
      }
      xml_ << "\t\t\t\t\t\t\t<Feature code=\"RR Vertex Connections\">" << kLineEnd;
      xml_ << "\t\t\t\t\t\t\t<Feature code=\"RR Vertex Interpolate\">" << pairs << "</Feature>" << kLineEnd;
      xml_ << "\t\t\t\t\t\t</Feature>" << kLineEnd;
    }
    xml_ << "\t\t\t\t\t</CrossSectSurf>" << kLineEnd;
    xml_ << "\t\t\t\t</CrossSect>" << kLineEnd;
  }

  std::ostream& xml_;
  std::ostream& gsi_;
  bool started_ = false;  // a station line has been read
  bool open_ = false;     // the cross section being built has its start tags in the block
  std::string points_;    // offsets and elevations, single blanks between them
  std::vector<std::string> current_, previous_;
  std::string station_;
};

std::string RewriteSectionSide(const std::string& line) {
  if (line.find('-') != std::string::npos) return ReplaceAllNoCase(line, "A", "O");
  return ReplaceAllNoCase(line, "O", "A");
}

CrossSectionWriter::CrossSectionWriter(std::ostream& xml, std::ostream& gsi, std::string source)
    : block_(std::make_unique<Block>(xml, gsi)),
      source_(std::move(source)),
      facts_(std::make_unique<CrossSectionFacts>()) {
  facts_->file = source_;
  block_->Begin();
}

const CrossSectionFacts& CrossSectionWriter::facts() const { return *facts_; }

CrossSectionWriter::~CrossSectionWriter() = default;

void CrossSectionWriter::Line(const std::string& line) {
  ++lineNumber_;
  try {
    std::string rest = line;
    int kind = ParseInt(NextField(rest));
    std::string second = NextField(rest);
    std::string third = NextField(rest);
    std::string fourth = NextField(rest);
    if (kind == 0) {
      block_->Vertex(second, third, fourth);
      ++facts_->sections.back().vertices;
      ++facts_->gsiRecords;
    } else if (kind == 1) {
      // The station goes into the document and the GSI records as it stands.
      double station = ParseFloat(third);
      block_->Station(third);
      if (third != kNoSectionStation) facts_->sections.push_back({station, 0, {source_, lineNumber_}});
    }
    // Other kinds carry nothing the field software uses.
  } catch (Error& e) {
    e.at(source_, lineNumber_);
    throw;
  }
}

void CrossSectionWriter::Finish() { block_->End(); }

void WriteCrossSections(const std::vector<std::string>& lines, std::ostream& xml, std::ostream& gsi,
                        const std::string& source) {
  CrossSectionWriter writer(xml, gsi, source);
  for (const auto& line : lines) writer.Line(line);
  writer.Finish();
}

}  // namespace velkor
