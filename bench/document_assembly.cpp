// Assembling and saving a document that carries a TIN of 1,000,000 points and 2,000,000 faces:
// G2X joins the surface part file, hands the document over as UTF-8 and Save writes it, against
// a floor measured in the same run (reading the part file and writing its bytes twice).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "base/line_list.h"
#include "export/conversion_driver.h"
#include "export/saving.h"
#include "platform/platform.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

const char* const kRoute =
    "// Horizontal  //\r\n{\r\n"
    "  TF      0+000.000        100.000        200.000          0.000\r\n"
    "  PE      1+000.000       1100.000        200.000          0.000\r\n}\r\n";

class ModelOnly : public velkor::ConversionQuestions {
 public:
  std::optional<fs::path> ChooseCrossSectionFile() override { return std::nullopt; }
  const velkor::TerrainModel* ReadTerrainModel() override { return nullptr; }  // the part file is planted
  const velkor::SlopePlan* ReadSlopePlan() override { return nullptr; }
};

std::string SurfaceBlock(long points, long faces) {
  std::string text =
      "\t\t\t<Surfaces>\r\n\t\t\t\t<Surface name=\"TIN\">\r\n\t\t\t\t\t<Definition surfType=\"TIN\">\r\n";
  text.reserve(static_cast<size_t>(points) * 60 + static_cast<size_t>(faces) * 36);
  text += "\t\t\t\t\t\t<Pnts>\r\n";
  for (long i = 1; i <= points; ++i) {
    text += "\t\t\t\t\t\t\t<P id=\"" + std::to_string(i) + "\">" + std::to_string(4500000 + i % 1000) + ".125 " +
            std::to_string(500000 + i / 1000) + ".250 812.375</P>\r\n";
  }
  text += "\t\t\t\t\t\t</Pnts>\r\n\t\t\t\t\t\t<Faces>\r\n";
  for (long i = 1; i <= faces; ++i) {
    long a = 1 + (i / 2) % points;
    text += "\t\t\t\t\t\t\t<F>" + std::to_string(a) + " " + std::to_string(a + 1) + " " + std::to_string(a + 1000) +
            "</F>\r\n";
  }
  text += "\t\t\t\t\t\t</Faces>\r\n\t\t\t\t\t</Definition>\r\n\t\t\t\t</Surface>\r\n\t\t\t</Surfaces>\r\n";
  return text;
}

void BM_AssembleAndSave(benchmark::State& state) {
  const fs::path dir = fs::temp_directory_path() / ("velkor-bench-assembly-" + std::to_string(std::random_device{}()));
  fs::create_directories(dir / "work");
  fs::create_directories(dir / "out");
  const std::string surface = SurfaceBlock(state.range(0), 2 * state.range(0));
  velkor::WriteFileBytes(dir / "work" / "tmp.gec", kRoute);
  const velkor::Route route = velkor::ParseRouteFile(velkor::platform::ReadLines(dir / "work" / "tmp.gec"), "tmp.gec");
  double floor = 0, assembly = 0;
  for (auto _ : state) {
    velkor::WriteFileBytes(dir / "work" / "tmpc.xml", surface);
    auto start = Clock::now();
    std::string copy = velkor::platform::ReadFileBytes(dir / "work" / "tmpc.xml");
    velkor::WriteFileBytes(dir / "out" / "floor1.xml", copy);
    velkor::WriteFileBytes(dir / "out" / "floor2.xml", copy);
    floor += Seconds(start);

    start = Clock::now();
    velkor::ConversionOptions options;
    options.model = true;
    ModelOnly questions;
    velkor::ConversionResult result = velkor::G2X(dir / "work", route, options, questions);
    velkor::SaveOutputs(result.document, dir / "out" / "YOL.xml", dir / "work", {});
    assembly += Seconds(start);
    benchmark::DoNotOptimize(result.document.data());
  }
  state.counters["MB"] = static_cast<double>(surface.size()) / 1e6;
  state.counters["floor_s"] = floor / static_cast<double>(state.iterations());
  state.counters["assembly_s"] = assembly / static_cast<double>(state.iterations());
  state.counters["ratio"] = assembly / floor;
  std::error_code ec;
  fs::remove_all(dir, ec);
}

BENCHMARK(BM_AssembleAndSave)->Arg(1000000)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
