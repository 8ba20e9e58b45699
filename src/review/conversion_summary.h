// What a conversion holds, counted from what it made: the figures a surveyor checks before taking
// the files to the field, and the steps that were asked for but gave nothing.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "export/conversion_facts.h"
#include "import/route_file.h"
#include "review/plausibility.h"

namespace velkor {

struct FileToWrite {
  std::string name;  // file name beside the document; GSI pieces as "aln_1YOL.gsi … aln_2YOL.gsi"
  long records = 0;  // GSI records after the header; 0 for the document and the route copy
  int pieces = 1;
};

struct ConversionSummary {
  // Horizontal alignment.
  std::size_t lines = 0, arcs = 0, spirals = 0;
  double length = 0;
  double staStart = 0, staEnd = 0;
  std::optional<double> smallestRadius;
  // Design profile.
  bool vertical = false;
  std::size_t pvis = 0, parabolas = 0;
  std::optional<double> gradeMin, gradeMax;  // percent
  std::optional<double> smallestK;           // metres per percent of grade change
  // Cross sections.
  StepOutcome sectionStep = StepOutcome::NotAsked;
  std::size_t sections = 0;
  std::optional<double> sectionFrom, sectionTo;
  // Terrain surface.
  StepOutcome modelStep = StepOutcome::NotAsked;
  std::optional<SurfaceFacts> surface;
  // Slope plan.
  StepOutcome slopePlanStep = StepOutcome::NotAsked;
  std::size_t slopeAlignments = 0;
  // What Save writes beside `document`.
  std::vector<FileToWrite> files;
};

// `document` is the name Save is expected to take (the proposed one, or the one given).
ConversionSummary BuildSummary(const Route& route, const ConversionFacts& facts, const std::filesystem::path& document);

// The summary and the warnings as lines of Turkish text (UTF-8, "\n" between lines); with
// `listWarnings` false only their number (they are shown elsewhere).
std::string SummaryText(const ConversionSummary& summary, const std::vector<Warning>& warnings,
                        bool listWarnings = true);

// The same as one JSON object, for scripts.
std::string SummaryJson(const ConversionSummary& summary, const std::vector<Warning>& warnings);

}  // namespace velkor
