// Files and folders named with Turkish letters: read, copied, written and named in messages the same
// way on Windows (wide system calls) and Linux (UTF-8 bytes), and code page text that both agree on.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/line_list.h"
#include "base/text_fields.h"
#include "export/saving.h"
#include "platform/platform.h"
#include "test_support.h"

namespace velkor {
namespace {

using test::ScratchDir;

// "Güzergâh" and "Düşey.cks" in UTF-8, as a command line or a file dialog hands them over.
const std::string kFolder = "G\xC3\xBCzerg\xC3\xA2h";
const std::string kReport =
    "D\xC3\xBC\xC5\x9F"
    "ey.cks";

TEST(TurkishPaths, NamesSurviveTheRoundTripThroughPaths) {
  for (const std::string& name :
       {kFolder, kReport, std::string("\xC4\xB0\xC4\x9F\xC4\xB1\xC3\xA7\xC3\xB6\xC5\x9E.xml")}) {
    EXPECT_EQ(PathToUtf8(PathFromUtf8(name)), name);
    EXPECT_EQ(PathToUtf8(PathFromUtf8(name).filename()), name);
  }
  EXPECT_EQ(PathToUtf8(PathFromUtf8(kFolder) / PathFromUtf8(kReport)).size(), kFolder.size() + 1 + kReport.size());
}

TEST(TurkishPaths, ReadCopiedAndListedUnderTheirOwnName) {
  ScratchDir scratch;
  std::filesystem::path folder = scratch.path() / PathFromUtf8(kFolder);
  std::filesystem::create_directory(folder);
  std::filesystem::path report = folder / PathFromUtf8(kReport);
  const std::string bytes = test::CrLf({"line one", "G\xDDR\xDD\xDE", "\xB3 ELEMAN \xB3"});
  WriteFileBytes(report, bytes);

  LineList lines;
  lines = platform::ReadLines(report);
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines.at(1), "G\xDDR\xDD\xDE");

  // The report copy into the work folder and a copy back under another Turkish name.
  platform::CopyFileReplacing(report, scratch.path() / "tmp.cks");
  EXPECT_EQ(platform::ReadFileBytes(scratch.path() / "tmp.cks"), bytes);
  std::filesystem::path back = folder / PathFromUtf8(
                                            "\xC5\x9E"
                                            "ev.cks");
  WriteFileBytes(back, "old and longer than the copy\r\n");
  platform::CopyFileReplacing(scratch.path() / "tmp.cks", back);
  EXPECT_EQ(platform::ReadFileBytes(back), bytes);
  // A report chosen from the work folder is its own copy.
  platform::CopyFileReplacing(back, folder / ".." / PathFromUtf8(kFolder) / back.filename());
  EXPECT_EQ(platform::ReadFileBytes(back), bytes);

  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(PathToUtf8(entry.path().filename()));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{kReport,
                                             "\xC5\x9E"
                                             "ev.cks"}));
}

TEST(TurkishPaths, MessagesNameTheFileInUtf8) {
  ScratchDir scratch;
  std::filesystem::path missing = scratch.path() / PathFromUtf8(kFolder) / PathFromUtf8(kReport);
  struct Case {
    const char* what;
    std::function<void()> run;
    std::string expected;
  };
  const std::string shown = PathToUtf8(missing);
  std::vector<Case> cases = {
      {"read", [&] { platform::ReadFileBytes(missing); }, "Cannot open file " + shown},
      {"write", [&] { WriteFileBytes(missing, "x"); }, "Cannot create file " + shown},
      {"copy from", [&] { platform::CopyFileReplacing(missing, scratch.path() / "tmp.cks"); },
       "Cannot open file " + shown},
  };
  for (const auto& c : cases) {
    try {
      c.run();
      ADD_FAILURE() << c.what << ": no error";
    } catch (const Error& e) {
      EXPECT_EQ(test::FirstLine(e.message()), c.expected) << c.what;
    }
  }
  EXPECT_NE(shown.find(kFolder), std::string::npos);
}

