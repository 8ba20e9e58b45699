// Every input at once, converted by velkor-convert and checked against the LandXML 1.0 schema with a
// validator that looks inside every element (Xerces-C's SAXCount): nothing may be reported but the
// vertex names that the field software reads as text inside their Feature.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/line_list.h"
#include "base/text_fields.h"
#include "convert_runner.h"
#include "test_paths.h"
#include "test_support.h"

namespace velkor {
namespace {

namespace fs = std::filesystem;

using test::Quote;

constexpr const char* kPublishedSchema = "http://www.landxml.org/schema/LandXML-1.0/LandXML-1.0.xsd";
constexpr const char* kTextInFeature = "no character data is allowed by content model";
constexpr const char* kVertexNames = "<Feature code=\"RR Vertex Name\">";

fs::path SchemaFile() { return fs::path(test::kSharedDir) / "landxml" / "LandXML-1.0.xsd"; }

struct Validation {
  int errors = 0;                       // every error SAXCount reported
  std::vector<std::string> unintended;  // those that are not vertex names inside a Feature
};

// Validates a copy of the document whose schema location points at the schema beside this checkout.
Validation Validate(const fs::path& document, const test::ScratchDir& scratch) {
  const fs::path copy = scratch / "validated.xml";
  test::WriteBytes(copy, ReplaceAll(test::ReadBytes(document), kPublishedSchema, SchemaFile().string()));
  const fs::path report = scratch / "saxcount.txt";
  const std::string command = "SAXCount -v=always -n -s -f " + Quote(copy) + " >" + Quote(report) + " 2>&1";
  (void)std::system(command.c_str());

  const std::vector<std::string> documentLines = SplitTextLines(test::ReadBytes(copy));
  const std::vector<std::string> lines = SplitTextLines(test::ReadBytes(report));
  Validation result;
  bool counted = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.find(" ms (") != std::string::npos) counted = true;  // "S.xml: 12 ms (3 elems, ...)"
    const bool error = line.starts_with("Error at file") || line.starts_with("Fatal Error");
    if (!error) continue;
    ++result.errors;
    const std::string message = i + 1 < lines.size() ? lines[i + 1] : std::string();
    const std::size_t at = line.find(", line ");
    const long number = at == std::string::npos ? 0 : std::atol(line.c_str() + at + 7);
    const bool inFeature = number > 0 && static_cast<std::size_t>(number) <= documentLines.size() &&
                           documentLines[static_cast<std::size_t>(number - 1)].find(kVertexNames) != std::string::npos;
    if (!(line.starts_with("Error at file") && message.find(kTextInFeature) != std::string::npos && inFeature))
      result.unintended.push_back(line + " " + message);
  }
  if (!counted && result.errors == 0)
    result.unintended.push_back("SAXCount gave no result: " + test::ReadBytes(report));
  return result;
}

Validation ConvertAndValidate(const std::string& inputs) {
  test::ScratchDir scratch;
  const fs::path document = scratch / "ROUTE.xml";
  test::ConvertOutcome o =
      test::RunConvert(scratch, "--work-dir " + Quote(scratch / "work") + " -o " + Quote(document) + " " + inputs);
  EXPECT_EQ(o.code, 0) << o.err;
  return Validate(document, scratch);
}

std::string In(const fs::path& folder, const std::string& name) { return Quote(folder / name); }

bool CanValidate() { return fs::exists(SchemaFile()); }

class Schema : public ::testing::TestWithParam<const char*> {};

TEST_P(Schema, OnlyVertexNamesInsideFeatureAreReported) {
  if (!CanValidate()) GTEST_SKIP() << "no ../shared schema beside this checkout";
  ASSERT_EQ(std::system("command -v SAXCount >/dev/null"), 0)
      << "SAXCount (libxerces-c-samples) is missing: scripts/install-deps installs it";
  const bool samples = std::string(GetParam()) == "samples";
  const fs::path folder = samples ? test::SharedSamplesDir() : fs::path(test::kSourceDir) / "examples";
  if (folder.empty()) GTEST_SKIP() << "no ../shared samples beside this checkout";
  const std::string table = samples ? "ELEMAN.cks" : "GUZERGAH.cks";
  Validation v = ConvertAndValidate(In(folder, table) + " " + In(folder, "DUSEY.cks") + " --cross-sections " +
                                    In(folder, "ENKESIT.kse") + " --model " + In(folder, "MODEL.ncz") +
                                    " --slope-plan " + In(folder, "SEVLI.ncz"));
  EXPECT_TRUE(v.unintended.empty()) << v.unintended.size() << " unintended, first: " << v.unintended.front();
  // The vertex names are there, so the validator did look inside the cross sections.
  EXPECT_GT(v.errors, 0);
}

INSTANTIATE_TEST_SUITE_P(Documents, Schema, ::testing::Values("samples", "examples"));

// The validator is only worth its silence if it speaks: the surface as we write it passes, a face with an
// attribute or a surface inside the alignment does not.
TEST(SchemaCheck, ReportsWhatLandXmlDoesNotAllow) {
  if (!CanValidate()) GTEST_SKIP() << "no ../shared schema beside this checkout";
  test::ScratchDir scratch;
  const std::string head =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
      "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.0\" "
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
      "xsi:schemaLocation=\"http://www.landxml.org/schema/LandXML-1.0 " +
      std::string(kPublishedSchema) + "\" date=\"2014-09-10\" time=\"09:04:48\" version=\"1.0\">\r\n";
  auto surface = [](const std::string& face) {
    return "<Surfaces><Surface name=\"1\"><Definition surfType=\"TIN\"><Pnts><P id=\"1\">1 2 3</P><P id=\"2\">1 3 "
           "3</P><P id=\"3\">2 2 3</P></Pnts><Faces>" +
           face + "</Faces></Definition></Surface></Surfaces>\r\n";
  };
  const std::string alignment = "<Alignments><Alignment name=\"1\" length=\"1\" staStart=\"0\"><CoordGeom></CoordGeom>";
  struct Case {
    const char* what;
    std::string body;
    bool passes;
  };
  const Case cases[] = {
      {"surface under the root", alignment + "</Alignment></Alignments>" + surface("<F>1 2 3</F>"), true},
      {"face with an attribute", surface("<F n=\"1\">1 2 3</F>"), false},
      {"surface inside the alignment", alignment + surface("<F>1 2 3</F>") + "</Alignment></Alignments>", false},
  };
  for (const Case& c : cases) {
    test::WriteBytes(scratch / "case.xml", head + c.body + "</LandXML>\r\n");
    EXPECT_EQ(Validate(scratch / "case.xml", scratch).unintended.empty(), c.passes) << c.what;
  }
}

}  // namespace
}  // namespace velkor

#endif
