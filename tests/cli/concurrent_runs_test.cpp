// velkor-convert runs side by side, as `xargs -P` or `make -j` over a folder of routes starts them:
// each must give exactly the files it gives when it runs alone, in the per-user work folder as in
// one shared --work-dir.
#ifndef _WIN32

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>

#include "convert_runner.h"
#include "test_paths.h"
#include "test_support.h"

namespace velkor {
namespace {

namespace fs = std::filesystem;
using test::Quote;
using test::ScratchDir;

constexpr int kRoutes = 8;
// Sharing one work folder used to mix routes up in about one run in ten; eight at a time, this
// many times over, gives that fault well over a hundred chances.
constexpr int kRounds = 5;

std::string Tool(const std::string& name) { return Quote(fs::path(test::kBinaryDir) / name); }

// The files of one conversion: name -> bytes.
std::map<std::string, std::string> Outputs(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(dir))
    files[entry.path().filename().string()] = test::ReadBytes(entry.path());
  return files;
}

class ConcurrentRuns : public ::testing::Test {
 protected:
  void SetUp() override {
    // Eight different routes, each with a profile of its own, long enough for the runs to overlap.
    std::string script;
    for (int k = 0; k < kRoutes; ++k) {
      const std::string length = std::to_string(12000 + 2000 * k), seed = std::to_string(k + 1);
      const fs::path folder = scratch_ / ("route" + std::to_string(k));
      fs::create_directories(folder);
      script += Tool("velkor-gen-route") + " --curves " + std::to_string(6 + k) + " --length " + length + " --seed " +
                seed + " --name R" + seed + " " + Quote(folder / "R.cks") + " >/dev/null && " +
                Tool("velkor-gen-profile") + " --length " + length + " --curves " + std::to_string(6 + k) + " --seed " +
                seed + " -o " + Quote(folder / "D.cks") + " >/dev/null && ";
    }
    ASSERT_EQ(std::system((script + "true").c_str()), 0) << "the sample generators failed";
    // The per-user work folder under a temporary folder of the test's own.
    fs::create_directories(scratch_ / "tmp");
    for (int k = 0; k < kRoutes; ++k) {
      const auto o = Convert(k, Expected(k), "--work-dir " + Quote(scratch_ / "alone"));
      ASSERT_EQ(o, "0") << "route " << k << " alone: " << test::ReadBytes(Expected(k) / "stderr");
      expected_[k] = Outputs(Expected(k) / "out");
    }
  }

  fs::path Expected(int k) const { return scratch_ / "expected" / std::to_string(k); }

  // The shell command converting route k into `dir`/out, its messages and exit code beside.
  std::string Command(int k, const fs::path& dir, const std::string& options) const {
    const fs::path route = scratch_ / ("route" + std::to_string(k));
    return "mkdir -p " + Quote(dir / "out") + " && TMPDIR=" + Quote(scratch_ / "tmp") + " " + test::ConvertProgram() +
           " " + Quote(route / "R.cks") + " " + Quote(route / "D.cks") + " -o " + Quote(dir / "out" / "R.xml") + " " +
           options + " >" + Quote(dir / "stdout") + " 2>" + Quote(dir / "stderr") + "; echo $? >" + Quote(dir / "code");
  }

  std::string Convert(int k, const fs::path& dir, const std::string& options) const {
    std::system(Command(k, dir, options).c_str());
    std::string code = test::ReadBytes(dir / "code");
    return code.substr(0, code.find('\n'));
  }

  // Every route at once, `rounds` times; returns the number of runs, each compared with its run alone.
  int RunTogether(const std::string& name, const std::string& options) {
    int runs = 0;
    for (int round = 0; round < kRounds; ++round) {
      const fs::path base = scratch_ / name / std::to_string(round);
      std::string script;
      for (int k = 0; k < kRoutes; ++k) script += "( " + Command(k, base / std::to_string(k), options) + " ) & ";
      std::system((script + "wait").c_str());
      for (int k = 0; k < kRoutes; ++k, ++runs) {
        const fs::path dir = base / std::to_string(k);
        SCOPED_TRACE(name + ", round " + std::to_string(round) + ", route " + std::to_string(k));
        EXPECT_EQ(test::ReadBytes(dir / "code"), "0\n") << test::ReadBytes(dir / "stderr");
        EXPECT_EQ(test::ReadBytes(dir / "stderr"), "");
        const auto outputs = Outputs(dir / "out");
        EXPECT_EQ(outputs.size(), expected_[k].size());
        for (const auto& [file, bytes] : expected_[k]) {
          auto found = outputs.find(file);
          if (found == outputs.end()) {
            ADD_FAILURE() << file << " is missing";
          } else if (found->second != bytes) {
            ADD_FAILURE() << file << " differs from the run alone";
          }
        }
      }
    }
    return runs;
  }

  ScratchDir scratch_;
  std::map<std::string, std::string> expected_[kRoutes];
};

TEST_F(ConcurrentRuns, PerUserWorkFolder) {
  const int runs = RunTogether("default", "");
  std::cout << "[          ] " << runs << " runs, " << kRoutes << " at a time, in the per-user work folder\n";
  // Nothing of the runs is left behind.
  fs::path perUser = scratch_ / "tmp" / ("velkor-" + std::to_string(::geteuid()));
  EXPECT_TRUE(fs::is_empty(perUser));
}

TEST_F(ConcurrentRuns, OneSharedWorkDir) {
  const int runs = RunTogether("shared", "--work-dir " + Quote(scratch_ / "shared-work"));
  std::cout << "[          ] " << runs << " runs, " << kRoutes << " at a time, in one --work-dir\n";
  EXPECT_TRUE(fs::is_empty(scratch_ / "shared-work"));
}

}  // namespace
}  // namespace velkor

#endif  // _WIN32
