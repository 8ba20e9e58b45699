// Formatting and parsing a million coordinates, against a floor of copying the same bytes.
#include "base/number_text.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kCount = 1'000'000;

const std::vector<double>& Coordinates() {
  static const std::vector<double> values = [] {
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> easting(400000, 600000);
    std::vector<double> v(kCount);
    for (auto& x : v) x = easting(rng);
    return v;
  }();
  return values;
}

const std::vector<std::string>& Texts() {
  static const std::vector<std::string> texts = [] {
    std::vector<std::string> t;
    t.reserve(kCount);
    for (double x : Coordinates()) t.push_back(velkor::FormatFixed(x, 3, 12));
    return t;
  }();
  return texts;
}

void BM_CopyFloor(benchmark::State& state) {
  const auto& texts = Texts();
  std::string out;
  out.reserve(kCount * 13);
  for (auto _ : state) {
    out.clear();
    for (const auto& t : texts) out.append(t);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_CopyFloor)->Unit(benchmark::kMillisecond);

void BM_FormatFixed(benchmark::State& state) {
  const auto& values = Coordinates();
  std::string out;
  out.reserve(kCount * 13);
  for (auto _ : state) {
    out.clear();
    for (double x : values) out.append(velkor::FormatFixed(x, 3, 12));
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_FormatFixed)->Unit(benchmark::kMillisecond);

void BM_FormatGeneral(benchmark::State& state) {
  const auto& values = Coordinates();
  size_t total = 0;
  for (auto _ : state) {
    for (double x : values) total += velkor::FormatGeneral(x).size();
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_FormatGeneral)->Unit(benchmark::kMillisecond);

void BM_ParseFloat(benchmark::State& state) {
  const auto& texts = Texts();
  double sum = 0;
  for (auto _ : state) {
    for (const auto& t : texts) sum += velkor::ParseFloat(t);
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_ParseFloat)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
