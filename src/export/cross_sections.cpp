// The cross-section step of a conversion: the chosen .kse/.ksp file becomes tmp.kse (side rewrite
// and end marker), tmp1.xml (the CrossSects block) and crs.gsi (the section templates).
#include "export/cross_section_writer.h"
#include "export/gsi_records.h"
#include "export/section_steps.h"
#include "import/error.h"
#include "import/line_list.h"
#include "import/output_file.h"
#include "platform/platform.h"

namespace velkor {
void ExportCrossSections(const std::filesystem::path& sectionFile, const std::filesystem::path& workDir) {
  // The whole file is read before anything is written, so choosing a file of the work folder
  // (tmp.kse itself) cannot destroy its own input.
  std::vector<std::string> lines = SplitTextLines(ReadFileBytes(sectionFile));

  OutputFile gsi(workDir / "crs.gsi");
  gsi.stream() << GsiSectionHeader() << "\r\n";

  for (auto& line : lines) line = RewriteSectionSide(line);
  lines.emplace_back(kCrossSectionEndMarker);
  LineList rewritten(std::move(lines));
  rewritten.Save(workDir / "tmp.kse");

  OutputFile xml(workDir / "tmp1.xml");
  WriteCrossSections(rewritten.lines(), xml.stream(), gsi.stream(), platform::PathToUtf8(sectionFile));
  xml.Close();
  gsi.Close();
}

}  // namespace velkor
