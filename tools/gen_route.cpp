// velkor-gen-route: writes the horizontal element table of a generated route (any length, any
// number of curves) for tests, benchmarks and demonstrations.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "base/number_text.h"
#include "lib/element_table.h"
#include "lib/route_model.h"

namespace {

constexpr const char* kUsage =
    "usage: velkor-gen-route [--curves N] [--length METRES] [--seed N] [--name NAME] OUTPUT.cks\n"
    "       velkor-gen-route --mixed [--start KIND] [--end KIND] [--curves N] [--seed N] [--name NAME] OUTPUT.cks\n"
    "  --curves N       number of curves, turning right and left in turn (default 3)\n"
    "  --length METRES  total length of the route (default: straights of random length)\n"
    "  --seed N         the same seed gives the same route (default 1)\n"
    "  --name NAME      route name in the report's title (default GUZERGAH)\n"
    "  --mixed          every sequence of elements: bare arcs and spiral-arc-spiral curves turning\n"
    "                   either way, radii 40 m to 3 km, transitions up to 0.8 x the radius, curves\n"
    "                   meeting with no straight between (back-to-back transitions, a transition\n"
    "                   straight into an arc, arc into arc)\n"
    "  --start KIND     mixed route beginning with a line, an arc or an entry spiral (default: any)\n"
    "  --end KIND       mixed route ending with a line, inside an arc or where an exit spiral ends\n"
    "                   (default: any); KIND is line, arc or spiral\n";

// "line", "arc" or "spiral".
bool ReadRouteEnd(const std::string& text, velkor::samples::RouteEnd& value) {
  using velkor::samples::RouteEnd;
  if (text != "line" && text != "arc" && text != "spiral") return false;
  value = text == "line" ? RouteEnd::Line : text == "arc" ? RouteEnd::Arc : RouteEnd::Spiral;
  return true;
}

// The program's own number reading: "." whatever the user's locale.
bool ReadNumber(const std::string& text, double& value) { return velkor::TryParseFloat(text, value); }

}  // namespace

int main(int argc, char** argv) {
  double curves = 3, length = 0, seed = 1;
  bool mixed = false;
  velkor::samples::RouteEnd start = velkor::samples::RouteEnd::Any, end = velkor::samples::RouteEnd::Any;
  std::string name = "GUZERGAH", output;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&](double& target) {
      if (i + 1 >= argc || !ReadNumber(argv[++i], target)) {
        std::cerr << "velkor-gen-route: " << arg << " needs a number\n" << kUsage;
        std::exit(2);
      }
    };
    auto kind = [&](velkor::samples::RouteEnd& target) {
      if (i + 1 >= argc || !ReadRouteEnd(argv[++i], target)) {
        std::cerr << "velkor-gen-route: " << arg << " needs line, arc or spiral\n" << kUsage;
        std::exit(2);
      }
      mixed = true;
    };
    if (arg == "--curves") {
      value(curves);
    } else if (arg == "--mixed") {
      mixed = true;
    } else if (arg == "--start") {
      kind(start);
    } else if (arg == "--end") {
      kind(end);
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
  if (mixed && (curves < 1 || length > 0)) {
    std::cerr << "velkor-gen-route: a mixed route takes at least one curve and straights of random length\n";
    return 2;
  }
  try {
    velkor::samples::RouteModel route =
        mixed ? velkor::samples::GenerateMixedRoute(static_cast<int>(curves), static_cast<unsigned>(seed), start, end)
              : velkor::samples::GenerateRoute(static_cast<int>(curves), length, static_cast<unsigned>(seed));
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
