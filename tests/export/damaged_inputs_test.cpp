// Damaged inputs as a class: the shared samples, mutated at random a few hundred times, either stop the
// conversion with a message or give a document in which every number is a number.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/number_text.h"
#include "export/conversion_driver.h"
#include "import/report_import.h"
#include "import/route_import.h"
#include "ncz/model_reader.h"
#include "ncz/slope_plan.h"
#include "ncz/slope_plan_reader.h"
#include "test_support.h"

namespace velkor {
namespace {

namespace fs = std::filesystem;

const std::set<std::string> kNumericElements = {"Start",     "End", "Center", "PI",       "PVI",
                                                "ParaCurve", "P",   "F",      "PntList2D"};
// "desc" only on a parabola, where it carries the curve's figure.
const std::set<std::string> kNumericAttributes = {"length", "staStart", "dir",    "chord",     "delta",
                                                  "dirEnd", "dirStart", "radius", "tangent",   "theta",
                                                  "desc",   "sta",      "id",     "radiusEnd", "radiusStart"};

bool IsNumber(const std::string& text, const std::string& name) {
  double ignored;
  if ((name == "radiusEnd" || name == "radiusStart") && text == "INF") return true;
  return TryParseFloat(text, ignored);
}

// The first text of the document that stands where a number belongs but is none; empty when all are numbers.
std::string FirstNonNumber(const std::string& xml) {
  for (std::size_t open = xml.find('<'); open != std::string::npos; open = xml.find('<', open + 1)) {
    if (xml[open + 1] == '/' || xml[open + 1] == '?') continue;
    const std::size_t close = xml.find('>', open);
    if (close == std::string::npos) return "unclosed tag";
    const std::string tag = xml.substr(open + 1, close - open - 1);
    const std::string name = tag.substr(0, tag.find(' '));
    if (name == "LandXML") continue;  // its attributes are namespaces, date and version
    for (std::size_t eq = tag.find("=\""); eq != std::string::npos; eq = tag.find("=\"", eq + 2)) {
      const std::size_t nameStart = tag.rfind(' ', eq) + 1, valueEnd = tag.find('"', eq + 2);
      const std::string attribute = tag.substr(nameStart, eq - nameStart);
      const std::string value = tag.substr(eq + 2, valueEnd - eq - 2);
      const bool numeric = attribute == "desc" ? name == "ParaCurve" : kNumericAttributes.count(attribute) > 0;
      if (numeric && !IsNumber(value, attribute)) return name + " " + attribute + "=\"" + value + "\"";
    }
    if (!kNumericElements.count(name)) continue;
    const std::size_t end = xml.find("</" + name + ">", close);
    std::string text = xml.substr(close + 1, end - close - 1);
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t start = text.find_first_not_of(' ', at);
      if (start == std::string::npos) break;
      const std::size_t stop = std::min(text.find(' ', start), text.size());
      if (!IsNumber(text.substr(start, stop - start), name)) return name + ": " + text;
      at = stop;
    }
  }
  return {};
}

// Answers the driver with the files beside the reports, as velkor-convert does.
class FolderAnswers : public ConversionQuestions {
 public:
  explicit FolderAnswers(const fs::path& folder) : folder_(folder) {}
  std::optional<fs::path> ChooseCrossSectionFile() override { return folder_ / "ENKESIT.kse"; }
  const TerrainModel* ReadTerrainModel() override {
    ReadModel(folder_ / "MODEL.ncz", model_);
    return &model_;
  }
  const SlopePlan* ReadSlopePlan() override {
    velkor::ReadSlopePlan(folder_ / "SEVLI.ncz", plan_);
    return &plan_;
  }

 private:
  fs::path folder_;
  TerrainModel model_;
  SlopePlan plan_;
};

// One damage in a text report: a digit replaced by a look-alike or stray byte, dropped, or doubled
// separators; in a drawing, a byte changed anywhere.
std::string Damage(std::string bytes, bool binary, std::mt19937& random) {
  std::uniform_int_distribution<std::size_t> anywhere(0, bytes.size() - 1);
  if (binary) {
    for (int i = 0; i < 4; ++i) bytes[anywhere(random)] = static_cast<char>(random() & 0xFF);
    return bytes;
  }
  std::size_t at = anywhere(random);
  for (int tries = 0; tries < 200 && !(bytes[at] >= '0' && bytes[at] <= '9'); ++tries) at = anywhere(random);
  static const std::string kStrays[] = {"l", "O", ",", "x", "\xD0", "\x01", " ", "-", ".", "e", "+", "", "..", "R="};
  bytes.replace(at, 1, kStrays[random() % std::size(kStrays)]);
  return bytes;
}

TEST(DamagedInputs, RefusedWithAMessageOrConvertedToNumbersOnly) {
  const fs::path samples = test::SharedSamplesDir();
  if (samples.empty()) GTEST_SKIP() << "no ../shared samples beside this checkout";
  const char* names[] = {"ELEMAN.cks", "DUSEY.cks", "ENKESIT.kse", "MODEL.ncz", "SEVLI.ncz"};
  std::mt19937 random(20261210);
  int converted = 0, refused = 0;
  for (int run = 0; run < 300; ++run) {
    test::ScratchDir dir;
    const std::size_t damaged = run % std::size(names);
    for (std::size_t i = 0; i < std::size(names); ++i) {
      std::string bytes = test::ReadBytes(samples / names[i]);
      if (i == damaged) bytes = Damage(bytes, fs::path(names[i]).extension() == ".ncz", random);
      test::WriteBytes(dir / names[i], bytes);
    }
    const fs::path work = dir / "work";
    fs::create_directory(work);
    try {
      // A table no longer recognised is refused by the import dialog before anything is converted.
      if (RecognizeReport(dir / "ELEMAN.cks") != ReportKind::ElementTable ||
          RecognizeReport(dir / "DUSEY.cks") != ReportKind::VerticalReport) {
        ++refused;
        continue;
      }
      const AcceptedReports accepted = AcceptReports(dir / "ELEMAN.cks", dir / "DUSEY.cks", work);
      ConversionOptions options{true, true, true, accepted.suggestedOutputName};
      FolderAnswers answers(dir.path());
      const std::string document = G2X(work, accepted.route, options, answers).document;
      ++converted;
      const std::string bad = FirstNonNumber(document);
      EXPECT_TRUE(bad.empty()) << names[damaged] << " damaged (run " << run << ") gave " << bad;
    } catch (const Error& e) {
      ++refused;
      EXPECT_FALSE(e.message().empty());
    }
  }
  // Both outcomes occur, so the damage reaches the numbers and the check has something to look at.
  EXPECT_GT(converted, 30);
  EXPECT_GT(refused, 30);
}

}  // namespace
}  // namespace velkor
