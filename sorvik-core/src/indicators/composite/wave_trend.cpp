#include "indicators/composite/wave_trend.hpp"

namespace sorvik {

Expected<WaveTrend> WaveTrend::create(std::uint64_t channel, std::uint64_t average, std::uint64_t signal) {
  if (auto err = check_period(channel)) return fail(*err);
  if (auto err = check_period(average)) return fail(*err);
  if (auto err = check_period(signal)) return fail(*err);
  return WaveTrend(channel, average, signal);
}

}  // namespace sorvik
