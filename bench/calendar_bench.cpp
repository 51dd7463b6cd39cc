#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <cstdint>

#include "calendar/calendar.h"
#include "count_calls.h"

namespace {

// Spread over the whole range, with the days around the calendar reform.
constexpr std::array<DateParts, 10> kGregorianDates = {{{622, 7, 15},
                                                        {1000, 3, 1},
                                                        {1500, 2, 29},
                                                        {1582, 10, 4},
                                                        {1582, 10, 15},
                                                        {1900, 3, 1},
                                                        {1996, 1, 1},
                                                        {2024, 12, 31},
                                                        {3500, 6, 30},
                                                        {5000, 12, 31}}};

constexpr std::array<DateParts, 10> kHijriDates = {{{1, 1, 1},
                                                    {300, 5, 17},
                                                    {905, 7, 30},
                                                    {990, 9, 17},
                                                    {990, 9, 18},
                                                    {1317, 10, 29},
                                                    {1416, 8, 10},
                                                    {1446, 6, 29},
                                                    {3000, 12, 30},
                                                    {4513, 12, 30}}};

void BM_GregorianToHijri(benchmark::State& state) {
  DateParts hijri;
  for (auto _ : state) {
    for (const DateParts& gregorian : kGregorianDates) {
      benchmark::DoNotOptimize(CDate::GregorianToHijri(gregorian, hijri));
      benchmark::DoNotOptimize(hijri);
    }
  }
  CountCalls(state, kGregorianDates.size());
}
BENCHMARK(BM_GregorianToHijri);

void BM_HijriToGregorian(benchmark::State& state) {
  DateParts gregorian;
  for (auto _ : state) {
    for (const DateParts& hijri : kHijriDates) {
      benchmark::DoNotOptimize(CDate::HijriToGregorian(gregorian, hijri));
      benchmark::DoNotOptimize(gregorian);
    }
  }
  CountCalls(state, kHijriDates.size());
}
BENCHMARK(BM_HijriToGregorian);

// The longest reverse walk: thirteen forward conversions across October 1582.
void BM_HijriToGregorianAcrossReform(benchmark::State& state) {
  DateParts gregorian;
  const DateParts hijri{990, 9, 18};
  for (auto _ : state) {
    benchmark::DoNotOptimize(CDate::HijriToGregorian(gregorian, hijri));
    benchmark::DoNotOptimize(gregorian);
  }
}
BENCHMARK(BM_HijriToGregorianAcrossReform);

// The work of the two whole-range properties the tests check: every Gregorian day from 15 July
// 622 to 31 December 5000 forward, and every day a Hijri month of years 1 to 4513 can be asked
// for through SetDate and back.
void BM_WholeRangeWalks(benchmark::State& state) {
  for (auto _ : state) {
    int64_t mismatches = 0;
    DateParts gregorian{622, 7, 15};
    DateParts previous{};
    while (gregorian.year <= CDate::kLastGregorianYear) {
      DateParts hijri;
      CDate::GregorianToHijri(gregorian, hijri);
      mismatches += hijri == previous;
      previous = hijri;
      CDate::NextDay(gregorian);
      if (gregorian == DateParts{1582, 10, 5}) gregorian.day = 15;
    }
    CDate date;
    for (int32_t year = 1; year <= CDate::kLastHijriYear; ++year) {
      for (uint8_t month = 1; month <= 12; ++month) {
        for (uint8_t day = 1; day <= 30; ++day) {
          if (!date.SetDate(month, day, year, true)) continue;
          DateParts back;
          CDate::GregorianToHijri(date.m_gregorian, back);
          mismatches += back != date.m_hijri;
        }
      }
    }
    benchmark::DoNotOptimize(mismatches);
  }
}
BENCHMARK(BM_WholeRangeWalks)->Unit(benchmark::kMillisecond);

}  // namespace
