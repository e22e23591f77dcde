// Speed of the linearisation a write computes on the thread of the user interface, before the
// progress bar is shown. Every window should take 20 ms or less.
//
// Run: cmake --preset release && cmake --build --preset release --target linearisation_bench &&
//      build/release/bench/linearisation_bench

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "image/linearisation.h"
#include "image/output_limits.h"
#include "image/sensor_reference_tables.h"

namespace {

using namespace tadjust;

void linearise(benchmark::State& state, SensorType sensorType, unsigned series, int lo, int hi,
               bool reversed) {
  const TemperatureLimits limits = temperatureLimits(lo, hi, reversed);
  LinearisationResult result;
  for (auto _ : state) {
    result = computeLinearisation(sensorType, series, limits.lower, limits.upper, hi - lo);
    benchmark::DoNotOptimize(result);
  }
  state.counters["passes"] = result.passes;
  state.counters["segments"] = result.segments;
}

BENCHMARK_CAPTURE(linearise, B_400_1450_reversed, SensorType::ThermocoupleB, 7, 400, 1450, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(linearise, B_400_1800, SensorType::ThermocoupleB, 7, 400, 1800, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(linearise, N_500_1300_ten_passes, SensorType::ThermocoupleN, 7, 500, 1300, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(linearise, B_400_600, SensorType::ThermocoupleB, 7, 400, 600, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(linearise, J_100_950, SensorType::ThermocoupleJ, 7, 100, 950, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(linearise, K_0_1000, SensorType::ThermocoupleK, 7, 0, 1000, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(linearise, Pt100_0_100, SensorType::Pt100, 7, 0, 100, false)
    ->Unit(benchmark::kMillisecond);

// Many windows of every sensor: reports the mean and, as a counter, the slowest window.
struct SweepWindow {
  SensorType sensorType;
  unsigned series;
  int lo, hi;
  bool reversed;
};

std::vector<SweepWindow> sweepWindows() {
  struct Range {
    SensorType sensorType;
    int lo, hi, step;
  };
  const Range ranges[] = {
      {SensorType::Pt100, -100, 800, 100},          {SensorType::Ni100, -60, 180, 40},
      {SensorType::ThermocoupleB, 400, 1800, 150},  {SensorType::ThermocoupleR, 0, 1600, 200},
      {SensorType::ThermocoupleS, 0, 1600, 200},    {SensorType::ThermocoupleN, -100, 1300, 175},
      {SensorType::ThermocoupleK, -100, 1200, 150}, {SensorType::ThermocoupleJ, -100, 1000, 125},
      {SensorType::ThermocoupleT, -100, 400, 60}};
  std::vector<SweepWindow> windows;
  for (const Range& r : ranges)
    for (unsigned series : {7u, 9u})
      for (int lo = r.lo; lo < r.hi; lo += r.step)
        for (int hi = r.hi; hi >= lo + 30; hi -= r.step)
          for (bool reversed : {false, true})
            windows.push_back({r.sensorType, series, lo, hi, reversed});
  return windows;
}

void sweep(benchmark::State& state) {
  const auto windows = sweepWindows();
  double slowest = 0;
  double total = 0;
  std::int64_t runs = 0;
  for (auto _ : state) {
    for (const SweepWindow& w : windows) {
      const auto started = std::chrono::steady_clock::now();
      const TemperatureLimits limits = temperatureLimits(w.lo, w.hi, w.reversed);
      auto result =
          computeLinearisation(w.sensorType, w.series, limits.lower, limits.upper, w.hi - w.lo);
      benchmark::DoNotOptimize(result);
      const std::chrono::duration<double, std::milli> took =
          std::chrono::steady_clock::now() - started;
      slowest = std::max(slowest, took.count());
      total += took.count();
      ++runs;
    }
  }
  state.counters["windows"] = static_cast<double>(windows.size());
  state.counters["slowest_ms"] = slowest;
  state.counters["mean_ms"] = total / static_cast<double>(runs);
}
BENCHMARK(sweep)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
