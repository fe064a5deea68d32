#include "indicators/bands/bollinger_bandwidth.hpp"

namespace sorvik {

Expected<BollingerBandwidth> BollingerBandwidth::create(std::uint64_t period, double k) {
  if (auto err = BollingerBands::check(period, k)) return fail(*err);
  return BollingerBandwidth(period, k);
}

}  // namespace sorvik
