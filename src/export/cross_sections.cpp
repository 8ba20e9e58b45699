// The cross-section step of a conversion: the chosen .kse/.ksp file becomes tmp.kse (side rewrite
// and end marker), tmp1.xml (the CrossSects block) and crs.gsi (the section templates).
#include <exception>

#include "base/error.h"
#include "base/input_clash.h"
#include "base/line_writer.h"
#include "base/output_file.h"
#include "export/conversion_facts.h"
#include "export/cross_section_writer.h"
#include "export/gsi_records.h"
#include "export/section_steps.h"
#include "import/text_input.h"
#include "import/work_files.h"
#include "platform/platform.h"

namespace velkor {
CrossSectionFacts ExportCrossSections(const std::filesystem::path& sectionFile, const std::filesystem::path& workDir) {
  const std::filesystem::path rewrittenFile = workDir / kSectionCopyFile, xmlFile = workDir / kSectionsPartFile,
                              gsiFile = workDir / kSectionGsiFile;
  RefuseInputClash({rewrittenFile, xmlFile, gsiFile}, {sectionFile});
  // Read once, a line at a time: the rewritten copy and the block grow together.
  TextInput input(sectionFile);
  OutputFile rewritten(rewrittenFile);
  OutputFile gsi(gsiFile);
  WriteLine(gsi.stream(), GsiSectionHeader());
  OutputFile xml(xmlFile);
  CrossSectionWriter writer(xml.stream(), gsi.stream(), PathToUtf8(sectionFile));

  // A failure in the block stops the block, but the rewritten copy is completed all the same.
  std::exception_ptr failure;
  auto take = [&](const std::string& line) {
    WriteLine(rewritten.stream(), line);
    if (failure) return;
    try {
      writer.Line(line);
    } catch (const Error&) {
      failure = std::current_exception();
    }
  };
  std::string line;
  while (input.ReadLine(line)) take(RewriteSectionSide(line));
  take(kCrossSectionEndMarker);
  rewritten.Close();
  if (failure) std::rethrow_exception(failure);
  writer.Finish();
  xml.Close();
  gsi.Close();
  // Warnings name the file as the user knows it, without its folder.
  CrossSectionFacts facts = writer.facts();
  facts.file = PathToUtf8(sectionFile.filename());
  for (SectionFact& section : facts.sections) section.origin.file = facts.file;
  return facts;
}

}  // namespace velkor
