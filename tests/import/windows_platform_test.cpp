// The Windows side of the platform layer: the work folder under the system's temporary folder and the
// named mapping that marks a running copy. Compiled on Windows only.
#ifdef _WIN32

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/error.h"
#include "base/input_clash.h"
#include "base/line_list.h"
#include "platform/platform.h"
#include "test_support.h"

namespace velkor {
namespace {

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
  EXPECT_EQ(platform::ReadFileBytes(PathFromUtf8(work + "tmp.gec")), "x\r\n");
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

TEST(WindowsPlatform, SecondClaimSeesTheMarkWithoutKeepingItAlive) {
  // A name of this test's own, so a running desktop program is neither disturbed nor seen.
  const std::string name = "VelkorCMapTest" + std::to_string(GetCurrentProcessId());
  auto first = platform::ClaimSingleInstance(name, "");
  EXPECT_FALSE(first->AlreadyRunning());
  auto second = platform::ClaimSingleInstance(name, "");
  EXPECT_TRUE(second->AlreadyRunning());
  first.reset();
  EXPECT_FALSE(platform::ClaimSingleInstance(name, "")->AlreadyRunning());
}

// Run as a second process by the test below: its exit code says what it found.
TEST(WindowsPlatform, ClaimFromAnotherProcess) {
  const char* name = std::getenv("VELKOR_TEST_MARK");
  if (name == nullptr)
    GTEST_SKIP() << "only run as the second process of MarkIsSeenByAnotherProcessUntilItsHolderLetsGo";
  std::exit(platform::ClaimSingleInstance(name, "")->AlreadyRunning() ? 3 : 4);
}

DWORD RunSecondProcess(const std::string& name) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_filter=WindowsPlatform.ClaimFromAnotherProcess";
  SetEnvironmentVariableA("VELKOR_TEST_MARK", name.c_str());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  DWORD code = 0;
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                     &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  SetEnvironmentVariableA("VELKOR_TEST_MARK", nullptr);
  return code;
}

TEST(WindowsPlatform, MarkIsSeenByAnotherProcessUntilItsHolderLetsGo) {
  const std::string name = "VelkorCMapProcess" + std::to_string(GetCurrentProcessId());
  auto mark = platform::ClaimSingleInstance(name, "");
  ASSERT_FALSE(mark->AlreadyRunning());
  EXPECT_EQ(RunSecondProcess(name), 3u);
  mark.reset();
  EXPECT_EQ(RunSecondProcess(name), 4u);
}

TEST(WindowsPlatform, MarkIsTheNamedMappingOfThirtyTwoReadOnlyBytes) {
  const std::string name = "VelkorCMapShape" + std::to_string(GetCurrentProcessId());
  auto mark = platform::ClaimSingleInstance(name, "");
  ASSERT_FALSE(mark->AlreadyRunning());
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str());
  ASSERT_NE(mapping, nullptr);
  const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
  ASSERT_NE(view, nullptr);
  MEMORY_BASIC_INFORMATION info{};
  ASSERT_NE(VirtualQuery(view, &info, sizeof info), 0u);
  EXPECT_EQ(info.Protect, static_cast<DWORD>(PAGE_READONLY));
  EXPECT_GE(info.RegionSize, 32u);
  // Nobody may write through it: the mark carries no data.
  EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0), nullptr);
  UnmapViewOfFile(view);
  CloseHandle(mapping);
}

// A device or a folder opens like a file on Windows; neither is read as a report.
TEST(WindowsPlatform, OnlyFilesOnADiskAreRead) {
  test::ScratchDir scratch;
  const struct {
    std::filesystem::path file;
    const char* why;
  } cases[] = {{"NUL", "it is a device, not a regular file"}, {scratch.path(), "it is a folder, not a regular file"}};
  for (const auto& c : cases) {
    try {
      platform::ReadFileBytes(c.file);
      ADD_FAILURE() << PathToUtf8(c.file) << " was read";
    } catch (const Error& e) {
      EXPECT_EQ(e.message(), "Cannot open file " + PathToUtf8(c.file));
      EXPECT_EQ(e.reason(), c.why);
    }
  }
  // Two spellings of one file are one file, however the names differ.
  WriteFileBytes(scratch.path() / "a.cks", "x");
  std::filesystem::create_directory(scratch.path() / "sub");
  EXPECT_TRUE(SameFile(scratch.path() / "sub" / ".." / "A.CKS", scratch.path() / "a.cks"));
  EXPECT_FALSE(SameFile(scratch.path() / "sub", scratch.path() / "a.cks"));
}

TEST(WindowsPlatform, SearchThatFindsNothingHasTheSystemsInformationBeep) { EXPECT_TRUE(platform::InformationBeep()); }

}  // namespace
}  // namespace velkor

#endif  // _WIN32
