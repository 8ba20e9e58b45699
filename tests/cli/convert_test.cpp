// velkor-convert as a user runs it: arguments, exit codes, what it prints and writes.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "convert_runner.h"
#include "test_paths.h"
#include "test_support.h"
#include "velkor_version.h"

namespace velkor {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::ScratchDir;
using test::WriteBytes;

using Outcome = test::ConvertOutcome;
using test::Quote;

Outcome Convert(const ScratchDir& scratch, const std::string& arguments) {
  return test::RunConvert(scratch, arguments);
}

TEST(Convert, BadUsageExitsWithTwo) {
  ScratchDir scratch;
  const std::string report = Quote((scratch / "a.cks").string());
  const std::pair<std::string, std::string> cases[] = {
      {"", "ELEMAN.cks is required"},
      {report + " " + report + " " + report,
       "The following argument was not expected: " + (scratch / "a.cks").string()},
      {report + " --no-such-option", "The following argument was not expected: --no-such-option"},
      {report + " --output", "--output: 1 required DOC.xml missing"},
  };
  for (const auto& [arguments, message] : cases) {
    Outcome o = Convert(scratch, arguments);
    EXPECT_EQ(o.code, 2) << arguments;
    EXPECT_NE(o.err.find(message), std::string::npos) << arguments << "\n" << o.err;
    EXPECT_EQ(o.out, "") << arguments;
  }
}

TEST(Convert, HelpAndVersionExitWithZero) {
  ScratchDir scratch;
  Outcome help = Convert(scratch, "--help");
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("Usage: velkor-convert [OPTIONS] ELEMAN.cks [DUSEY.cks]\n"), std::string::npos) << help.out;
  EXPECT_EQ(help.out.find("(1x)"), std::string::npos) << help.out;
  for (const char* option : {"--cross-sections", "--model", "--slope-plan", "--output", "--work-dir", "--version"})
    EXPECT_NE(help.out.find(option), std::string::npos) << option;

  Outcome version = Convert(scratch, "--version");
  EXPECT_EQ(version.code, 0);
  EXPECT_EQ(version.out, std::string("velkor-convert ") + kVersion + "\n");
  EXPECT_EQ(version.err, "");
}

TEST(Convert, FileThatIsNeitherReportIsRefused) {
  ScratchDir scratch;
  const fs::path report = scratch / "notes.cks";
  WriteBytes(report, "first\r\nsecond\r\nthird line, no table heading\r\n");
  Outcome o = Convert(scratch, Quote(report.string()) + " --work-dir " + Quote((scratch / "work").string()));
  EXPECT_EQ(o.code, 1);
  EXPECT_EQ(o.err, report.string() +
                       ": Sadece Eleman Tablosu ve D\xC3\xBC\xC5\x9F"
                       "ey tan\xC4\xB1m kabul edilir.\n");
  EXPECT_EQ(o.out, "");
  EXPECT_FALSE(fs::exists(scratch / "notes.xml"));
}

TEST(Convert, UnreadableReportNamesTheFile) {
  ScratchDir scratch;
  const fs::path report = scratch / "missing.cks";
  Outcome o = Convert(scratch, Quote(report.string()));
  EXPECT_EQ(o.code, 1);
  EXPECT_EQ(o.err.rfind(report.string() + ": ", 0), 0u) << o.err;
}

// A drawing named on the command line that does not exist is refused, naming the file.
TEST(Convert, MissingDrawingIsRefused) {
  ScratchDir scratch;
  const fs::path table = fs::path(test::kSourceDir) / "examples" / "GUZERGAH.cks";
  for (const std::string option : {"--model", "--slope-plan"}) {
    const fs::path drawing = scratch / "missing.ncz";
    Outcome o = Convert(scratch, Quote(table.string()) + " " + option + " " + Quote(drawing.string()) + " -o " +
                                     Quote((scratch / "out.xml").string()) + " --work-dir " +
                                     Quote((scratch / "work").string()));
    EXPECT_EQ(o.code, 1) << option;
    EXPECT_NE(o.err.find("Cannot open file " + drawing.string()), std::string::npos) << o.err;
    EXPECT_FALSE(fs::exists(scratch / "out.xml")) << option;
  }
}

