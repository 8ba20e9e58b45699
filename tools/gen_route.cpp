// velkor-gen-route: writes the horizontal element table of a generated route (any length, any
// number of curves) for tests, benchmarks and demonstrations.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "import/number_text.h"
#include "lib/element_table.h"
#include "lib/route_model.h"

namespace {

constexpr const char* kUsage =
    "usage: velkor-gen-route [--curves N] [--length METRES] [--seed N] [--name NAME] OUTPUT.cks\n"
    "  --curves N       number of curves, turning right and left in turn (default 3)\n"
    "  --length METRES  total length of the route (default: straights of random length)\n"
    "  --seed N         the same seed gives the same route (default 1)\n"
    "  --name NAME      route name in the report's title (default GUZERGAH)\n";

// The program's own number reading: "." whatever the user's locale.
bool ReadNumber(const std::string& text, double& value) { return velkor::TryParseFloat(text, value); }

}  // namespace

int main(int argc, char** argv) {
  double curves = 3, length = 0, seed = 1;
  std::string name = "GUZERGAH", output;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&](double& target) {
      if (i + 1 >= argc || !ReadNumber(argv[++i], target)) {
        std::cerr << "velkor-gen-route: " << arg << " needs a number\n" << kUsage;
        std::exit(2);
      }
    };
    if (arg == "--curves") {
      value(curves);
    } else if (arg == "--length") {
      value(length);
    } else if (arg == "--seed") {
      value(seed);
    } else if (arg == "--name" && i + 1 < argc) {
      name = argv[++i];
    } else if (arg == "-h" || arg == "--help") {
      std::cout << kUsage;
      return 0;
    } else if (!arg.empty() && arg[0] != '-' && output.empty()) {
      output = arg;
    } else {
      std::cerr << "velkor-gen-route: unexpected argument " << arg << "\n" << kUsage;
      return 2;
    }
  }
  if (output.empty() || curves < 0 || length < 0 || seed < 0) {
    std::cerr << kUsage;
    return 2;
  }
  try {
    velkor::samples::RouteModel route =
        velkor::samples::GenerateRoute(static_cast<int>(curves), length, static_cast<unsigned>(seed));
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot create " + output);
    velkor::samples::WriteElementTable(route, name, out);
    out.flush();
    if (!out) throw std::runtime_error("cannot write " + output);
    std::cout << output << "\n";
  } catch (const std::exception& e) {
    std::cerr << "velkor-gen-route: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
