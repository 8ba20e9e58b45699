// The terrain model path at full size: a drawing of 1,000,000 points and 2,000,000 triangles is
// read, matched and written as tmpc.xml, against a floor measured in the same run: copying the
// drawing and writing as many bytes as tmpc.xml holds.
//
//   bench_ncz_model [benchmark flags]       the benchmarks (the drawing is generated first)
//   bench_ncz_model --once DRAWING WORKDIR  one read+match+write, for /usr/bin/time -v
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>

#include "export/tin_surface.h"
#include "lib/ncz_writer.h"
#include "ncz/model_reader.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A private folder for this run's files, removed at the end.
const fs::path& RunDir() {
  static const fs::path dir = [] {
    fs::path d = fs::temp_directory_path() /
                 ("velkor-bench-" + std::to_string(Clock::now().time_since_epoch().count() ^ std::random_device{}()));
    fs::create_directories(d);
    return d;
  }();
  return dir;
}

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

struct Fixture {
  fs::path dir;
  fs::path drawing;
  std::uintmax_t drawingBytes = 0;
  long points = 0;
  long triangles = 0;
};

const Fixture& Drawing(long points, long triangles) {
  static Fixture fixture;
  if (fixture.points == points && fixture.triangles == triangles) return fixture;
  fixture.dir = RunDir();
  fixture.drawing = fixture.dir / "model.ncz";
  velkor::samples::TerrainGrid grid;
  grid.cols = 1000;
  grid.rows = static_cast<int>(points / 1000);
  grid.triangles = triangles;
  grid.spacing = 2.5;
  std::ofstream out(fixture.drawing, std::ios::binary | std::ios::trunc);
  velkor::samples::TerrainCounts counts = velkor::samples::WriteTerrain(out, grid);
  out.close();
  fixture.points = points;
  fixture.triangles = triangles;
  fixture.drawingBytes = static_cast<std::uintmax_t>(counts.bytes);
  return fixture;
}

// The floor: a plain copy of the drawing through a large buffer, then `outputBytes` written.
double Floor(const Fixture& f, std::uintmax_t outputBytes) {
  auto start = Clock::now();
  {
    std::ifstream in(f.drawing, std::ios::binary);
    std::ofstream copy(f.dir / "copy.ncz", std::ios::binary | std::ios::trunc);
    std::string buffer(1 << 20, '\0');
    while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0)
      copy.write(buffer.data(), in.gcount());
    std::ofstream out(f.dir / "floor.xml", std::ios::binary | std::ios::trunc);
    std::string line(1 << 20, '7');
    for (std::uintmax_t left = outputBytes; left > 0;) {
      auto n = static_cast<std::streamsize>(std::min<std::uintmax_t>(left, line.size()));
      out.write(line.data(), n);
      left -= static_cast<std::uintmax_t>(n);
    }
  }
  return Seconds(start);
}

// The surface block as a file of its own, so that its writing is measured apart from the document.
void WriteSurfaceFile(const velkor::TerrainModel& model, const fs::path& dir) {
  std::ofstream out(dir / "tmpc.xml", std::ios::binary);
  velkor::WriteTinSurface(model, out);
}

void BM_TinPath(benchmark::State& state) {
  const Fixture& f = Drawing(state.range(0), state.range(1));
  double read = 0, match = 0, write = 0, floor = 0, path = 0;
  std::uintmax_t written = 0;
  for (auto _ : state) {
    velkor::TerrainModel model;
    auto start = Clock::now();
    velkor::ReadModelDrawing(f.drawing, model);
    read = Seconds(start);
    auto matchStart = Clock::now();
    velkor::MatchTriangles(model);
    match = Seconds(matchStart);
    auto writeStart = Clock::now();
    WriteSurfaceFile(model, f.dir);
    write = Seconds(writeStart);
    path = Seconds(start);
    state.SetIterationTime(path);
    written = fs::file_size(f.dir / "tmpc.xml");
    // Freeing the lists is part of the path the program pays once it is done.
    state.PauseTiming();
    { velkor::TerrainModel gone = std::move(model); }
    floor = Floor(f, written);
    state.ResumeTiming();
  }
  state.counters["read_s"] = read;
  state.counters["match_s"] = match;
  state.counters["write_s"] = write;
  state.counters["floor_s"] = floor;
  state.counters["ratio"] = path / floor;
  state.counters["drawing_MB"] = static_cast<double>(f.drawingBytes) / 1e6;
  state.counters["tmpc_MB"] = static_cast<double>(written) / 1e6;
}
BENCHMARK(BM_TinPath)->Args({1'000'000, 2'000'000})->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_VertexText(benchmark::State& state) {
  velkor::TGeometryPoint p{500123.4567, 4500321.0655, 850.25};
  std::string out;
  for (auto _ : state) {
    out.clear();
    velkor::AppendVertexText(out, p);
    benchmark::DoNotOptimize(out.data());
    p.x += 0.001;
  }
}
BENCHMARK(BM_VertexText);

int RunOnce(const char* drawing, const char* workDir) {
  velkor::TerrainModel model;
  auto start = Clock::now();
  std::clock_t cpu = std::clock();
  auto phase = [&](const char* name) {
    std::clock_t now = std::clock();
    std::cout << name << " cpu " << static_cast<double>(now - cpu) / CLOCKS_PER_SEC << " s\n";
    cpu = now;
  };
  velkor::ReadModelDrawing(drawing, model);
  phase("read");
  velkor::MatchTriangles(model);
  phase("match");
  WriteSurfaceFile(model, workDir);
  phase("write");
  std::cout << model.coordinates.size() << " points, " << model.faces.size() << " faces, " << Seconds(start) << " s\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--once") == 0) return RunOnce(argv[2], argv[3]);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ec;
  fs::remove_all(RunDir(), ec);
  return 0;
}