TEST(Convert, DocumentThatCannotBeCreatedSaysWhy) {
  ScratchDir scratch;
  const fs::path document = scratch / "yok" / "YOL.xml";
  Outcome o = Convert(scratch, Quote((fs::path(test::kSourceDir) / "examples" / "GUZERGAH.cks").string()) + " -o " +
                                   Quote(document.string()) + " --work-dir " + Quote((scratch / "work").string()));
  EXPECT_EQ(o.code, 1);
  EXPECT_EQ(o.err, "velkor-convert: Cannot create file " + document.string() + ": No such file or directory\n");
  EXPECT_EQ(o.out, "");
}

TEST(Convert, ModelDrawingBecomesTheSurface) {
  const fs::path examples = fs::path(test::kSourceDir) / "examples";
  ScratchDir scratch;
  const fs::path document = scratch / "YOL.xml";
  Outcome o = Convert(scratch, Quote((examples / "GUZERGAH.cks").string()) + " --model " +
                                   Quote((examples / "MODEL.ncz").string()) + " -o " + Quote(document.string()) +
                                   " --work-dir " + Quote((scratch / "work").string()));
  ASSERT_EQ(o.code, 0) << o.err;
  const std::string xml = ReadBytes(document);
  // The surface stands under the root, after the alignments.
  EXPECT_NE(xml.find("\t</Alignments>\r\n\t<Surfaces>\r\n\t\t<Surface name=\"1\" desc=\"Dud32\">\r\n"),
            std::string::npos);
  EXPECT_NE(xml.find("\t\t\t\t\t<P id=\"400\">"), std::string::npos);
  EXPECT_EQ(xml.find("<P id=\"401\">"), std::string::npos);
  std::size_t faces = 0;
  for (std::size_t at = xml.find("<F>"); at != std::string::npos; at = xml.find("<F>", at + 1)) ++faces;
  EXPECT_EQ(faces, 722u);
  EXPECT_NE(xml.find("\t\t\t\t\t<F>"), std::string::npos);
  EXPECT_TRUE(xml.ends_with("\t</Surfaces>\r\n</LandXML>\r\n"));
  EXPECT_FALSE(fs::exists(scratch / "work" / "tmpc.xml"));

  // A model drawing that is not there is refused before anything is written.
  const fs::path missing = scratch / "yok.ncz";
  Outcome refused =
      Convert(scratch, Quote((examples / "GUZERGAH.cks").string()) + " --model " + Quote(missing.string()) + " -o " +
                           Quote((scratch / "B.xml").string()) + " --work-dir " + Quote((scratch / "work").string()));
  EXPECT_EQ(refused.code, 1);
  EXPECT_NE(refused.err.find("Cannot open file " + missing.string() + "\n"), std::string::npos) << refused.err;
  EXPECT_FALSE(fs::exists(scratch / "B.xml"));
}

// The whole way from the independently written reports to the saved files.
TEST(Convert, SampleReportsEndToEnd) {
  const fs::path samples = test::SharedSamplesDir();
  if (samples.empty()) GTEST_SKIP() << "no ../shared/samples beside this checkout";
  ScratchDir scratch;
  fs::create_directory(scratch / "out");
  const fs::path document = scratch / "out" / "YOL.xml";
  const fs::path work = scratch / "deeper" / "work";  // made with the folders above it
  Outcome o =
      Convert(scratch, Quote((samples / "DUSEY.cks").string()) + " " + Quote((samples / "ELEMAN.cks").string()) +
                           " -o " + Quote(document.string()) + " --work-dir " + Quote(work.string()));
  ASSERT_EQ(o.code, 0) << o.err;
  EXPECT_EQ(o.err, "");
  const std::string out = scratch.workDir() + "out/";
  EXPECT_EQ(o.out.rfind(document.string() + "\n" + out + "YOL.gec\n" + out + "aln_1YOL.gsi\n", 0), 0u) << o.out;
  EXPECT_NE(o.out.find(out + "prf_1YOL.gsi\n"), std::string::npos) << o.out;
  EXPECT_EQ(ReadBytes(document).rfind("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n", 0), 0u);
  if (std::system("xmllint --version >/dev/null 2>&1") == 0) {
    EXPECT_EQ(std::system(("xmllint --noout " + Quote(document.string())).c_str()), 0);
  }
  for (const char* gsi : {"aln.gsi", "crs.gsi", "prf.gsi"}) EXPECT_FALSE(fs::exists(work / gsi)) << gsi;
  EXPECT_EQ(fs::status(work).permissions() & fs::perms::all, fs::perms::owner_all);
}

