#include "base/line_list.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "platform/platform.h"
#include "test_support.h"

namespace velkor {
namespace {

TEST(LineList, LoadsAnyLineEndingSavesCrLf) {
  test::ScratchDir dir;
  test::WriteBytes(dir / "in.txt", "a\r\nb\nc\rd\r\n\r\n\xDD\xDE");
  LineList list;
  list = platform::ReadLines(dir / "in.txt");
  EXPECT_EQ(list.lines(), (std::vector<std::string>{"a", "b", "c", "d", "", "\xDD\xDE"}));
  list.Save(dir / "out.txt");
  EXPECT_EQ(test::ReadBytes(dir / "out.txt"), "a\r\nb\r\nc\r\nd\r\n\r\n\xDD\xDE\r\n");
}

TEST(LineList, EmptyFileHasNoLines) {
  test::ScratchDir dir;
  test::WriteBytes(dir / "empty.txt", "");
  LineList list({"old"});
  list = platform::ReadLines(dir / "empty.txt");
  EXPECT_TRUE(list.empty());
}

TEST(LineList, FailuresCarryTheUsersMessages) {
  test::ScratchDir dir;
  LineList list({"only"});
  try {
    list = platform::ReadLines(dir / "missing.txt");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(test::FirstLine(e.message()), "Cannot open file " + (dir / "missing.txt").string());
  }
  EXPECT_EQ(list.size(), 1);  // a failed load keeps what was there
  try {
    list.at(2);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "List index out of bounds (2)");
  }
  EXPECT_THROW(list.at(-1), Error);
  try {
    list.Save(dir / "no-such-folder" / "x.txt");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "Cannot create file " + (dir / "no-such-folder" / "x.txt").string());
  }
}

TEST(Error, PlaceKeptApartFromTheMessage) {
  Error e("'x' is not a valid floating point value");
  EXPECT_EQ(e.where(), "");
  e.at("ELEMAN.cks", 214);
  EXPECT_EQ(e.message(), "'x' is not a valid floating point value");
  EXPECT_EQ(e.where(), "ELEMAN.cks:214");
  e.at("tmp.gec", 3);  // the inner, more precise place stays
  EXPECT_EQ(e.where(), "ELEMAN.cks:214");
  Error f("m", "ENKESIT.kse");
  f.at("ENKESIT.kse", 7);
  EXPECT_EQ(f.where(), "ENKESIT.kse:7");
}

}  // namespace
}  // namespace velkor
