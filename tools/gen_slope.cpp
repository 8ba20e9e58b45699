// velkor-gen-slope: writes a slope-plan drawing (.ncz) for the demo, tests and trying the reader.
#include <charconv>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "lib/slope_drawing.h"

namespace {

int Usage() {
  std::cerr << "usage: velkor-gen-slope OUT.ncz [--plain] [--points N]\n"
               "  --plain     only the axis and its four crest and toe lines, nothing the reader must refuse\n"
               "  --points N  axis points (2 or more, default 11)\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  velkor::samples::SlopeLayout layout;
  const char* out = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--plain") == 0) {
      layout.extras = false;
    } else if (std::strcmp(argv[i], "--points") == 0 && i + 1 < argc) {
      const char* text = argv[++i];
      const char* last = text + std::strlen(text);
      auto [end, ec] = std::from_chars(text, last, layout.axisPoints);
      if (ec != std::errc() || end != last || layout.axisPoints < 2 || layout.axisPoints > 1000000) return Usage();
    } else if (argv[i][0] != '-' && out == nullptr) {
      out = argv[i];
    } else {
      return Usage();
    }
  }
  if (out == nullptr) return Usage();

  std::ofstream file(out, std::ios::binary | std::ios::trunc);
  if (!file) {
    std::cerr << "Cannot create file " << out << "\n";
    return 1;
  }
  auto content = velkor::samples::WriteSlopeDrawing(file, layout);
  file.close();
  if (!file) {
    std::cerr << "Cannot create file " << out << "\n";
    return 1;
  }
  std::cout << out << ": " << content.axis.size() << " axis points, " << content.polylines.size()
            << " polylines taken, " << content.refused.size() << " refused\n";
  return 0;
}
