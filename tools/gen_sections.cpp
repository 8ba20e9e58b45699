// velkor-gen-sections: writes a cross-section file (.kse) for a generated route.
#include <cstdio>
#include <exception>
#include <string>

#include "import/error.h"
#include "import/line_list.h"
#include "import/number_text.h"
#include "lib/cross_section_samples.h"

namespace {

int Usage() {
  std::fputs(
      "usage: velkor-gen-sections OUTPUT.kse [--length METRES] [--seed N]\n"
      "  Stations from 0 to METRES (default 1000) every 20-25 m, nine named vertices each.\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  velkor::samples::CrossSectionSampleOptions options;
  std::string output;
  try {
    for (int i = 1; i < argc; ++i) {
      std::string arg = argv[i];
      if ((arg == "--length" || arg == "--seed") && i + 1 < argc) {
        std::string value = argv[++i];
        if (arg == "--length") {
          options.length = velkor::ParseFloat(value);
        } else {
          options.seed = static_cast<unsigned>(velkor::ParseInt(value));
        }
      } else if (!arg.empty() && arg[0] != '-' && output.empty()) {
        output = arg;
      } else {
        return Usage();
      }
    }
    if (output.empty() || !(options.length >= 0)) return Usage();
    velkor::WriteFileBytes(output, velkor::samples::GenerateCrossSectionFile(options));
  } catch (const velkor::Error& e) {
    std::fprintf(stderr, "velkor-gen-sections: %s\n", e.what());
    return 1;
  }
  return 0;
}
