// velkor-gen-sections: writes a cross-section file (.kse) for a generated route.
#include <cstdio>
#include <stdexcept>
#include <string>

#include "base/error.h"
#include "base/line_list.h"
#include "base/number_text.h"
#include "lib/cross_section_samples.h"
#include "lib/route_model.h"

namespace {

int Usage() {
  std::fputs(
      "usage: velkor-gen-sections [--curves N] [--length METRES] [--seed N] OUTPUT.kse\n"
      "  Stations every 20-25 m, nine named vertices each (code page 1254 names).\n"
      "  --curves N       cover the route velkor-gen-route writes with the same --curves, --length and --seed\n"
      "  --length METRES  stations from 0 to METRES (default 1000)\n"
      "  --seed N         the same seed gives the same file (default 1)\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string output;
  int curves = -1;
  double length = -1;
  unsigned seed = 1;
  try {
    for (int i = 1; i < argc; ++i) {
      std::string arg = argv[i];
      if ((arg == "--length" || arg == "--seed" || arg == "--curves") && i + 1 < argc) {
        std::string value = argv[++i];
        if (arg == "--length") {
          length = velkor::ParseFloat(value);
        } else if (arg == "--seed") {
          seed = static_cast<unsigned>(velkor::ParseInt(value));
        } else {
          curves = velkor::ParseInt(value);
        }
      } else if (!arg.empty() && arg[0] != '-' && output.empty()) {
        output = arg;
      } else {
        return Usage();
      }
    }
    if (output.empty()) return Usage();
    velkor::samples::CrossSectionSampleOptions options;
    if (curves >= 0) {
      options = velkor::samples::ForRoute(velkor::samples::GenerateRoute(curves, length < 0 ? 0 : length, seed), seed);
    } else {
      if (length >= 0) options.length = length;
      options.seed = seed;
    }
    if (!(options.length >= 0) || options.length > 1e8) return Usage();
    velkor::WriteFileBytes(output, velkor::samples::GenerateCrossSectionFile(options));
  } catch (const velkor::Error& e) {
    std::fprintf(stderr, "velkor-gen-sections: %s\n", e.what());
    return 1;
  } catch (const std::invalid_argument& e) {
    std::fprintf(stderr, "velkor-gen-sections: %s\n", e.what());
    return 1;
  }
  return 0;
}
