// The Windows side of the platform layer: the work folder under the system's temporary folder and the
// named mapping that marks a running copy. Compiled on Windows only.
#ifdef _WIN32

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "import/error.h"
#include "import/line_list.h"
#include "platform/platform.h"
#include "test_support.h"

namespace velkor {
namespace {

using platform::PathFromUtf8;
using platform::PathToUtf8;

std::string TempFolder() {
  wchar_t buffer[MAX_PATH + 1];
  DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
  return PathToUtf8(std::filesystem::path(std::wstring(buffer, length)));
}

TEST(WindowsPlatform, WorkFolderIsAPrivateFolderUnderTheTemporaryFolder) {
  const std::string work = platform::PrivateWorkFolder();
  ASSERT_FALSE(work.empty());
  EXPECT_EQ(work.back(), '\\');
  EXPECT_EQ(work.rfind(TempFolder(), 0), 0u) << work;
  EXPECT_TRUE(std::filesystem::is_directory(PathFromUtf8(work)));
  EXPECT_EQ(platform::PrivateWorkFolder(), work);
  // Every intermediate file is the folder's text followed by a bare name.
  WriteFileBytes(PathFromUtf8(work + "tmp.gec"), "x\r\n");
  EXPECT_EQ(ReadFileBytes(PathFromUtf8(work + "tmp.gec")), "x\r\n");
  std::filesystem::remove(PathFromUtf8(work + "tmp.gec"));
}

TEST(WindowsPlatform, PrivateFolderIsMadeOnceAndAFileInItsPlaceIsRefused) {
  test::ScratchDir scratch;
  std::filesystem::path dir = scratch.path() / PathFromUtf8("G\xC3\xBCzerg\xC3\xA2h");
  platform::EnsurePrivateFolder(dir);
  EXPECT_TRUE(std::filesystem::is_directory(dir));
  platform::EnsurePrivateFolder(dir);

  std::filesystem::path file = scratch.path() / "plain";
  WriteFileBytes(file, "x");
  try {
    platform::EnsurePrivateFolder(file);
    FAIL() << "a file was taken for a folder";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "Cannot use work folder " + PathToUtf8(file) + ": it is not a folder");
  }
}

TEST(WindowsPlatform, SecondClaimSeesTheMarkUntilEveryHolderHasLetGo) {
  // A name of this test's own, so a running desktop program is neither disturbed nor seen.
  const std::string name = "VelkorCMapTest" + std::to_string(GetCurrentProcessId());
  auto first = platform::ClaimSingleInstance(name, "");
  EXPECT_FALSE(first->AlreadyRunning());
  auto second = platform::ClaimSingleInstance(name, "");
  EXPECT_TRUE(second->AlreadyRunning());
  first.reset();
  second.reset();
  EXPECT_FALSE(platform::ClaimSingleInstance(name, "")->AlreadyRunning());
}

}  // namespace
}  // namespace velkor

#endif  // _WIN32
