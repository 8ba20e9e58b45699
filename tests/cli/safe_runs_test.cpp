// velkor-convert given what a user with many routes and unusual files gives it: outputs named like
// its inputs, pipes, devices, huge files, numbers out of range, control bytes, shared work folders.
// Every run ends, with a clear message or with the right files, and no input is ever touched.
#ifndef _WIN32

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "convert_runner.h"
#include "test_paths.h"
#include "test_support.h"

namespace velkor {
namespace {

// A limit on the address space shows that refusing a huge or endless input needs little memory. The
// address checker reserves terabytes of address space for itself, so a build with it runs unlimited.
#if defined(__SANITIZE_ADDRESS__)
const std::string kMemoryLimit;
#else
const std::string kMemoryLimit = "ulimit -v 1000000; ";
#endif

namespace fs = std::filesystem;
using test::Quote;
using test::ReadBytes;
using test::ScratchDir;
using test::WriteBytes;

fs::path Example(const std::string& name) { return fs::path(test::kSourceDir) / "examples" / name; }

// Runs velkor-convert inside `scratch`, so that arguments and messages name files as a user would.
test::ConvertOutcome ConvertIn(const ScratchDir& scratch, const std::string& arguments,
                               const std::string& prefix = "") {
  return test::RunConvert(scratch, arguments, "cd " + Quote(scratch.path()) + " && " + prefix);
}

// Every file under `dir` with its bytes (stdout and stderr of the runs left out).
std::map<std::string, std::string> Files(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    const std::string name = fs::relative(entry.path(), dir).string();
    if (name == "stdout" || name == "stderr") continue;
    files[name] = entry.is_regular_file() ? ReadBytes(entry.path()) : std::string("<folder>");
  }
  return files;
}

// The bytes of an example with one text replaced (the first occurrence).
std::string ExampleWith(const std::string& name, const std::string& from, const std::string& to) {
  std::string bytes = ReadBytes(Example(name));
  const auto at = bytes.find(from);
  if (at == std::string::npos) throw std::runtime_error(from + " not in " + name);
  return bytes.replace(at, from.size(), to);
}

struct ClashCase {
  const char* scenario;
  std::vector<std::pair<std::string, std::string>> inputs;  // file name -> the example it copies
  std::string arguments;
  std::string message;  // the line on stderr
};

class OutputNamedLikeAnInput : public ::testing::TestWithParam<ClashCase> {};

// Before anything is written, each output is compared with each input by identity; a clash stops
// the run. The inputs stay byte for byte and no output appears.
TEST_P(OutputNamedLikeAnInput, StopsTheRunWithNothingWritten) {
  const ClashCase& c = GetParam();
  ScratchDir scratch;
  for (const auto& [name, example] : c.inputs) fs::copy_file(Example(example), scratch / name);
  if (std::string(c.scenario) == "DocumentLinkedToTheTable") fs::create_symlink("G.cks", scratch / "out.xml");
  const auto before = Files(scratch.path());
  const auto o = ConvertIn(scratch, c.arguments + " --work-dir work");
  EXPECT_EQ(o.code, 1);
  EXPECT_EQ(o.err, c.message + "\n");
  EXPECT_EQ(o.out, "");
  auto after = Files(scratch.path());
  EXPECT_EQ(after.erase("work"), 1u) << "the work folder was made";
  EXPECT_EQ(after, before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OutputNamedLikeAnInput,
    ::testing::Values(
        ClashCase{"TableNamedLikeTheRouteCopy",
                  {{"ELEMAN.gec", "GUZERGAH.cks"}},
                  "ELEMAN.gec",
                  "velkor-convert: Cannot write ELEMAN.gec: it is the input file ELEMAN.gec; nothing was written"},
        ClashCase{"TableNamedLikeTheDocument",
                  {{"yol.xml", "GUZERGAH.cks"}},
                  "yol.xml",
                  "velkor-convert: Cannot write yol.xml: it is the input file yol.xml; nothing was written"},
        ClashCase{"VerticalReportBesideTheTable",
                  {{"T2.cks", "GUZERGAH.cks"}, {"T2.gec", "DUSEY.cks"}},
                  "T2.cks T2.gec",
                  "velkor-convert: Cannot write T2.gec: it is the input file T2.gec; nothing was written"},
        ClashCase{"CrossSectionsNamedLikeAPiece",
                  {{"YOL.cks", "GUZERGAH.cks"}, {"crs_1YOL.gsi", "ENKESIT.kse"}},
                  "YOL.cks --cross-sections crs_1YOL.gsi -o YOL.xml",
                  "velkor-convert: Cannot write crs_1YOL.gsi: it is the input file crs_1YOL.gsi; nothing was written"},
        ClashCase{"DocumentLinkedToTheTable",
                  {{"G.cks", "GUZERGAH.cks"}},
                  "G.cks -o out.xml",
                  "velkor-convert: Cannot write out.xml: it is the input file G.cks; nothing was written"}),
    [](const auto& info) { return std::string(info.param.scenario); });

// The old shared work folder held tmp.cks; a table kept there is an input like any other now that
// each run works in a folder of its own.
TEST(SafeRuns, TableInsideTheWorkFolderIsOnlyRead) {
  ScratchDir scratch;
  fs::create_directory(scratch / "work");
  fs::permissions(scratch / "work", fs::perms::owner_all);
  fs::copy_file(Example("GUZERGAH.cks"), scratch / "work" / "tmp.cks");
  const auto o = ConvertIn(scratch, "work/tmp.cks -o YOL.xml --work-dir work");
  ASSERT_EQ(o.code, 0) << o.err;
  EXPECT_EQ(ReadBytes(scratch / "work" / "tmp.cks"), ReadBytes(Example("GUZERGAH.cks")));
  EXPECT_EQ(Files(scratch / "work").size(), 1u);
  EXPECT_TRUE(fs::exists(scratch / "YOL.gec"));
}

struct RefusedCase {
  const char* scenario;
  std::string prefix;  // before the program on the command line
  std::string arguments;
  std::string message;  // what stderr must hold
};

class RefusedInput : public ::testing::TestWithParam<RefusedCase> {};

// Pipes, devices and files far beyond any report end at once with a message, under a memory limit
// a whole-file read would break and a time limit a blocked open would reach.
TEST_P(RefusedInput, EndsWithAMessage) {
  const RefusedCase& c = GetParam();
  ScratchDir scratch;
  fs::copy_file(Example("GUZERGAH.cks"), scratch / "GUZERGAH.cks");
  ASSERT_EQ(::mkfifo((scratch / "ff").c_str(), 0600), 0);  // nobody ever writes to it
  fs::create_directory(scratch / "folder.cks");
  {
    // Sparse: over 1 GB long without taking the disk space.
    WriteBytes(scratch / "huge.cks", ReadBytes(Example("GUZERGAH.cks")));
    fs::resize_file(scratch / "huge.cks", (std::uintmax_t{1} << 30) + 4096);
  }
  const std::string table = ReadBytes(Example("GUZERGAH.cks"));
  const std::string firstLines = table.substr(0, table.find("\xC3", table.find("ELEMAN")));
  WriteBytes(scratch / "long.cks", firstLines + std::string(2 << 20, '\xC4') + "\r\n");
  WriteBytes(scratch / "long.kse", "    1      1  0.000 EKS\r\n" + std::string(2 << 20, ' ') + "\r\n");
  const auto o =
      ConvertIn(scratch, c.arguments + " -o YOL.xml --work-dir work", kMemoryLimit + "exec timeout 20 " + c.prefix);
  EXPECT_EQ(o.code, 1) << o.err;
  EXPECT_NE(o.err.find(c.message), std::string::npos) << o.err;
  EXPECT_FALSE(fs::exists(scratch / "YOL.xml"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedInput,
    ::testing::Values(RefusedCase{"FifoWithoutWriterAsReport", "", "ff",
                                  "ff: Cannot open file ff: it is a pipe, not a regular file"},
                      RefusedCase{"FifoWithoutWriterAsCrossSections", "", "GUZERGAH.cks --cross-sections ff",
                                  "Cannot open file ff: it is a pipe, not a regular file"},
                      RefusedCase{"EndlessDeviceAsReport", "", "/dev/zero",
                                  "/dev/zero: Cannot open file /dev/zero: it is a device, not a regular file"},
                      RefusedCase{"EndlessDeviceAsCrossSections", "", "GUZERGAH.cks --cross-sections /dev/zero",
                                  "Cannot open file /dev/zero: it is a device, not a regular file"},
                      RefusedCase{"FolderAsReport", "", "folder.cks",
                                  "folder.cks: Cannot open file folder.cks: it is a folder, not a regular file"},
                      RefusedCase{"FileOverOneGigabyte", "", "huge.cks", "huge.cks: File larger than 1 GB"},
                      RefusedCase{"LineOverOneMegabyte", "", "long.cks", "long.cks:4: Line longer than 1 MB"},
                      RefusedCase{"CrossSectionLineOverOneMegabyte", "", "GUZERGAH.cks --cross-sections long.kse",
                                  "long.kse:2: Line longer than 1 MB"}),
    [](const auto& info) { return std::string(info.param.scenario); });

// A report given through a pipe (as `<(cat DUSEY.cks)` gives it) would be read up by the
// recognition and found empty by the conversion: refused instead of converted into nothing.
TEST(SafeRuns, ReportThroughAPipeIsRefused) {
  ScratchDir scratch;
  fs::copy_file(Example("GUZERGAH.cks"), scratch / "GUZERGAH.cks");
  const auto o = ConvertIn(scratch, "GUZERGAH.cks /dev/stdin -o YOL.xml --work-dir work",
                           "cat " + Quote(Example("DUSEY.cks")) + " | ");
  EXPECT_EQ(o.code, 1);
  EXPECT_EQ(o.err, "/dev/stdin: Cannot open file /dev/stdin: it is a pipe, not a regular file\n");
  EXPECT_FALSE(fs::exists(scratch / "YOL.xml"));
}

struct BadTextCase {
  const char* scenario;
  std::string file;  // the example changed
  std::string from, to;
  std::string message;  // what stderr must hold
};

class BadTextInAnInput : public ::testing::TestWithParam<BadTextCase> {};

// Numbers a double cannot hold are refused like any other bad number (never read as 0), and report
// bytes quoted in a message cannot act on the terminal or flood it.
TEST_P(BadTextInAnInput, IsRefusedWithAQuotedMessage) {
  const BadTextCase& c = GetParam();
  ScratchDir scratch;
  fs::copy_file(Example("GUZERGAH.cks"), scratch / "GUZERGAH.cks", fs::copy_options::overwrite_existing);
  WriteBytes(scratch / c.file, ExampleWith(c.file, c.from, c.to));
  const std::string sections = c.file == "ENKESIT.kse" ? " --cross-sections ENKESIT.kse" : "";
  const auto o = ConvertIn(scratch, "GUZERGAH.cks" + sections + " -o YOL.xml --work-dir work");
  EXPECT_EQ(o.code, 1);
  EXPECT_NE(o.err.find(c.message), std::string::npos) << o.err;
  EXPECT_EQ(o.err.find_first_of("\x07\x1B"), std::string::npos) << o.err;
  EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << o.err;
  EXPECT_FALSE(fs::exists(scratch / "YOL.xml"));
}

INSTANTIATE_TEST_SUITE_P(Cases, BadTextInAnInput,
                         ::testing::Values(BadTextCase{"ChainageBeyondADouble", "GUZERGAH.cks", "0+350.000",
                                                       "5e400    ",
                                                       "GUZERGAH.cks:7: '5e400' is not a valid floating point value\n"},
                                           BadTextCase{"EastingBeyondADouble", "GUZERGAH.cks", "500347.391",
                                                       "5e400     ", ": '5e400' is not a valid floating point value\n"},
                                           BadTextCase{"OffsetBeyondADouble", "ENKESIT.kse", "-14.500", "-1e999 ",
                                                       "ENKESIT.kse:2: '-1e999' is not a valid floating point value\n"},
                                           BadTextCase{"EscapeSequencesAndALongCell", "GUZERGAH.cks", "0+350.000",
                                                       "\x1B]0:owned\x07\x1B[2J" + std::string(300, '7'),
                                                       "GUZERGAH.cks:7: '?]0:owned??[2J" + std::string(66, '7') +
                                                           "\xE2\x80\xA6' is not a valid floating point value\n"}),
                         [](const auto& info) { return std::string(info.param.scenario); });

// --work-dir only uses a folder that is private already (or makes one), never changes it and never
// removes what it did not write.
TEST(SafeRuns, WorkDirIsUsedAsItIsOrRefused) {
  ScratchDir scratch;
  fs::copy_file(Example("GUZERGAH.cks"), scratch / "GUZERGAH.cks");
  fs::create_directory(scratch / "shared");
  fs::permissions(scratch / "shared", fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                          fs::perms::others_read | fs::perms::others_exec);
  fs::create_directory(scratch / "own");
  fs::permissions(scratch / "own", fs::perms::owner_all);
  for (const char* dir : {"shared", "own"}) {
    for (const char* name : {"aln.gsi", "crs.gsi", "prf.gsi", "tmp.gec", "tmp.cks"}) {
      WriteBytes(scratch / dir / name, std::string("someone else's ") + name + "\r\n");
    }
  }
  const auto before = Files(scratch.path());

  auto o = ConvertIn(scratch, "GUZERGAH.cks -o A.xml --work-dir shared");
  EXPECT_EQ(o.code, 1);
  EXPECT_EQ(o.err, "velkor-convert: Cannot use work folder shared: other users have access to it\n");
  EXPECT_EQ(Files(scratch.path()), before);
  EXPECT_EQ(fs::status(scratch / "shared").permissions() & fs::perms::all,
            fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                fs::perms::others_exec);

  o = ConvertIn(scratch, "GUZERGAH.cks -o B.xml --work-dir own");
  ASSERT_EQ(o.code, 0) << o.err;
  auto after = Files(scratch.path());
  for (const char* written : {"B.xml", "B.gec", "aln_1B.gsi"}) EXPECT_EQ(after.erase(written), 1u) << written;
  EXPECT_EQ(after, before);
}

// An --output without a document name of its own would write hidden ".xml", ".gec" and "aln_1.gsi".
TEST(SafeRuns, OutputWithoutADocumentNameIsRefused) {
  ScratchDir scratch;
  fs::copy_file(Example("GUZERGAH.cks"), scratch / "GUZERGAH.cks");
  fs::create_directory(scratch / "out");
  const std::pair<std::string, std::string> cases[] = {
      {"out/", "velkor-convert: --output out/: names a folder, not a document\n"},
      {"out", "velkor-convert: --output out: names a folder, not a document\n"},
      {"out/..", "velkor-convert: --output out/..: names a folder, not a document\n"},
      {"out/.XML", "velkor-convert: --output out/.XML: the document needs a name before \".xml\"\n"},
  };
  const auto before = Files(scratch.path());
  for (const auto& [output, message] : cases) {
    const auto o = ConvertIn(scratch, "GUZERGAH.cks --work-dir work -o " + Quote(output));
    EXPECT_EQ(o.code, 2) << output;
    EXPECT_EQ(o.err, message);
  }
  EXPECT_EQ(Files(scratch.path()), before);
}

}  // namespace
}  // namespace velkor

#endif  // _WIN32
