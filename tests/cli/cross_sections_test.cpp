// velkor-convert --cross-sections: the CrossSects block and the crs pieces, or nothing at all.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "convert_runner.h"
#include "test_paths.h"
#include "test_support.h"

namespace velkor {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::ScratchDir;

using Outcome = test::ConvertOutcome;
using test::Quote;

Outcome ConvertWithSections(const ScratchDir& scratch, const fs::path& sections) {
  return test::RunConvert(scratch, Quote(test::SharedSamplesDir() / "ELEMAN.cks") + " --cross-sections " +
                                       Quote(sections) + " -o " + Quote(scratch / "out" / "YOL.xml") + " --work-dir " +
                                       Quote(scratch / "work"));
}

// Both convert the shared sample route.
bool RouteAvailable() { return !test::SharedSamplesDir().empty(); }

TEST(ConvertCrossSections, SampleGivesTheBlockAndTheCrsPieces) {
  if (!RouteAvailable()) GTEST_SKIP() << "no ../shared/samples beside this checkout";
  ScratchDir scratch;
  fs::create_directory(scratch / "out");
  Outcome o = ConvertWithSections(scratch, test::SharedSamplesDir() / "ENKESIT.kse");
  ASSERT_EQ(o.code, 0) << o.err;
  const std::string out = (scratch / "out").string() + "/";
  // 39 sections of 7 vertices: three full pieces and one holding the header only.
  for (int n = 1; n <= 4; ++n) {
    const std::string piece = out + "crs_" + std::to_string(n) + "YOL.gsi";
    EXPECT_NE(o.out.find(piece + "\n"), std::string::npos) << o.out;
  }
  EXPECT_EQ(o.out.find(out + "crs_5YOL.gsi"), std::string::npos) << o.out;
  const std::string document = ReadBytes(scratch / "out" / "YOL.xml");
  EXPECT_NE(document.find("\t\t\t</CrossSects>\r\n\t\t</Alignment>\r\n"), std::string::npos);
  if (std::system("xmllint --version >/dev/null 2>&1") == 0) {
    EXPECT_EQ(std::system(("xmllint --noout " + Quote(scratch / "out" / "YOL.xml")).c_str()), 0);
  }
  EXPECT_FALSE(fs::exists(scratch / "work" / "crs.gsi"));
}

TEST(ConvertCrossSections, BadLineDeliversNothing) {
  if (!RouteAvailable()) GTEST_SKIP() << "no ../shared/samples beside this checkout";
  ScratchDir scratch;
  fs::create_directory(scratch / "out");
  test::WriteBytes(scratch / "BOZUK.kse", "    1      1  0.000 EKS\r\n    0    -3.500    849.928 KAPLAMA\r\nX\r\n");
  Outcome o = ConvertWithSections(scratch, scratch / "BOZUK.kse");
  EXPECT_EQ(o.code, 1);
  EXPECT_EQ(o.err, (scratch / "BOZUK.kse").string() + ":3: 'X' is not a valid integer value\n");
  EXPECT_EQ(o.out, "");
  EXPECT_TRUE(fs::is_empty(scratch / "out"));
}

}  // namespace
}  // namespace velkor

#endif
