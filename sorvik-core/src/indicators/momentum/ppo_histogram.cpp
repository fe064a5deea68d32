#include "indicators/momentum/ppo_histogram.hpp"

namespace sorvik {

Expected<PpoHistogram> PpoHistogram::create(std::uint64_t fast, std::uint64_t slow, std::uint64_t signal) {
  if (auto made = Ppo::create(fast, slow); !made) return fail(made.error());
  if (auto err = check_period(signal)) return fail(*err);
  return PpoHistogram(fast, slow, signal);
}

}  // namespace sorvik
