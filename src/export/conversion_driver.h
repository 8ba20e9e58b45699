// The conversion driver: from the route the import made to the whole LandXML document.
// The questions it asks the user during a run go through ConversionQuestions, answered by dialogs
// in the desktop program and by fixed values in the batch converter and the tests.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "export/conversion_facts.h"
#include "import/route_file.h"

namespace velkor {

struct TerrainModel;
struct SlopePlan;

struct ConversionOptions {
  bool crossSections = false;       // "Enkesit"
  bool model = false;               // "Model"
  bool slopePlan = false;           // "Şevli plan"
  std::string suggestedOutputName;  // the element table's path with ".cks" replaced by ".gec"
};

class ConversionQuestions {
 public:
  virtual ~ConversionQuestions() = default;
  // The cross-section file the user chose, or nothing when the choice was cancelled.
  virtual std::optional<std::filesystem::path> ChooseCrossSectionFile() = 0;
  // The model reader's lists when its dialog closed with OK, otherwise null.
  virtual const TerrainModel* ReadTerrainModel() = 0;
  // The slope-plan reader's lists when its dialog closed with OK, otherwise null.
  virtual const SlopePlan* ReadSlopePlan() = 0;
  // The drawings those lists were read from: inputs of the conversion, which Save never writes over.
  virtual std::vector<std::filesystem::path> DrawingsRead() const { return {}; }
};

struct ConversionResult {
  std::string documentName;  // proposed save name: the suggested output name with ".gec" -> ".xml"
  std::string document;      // the whole LandXML document, UTF-8
  ConversionFacts facts;     // what went into it, as numbers
};

// Runs one conversion of the route the import made; throws Error on the first failure, leaving the
// work folder's files as written.
ConversionResult G2X(const std::filesystem::path& workDir, const Route& route, const ConversionOptions& options,
                     ConversionQuestions& questions);

}  // namespace velkor
