// The cross-section step of a conversion: the chosen .kse/.ksp file becomes tmp.kse (side rewrite
// and end marker), tmp1.xml (the CrossSects block) and crs.gsi (the section templates).
#include <fstream>

#include "export/cross_section_writer.h"
#include "export/gsi_records.h"
#include "export/section_steps.h"
#include "import/error.h"
#include "import/line_list.h"
#include "platform/platform.h"

namespace velkor {
namespace {

std::ofstream CreateOutput(const std::filesystem::path& file) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) throw Error(CannotCreate(file.string()));
  return out;
}

void Finish(std::ofstream& out, const std::filesystem::path& file) {
  out.close();
  if (!out) throw Error(CannotCreate(file.string()));
}

}  // namespace

void ExportCrossSections(const std::filesystem::path& sectionFile, const std::filesystem::path& workDir) {
  // The whole file is read before anything is written, so choosing a file of the work folder
  // (tmp.kse itself) cannot destroy its own input.
  std::vector<std::string> lines = SplitTextLines(ReadFileBytes(sectionFile));

  const auto gsiFile = workDir / "crs.gsi";
  std::ofstream gsi = CreateOutput(gsiFile);
  gsi << GsiSectionHeader() << "\r\n";

  for (auto& line : lines) line = RewriteSectionSide(line);
  lines.emplace_back(kCrossSectionEndMarker);
  LineList rewritten(std::move(lines));
  rewritten.Save(workDir / "tmp.kse");

  const auto xmlFile = workDir / "tmp1.xml";
  std::ofstream xml = CreateOutput(xmlFile);
  WriteCrossSections(rewritten.lines(), xml, gsi, platform::PathToUtf8(sectionFile));
  Finish(xml, xmlFile);
  Finish(gsi, gsiFile);
}

}  // namespace velkor
