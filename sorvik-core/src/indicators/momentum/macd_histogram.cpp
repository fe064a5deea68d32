#include "indicators/momentum/macd_histogram.hpp"

namespace sorvik {

Expected<MacdHistogram> MacdHistogram::create(std::uint64_t fast, std::uint64_t slow, std::uint64_t signal) {
  if (auto made = MacdIndicator::create(fast, slow, signal); !made) return fail(made.error());
  return MacdHistogram(fast, slow, signal);
}

}  // namespace sorvik
