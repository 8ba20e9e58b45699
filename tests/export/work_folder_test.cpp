// The private work folder: created owner-only, never reached through a planted link.
#ifndef _WIN32

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "base/error.h"
#include "platform/platform.h"
#include "test_support.h"

namespace velkor {
namespace {

namespace fs = std::filesystem;

fs::perms Mode(const fs::path& p) { return fs::symlink_status(p).permissions() & fs::perms::all; }

std::string Refusal(const fs::path& dir) {
  try {
    platform::EnsurePrivateFolder(dir);
  } catch (const Error& e) {
    return e.message();
  }
  return "accepted";
}

TEST(WorkFolder, CreatedOwnerOnly) {
  test::ScratchDir scratch;
  const fs::path dir = scratch / "work";
  platform::EnsurePrivateFolder(dir);
  EXPECT_TRUE(fs::is_directory(dir));
  EXPECT_EQ(Mode(dir), fs::perms::owner_all);
  platform::EnsurePrivateFolder(dir);  // an existing private folder is fine
}

// A folder the user names (--work-dir) is used only if it is private already; it is never changed.
TEST(WorkFolder, NamedFolderOthersCanReadIsRefusedAsItIs) {
  test::ScratchDir scratch;
  const fs::path dir = scratch / "work";
  fs::create_directory(dir);
  for (fs::perms open : {fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                             fs::perms::others_exec,  // 0755, what mkdir usually makes
                         fs::perms::others_exec}) {
    fs::permissions(dir, fs::perms::owner_all | open);
    EXPECT_EQ(Refusal(dir), "Cannot use work folder " + dir.string() + ": other users have access to it");
    EXPECT_EQ(Mode(dir), fs::perms::owner_all | open);
  }
}

TEST(WorkFolder, RefusesUnsafePlaces) {
  test::ScratchDir scratch;
  fs::create_directory(scratch / "elsewhere");
  fs::create_directory_symlink(scratch / "elsewhere", scratch / "link");
  fs::create_directory(scratch / "open");
  fs::permissions(scratch / "open", fs::perms::all);
  test::WriteBytes(scratch / "file", "x");

  EXPECT_EQ(Refusal(scratch / "link"),
            "Cannot use work folder " + (scratch / "link").string() + ": it is a symbolic link");
  EXPECT_EQ(Mode(scratch / "elsewhere"), Mode(scratch.path())) << "the link's target was changed";
  EXPECT_EQ(Refusal(scratch / "open"),
            "Cannot use work folder " + (scratch / "open").string() + ": other users can write to it");
  EXPECT_EQ(Refusal(scratch / "file"),
            "Cannot use work folder " + (scratch / "file").string() + ": it is not a folder");
}

TEST(WorkFolder, RefusesAnotherUsersFolder) {
  if (::geteuid() != 0) GTEST_SKIP() << "handing a folder to another user needs root";
  test::ScratchDir scratch;
  const fs::path dir = scratch / "theirs";
  fs::create_directory(dir);
  fs::permissions(dir, fs::perms::owner_all);
  ASSERT_EQ(::chown(dir.c_str(), 65534, 65534), 0);
  EXPECT_EQ(Refusal(dir), "Cannot use work folder " + dir.string() + ": it belongs to another user");
}

class TmpDirOverride {
 public:
  explicit TmpDirOverride(const fs::path& dir) {
    if (const char* old = std::getenv("TMPDIR")) saved_ = old;
    ::setenv("TMPDIR", dir.c_str(), 1);
  }
  ~TmpDirOverride() {
    if (saved_.empty()) {
      ::unsetenv("TMPDIR");
    } else {
      ::setenv("TMPDIR", saved_.c_str(), 1);
    }
  }

 private:
  std::string saved_;
};

TEST(WorkFolder, PerUserFolderUnderTheTemporaryFolder) {
  test::ScratchDir scratch;
  TmpDirOverride tmp(scratch.path());
  const std::string expected = (scratch / ("velkor-" + std::to_string(::geteuid()))).string() + "/";
  EXPECT_EQ(platform::PrivateWorkFolder(), expected);
  EXPECT_EQ(Mode(expected), fs::perms::owner_all);
}

// The per-user folder is the program's own: if it has been opened to others, it is closed again.
TEST(WorkFolder, OwnPerUserFolderReadableByOthersIsClosed) {
  test::ScratchDir scratch;
  TmpDirOverride tmp(scratch.path());
  const fs::path dir = scratch / ("velkor-" + std::to_string(::geteuid()));
  fs::create_directory(dir);
  fs::permissions(dir, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_exec);
  platform::PrivateWorkFolder();
  EXPECT_EQ(Mode(dir), fs::perms::owner_all);
}

TEST(WorkFolder, PlantedLinkAtTheFolderNameIsRefused) {
  test::ScratchDir scratch;
  fs::create_directory(scratch / "victim");
  const fs::path planted = scratch / ("velkor-" + std::to_string(::geteuid()));
  fs::create_directory_symlink(scratch / "victim", planted);
  TmpDirOverride tmp(scratch.path());
  try {
    platform::PrivateWorkFolder();
    FAIL() << "a planted link was followed";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "Cannot use work folder " + planted.string() + ": it is a symbolic link");
  }
}

}  // namespace
}  // namespace velkor

#endif  // _WIN32