// A second conversion saved under the first one's name, with fewer inputs: the folder then holds
// exactly what the second one printed, and files that only look like pieces stay as they were.
TEST(Convert, SecondSaveUnderOneNameLeavesOnlyItsOwnFiles) {
  const fs::path samples = test::SharedSamplesDir();
  if (samples.empty()) GTEST_SKIP() << "no ../shared/samples beside this checkout";
  ScratchDir scratch;
  fs::create_directory(scratch / "out");
  const fs::path document = scratch / "out" / "YOL.xml";
  auto in = [&](const char* name) { return Quote((samples / name).string()); };
  const std::string tail = " -o " + Quote(document.string()) + " --work-dir " + Quote((scratch / "work").string());
  Outcome first = Convert(scratch, in("ELEMAN.cks") + " " + in("DUSEY.cks") + " --cross-sections " + in("ENKESIT.kse") +
                                       " --model " + in("MODEL.ncz") + " --slope-plan " + in("SEVLI.ncz") + tail);
  ASSERT_EQ(first.code, 0) << first.err;
  ASSERT_NE(first.out.find("crs_2YOL.gsi\n"), std::string::npos) << first.out;
  ASSERT_NE(first.out.find("prf_1YOL.gsi\n"), std::string::npos) << first.out;
  const char* lookalikes[] = {"crs_1YOL.gsi.bak", "xcrs_1YOL.gsi", "aln_1YOL2.gsi", "prf_YOL.gsi"};
  for (const char* name : lookalikes) WriteBytes(scratch / "out" / name, name);

  Outcome second = Convert(scratch, in("ELEMAN.cks") + tail);
  ASSERT_EQ(second.code, 0) << second.err;
  std::set<std::string> expected;
  // The files written, one per line, up to the blank line before the summary.
  for (std::size_t at = 0, end; (end = second.out.find('\n', at)) != std::string::npos && end > at; at = end + 1)
    expected.insert(fs::path(second.out.substr(at, end - at)).filename().string());
  EXPECT_EQ(expected, (std::set<std::string>{"YOL.xml", "YOL.gec", "aln_1YOL.gsi"}));
  expected.insert(std::begin(lookalikes), std::end(lookalikes));
  std::set<std::string> present;
  for (const auto& entry : fs::directory_iterator(scratch / "out")) present.insert(entry.path().filename().string());
  EXPECT_EQ(present, expected);
  for (const char* name : lookalikes) EXPECT_EQ(ReadBytes(scratch / "out" / name), name);
  EXPECT_EQ(ReadBytes(document).find("<Surfaces>"), std::string::npos);
}

TEST(Convert, OneReportOfEachKindAtMost) {
  const fs::path samples = test::SharedSamplesDir();
  if (samples.empty()) GTEST_SKIP() << "no ../shared/samples beside this checkout";
  ScratchDir scratch;
  const std::string table = (samples / "ELEMAN.cks").string();
  const std::string vertical = (samples / "DUSEY.cks").string();
  const std::pair<std::string, std::string> cases[] = {
      {Quote(table) + " " + Quote(table), "velkor-convert: more than one element table: " + table + "\n"},
      {Quote(vertical) + " " + Quote(vertical),
       "velkor-convert: more than one vertical definition report: " + vertical + "\n"},
      {Quote(vertical), "velkor-convert: no horizontal element table among the reports\n"},
  };
  for (const auto& [arguments, message] : cases) {
    Outcome o = Convert(scratch, arguments + " --work-dir " + Quote((scratch / "work").string()));
    EXPECT_EQ(o.code, 2) << arguments;
    EXPECT_EQ(o.err, message);
  }
}

}  // namespace
}  // namespace velkor

#endif  // _WIN32
