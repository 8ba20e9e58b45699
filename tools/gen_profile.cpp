// velkor-gen-profile: writes a vertical definition report of a made-up road profile, for examples,
// tests and benchmarks. The same arguments always give the same bytes.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include "base/error.h"
#include "base/line_list.h"
#include "base/number_text.h"
#include "lib/exact_profile.h"
#include "lib/vertical_report_writer.h"

namespace {

constexpr const char* kUsage =
    "usage: velkor-gen-profile [-o FILE] [--length METRES] [--curves N] [--seed N] [--radius] [--route NAME]\n"
    "Writes a vertical definition report (code page 1254, CR LF) to FILE or to standard output.\n"
    "  --length  road length from chainage 0 (default 1200)\n"
    "  --curves  number of vertical curves (default 3)\n"
    "  --seed    profile variant (default 1)\n"
    "  --radius  print R= between the curve length and K\n";

int Usage(const std::string& problem) {
  std::cerr << "velkor-gen-profile: " << problem << "\n" << kUsage;
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string output;
  double length = 1200;
  int curves = 3;
  int seed = 1;
  velkor::samples::VerticalReportOptions options;
  try {
    for (int i = 1; i < argc; ++i) {
      std::string arg = argv[i];
      auto value = [&]() -> std::string {
        if (i + 1 >= argc) throw velkor::Error(arg + " needs a value");
        return argv[++i];
      };
      if (arg == "-h" || arg == "--help") {
        std::cout << kUsage;
        return 0;
      } else if (arg == "-o" || arg == "--output") {
        output = value();
      } else if (arg == "--length") {
        length = velkor::ParseFloat(value());
      } else if (arg == "--curves") {
        curves = velkor::ParseInt(value());
      } else if (arg == "--seed") {
        seed = velkor::ParseInt(value());
      } else if (arg == "--radius") {
        options.withRadius = true;
      } else if (arg == "--route") {
        options.routeName = value();
      } else {
        return Usage("unknown argument " + arg);
      }
    }
  } catch (const velkor::Error& error) {
    return Usage(error.message());
  }
  // Every curve needs room for itself and its grades on both sides.
  if (curves < 0 || length < 50.0 * (curves + 1)) return Usage("--length must be at least 50 m per curve plus 50 m");

  auto profile = velkor::samples::MakeProfile(static_cast<std::uint32_t>(seed), length, curves);
  std::string report = velkor::samples::WriteVerticalReport(profile, options);
  try {
    if (output.empty()) {
      std::cout.write(report.data(), static_cast<std::streamsize>(report.size()));
    } else {
      velkor::WriteFileBytes(output, report);
    }
  } catch (const velkor::Error& error) {
    std::cerr << "velkor-gen-profile: " << error.message() << "\n";
    return 1;
  }
  return 0;
}
