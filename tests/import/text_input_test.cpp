// Reading reports and cross-section files line by line: the same lines and endings as a whole-file
// split, whatever the chunk boundaries, and the limits beyond which a file is no report.
#include "import/text_input.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/error.h"
#include "base/line_list.h"
#include "test_support.h"

namespace velkor {
namespace {

using test::ScratchDir;
using test::WriteBytes;

// Random text of letters and line endings (CR LF, LF, lone CR), long enough to cross the reader's
// chunks many times, so that a CR LF split between two chunks is met too.
TEST(TextInput, SameLinesAndEndingsAsTheWholeFile) {
  ScratchDir dir;
  std::mt19937 random(19);
  for (int round = 0; round < 20; ++round) {
    std::string bytes;
    const size_t size = random() % 300000;
    while (bytes.size() < size) {
      const unsigned pick = random() % 40;
      bytes += pick == 0 ? "\r\n" : pick == 1 ? "\n" : pick == 2 ? "\r" : std::string(1, static_cast<char>('a' + pick));
    }
    WriteBytes(dir / "r.cks", bytes);
    TextInput input(dir / "r.cks");
    std::vector<std::string> lines;
    std::string copy, line;
    while (input.ReadLine(line)) {
      lines.push_back(line);
      copy += line + input.ending();
      EXPECT_EQ(input.lineNumber(), static_cast<long>(lines.size()));
    }
    ASSERT_EQ(lines, SplitTextLines(bytes)) << "round " << round;
    ASSERT_EQ(copy, bytes) << "round " << round;
  }
}

TEST(TextInput, LooksAheadWithoutTakingLines) {
  ScratchDir dir;
  WriteBytes(dir / "r.cks", "one\r\ntwo\nthree");
  TextInput input(dir / "r.cks");
  ASSERT_NE(input.PeekLine(2), nullptr);
  EXPECT_EQ(*input.PeekLine(2), "three");
  EXPECT_EQ(input.PeekLine(3), nullptr);
  std::string line;
  ASSERT_TRUE(input.ReadLine(line));
  EXPECT_EQ(line, "one");
  EXPECT_EQ(input.ending(), "\r\n");
  EXPECT_EQ(*input.PeekLine(0), "two");
  ASSERT_TRUE(input.ReadLine(line) && input.ReadLine(line));
  EXPECT_EQ(line, "three");
  EXPECT_EQ(input.ending(), "");
  EXPECT_FALSE(input.ReadLine(line));
}

TEST(TextInput, RefusesWhatNoReportIs) {
  ScratchDir dir;
  WriteBytes(dir / "long.cks", "a\r\nb\r\n" + std::string(kMaxLineBytes + 1, 'x') + "\r\n");
  WriteBytes(dir / "fits.cks", std::string(kMaxLineBytes, 'x'));
  WriteBytes(dir / "huge.cks", "");
  std::filesystem::resize_file(dir / "huge.cks", kMaxInputBytes + 1);  // sparse: no disk taken
  std::string line;
  TextInput fits(dir / "fits.cks");
  EXPECT_TRUE(fits.ReadLine(line));
  EXPECT_EQ(line.size(), kMaxLineBytes);
  try {
    TextInput input(dir / "long.cks");
    while (input.ReadLine(line)) {
    }
    ADD_FAILURE() << "a 1 MB line was read";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "Line longer than 1 MB: no NetCAD report or cross-section file has such lines");
    EXPECT_EQ(e.where(), (dir / "long.cks").string() + ":3");
  }
  try {
    TextInput input(dir / "huge.cks");
    ADD_FAILURE() << "a file over 1 GB was opened";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "File larger than 1 GB: no NetCAD report or cross-section file is anywhere near that long");
    EXPECT_EQ(e.where(), (dir / "huge.cks").string());
  }
  try {
    TextInput input(dir.path());
    ADD_FAILURE() << "a folder was opened";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "Cannot open file " + dir.path().string());
    EXPECT_EQ(e.reason(), "it is a folder, not a regular file");
  }
}

}  // namespace
}  // namespace velkor
