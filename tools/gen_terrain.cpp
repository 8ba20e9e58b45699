// velkor-gen-terrain: writes a terrain drawing (.ncz) of any size for the demo, tests and benchmarks.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "base/error.h"
#include "base/number_text.h"
#include "lib/ncz_writer.h"

namespace {

int Usage() {
  std::cerr << "usage: velkor-gen-terrain OUT.ncz [--cols N] [--rows N] [--triangles N] [--spacing M]\n"
               "                          [--origin X Y] [--plain]\n"
               "  a grid of cols x rows points (default 20 x 20) and two triangles per cell;\n"
               "  --triangles repeats or cuts the cells' triangles to that many; --plain leaves out\n"
               "  the code 22 records, the skip block and the records of other kinds.\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace velkor;
  samples::TerrainGrid grid;
  std::string out;
  try {
    for (int i = 1; i < argc; ++i) {
      std::string arg = argv[i];
      auto next = [&]() -> std::string {
        if (i + 1 >= argc) throw Error("missing value after " + arg);
        return argv[++i];
      };
      if (arg == "--cols")
        grid.cols = ParseInt(next());
      else if (arg == "--rows")
        grid.rows = ParseInt(next());
      else if (arg == "--triangles")
        grid.triangles = ParseInt(next());
      else if (arg == "--spacing")
        grid.spacing = ParseFloat(next());
      else if (arg == "--origin") {
        grid.originX = ParseFloat(next());
        grid.originY = ParseFloat(next());
      } else if (arg == "--plain")
        grid.extras = false;
      else if (!arg.empty() && arg[0] != '-' && out.empty())
        out = arg;
      else
        return Usage();
    }
    if (out.empty() || grid.cols < 0 || grid.rows < 0) return Usage();
    std::ofstream file(out, std::ios::binary | std::ios::trunc);
    if (!file) throw Error(CannotCreate(out));
    samples::TerrainCounts counts = samples::WriteTerrain(file, grid);
    file.close();
    if (!file) throw Error(CannotCreate(out));
    std::cout << out << ": " << counts.points << " points, " << counts.triangles << " triangles, " << counts.bytes
              << " bytes\n";
  } catch (const Error& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
