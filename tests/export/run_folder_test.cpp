// Each conversion's own folder inside the work folder: fresh, private, gone with the run; the
// start-up clean-up removes only folders that no running conversion holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "platform/platform.h"
#include "test_support.h"

namespace velkor {
namespace {

namespace fs = std::filesystem;
using test::ScratchDir;
using test::WriteBytes;

std::set<std::string> Names(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename().string());
  return names;
}

TEST(RunFolder, FreshForEachRunAndGoneWithIt) {
  ScratchDir work;
  {
    auto first = platform::CreateRunFolder(work.path());
    auto second = platform::CreateRunFolder(work.path());
    EXPECT_NE(first->path(), second->path());
    for (const auto* run : {first.get(), second.get()}) {
      const fs::path dir = PathFromUtf8(run->path());
      EXPECT_TRUE(fs::is_directory(dir));
      EXPECT_EQ(dir.parent_path().parent_path(), work.path()) << run->path() << " ends in a separator";
#ifndef _WIN32
      EXPECT_EQ(fs::status(dir).permissions() & fs::perms::all, fs::perms::owner_all);
#endif
    }
    // What a conversion leaves in it goes with it, subfolders included.
    const fs::path dir = PathFromUtf8(first->path());
    for (const char* name : {"tmp.gec", "aln.gsi", "tmp.xml"}) WriteBytes(dir / name, "x\r\n");
    fs::create_directory(dir / "sub");
    WriteBytes(dir / "sub" / "f", "x");
  }
  EXPECT_TRUE(fs::is_empty(work.path()));
}

TEST(RunFolder, CleanUpRemovesOnlyAbandonedFolders) {
  ScratchDir work;
  auto running = platform::CreateRunFolder(work.path());
  const fs::path runningDir = PathFromUtf8(running->path()).parent_path();
  WriteBytes(runningDir / "tmp.gec", "a running conversion's\r\n");
  // As a killed run leaves its folder: the lock file is there, nobody holds it.
  fs::create_directory(work / "run-killed");
  WriteBytes(work / "run-killed" / "run.lock", "");
  WriteBytes(work / "run-killed" / "tmp.gec", "x\r\n");
  fs::create_directory(work / "run-killed" / "sub");
  // As a run that died right after making its folder leaves it.
  fs::create_directory(work / "run-empty");
  // Nothing of a conversion's: stays.
  fs::create_directory(work / "run-unlocked");
  WriteBytes(work / "run-unlocked" / "notes.txt", "x");
  fs::create_directory(work / "projects");
  WriteBytes(work / "VelkorCMap", "");
  WriteBytes(work / "aln.gsi", "x\r\n");

  platform::RemoveAbandonedRunFolders(work.path());
  EXPECT_EQ(Names(work.path()), (std::set<std::string>{runningDir.filename().string(), "run-unlocked", "projects",
                                                       "VelkorCMap", "aln.gsi"}));
  EXPECT_EQ(test::ReadBytes(runningDir / "tmp.gec"), "a running conversion's\r\n");
  running.reset();
  platform::RemoveAbandonedRunFolders(work.path());
  EXPECT_EQ(Names(work.path()), (std::set<std::string>{"run-unlocked", "projects", "VelkorCMap", "aln.gsi"}));
}

TEST(RunFolder, RefusedWhereNoFolderCanBeMade) {
  ScratchDir work;
  EXPECT_THROW(platform::CreateRunFolder(work / "missing"), std::exception);
}

}  // namespace
}  // namespace velkor
