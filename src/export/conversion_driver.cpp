// G2X: runs the optional sections, writes the alignment and profile from the route file and
// assembles the whole LandXML document, delivered as UTF-8.
#include "export/conversion_driver.h"

#include <sstream>

#include "base/error.h"
#include "base/line_list.h"
#include "base/line_writer.h"
#include "base/output_file.h"
#include "base/text_fields.h"
#include "export/section_steps.h"
#include "export/tin_surface.h"
#include "import/route_file.h"
#include "import/work_files.h"
#include "platform/platform.h"

namespace velkor {

namespace {

constexpr const char* kHeader[] = {
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>",
    "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.0\" "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"",
    "xsi:schemaLocation=\"http://www.landxml.org/schema/LandXML-1.0 "
    "http://www.landxml.org/schema/LandXML-1.0/LandXML-1.0.xsd\"",
    "date=\"2014-09-10\" time=\"09:04:48\" version=\"1.0\">",
    "\t<Units>",
    "\t\t<Metric areaUnit=\"hectare\" linearUnit=\"meter\" volumeUnit=\"cubicMeter\" pressureUnit=\"mmHG\" "
    "angularUnit=\"decimal degrees\" directionUnit=\"decimal degrees\" temperatureUnit=\"celsius\"></Metric>",
    "\t</Units>",
    "\t<Project name=\"Dud32\"></Project>",
    "\t<Application name=\"DuriDUZ\" manufacturer=\"Zoza Software, Inc.\" version=\" 6.0.9.7\" "
    "manufacturerURL=\"www.zozasoftware.com\"></Application>",
    "\t<Alignments name=\"Dud32\">",
};

// Copies a part file's lines, each ended by CR LF whatever ending it had, and deletes the file.
// A part file that is not there adds nothing.
void JoinPartFile(std::string& document, const std::filesystem::path& part) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(part, ec)) return;
  const std::string bytes = platform::ReadFileBytes(part);
  document.reserve(document.size() + bytes.size() + bytes.size() / 16);
  AppendCrLfLines(document, bytes);
  std::filesystem::remove(part, ec);
}

bool IsAscii(const std::string& bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

ConversionResult G2X(const std::filesystem::path& workDir, const Route& route, const ConversionOptions& options,
                     ConversionQuestions& questions) {
  ConversionResult result;
  result.documentName = ReplaceAllNoCase(options.suggestedOutputName, ".gec", ".xml");

  ConversionFacts& facts = result.facts;
  if (options.crossSections) {
    facts.crossSectionStep = StepOutcome::Cancelled;
    if (auto sectionFile = questions.ChooseCrossSectionFile()) {
      facts.crossSections = ExportCrossSections(*sectionFile, workDir);
      facts.crossSectionStep = facts.crossSections->sections.empty() ? StepOutcome::NothingRead : StepOutcome::Done;
    }
  }
  // The surface is the largest part by far, so it goes straight into the document at the end.
  const TerrainModel* model = options.model ? questions.ReadTerrainModel() : nullptr;
  if (options.model) {
    facts.modelStep = StepOutcome::Cancelled;
    if (model != nullptr) {
      facts.surface = MeasureSurface(*model);
      facts.modelStep = facts.surface->points == 0 ? StepOutcome::NothingRead : StepOutcome::Done;
    }
  }
  if (options.slopePlan) {
    facts.slopePlanStep = StepOutcome::Cancelled;
    if (const SlopePlan* plan = questions.ReadSlopePlan()) {
      facts.slopeAlignments = ExportSlopePlan(*plan, workDir);
      facts.slopePlanStep = facts.slopeAlignments.empty() ? StepOutcome::NothingRead : StepOutcome::Done;
    }
  }

  // Only a failed import leaves a route without points; a document without an alignment would be
  // unfinished, so nothing is assembled at all.
  if (!route.horizontal || route.points.empty())
    throw Error("The route file holds no horizontal section", PathToUtf8(workDir / kRouteFile));

  std::ostringstream out;
  for (const char* line : kHeader) WriteLine(out, line);
  OutputFile alignmentGsi(workDir / kAlignmentGsiFile);
  WriteHorizontalAlignment(route.points, out, alignmentGsi.stream(), &facts.elements);
  alignmentGsi.Close();
  // One record per element and one for the end of the path.
  facts.alignmentGsiRecords = static_cast<long>(facts.elements.size()) + 1;
  if (route.vertical) {
    OutputFile profileGsi(workDir / kProfileGsiFile);
    facts.profileGsiRecords = WriteVerticalProfile(route.profile, out, profileGsi.stream());
    profileGsi.Close();
  }

  std::string document = std::move(out).str();
  if (options.crossSections) JoinPartFile(document, workDir / kSectionsPartFile);
  AppendLine(document, "</Alignment>", 2);
  if (options.slopePlan) JoinPartFile(document, workDir / kSlopePlanPartFile);
  AppendLine(document, "</Alignments>", 1);
  // LandXML keeps surfaces beside the alignments, under the root.
  if (!model && options.model) JoinPartFile(document, workDir / kSurfacePartFile);
  // Assembled in code page 1254 like every input it came from; it declares utf-8, so it leaves as such.
  // A surface is numbers and tags only, so it never needs looking at.
  const bool ascii = IsAscii(document);
  if (model != nullptr) AppendTinSurface(*model, document);
  AppendLine(document, "</LandXML>");
  result.document = ascii ? std::move(document) : Cp1254ToUtf8(document);
  return result;
}

}  // namespace velkor
