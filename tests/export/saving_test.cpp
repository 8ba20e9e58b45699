// Save: document, route copy, GSI pieces beside the chosen name; work-folder GSI files removed.
#include "export/saving.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "base/error.h"
#include "platform/platform.h"
#include "test_paths.h"
#include "test_support.h"

namespace velkor {
namespace {

namespace fs = std::filesystem;
using test::CrLf;
using test::ReadBytes;
using test::ScratchDir;
using test::SplitLines;
using test::WriteBytes;

const std::string kHeader = "*410001+0000000000000001 ";

std::vector<std::string> Gsi(int records, const std::string& tag = "R") {
  std::vector<std::string> lines{kHeader};
  for (int i = 1; i <= records; ++i) lines.push_back(tag + std::to_string(i));
  return lines;
}

struct PieceCase {
  const char* name;
  int records;
  std::vector<size_t> recordsPerPiece;
};

class GsiPiecesTest : public ::testing::TestWithParam<PieceCase> {};

TEST_P(GsiPiecesTest, HeaderOnEveryPieceAtMost91Records) {
  const PieceCase& c = GetParam();
  std::vector<LineList> pieces = SplitGsiPieces(LineList(Gsi(c.records)));
  ASSERT_EQ(pieces.size(), c.recordsPerPiece.size());
  int next = 1;
  for (size_t p = 0; p < pieces.size(); ++p) {
    const auto& lines = pieces[p].lines();
    ASSERT_EQ(lines.size(), c.recordsPerPiece[p] + 1) << "piece " << p + 1;
    EXPECT_EQ(lines[0], kHeader);
    for (size_t k = 1; k < lines.size(); ++k) EXPECT_EQ(lines[k], "R" + std::to_string(next++));
  }
  EXPECT_EQ(next, c.records + 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, GsiPiecesTest,
                         ::testing::Values(PieceCase{"TwoHundred", 200, {91, 91, 18}},
                                           PieceCase{"Exactly91", 91, {91, 0}}, PieceCase{"Ninety", 90, {90}},
                                           PieceCase{"HeaderOnly", 0, {0}}, PieceCase{"Ninety2", 92, {91, 1}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GsiPieces, EmptyFileGivesNoPiece) { EXPECT_TRUE(SplitGsiPieces(LineList()).empty()); }

TEST(RouteCopy, ExampleRouteIsReducedByteForByte) {
  const fs::path data = test::kDataDir;
  LineList route;
  route = platform::ReadLines(data / "route_example.gec");
  ScratchDir dir;
  ReduceRouteCopy(route).Save(dir / "copy.gec");
  EXPECT_EQ(ReadBytes(dir / "copy.gec"), ReadBytes(data / "route_example_saved.gec"));
}

TEST(RouteCopy, LastMatchingWordDecides) {
  LineList route(std::vector<std::string>{
      "  TS      0+250.000        350.000        200.000         50.000        111.803 ORTA MENE",
      "0+200.000        854.000          0.000          0.000 G\xDDR\xDD\xDE MENE",
      "ORTA \xC7IKI\xDE",
      "G\xDDR\xDD",  // the first four letters are enough
      "Gİ",
  });
  EXPECT_EQ(ReduceRouteCopy(route).lines(),
            (std::vector<std::string>{"  TS      0+250.000        350.000      ",
                                      "0+200.000        854.000          0.000 ", "Gİ"}));
}

struct NamesCase {
  const char* name;
  const char* chosen;
  const char* document;
  const char* routeCopy;
  const char* secondAlignmentPiece;
};

class OutputNamesTest : public ::testing::TestWithParam<NamesCase> {};

TEST_P(OutputNamesTest, DerivedFromChosenName) {
  const NamesCase& c = GetParam();
  fs::path document = DocumentPath(c.chosen);
  // Generic form: on Windows the name joined to the folder follows a backslash.
  EXPECT_EQ(document.generic_string(), c.document);
  EXPECT_EQ(RouteCopyPath(document).generic_string(), c.routeCopy);
  EXPECT_EQ(GsiPiecePath(document, "aln_", 2).generic_string(), c.secondAlignmentPiece);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OutputNamesTest,
    ::testing::Values(
        NamesCase{"UpperCase", "/proj/ROUTE.XML", "/proj/ROUTE.XML", "/proj/ROUTE.gec", "/proj/aln_2ROUTE.gsi"},
        NamesCase{"OtherFolder", "/data/x/yol.xml", "/data/x/yol.xml", "/data/x/yol.gec", "/data/x/aln_2yol.gsi"},
        NamesCase{"NoFolder", "yol.xml", "yol.xml", "yol.gec", "aln_2yol.gsi"},
        NamesCase{"NoXml", "/p/yol", "/p/yol.xml", "/p/yol.gec", "/p/aln_2yol.gsi"},
        NamesCase{"OtherExtension", "/p/yol.txt", "/p/yol.txt.xml", "/p/yol.txt.gec", "/p/aln_2yol.txt.gsi"},
        NamesCase{"XmlTwice", "/p/a.xml.XML", "/p/a.xml.XML", "/p/a.gec.gec", "/p/aln_2a.gsi.gsi"},
        NamesCase{"FolderHoldsXml", "/p.xml/yol.xml", "/p.xml/yol.xml", "/p.xml/yol.gec", "/p.xml/aln_2yol.gsi"}),
    [](const auto& info) { return std::string(info.param.name); });

class SaveOutputsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(work / "w");
    fs::create_directory(work / "out");
    workDir = work / "w";
    WriteBytes(workDir / "tmp.gec", ReadBytes(fs::path(test::kDataDir) / "route_example.gec"));
    WriteBytes(workDir / "aln.gsi", CrLf(Gsi(200, "A")));
    WriteBytes(workDir / "crs.gsi", CrLf(Gsi(5, "C")));
    WriteBytes(workDir / "prf.gsi", CrLf(Gsi(3, "P")));
  }
  ScratchDir work;
  fs::path workDir;
  const std::string document = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<LandXML>\xC5\x9E</LandXML>\r\n";
};

TEST_F(SaveOutputsTest, WritesEverythingBesideTheChosenName) {
  const fs::path out = work / "out";
  std::vector<fs::path> written = SaveOutputs(document, out / "ROUTE.XML", workDir, {});
  const std::vector<fs::path> expected = {out / "ROUTE.XML",      out / "ROUTE.gec",      out / "aln_1ROUTE.gsi",
                                          out / "aln_2ROUTE.gsi", out / "aln_3ROUTE.gsi", out / "crs_1ROUTE.gsi",
                                          out / "prf_1ROUTE.gsi"};
  EXPECT_EQ(written, expected);
  EXPECT_EQ(ReadBytes(out / "ROUTE.XML"), document);
  EXPECT_EQ(ReadBytes(out / "ROUTE.gec"), ReadBytes(fs::path(test::kDataDir) / "route_example_saved.gec"));
  std::vector<std::string> third = SplitLines(ReadBytes(out / "aln_3ROUTE.gsi"));
  ASSERT_EQ(third.size(), 19u);
  EXPECT_EQ(third.front(), kHeader);
  EXPECT_EQ(third.back(), "A200");
  EXPECT_EQ(ReadBytes(out / "crs_1ROUTE.gsi"), CrLf(Gsi(5, "C")));
  EXPECT_EQ(ReadBytes(out / "prf_1ROUTE.gsi"), CrLf(Gsi(3, "P")));
  for (const char* gsi : {"aln.gsi", "crs.gsi", "prf.gsi"}) EXPECT_FALSE(fs::exists(workDir / gsi)) << gsi;
  EXPECT_TRUE(fs::exists(workDir / "tmp.gec"));
}

TEST_F(SaveOutputsTest, DocumentLinesEndInCrLfWhateverTheyCameWith) {
  const std::pair<std::string, std::string> cases[] = {
      {"<a>\r\n</a>\r\n", "<a>\r\n</a>\r\n"},
      {"<a>\n</a>", "<a>\r\n</a>\r\n"},
      {"<a>\r</a>\r\n", "<a>\r\n</a>\r\n"},
      {"<a>\r\n\r\n</a>\n", "<a>\r\n\r\n</a>\r\n"},
  };
  for (const auto& [text, saved] : cases) {
    SaveOutputs(text, work / "out" / "d.xml", workDir, {});
    EXPECT_EQ(ReadBytes(work / "out" / "d.xml"), saved) << text;
  }
}

TEST_F(SaveOutputsTest, MissingWorkFilesAreSkipped) {
  for (const char* name : {"tmp.gec", "aln.gsi", "crs.gsi"}) fs::remove(workDir / name);
  const fs::path out = work / "out";
  EXPECT_EQ(SaveOutputs(document, out / "yol", workDir, {}),
            (std::vector<fs::path>{out / "yol.xml", out / "prf_1yol.gsi"}));
}

TEST_F(SaveOutputsTest, UnwritableRouteCopyStopsWithNothingReplaced) {
  const fs::path out = work / "out";
  fs::create_directory(out / "yol.gec");  // nothing can be created under this name
  try {
    SaveOutputs(document, out / "yol.xml", workDir, {});
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "Cannot create file " + (out / "yol.gec").string());
    EXPECT_EQ(e.reason(), "Is a directory");
  }
  // The document was written in full but never put in place, and no temporary file is left.
  std::vector<fs::path> left;
  for (const auto& entry : fs::directory_iterator(out)) left.push_back(entry.path());
  EXPECT_EQ(left, std::vector<fs::path>{out / "yol.gec"});
  EXPECT_TRUE(fs::exists(workDir / "aln.gsi")) << "the GSI files wait for a second Save";
}

TEST_F(SaveOutputsTest, UnwritableDocumentWritesNothing) {
  const fs::path target = work / "missing" / "yol.xml";
  try {
    SaveOutputs(document, target, workDir, {});
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "Cannot create file " + target.string());
    EXPECT_EQ(e.reason(), "No such file or directory");
  }
  EXPECT_TRUE(fs::is_empty(work / "out"));
  EXPECT_TRUE(fs::exists(workDir / "prf.gsi"));
}

TEST(GsiPieceNames, OnlyPrefixDigitsAndTheDocumentsOwnName) {
  const fs::path document = fs::path("/p") / "YOL.xml";
  const std::pair<const char*, bool> cases[] = {
      {"aln_1YOL.gsi", true},      {"crs_12YOL.gsi", true},  {"prf_007YOL.gsi", true}, {"aln_YOL.gsi", false},
      {"aln_1YOL.gsi.bak", false}, {"xcrs_1YOL.gsi", false}, {"aln_1xYOL.gsi", false}, {"aln_1yol.gsi", false},
      {"aln_1ESKIYOL.gsi", false}, {"ALN_1YOL.gsi", false},  {"aln_-1YOL.gsi", false}, {"YOL.gsi", false},
      {"aln_1 YOL.gsi", false},    {"srf_1YOL.gsi", false},
  };
  for (const auto& [name, piece] : cases) EXPECT_EQ(IsGsiPieceOf(name, document), piece) << name;
}

TEST_F(SaveOutputsTest, SecondSaveUnderTheSameNameLeavesOnlyItsOwnFiles) {
  const fs::path out = work / "out";
  SaveOutputs(document, out / "YOL.xml", workDir, {});
  WriteBytes(out / "crs_1YOL.gsi.bak", "keep");
  WriteBytes(out / "xcrs_1YOL.gsi", "keep");
  WriteBytes(out / "aln_1BASKA.gsi", "keep");
  // The second conversion had the element table only and a shorter route: one alignment piece.
  WriteBytes(workDir / "aln.gsi", CrLf(Gsi(4, "B")));
  const std::vector<fs::path> second = SaveOutputs(document, out / "YOL.xml", workDir, {});
  std::set<fs::path> expected(second.begin(), second.end());
  for (const char* kept : {"crs_1YOL.gsi.bak", "xcrs_1YOL.gsi", "aln_1BASKA.gsi"}) expected.insert(out / kept);
  std::set<fs::path> present;
  for (const auto& entry : fs::directory_iterator(out)) present.insert(entry.path());
  EXPECT_EQ(present, expected);
  EXPECT_EQ(second, (std::vector<fs::path>{out / "YOL.xml", out / "YOL.gec", out / "aln_1YOL.gsi"}));
  EXPECT_EQ(ReadBytes(out / "crs_1YOL.gsi.bak"), "keep");
}

TEST_F(SaveOutputsTest, PieceThatWillNotGoStopsTheSaveBeforeAnythingIsWritten) {
  const fs::path out = work / "out";
  fs::create_directories(out / "prf_2YOL.gsi" / "inside");  // a folder full of things is not removed
  try {
    SaveOutputs(document, out / "YOL.xml", workDir, {});
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "Cannot create file " + (out / "prf_2YOL.gsi").string());
    EXPECT_FALSE(e.reason().empty());
  }
  EXPECT_FALSE(fs::exists(out / "YOL.xml"));
  EXPECT_TRUE(fs::exists(workDir / "aln.gsi"));
}

