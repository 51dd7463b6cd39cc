#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "convert/number_text.h"
#include "count_calls.h"
#include "convert/unit_matrix.h"

namespace {

constexpr std::array<double, 12> kTypicalValues = {1.0,    1609.0,       1 / 1.609,   33.8,
                                                   274.15, -40.0,        0.001,       1e-10,
                                                   5280.0, 3155760000.0, 0.999999999, 63346.4567};

constexpr std::array<std::string_view, 8> kTypicalTexts = {"1",   "1.609",      "1609", "1759.6238",
                                                           "-40", "0.62150404", "1e-3", ""};

// Length units per mile: mile, km, m, yard, foot, inch, cm, mm.
constexpr std::array<double, 8> kUnitsPerMile = {1,         1.609,      1609,   1759.6238,
                                                 5278.8714, 63346.4567, 160900, 1609000};
constexpr uint16_t kLengthUnits = kUnitsPerMile.size();

void FillLengthTable(CUnitMatrix& matrix) {
  for (uint16_t i = 0; i < kLengthUnits; ++i) {
    for (uint16_t j = 0; j < kLengthUnits; ++j) {
      if (i == j) continue;
      matrix.SetPair(i, j, 0, kUnitsPerMile[j] / kUnitsPerMile[i], 0);
    }
  }
}

void BM_FormatNumber(benchmark::State& state) {
  char buffer[kNumberTextCapacity];
  for (auto _ : state) {
    for (double value : kTypicalValues) {
      benchmark::DoNotOptimize(FormatNumber(value, buffer, sizeof buffer));
      benchmark::ClobberMemory();
    }
  }
  CountCalls(state, kTypicalValues.size());
}
BENCHMARK(BM_FormatNumber);

void BM_ReadNumberText(benchmark::State& state) {
  for (auto _ : state) {
    for (std::string_view text : kTypicalTexts) {
      benchmark::DoNotOptimize(ReadNumberText(text));
    }
  }
  CountCalls(state, kTypicalTexts.size());
}
BENCHMARK(BM_ReadNumberText);

// One edit in a length converter: every field is read, the edited one is
// converted to the seven other units and they are shown.
void BM_ConverterRound(benchmark::State& state) {
  CUnitMatrix matrix;
  FillLengthTable(matrix);
  std::array<NumberReading, kLengthUnits> readings{};
  char shown[kLengthUnits][kNumberTextCapacity];
  uint16_t source = 0;
  for (auto _ : state) {
    for (uint16_t unit = 0; unit < kLengthUnits; ++unit) {
      readings[unit] = ReadNumberText(kTypicalTexts[unit]);
    }
    const double value = readings[source].value;
    for (uint16_t target = 0; target < kLengthUnits; ++target) {
      if (target == source) continue;
      const double converted = matrix.Evaluate(source, target, value);
      FormatNumber(converted, shown[target], kNumberTextCapacity);
    }
    benchmark::DoNotOptimize(readings);
    benchmark::DoNotOptimize(shown);
    benchmark::ClobberMemory();
    source = (source + 1) % kLengthUnits;
  }
}
BENCHMARK(BM_ConverterRound);

}  // namespace
