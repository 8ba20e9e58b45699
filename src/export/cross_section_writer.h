// Reading a NetCAD cross-section file (.kse/.ksp) into the CrossSects block of the document and
// the section template records of crs.gsi, once its lines have been through the side rewrite.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace velkor {

struct CrossSectionFacts;

// Appended after the last line of the rewritten file; its station closes the last cross section.
inline constexpr const char* kCrossSectionEndMarker = "    1      1  500000.999 EKS";
// A station line with exactly this station closes the cross section being built and opens none.
inline constexpr const char* kNoSectionStation = "500000.999";

// The side rewrite: a line with a minus sign has every A/a turned into O, a line without one has
// every O/o turned into A. Vertex names are rewritten too, so left-side and right-side vertices
// of the same name read differently.
std::string RewriteSectionSide(const std::string& line);

// Writes the CrossSects block (from "\t\t\t<CrossSects>" to "\t\t\t</CrossSects>") to `xml` and one
// section point record per vertex line to `gsi`, every line ended by CR LF. `lines` are the
// rewritten lines with the end marker; `source` names the file in error contexts, and the line
// number in a context is the 1-based index into `lines`. Names and stations are XML-escaped.
// Throws Error on a bad kind, offset, elevation or station, and on a vertex line that belongs to
// no cross section (before the first station line, or after a "500000.999" station).
void WriteCrossSections(const std::vector<std::string>& lines, std::ostream& xml, std::ostream& gsi,
                        const std::string& source);

// The same one line at a time, so that a file is never held whole: Line for each rewritten line
// (the end marker included), then Finish.
class CrossSectionWriter {
 public:
  CrossSectionWriter(std::ostream& xml, std::ostream& gsi, std::string source);
  ~CrossSectionWriter();
  CrossSectionWriter(const CrossSectionWriter&) = delete;
  CrossSectionWriter& operator=(const CrossSectionWriter&) = delete;

  void Line(const std::string& line);
  void Finish();
  // The sections built so far: their stations, vertex counts and station lines.
  const CrossSectionFacts& facts() const;

 private:
  class Block;
  std::unique_ptr<Block> block_;
  std::string source_;
  long lineNumber_ = 0;
  std::unique_ptr<CrossSectionFacts> facts_;
};

}  // namespace velkor