// An output that is one of the conversion's inputs, under whatever name, stops Save before the
// first file is written: the input and every earlier output stay as they were.
TEST_F(SaveOutputsTest, OutputThatIsAnInputIsRefusedWithNothingWritten) {
  const fs::path out = work / "out";
  const fs::path inputs = work / "in";
  fs::create_directory(inputs);
  struct Case {
    const char* scenario;
    fs::path input;   // written before Save, as the user's file
    fs::path target;  // the output it would be
  };
  const Case cases[] = {
      {"document", out / "yol.xml", out / "yol.xml"},
      {"route copy", out / "yol.gec", out / "yol.gec"},
      {"last alignment piece", out / "aln_3yol.gsi", out / "aln_3yol.gsi"},
      {"cross-section piece", out / "crs_1yol.gsi", out / "crs_1yol.gsi"},
      {"another spelling", out / "yol.gec", out / "." / "yol.gec"},
      {"a link", inputs / "ROUTE.cks", out / "yol.gec"},
      {"a second name", inputs / "DUSEY.cks", out / "prf_1yol.gsi"},
  };
  for (const Case& c : cases) {
    SetUp();
    for (const auto& entry : fs::directory_iterator(out)) fs::remove(entry.path());
    WriteBytes(c.input, "the user's own file\r\n");
    if (c.input.parent_path() == inputs) {
      std::error_code ec;
      if (std::string(c.scenario) == "a link") fs::create_symlink(c.input, c.target, ec);
      if (std::string(c.scenario) == "a second name") fs::create_hard_link(c.input, c.target, ec);
      if (ec) continue;  // a system that makes no links here has nothing to check
    }
    try {
      SaveOutputs(document, out / "yol.xml", workDir, {work / "other.cks", c.input});
      ADD_FAILURE() << c.scenario << ": no error";
    } catch (const Error& e) {
      EXPECT_NE(e.message().find("it is the input file " + c.input.string() + "; nothing was written"),
                std::string::npos)
          << c.scenario << ": " << e.message();
    }
    EXPECT_EQ(ReadBytes(c.input), "the user's own file\r\n") << c.scenario;
    if (c.input != out / "yol.xml") {
      EXPECT_FALSE(fs::exists(out / "yol.xml")) << c.scenario;
    }
    EXPECT_TRUE(fs::exists(workDir / "aln.gsi")) << c.scenario;
    fs::remove(c.input);
  }
}