TEST(TurkishPaths, CopyIntoAMissingFolderNamesTheTarget) {
  ScratchDir scratch;
  std::filesystem::path source = scratch.path() / PathFromUtf8(kReport);
  WriteFileBytes(source, "x\r\n");
  std::filesystem::path target = scratch.path() / PathFromUtf8(kFolder) / "tmp.cks";
  try {
    platform::CopyFileReplacing(source, target);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "Cannot create file " + PathToUtf8(target));
  }
}

TEST(TurkishPaths, SuggestedNamesKeepTheLettersAndReplaceEveryExtension) {
  const std::string chosen = PathToUtf8(PathFromUtf8(kFolder) / PathFromUtf8("D\xC3\xBC\xC5\x9F"
                                                                             "ey.CKS.cks"));
  const std::string route = ReplaceAllNoCase(chosen, ".cks", ".gec");
  EXPECT_EQ(PathToUtf8(PathFromUtf8(route).filename()),
            "D\xC3\xBC\xC5\x9F"
            "ey.gec.gec");
  EXPECT_EQ(PathToUtf8(PathFromUtf8(ReplaceAllNoCase(route, ".gec", ".xml")).parent_path()), kFolder);
}

TEST(TurkishPaths, SavedFilesAreNamedAfterTheChosenDocument) {
  const std::filesystem::path chosen = PathFromUtf8(kFolder) / PathFromUtf8("\xC3\x87\xC4\xB1kt\xC4\xB1");
  const std::filesystem::path document = DocumentPath(chosen);
  const std::pair<std::filesystem::path, std::string> cases[] = {
      {document, "\xC3\x87\xC4\xB1kt\xC4\xB1.xml"},
      {RouteCopyPath(document), "\xC3\x87\xC4\xB1kt\xC4\xB1.gec"},
      {GsiPiecePath(document, "prf_", 3), "prf_3\xC3\x87\xC4\xB1kt\xC4\xB1.gsi"},
  };
  for (const auto& [path, name] : cases) {
    EXPECT_EQ(PathToUtf8(path.filename()), name);
    EXPECT_EQ(PathToUtf8(path.parent_path()), kFolder);
  }
}

// Where the two systems' conversion tables differ on their own, the program must not.
struct CodePageCase {
  const char* name;
  std::string cp1254;
  std::string utf8;
};

TEST(TurkishPaths, CodePage1254TextIsTheSameOnEverySystem) {
  const std::vector<CodePageCase> toUtf8 = {
      {"Turkish letters", "\xC7\xD0\xDD\xD6\xDE\xDC\xE7\xF0\xFD\xF6\xFE\xFC",
       "\xC3\x87\xC4\x9E\xC4\xB0\xC3\x96\xC5\x9E\xC3\x9C\xC3\xA7\xC4\x9F\xC4\xB1\xC3\xB6\xC5\x9F\xC3\xBC"},
      {"euro and box drawing bytes", "\x80\xB3\xC3", "\xE2\x82\xAC\xC2\xB3\xC3\x83"},
      {"undefined bytes",
       "a\x81\x8D\x8E\x8F\x90\x9D\x9E"
       "b",
       "a???????b"},
  };
  for (const auto& c : toUtf8) EXPECT_EQ(Cp1254ToUtf8(c.cp1254), c.utf8) << c.name;

  const std::vector<CodePageCase> toCp1254 = {
      {"Turkish letters", "\xC7\xD0\xDD\xD6\xDE\xDC\xE7\xF0\xFD\xF6\xFE\xFC",
       "\xC3\x87\xC4\x9E\xC4\xB0\xC3\x96\xC5\x9E\xC3\x9C\xC3\xA7\xC4\x9F\xC4\xB1\xC3\xB6\xC5\x9F\xC3\xBC"},
      {"no look-alike letters", "?x?", "\xC4\x83x\xC5\x91"},  // a with breve, o with double acute
      {"one mark per character beyond 16 bits", "a?b",
       "a\xF0\x9F\x98\x80"
       "b"},
      {"a sequence cut short keeps the letter after it", "?a?",
       "\xE2\x82"
       "a\xC3"},
      {"stray and overlong bytes, one mark each", "??z?z", "\xC0\xAFz\x80z"},
  };
  for (const auto& c : toCp1254) EXPECT_EQ(Utf8ToCp1254(c.utf8), c.cp1254) << c.name;
}

}  // namespace
}  // namespace velkor
