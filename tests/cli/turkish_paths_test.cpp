// velkor-convert on reports in a folder and under names with Turkish letters: it reads them, names the
// outputs after them and prints those names in UTF-8, on Windows as on Linux.
#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
#else
#include <sys/wait.h>
#endif

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "test_paths.h"
#include "test_support.h"

namespace velkor {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::ScratchDir;

const std::string kFolder = "G\xC3\xBCzerg\xC3\xA2h";  // Güzergâh
const std::string kTable = kFolder + ".cks";           // Güzergâh.cks
const std::string kVertical =
    "D\xC3\xBC\xC5\x9F"
    "ey.cks";  // Düşey.cks
const std::string kChosen =
    "\xC3\x87\xC4\xB1kt\xC4\xB1 \xC5\x9E"
    "ev.xml";  // Çıktı Şev.xml

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

std::string WithoutCarriageReturns(std::string text) {
  std::erase(text, '\r');
  return text;
}

// Runs the converter through the system's shell with UTF-8 arguments, the way a user's script would.
Outcome Convert(const ScratchDir& scratch, const std::vector<fs::path>& arguments) {
  const fs::path out = scratch / "stdout", err = scratch / "stderr";
#ifdef _WIN32
  auto quote = [](const fs::path& p) { return L"\"" + p.native() + L"\""; };
  std::wstring command = quote(fs::path(test::kBinaryDir) / "velkor-convert.exe");
  for (const auto& a : arguments) command += L" " + quote(a);
  command += L" >" + quote(out) + L" 2>" + quote(err);
  // cmd drops the outermost pair of quotes when the line holds more than two.
  int code = _wsystem((L"\"" + command + L"\"").c_str());
#else
  auto quote = [](const fs::path& p) { return "'" + p.string() + "'"; };
  std::string command = quote(fs::path(test::kBinaryDir) / "velkor-convert");
  for (const auto& a : arguments) command += " " + quote(a);
  command += " >" + quote(out) + " 2>" + quote(err);
  int status = std::system(command.c_str());
  int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
  return {code, WithoutCarriageReturns(ReadBytes(out)), WithoutCarriageReturns(ReadBytes(err))};
}

class TurkishPathsCli : public ::testing::Test {
 protected:
  void SetUp() override {
    examples_ = fs::path(test::kSourceDir) / "examples";
    folder_ = scratch_.path() / PathFromUtf8(kFolder);
    fs::create_directory(folder_);
    fs::copy_file(examples_ / "GUZERGAH.cks", folder_ / PathFromUtf8(kTable));
    if (fs::exists(examples_ / "DUSEY.cks")) {
      fs::copy_file(examples_ / "DUSEY.cks", folder_ / PathFromUtf8(kVertical));
      reports_.push_back(folder_ / PathFromUtf8(kVertical));
    }
    reports_.push_back(folder_ / PathFromUtf8(kTable));
  }

  std::vector<fs::path> Arguments(std::vector<fs::path> extra) const {
    std::vector<fs::path> arguments = reports_;
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    arguments.push_back("--work-dir");
    arguments.push_back(scratch_ / "work");
    return arguments;
  }

  ScratchDir scratch_;
  fs::path examples_, folder_;
  std::vector<fs::path> reports_;
};

TEST_F(TurkishPathsCli, SavesUnderTheSuggestedAndTheChosenName) {
  struct Case {
    const char* name;
    std::vector<fs::path> extra;
    std::string stem;  // of every output: the document, the route copy, the GSI pieces
  };
  const std::vector<Case> cases = {
      {"suggested from the element table", {}, kFolder},
      {"chosen", {"-o", folder_ / PathFromUtf8(kChosen)}, kChosen.substr(0, kChosen.size() - 4)},
  };
  std::string firstDocument;
  for (const auto& c : cases) {
    Outcome o = Convert(scratch_, Arguments(c.extra));
    ASSERT_EQ(o.code, 0) << c.name << "\n" << o.err;
    EXPECT_EQ(o.err, "") << c.name;
    const std::string folder = PathToUtf8(folder_);
    const fs::path document = folder_ / PathFromUtf8(c.stem + ".xml");
    EXPECT_EQ(o.out.rfind(PathToUtf8(document) + "\n" + PathToUtf8(folder_ / PathFromUtf8(c.stem + ".gec")) + "\n" +
                              PathToUtf8(folder_ / PathFromUtf8("aln_1" + c.stem + ".gsi")) + "\n",
                          0),
              0u)
        << c.name << "\n"
        << o.out;
    ASSERT_TRUE(fs::is_regular_file(document)) << c.name;
    // The names of the files never reach their content.
    if (firstDocument.empty()) firstDocument = ReadBytes(document);
    EXPECT_EQ(ReadBytes(document), firstDocument) << c.name;
    // The files written, one per line, up to the blank line before the summary.
    for (const auto& line : test::SplitLines(o.out)) {
      if (line.empty()) break;
      EXPECT_TRUE(fs::is_regular_file(PathFromUtf8(line))) << line;
    }
  }
}

TEST_F(TurkishPathsCli, MissingReportIsNamedInUtf8) {
  const fs::path missing = folder_ / PathFromUtf8("Yok \xC4\xB0\xC5\x9F.cks");
  Outcome o = Convert(scratch_, {missing, "--work-dir", scratch_ / "work"});
  EXPECT_EQ(o.code, 1);
  EXPECT_EQ(o.err.rfind(PathToUtf8(missing) + ": ", 0), 0u) << o.err;
  EXPECT_EQ(o.out, "");
}

}  // namespace
}  // namespace velkor
