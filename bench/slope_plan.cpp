// Reading a slope plan of 100,000 axis points (and crest and toe lines as long) and writing its
// alignments, against a floor of copying the drawing's bytes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "export/slope_plan_alignments.h"
#include "lib/slope_drawing.h"
#include "ncz/slope_plan_reader.h"

namespace {

// Written once, removed when the program ends.
struct TempDrawing {
  std::filesystem::path path = std::filesystem::temp_directory_path() / "velkor-bench-slope.ncz";
  TempDrawing() {
    velkor::samples::SlopeLayout layout;
    layout.axisPoints = 100'000;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    velkor::samples::WriteSlopeDrawing(out, layout);
  }
  ~TempDrawing() {
    std::error_code ec;
    std::filesystem::remove(path, ec);
  }
};

const std::filesystem::path& Drawing() {
  static const TempDrawing drawing;
  return drawing.path;
}

const velkor::SlopePlan& Plan() {
  static const velkor::SlopePlan plan = [] {
    velkor::SlopePlan p;
    velkor::ReadSlopePlan(Drawing(), p);
    return p;
  }();
  return plan;
}

void BM_CopyDrawingFloor(benchmark::State& state) {
  for (auto _ : state) {
    std::ifstream in(Drawing(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    benchmark::DoNotOptimize(bytes.str().size());
  }
}
BENCHMARK(BM_CopyDrawingFloor)->Unit(benchmark::kMillisecond);

void BM_ReadSlopePlan(benchmark::State& state) {
  velkor::SlopePlan plan;
  for (auto _ : state) {
    velkor::ReadSlopePlan(Drawing(), plan);
    benchmark::DoNotOptimize(plan.polylines.data());
  }
}
BENCHMARK(BM_ReadSlopePlan)->Unit(benchmark::kMillisecond);

void BM_WriteSlopeAlignments(benchmark::State& state) {
  const auto& plan = Plan();
  for (auto _ : state) {
    std::ostringstream out;
    velkor::WriteSlopePlanAlignments(plan, out);
    benchmark::DoNotOptimize(out.str().size());
  }
}
BENCHMARK(BM_WriteSlopeAlignments)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