#ifndef _WIN32
// A write that fails part-way, as on a disk that fills up (here a limit on the size of files this
// process may write), leaves the previous document as it was, names the file and leaves no
// half-written file beside it.
TEST_F(SaveOutputsTest, FailedWriteKeepsThePreviousDocument) {
  const fs::path out = work / "out";
  SaveOutputs(document, out / "yol.xml", workDir, {});
  SetUp();
  std::map<fs::path, std::string> before;
  for (const auto& entry : fs::directory_iterator(out)) before[entry.path()] = ReadBytes(entry.path());

  std::string large = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";
  while (large.size() < 256 * 1024) large += "<P>1.000 2.000 3.000</P>\r\n";
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  struct rlimit small = saved;
  small.rlim_cur = 64 * 1024;
  auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead of ending the process
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string message = "no error";
  try {
    SaveOutputs(large, out / "yol.xml", workDir, {});
  } catch (const Error& e) {
    message = e.message();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_EQ(test::FirstLine(message), "Cannot create file " + (out / "yol.xml").string());
  std::map<fs::path, std::string> after;
  for (const auto& entry : fs::directory_iterator(out)) after[entry.path()] = ReadBytes(entry.path());
  EXPECT_EQ(after, before);
  EXPECT_TRUE(fs::exists(workDir / "aln.gsi")) << "the GSI files wait for a second Save";
}
#endif

TEST_F(SaveOutputsTest, RemoveGsiFilesLeavesOtherWorkFiles) {
  RemoveGsiFiles(workDir);
  RemoveGsiFiles(workDir);  // nothing left to remove is no error
  for (const char* gsi : {"aln.gsi", "crs.gsi", "prf.gsi"}) EXPECT_FALSE(fs::exists(workDir / gsi)) << gsi;
  EXPECT_TRUE(fs::exists(workDir / "tmp.gec"));
}

}  // namespace
}  // namespace velkor
