// velkor-convert: the desktop program's Open, OK, conversion and Save in one command.
#include <CLI/CLI.hpp>
#include <iostream>
#include <new>
#include <string>

#include "cli/batch_conversion.h"
#include "platform/platform.h"
#include "velkor_version.h"

namespace {

std::optional<std::filesystem::path> PathOption(const std::string& text) {
  if (text.empty()) return std::nullopt;
  return velkor::PathFromUtf8(text);
}

int Main(int argc, char** argv) {
  CLI::App app{"Converts NetCAD route reports into a LandXML document and GSI-16 files.", "velkor-convert"};
  app.set_version_flag("--version", std::string("velkor-convert ") + velkor::kVersion);
  // Two plain positionals so that the help names the reports as users know them; which one is the
  // element table is still decided by each file's content, so their order does not matter.
  std::string firstReport, secondReport;
  std::string crossSections, model, slopePlan, output, workDir, previewDir, summaryJson;
  bool strict = false;
  app.add_option("ELEMAN.cks", firstReport, "horizontal element table (Eleman Tablosu)")->required()->type_name("");
  app.add_option("DUSEY.cks", secondReport,
                 "vertical definition report (Düşey Tanım), optional; the two may come in either order")
      ->type_name("");
  app.add_option("--cross-sections", crossSections, "cross-section file (.kse/.ksp)")->type_name("FILE");
  app.add_option("--model", model, "drawing holding the terrain model")->type_name("FILE.ncz");
  app.add_option("--slope-plan", slopePlan, "drawing holding the slope plan")->type_name("FILE.ncz");
  app.add_option("-o,--output", output, "name of the document to save (default: beside the element table)")
      ->type_name("DOC.xml");
  app.add_option("--work-dir", workDir, "folder for the intermediate files (default: a private folder per user)")
      ->type_name("DIR");
  app.add_flag("--strict", strict, "end with exit code 3 when the conversion gave a warning (files are written)");
  app.add_option("--preview", previewDir, "write plan.svg and profile.svg of the route into this folder")
      ->type_name("DIR");
  app.add_option("--summary-json", summaryJson, "write the summary and the warnings as JSON")->type_name("FILE");
  // File names with Turkish letters reach the program intact on every system only as UTF-8.
  std::vector<std::string> arguments = velkor::platform::Utf8Arguments(argc, argv);
  std::vector<char*> pointers;
  for (auto& argument : arguments) pointers.push_back(argument.data());
  try {
    app.parse(static_cast<int>(pointers.size()), pointers.data());
  } catch (const CLI::Success& e) {  // --help, --version
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return velkor::cli::kBadUsage;
  }

  velkor::cli::BatchRequest request;
  for (const auto* report : {&firstReport, &secondReport}) {
    if (!report->empty()) request.reports.push_back(velkor::PathFromUtf8(*report));
  }
  request.crossSections = PathOption(crossSections);
  request.model = PathOption(model);
  request.slopePlan = PathOption(slopePlan);
  request.output = PathOption(output);
  request.workDir = PathOption(workDir);
  request.strict = strict;
  request.previewDir = PathOption(previewDir);
  request.summaryJson = PathOption(summaryJson);
  return velkor::cli::RunBatch(request, std::cout, std::cerr);
}

}  // namespace

// Nothing escapes: whatever goes wrong ends as a message and exit code 1, never as an abort.
int main(int argc, char** argv) {
  try {
    return Main(argc, argv);
  } catch (const std::bad_alloc&) {
    std::cerr << "velkor-convert: Not enough memory for this conversion\n";
  } catch (const std::exception& e) {
    std::cerr << "velkor-convert: " << e.what() << "\n";
  } catch (...) {
    std::cerr << "velkor-convert: Unexpected failure\n";
  }
  return velkor::cli::kConversionError;
}
