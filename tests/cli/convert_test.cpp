// velkor-convert as a user runs it: arguments, exit codes, what it prints and writes.
#ifndef _WIN32

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "import/route_import.h"
#include "test_paths.h"
#include "test_support.h"

namespace velkor {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::ScratchDir;
using test::WriteBytes;

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

std::string Quote(const std::string& text) { return "'" + text + "'"; }

Outcome Convert(const ScratchDir& scratch, const std::string& arguments) {
  const fs::path binary = fs::path(test::kBinaryDir) / "velkor-convert";
  const std::string command = Quote(binary.string()) + " " + arguments + " >" + Quote((scratch / "stdout").string()) +
                              " 2>" + Quote((scratch / "stderr").string());
  int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(scratch / "stdout"), ReadBytes(scratch / "stderr")};
}

TEST(Convert, BadUsageExitsWithTwo) {
  ScratchDir scratch;
  const std::string report = Quote((scratch / "a.cks").string());
  const std::pair<std::string, std::string> cases[] = {
      {"", "REPORT is required"},
      {report + " " + report + " " + report, "REPORT: At Most 2 required but received 3"},
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

TEST(Convert, HelpExitsWithZero) {
  ScratchDir scratch;
  Outcome o = Convert(scratch, "--help");
  EXPECT_EQ(o.code, 0);
  EXPECT_NE(o.out.find("--cross-sections"), std::string::npos);
  EXPECT_NE(o.out.find("--work-dir"), std::string::npos);
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

TEST(Convert, DrawingReadersNotInThisBuildSayso) {
  ScratchDir scratch;
  const std::string report = Quote((scratch / "a.cks").string());
  const std::pair<std::string, std::string> cases[] = {
      {"--model " + Quote((scratch / "m.ncz").string()),
       "velkor-convert: --model is not available yet in this build\n"},
      {"--slope-plan " + Quote((scratch / "s.ncz").string()),
       "velkor-convert: --slope-plan is not available yet in this build\n"},
  };
  for (const auto& [arguments, message] : cases) {
    Outcome o = Convert(scratch, report + " " + arguments);
    EXPECT_EQ(o.code, 2) << arguments;
    EXPECT_EQ(o.err, message);
  }
}

// The whole way from the independently written reports to the saved files.
TEST(Convert, SampleReportsEndToEnd) {
  const fs::path samples = test::SharedSamplesDir();
  if (samples.empty()) GTEST_SKIP() << "no ../shared/samples beside this checkout";
  if (RecognizeReport(samples / "ELEMAN.cks") != ReportKind::ElementTable) {
    GTEST_SKIP() << "element table recognition not in this build";
  }
  ScratchDir scratch;
  fs::create_directory(scratch / "out");
  const fs::path document = scratch / "out" / "YOL.xml";
  Outcome o =
      Convert(scratch, Quote((samples / "DUSEY.cks").string()) + " " + Quote((samples / "ELEMAN.cks").string()) +
                           " -o " + Quote(document.string()) + " --work-dir " + Quote((scratch / "work").string()));
  ASSERT_EQ(o.code, 0) << o.err;
  EXPECT_EQ(o.err, "");
  const std::string out = scratch.workDir() + "out/";
  EXPECT_EQ(o.out.rfind(document.string() + "\n" + out + "YOL.gec\n" + out + "aln_1YOL.gsi\n", 0), 0u) << o.out;
  EXPECT_NE(o.out.find(out + "prf_1YOL.gsi\n"), std::string::npos) << o.out;
  EXPECT_EQ(ReadBytes(document).rfind("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n", 0), 0u);
  if (std::system("xmllint --version >/dev/null 2>&1") == 0) {
    EXPECT_EQ(std::system(("xmllint --noout " + Quote(document.string())).c_str()), 0);
  }
  for (const char* gsi : {"aln.gsi", "crs.gsi", "prf.gsi"}) EXPECT_FALSE(fs::exists(scratch / "work" / gsi)) << gsi;
}

TEST(Convert, OneReportOfEachKindAtMost) {
  const fs::path samples = test::SharedSamplesDir();
  if (samples.empty()) GTEST_SKIP() << "no ../shared/samples beside this checkout";
  if (RecognizeReport(samples / "ELEMAN.cks") != ReportKind::ElementTable) {
    GTEST_SKIP() << "element table recognition not in this build";
  }
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
